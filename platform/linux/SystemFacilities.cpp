// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemFacilities.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <filesystem>
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

// The frame is not known before the window is shown; it adds only a few pixels on each side.
void ScreenPlacement::centre(QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || !window)
        return;
    const QRect area = screen->availableGeometry();
    window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
}

} // namespace Platform
