// SPDX-License-Identifier: GPL-3.0-or-later
// What the calendar window's tests share: dates written as year, month, day, and UTF-8 texts.
#pragma once

#include "DateCn.h"

#include <QString>

namespace CalendarTest {

struct Ymd {
    int y, m, d;
};

inline DateCn::TDateTime Date(Ymd v) {
    return DateCn::EncodeDate(v.y, v.m, v.d);
}

inline QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

} // namespace CalendarTest
