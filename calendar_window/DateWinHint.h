// SPDX-License-Identifier: GPL-3.0-or-later
// The hint of a day cell: a day's full details, whatever text its cell shows.
#pragma once

#include "DateCn.h"

#include <QString>

namespace DateWin {

// For example, for 2024-02-10:
//     2024年2月10日 星期六
//     农历甲辰年 正月初一
//     丙寅月 甲辰日
//     春节
// Line 1 the date and weekday; line 2 the lunar year's 干支, the lunar month name ("闰" for a leap month)
// and the day name; line 3 the 干支 of the month and the day; then one line for each text the day has, in
// the grid's order of precedence: traditional festival, solar term, civil festival.
QString DayHint(DateCn::TDateTime date);

} // namespace DateWin
