// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowOwner.h"

#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace Platform {

namespace {
std::vector<QPointer<QWidget>>& owned() {
    static std::vector<QPointer<QWidget>> windows;
    return windows;
}
void prune() {
    auto& w = owned();
    w.erase(std::remove_if(w.begin(), w.end(), [](const QPointer<QWidget>& p) { return p.isNull(); }),
            w.end());
}
} // namespace

void Own(QWidget* window) {
    prune();
    if (window && !Owns(window))
        owned().emplace_back(window);
}

void Disown(QWidget* window) {
    auto& w = owned();
    w.erase(std::remove_if(w.begin(), w.end(),
                           [&](const QPointer<QWidget>& p) { return p.isNull() || p == window; }),
            w.end());
}

bool Owns(const QWidget* window) {
    const auto& w = owned();
    return window &&
           std::any_of(w.begin(), w.end(), [&](const QPointer<QWidget>& p) { return p.data() == window; });
}

void DestroyOwnedWindows() {
    auto windows = std::move(owned());
    owned().clear();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        delete it->data();
}

} // namespace Platform
