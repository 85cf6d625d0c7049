// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>

namespace Platform {

// The calendar date of the user's clock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() = 0; // local time
};

} // namespace Platform
