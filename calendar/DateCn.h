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

} // namespace DateCn
