// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Platform {

// The system's default beep.
class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

} // namespace Platform
