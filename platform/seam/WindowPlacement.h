// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>

class QWidget;

namespace Platform {

// Where top-level windows first appear. A window placed here stays inside the screen's work area:
// one that would not fit is moved in (its title bar first), and so is one left partly outside
// when the screen shrinks later.
class WindowPlacement {
public:
    virtual ~WindowPlacement() = default;
    // Puts the window's client area in the middle of the screen's work area.
    virtual void centre(QWidget* window) = 0;
    // Puts the window's frame at this screen position, exactly, wherever it fits there.
    virtual void place(QWidget* window, QPoint position) = 0;
};

} // namespace Platform
