// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Chinese calendar engine: pure, stateless functions over constant tables.
// Lunar dates and solar terms cover the Gregorian years 1901–2050.
// All texts are UTF-8; every Chinese character is 3 bytes.

#include <cstdint>
#include <exception>
#include <string>

namespace DateCn {

// A date as a count of days since 1899-12-30; the integer part is the day (a fraction is ignored).
// Valid dates run from 0001-01-01 (-693593) to 9999-12-31 (2958465).
using TDateTime = double;

// month*100+day of a regular lunar month (101..1230), the negative of it for the leap month that
// follows the regular month of that number (-401 = first day of the leap 4th month), 0 outside 1901–2050.
using LunarDateCode = std::int32_t;

// Raised when a date is built from a year, month and day that do not exist ("Invalid argument to date
// encode"), or when a TDateTime lies outside 0001-01-01..9999-12-31 or is not a number.
class EDateEncodeError : public std::exception {
public:
    EDateEncodeError() noexcept = default;
    explicit EDateEncodeError(const char* message) noexcept : Message(message) {}
    const char* what() const noexcept override { return Message; }

private:
    const char* Message = "Invalid argument to date encode";
};

// ---- Tables -------------------------------------------------------------------------------------

// Gregorian month lengths: row 0 common years, row 1 leap years; column 0 = January.
extern const std::uint16_t MonthDays[2][12];

// Lunar month names by month number; index 0 (no lunar date) is the empty text.
extern const char* const LunarMonthNames[13]; // "", "正", "二", … "冬", "腊"
// Lunar day names by day number; index 0 (no lunar date) is the empty text.
extern const char* const LunarDayNames[31]; // "", "初一" … "三十"

// The ten heavenly stems "甲" … "癸" and the twelve earthly branches "子" … "亥", in cycle order.
extern const char* const Stems[10];
extern const char* const Branches[12];

// 4 bytes per Gregorian year 1901–2050; the row of year Y starts at (Y-1901)*4.
//   byte 0: bit 7 = slot 0 is the 12th lunar month (else the 11th); bits 6–0 = lunar day of 1 January
//   bytes 1–2: 16-bit mask, bit 15-k set = slot k has 30 days (else 29)
//   byte 3: number of the leap month that begins in this year, 0 = none
extern const std::uint8_t LunarYearInfo[600];

// One byte per month of 1901–2050 at (Y-1901)*12 + M-1: first term on day 15 - (b >> 4),
// second term on day 15 + (b & 15), in China Standard Time (UTC+8).
extern const std::uint8_t SolarTermDays[1800];

// ---- Date helpers --------------------------------------------------------------------------------

// Takes a date apart into year, month (1..12) and day (1..31).
void DecodeDate(TDateTime date, int& year, int& month, int& day);
// Builds a date; throws EDateEncodeError when the day does not exist (year 1..9999).
TDateTime EncodeDate(int year, int month, int day);
// 1 = Sunday … 7 = Saturday.
int DayOfWeek(TDateTime date);
// Divisible by 4 and not by 100, or divisible by 400.
bool IsLeapYear(int year);
// The system's current local date, without a time of day.
TDateTime Today();
// Formats a date: "yyyy" is the four-digit year, "mm" the two-digit month, "dd" the two-digit day;
// every other character is copied ("yyyy-mm-dd" gives "2024-02-10").
std::string FormatDate(const std::string& pattern, TDateTime date);

// ---- Gregorian fields and lunar date -------------------------------------------------------------

int GetYear(TDateTime date);
int GetMonth(TDateTime date);
int GetDay(TDateTime date);
int DayOfYear(TDateTime date); // 1 for 1 January, up to 366
LunarDateCode GetLunarDate(TDateTime date);

// ---- Lunar names and traditional festivals (empty outside 1901–2050) -----------------------------

std::string GetLunarMonthName(TDateTime date); // "正月" … "腊月", or "闰" + name for a leap month ("闰四")
std::string GetLunarDayName(TDateTime date);  // "初一" … "三十"
std::string GetLunarFestival(TDateTime date); // "春节", "除夕", … or empty

// ---- Solar terms ---------------------------------------------------------------------------------

// Number 1..24 of the term on that day (1 = 小寒 … 24 = 冬至), 0 for none, or a year outside
// 1901–2050 or a month outside 1..12.
std::uint16_t SolarTermIndex(std::uint16_t year, std::uint16_t month, std::uint16_t day);
std::string GetSolarTerm(TDateTime date); // name of the term on that day, or empty

// ---- Zodiac animal, civil festivals, constellations ----------------------------------------------

// "子鼠" … "亥猪", changing at the lunar new year; outside 1901–2050 the animal of the Gregorian year.
std::string GetZodiac(TDateTime date);
// The civil festival of the given day in the month and year of date, or empty. In May, June and November
// a day that does not exist in the month throws EDateEncodeError.
std::string GetCivilFestival(int day, TDateTime date);
std::string GetConstellation(TDateTime date); // "摩羯座" … "射手座"
// The constellation of the given day in the month and year of date; throws EDateEncodeError for a day
// that does not exist in that month.
std::string GetConstellationOfDay(int day, TDateTime date);

// ---- Sexagenary cycle (干支) (empty outside 1901-01-01..2050-12-31) ------------------------------

// Stem and branch of the lunar year, e.g. "甲辰"; the year changes on 正月初一, as the zodiac does.
std::string GetGanZhiYear(TDateTime date);
// Stem and branch of the solar month: a month begins on the day of each 节 (小寒, 立春 … 大雪, the first
// term of each Gregorian month), 立春 beginning the 寅 month; the stems follow the year that begins at
// 立春 (甲己之年丙作首 …).
std::string GetGanZhiMonth(TDateTime date);
// Stem and branch of the day, a plain 60-day cycle (2000-01-01 is 戊午).
std::string GetGanZhiDay(TDateTime date);
// Position 0..59 of the month's and of the day's 干支 in the cycle that starts at 甲子 (stem i % 10,
// branch i % 12); -1 outside 1901-01-01..2050-12-31.
int GanZhiMonthIndex(TDateTime date);
int GanZhiDayIndex(TDateTime date);

// ---- The day's almanac (黄历) (empty outside 1901-01-01..2050-12-31) ------------------------------
// Each item is a rule of the day's 干支, the branch of its month by 节 (as GetGanZhiMonth) or the date.

// 建除十二值星: 建 on the day whose branch is the month's, then 除 满 平 定 执 破 危 成 收 开 闭 with the
// day branches, so a 节 day repeats the star of the day before. "建" … "闭".
std::string GetJianChu(TDateTime date);
// 值神: 青龙 stands on 申 in 子 and 午 months, two branches on for each month after (戌 in 丑 and 未 …);
// 明堂 天刑 朱雀 金匮 天德 白虎 玉堂 天牢 玄武 司命 勾陈 follow with the day branches. "青龙" … "勾陈".
std::string GetZhiShen(TDateTime date);
// "黄道" on the days of 青龙, 明堂, 金匮, 天德, 玉堂 and 司命, "黑道" on the days of the other six gods.
std::string GetHuangDao(TDateTime date);
// 二十八宿, a plain 28-day cycle from 角 on 2019-01-17: "角" … "轸". The cycle is four weeks, so each
// 宿 keeps its weekday (角 a Thursday).
std::string GetXiu(TDateTime date);
// The 宿 with its 七曜 and animal: "角木蛟" … "轸水蚓".
std::string GetXiuName(TDateTime date);
// 冲: the animal of the branch opposite the day's ("狗" on a 辰 day), and the 干支 the day clashes with,
// four stems and six branches on ("戊戌" on 甲辰).
std::string GetChong(TDateTime date);
std::string GetChongGanZhi(TDateTime date);
// 煞: "南" on 申子辰 days, "北" on 寅午戌, "西" on 亥卯未, "东" on 巳酉丑.
std::string GetSha(TDateTime date);
// 彭祖百忌: the saying of the day stem and that of the day branch, with a space between.
std::string GetPengZuBaiJi(TDateTime date);
// 纳音 of the day's 干支, a pair of days per entry: "海中金" for 甲子 and 乙丑 … "大海水".
std::string GetNaYin(TDateTime date);
// 胎神占方: where the foetus god sits and in which part of the house, "占门碓 外东南".
std::string GetTaiShen(TDateTime date);
// The directions of the day's gods, by the day stem: "东北", "正南" …
std::string GetXiShen(TDateTime date); // 喜神
std::string GetFuShen(TDateTime date); // 福神 (甲己正北，丙辛西北，乙庚坤位，戊癸艮，丁壬巽)
std::string GetCaiShen(TDateTime date); // 财神
std::string GetYangGui(TDateTime date); // 阳贵
std::string GetYinGui(TDateTime date);  // 阴贵
// 日禄: "寅命互禄" for the 禄 branch of the day stem, then "庚命进禄" for the stems whose 禄 branch is the
// day's, if any ("巳命互禄 庚命进禄" on 戊申, "申命互禄" on 庚辰, "酉命互禄 丙戊命进禄" on 辛巳).
std::string GetRiLu(TDateTime date);

} // namespace DateCn
