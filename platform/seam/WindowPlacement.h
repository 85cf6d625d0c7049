// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace Platform {

// Where top-level windows first appear.
class WindowPlacement {
public:
    virtual ~WindowPlacement() = default;
    // Puts the window's client area in the middle of the screen's work area.
    virtual void centre(QWidget* window) = 0;
};

} // namespace Platform
