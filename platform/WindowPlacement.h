#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace Platform {

// Places a top-level window's client area in the middle of the primary screen's work area. The
// frame is not known before the window is shown; it adds only a few pixels on each side.
inline void CentreOnScreen(QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    window->move(area.center() - QPoint(window->width() / 2, window->height() / 2));
}

} // namespace Platform
