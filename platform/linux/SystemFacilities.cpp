// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemFacilities.h"

#include <QDateTime>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <system_error>

namespace Platform {

QString ProcProgramFolder::path() {
    std::error_code ec;
    const std::string exe = std::filesystem::read_symlink("/proc/self/exe", ec).native();
    if (ec)
        return {};
    const auto slash = exe.rfind('/');
    if (slash == std::string::npos)
        return {};
    return QString::fromLocal8Bit(exe.data(), static_cast<qsizetype>(slash) + 1);
}

QDate SystemClock::today() {
    return QDate::currentDate();
}

namespace {

QScreen* screenOf(const QWidget* window) {
    QScreen* screen = window->isVisible() ? window->screen() : nullptr;
    return screen ? screen : QGuiApplication::primaryScreen();
}

// The frame is not known before the window is shown: until then the client size stands for it.
QRect frameOf(const QWidget* window) {
    return window->isVisible() ? window->frameGeometry() : QRect(window->pos(), window->size());
}

// Watches the placed windows: once one is shown (its frame known), it is checked again.
class ShowWatcher final : public QObject {
public:
    explicit ShowWatcher(std::function<void(QWidget*)> shown) : shown_(std::move(shown)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            QPointer<QWidget> window = static_cast<QWidget*>(watched);
            QTimer::singleShot(0, this, [this, window] {
                if (window)
                    shown_(window);
            });
        }
        return false;
    }

private:
    std::function<void(QWidget*)> shown_;
};

} // namespace

ScreenPlacement::ScreenPlacement() = default;
ScreenPlacement::~ScreenPlacement() = default;

QPoint ScreenPlacement::fitted(const QRect& frame, const QRect& area) {
    const auto axis = [](int at, int length, int start, int room) {
        if (length >= room)
            return start;
        return std::clamp(at, start, start + room - length);
    };
    return {axis(frame.x(), frame.width(), area.x(), area.width()),
            axis(frame.y(), frame.height(), area.y(), area.height())};
}

void ScreenPlacement::centre(QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || !window)
        return;
    const QRect area = screen->availableGeometry();
    window->move(fitted(
        QRect(area.center() - QPoint(window->width() / 2, window->height() / 2), window->size()), area));
    track(window);
}

void ScreenPlacement::place(QWidget* window, QPoint position) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!window)
        return;
    window->move(screen ? fitted(QRect(position, window->size()), screen->availableGeometry()) : position);
    track(window);
}

void ScreenPlacement::track(QWidget* window) {
    if (!watcher_) {
        watcher_ = std::make_unique<ShowWatcher>([this](QWidget* shown) { refit(shown); });
        // Every screen is watched, the ones added later too: a window may be on any of them.
        for (QScreen* screen : QGuiApplication::screens())
            watch(screen);
        QObject::connect(qApp, &QGuiApplication::screenAdded, watcher_.get(),
                         [this](QScreen* s) { watch(s); });
    }
    std::erase_if(placed_, [](const QPointer<QWidget>& w) { return w.isNull(); });
    if (std::find(placed_.begin(), placed_.end(), window) == placed_.end()) {
        placed_.emplace_back(window);
        window->installEventFilter(watcher_.get());
    }
}

void ScreenPlacement::watch(QScreen* screen) {
    QObject::connect(screen, &QScreen::availableGeometryChanged, watcher_.get(), [this] { refit(); });
}

void ScreenPlacement::refit() {
    for (const QPointer<QWidget>& window : placed_)
        if (window)
            refit(window);
}

void ScreenPlacement::refit(QWidget* window) {
    if (!window->isVisible())
        return;
    const QScreen* screen = screenOf(window);
    if (!screen)
        return;
    const QRect frame = frameOf(window);
    const QPoint inside = fitted(frame, screen->availableGeometry());
    if (inside != frame.topLeft())
        window->move(inside);
}

} // namespace Platform
