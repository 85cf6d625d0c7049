// SPDX-License-Identifier: GPL-3.0-or-later
#include "DateWinHint.h"

#include <string>

namespace DateWin {

namespace {

// By DayOfWeek: 1 = Sunday … 7 = Saturday.
constexpr const char* WeekdayNames[8] = {"",       "星期日", "星期一", "星期二",
                                         "星期三", "星期四", "星期五", "星期六"};

} // namespace

QString DayHint(DateCn::TDateTime date) {
    using namespace DateCn;
    int y = 0, m = 0, d = 0;
    DecodeDate(date, y, m, d);
    std::string hint = std::to_string(y) + "年" + std::to_string(m) + "月" + std::to_string(d) + "日 " +
                       WeekdayNames[DayOfWeek(date)];
    hint += "\n农历" + GetGanZhiYear(date) + "年 " + GetLunarMonthName(date) + GetLunarDayName(date);
    hint += "\n" + GetGanZhiMonth(date) + "月 " + GetGanZhiDay(date) + "日";
    const auto line = [&hint](const std::string& text) {
        if (!text.empty())
            hint += "\n" + text;
    };
    line(GetLunarFestival(date));
    line(GetSolarTerm(date));
    // As in the grid: a civil festival counts only when it is longer than one character.
    if (std::string civil = GetCivilFestival(d, date); civil.size() > 3)
        line(civil);
    return QString::fromStdString(hint);
}

} // namespace DateWin
