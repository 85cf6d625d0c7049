// SPDX-License-Identifier: GPL-3.0-or-later
#include "DumpLines.h"

#include <cstdint>

namespace DumpLines {

using namespace DateCn;

void AppendCalendar(std::string& line, TDateTime date, bool ganzhi) {
    int y, m, d;
    DecodeDate(date, y, m, d);
    line += FormatDate("yyyy-mm-dd", date);
    const auto field = [&line](const std::string& value) {
        line += '\t';
        line += value;
    };
    field(std::to_string(GetLunarDate(date)));
    field(GetLunarMonthName(date));
    field(GetLunarDayName(date));
    field(GetLunarFestival(date));
    field(std::to_string(SolarTermIndex(static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(m),
                                        static_cast<std::uint16_t>(d))));
    field(GetSolarTerm(date));
    field(GetZodiac(date));
    field(GetCivilFestival(d, date));
    field(GetConstellation(date));
    field(std::to_string(DayOfYear(date)));
    field(std::to_string(DayOfWeek(date)));
    if (ganzhi) {
        field(GetGanZhiYear(date));
        field(GetGanZhiMonth(date));
        field(GetGanZhiDay(date));
    }
}

void AppendAlmanac(std::string& line, TDateTime date) {
    line += FormatDate("yyyy-mm-dd", date);
    const auto field = [&line](const char* key, const std::string& value) {
        line += '\t';
        line += key;
        line += '=';
        line += value;
    };
    field("建除", GetJianChu(date));
    field("值神", GetZhiShen(date));
    field("黄道", GetHuangDao(date));
    field("宿", GetXiu(date));
    field("冲", GetChong(date));
    field("煞", GetSha(date));
    field("彭祖", GetPengZuBaiJi(date));
    field("纳音", GetNaYin(date));
    field("胎神", GetTaiShen(date));
    field("喜神", GetXiShen(date));
    field("福神", GetFuShen(date));
    field("财神", GetCaiShen(date));
    field("阳贵", GetYangGui(date));
    field("阴贵", GetYinGui(date));
    field("日禄", GetRiLu(date));
}

} // namespace DumpLines
