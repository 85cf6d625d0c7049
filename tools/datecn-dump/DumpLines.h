// SPDX-License-Identifier: GPL-3.0-or-later
// The lines that datecn-dump prints, one per day; shared with the calendar benchmark, which times them.
#pragma once

#include "DateCn.h"

#include <string>

namespace DumpLines {

// Appends the day's calendar line, without its newline: the date, then tab-separated GetLunarDate,
// GetLunarMonthName, GetLunarDayName, GetLunarFestival, SolarTermIndex, GetSolarTerm, GetZodiac,
// GetCivilFestival, GetConstellation, DayOfYear and the weekday (1 = Sunday); with ganzhi also
// GetGanZhiYear, GetGanZhiMonth and GetGanZhiDay.
void AppendCalendar(std::string& line, DateCn::TDateTime date, bool ganzhi);

// Appends the day's almanac line, without its newline: the date, then tab-separated key=value fields
// 建除 值神 黄道 宿 冲 煞 彭祖 纳音 胎神 喜神 福神 财神 阳贵 阴贵 日禄. The day must lie in 1901–2050.
void AppendAlmanac(std::string& line, DateCn::TDateTime date);

} // namespace DumpLines
