// SPDX-License-Identifier: GPL-3.0-or-later
// What a day has to say under its number, in the grid's order of precedence: one rule for the lunar
// cell, which shows the first text, and for the hint, which lists the festivals and the solar term.
#pragma once

#include "DateCn.h"

#include <string>
#include <vector>

namespace DateWin {

enum class DayTextKind { LunarFestival, SolarTerm, CivilFestival, LunarMonth, LunarDay };

struct DayText {
    DayTextKind kind;
    std::string text;
};

// Every text of the day, highest precedence first: its traditional festival, its solar term, its civil
// festival (a name of one character or less is none), then the lunar month name ("闰四" in a leap
// month) on the first day of a lunar month or else the lunar day name, which always comes last (outside
// 1901–2050 there is none).
// Throws as the engine does for a date it cannot read.
std::vector<DayText> DayTexts(DateCn::TDateTime date);

} // namespace DateWin
