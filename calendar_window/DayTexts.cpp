// SPDX-License-Identifier: GPL-3.0-or-later
#include "DayTexts.h"

namespace DateWin {

std::vector<DayText> DayTexts(DateCn::TDateTime date) {
    using namespace DateCn;
    std::vector<DayText> texts;
    texts.reserve(4);
    const auto add = [&texts](DayTextKind kind, std::string text) {
        if (!text.empty())
            texts.push_back({kind, std::move(text)});
    };
    add(DayTextKind::LunarFestival, GetLunarFestival(date));
    add(DayTextKind::SolarTerm, GetSolarTerm(date));
    // Civil festival names are three characters (9 bytes); anything up to one character is no name.
    int y = 0, m = 0, d = 0;
    DecodeDate(date, y, m, d);
    if (std::string civil = GetCivilFestival(d, date); civil.size() > 3)
        add(DayTextKind::CivilFestival, std::move(civil));
    if (std::string day = GetLunarDayName(date); day == "初一")
        add(DayTextKind::LunarMonth, GetLunarMonthName(date));
    else
        add(DayTextKind::LunarDay, std::move(day));
    return texts;
}

} // namespace DateWin
