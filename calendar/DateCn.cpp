// SPDX-License-Identifier: GPL-3.0-or-later
#include "DateCn.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <ctime>

namespace DateCn {

namespace {

using namespace std::chrono;

// TDateTime day 0 is 1899-12-30; 1970-01-01 (sys_days epoch) is day 25569.
constexpr int UnixEpochDay = 25569;
constexpr double MinDate = -693593.0; // 0001-01-01
constexpr double MaxDate = 2958465.0; // 9999-12-31

sys_days ToSysDays(TDateTime date) {
    // The integer part is the day: truncate toward zero, as the type has always been read.
    if (!(date > MinDate - 1.0 && date < MaxDate + 1.0)) // also rejects NaN
        throw EDateEncodeError("Invalid date value");
    return sys_days{days{static_cast<int>(std::trunc(date)) - UnixEpochDay}};
}

TDateTime FromSysDays(sys_days d) {
    return static_cast<TDateTime>(d.time_since_epoch().count() + UnixEpochDay);
}

// Two-digit (or four-digit) zero-padded decimal, appended to out.
void AppendNumber(std::string& out, int value, int width) {
    char buf[8];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    for (int n = static_cast<int>(end - buf); n < width; ++n)
        out.push_back('0');
    out.append(buf, end);
}

int ReadNumber(const std::string& text) {
    int value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

bool StartsWithNoCase(const std::string& s, std::size_t pos, const char* token) {
    for (; *token; ++token, ++pos)
        if (pos >= s.size() || (s[pos] | 0x20) != *token)
            return false;
    return true;
}

// The festival of each lunar day that has one; the month name must match exactly.
struct LunarFestivalRow {
    int Day;
    const char* MonthName;
    const char* Name;
};
constexpr LunarFestivalRow LunarFestivals[] = {
    {1, "正月", "春节"},   {5, "五月", "端午节"}, {7, "七月", "七夕节"},
    {8, "腊月", "腊八节"}, {9, "九月", "重阳节"},
};

constexpr const char* SolarTermNames[25] = {
    "",     "小寒", "大寒", "立春", "雨水", "惊蛰", "春分", "清明", "谷雨", "立夏", "小满", "芒种", "夏至",
    "小暑", "大暑", "立秋", "处暑", "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至",
};

// Index i belongs to the years Y with (Y - 1972) mod 12 = i; 1972 is a 子鼠 year.
constexpr const char* ZodiacAnimals[12] = {"子鼠", "丑牛", "寅虎", "卯兔", "辰龙", "巳蛇",
                                           "午马", "未羊", "申猴", "酉鸡", "戌狗", "亥猪"};

// Civil festivals on a fixed day of a Gregorian month.
struct FixedFestivalRow {
    int Month;
    int Day;
    const char* Name;
};
constexpr FixedFestivalRow FixedFestivals[] = {
    {1, 1, "元旦节"},  {2, 14, "情人节"}, {3, 8, "妇女节"},   {4, 1, "愚人节"},  {5, 1, "劳动节"},
    {5, 4, "青年节"},  {6, 1, "儿童节"},  {7, 1, "建党节"},   {8, 1, "建军节"},  {9, 10, "教师节"},
    {10, 1, "国庆节"}, {10, 6, "老人节"}, {10, 31, "万圣节"}, {11, 8, "记者日"}, {12, 25, "圣诞节"},
};

// Civil festivals on the Week-th (0 = first) given weekday (1 = Sunday) of a month; they win over a
// fixed festival on the same day.
struct WeekdayFestivalRow {
    int Month;
    int Weekday;
    int Week;
    const char* Name;
};
constexpr WeekdayFestivalRow WeekdayFestivals[] = {
    {5, 1, 1, "母亲节"},  // second Sunday of May
    {6, 1, 2, "父亲节"},  // third Sunday of June
    {11, 5, 3, "感恩节"}, // fourth Thursday of November
};

// Per month: the sign of days 1..FirstTo and the sign from day SecondFrom on. August leaves the 23rd
// between the bounds; it goes to the second sign (处女座), as in the common convention.
struct ConstellationRow {
    int FirstTo;
    const char* First;
    int SecondFrom;
    const char* Second;
};
constexpr ConstellationRow Constellations[12] = {
    {19, "摩羯座", 20, "水瓶座"}, {18, "水瓶座", 19, "双鱼座"}, {20, "双鱼座", 21, "白羊座"},
    {19, "白羊座", 20, "金牛座"}, {20, "金牛座", 21, "双子座"}, {21, "双子座", 22, "巨蟹座"},
    {22, "巨蟹座", 23, "狮子座"}, {22, "狮子座", 24, "处女座"}, {22, "处女座", 23, "天秤座"},
    {23, "天秤座", 24, "天蝎座"}, {21, "天蝎座", 22, "射手座"}, {21, "射手座", 22, "摩羯座"},
};

// The month length table must agree with the calendar library.
constexpr bool MonthDaysAgreeWithChrono(const std::uint16_t (&table)[2][12]) {
    for (unsigned m = 1; m <= 12; ++m) {
        if (table[0][m - 1] != unsigned{(year{2001} / month{m} / last).day()})
            return false;
        if (table[1][m - 1] != unsigned{(year{2000} / month{m} / last).day()})
            return false;
    }
    return true;
}

} // namespace

// ---- Tables -------------------------------------------------------------------------------------

constexpr std::uint16_t MonthDays[2][12] = {
    {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
    {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
};
static_assert(MonthDaysAgreeWithChrono(MonthDays));

const char* const LunarMonthNames[13] = {"",   "正", "二", "三", "四", "五", "六",
                                         "七", "八", "九", "十", "冬", "腊"};

// clang-format off
const char* const LunarDayNames[31] = {
    "",
    "初一", "初二", "初三", "初四", "初五", "初六", "初七", "初八", "初九", "初十",
    "十一", "十二", "十三", "十四", "十五", "十六", "十七", "十八", "十九", "二十",
    "廿一", "廿二", "廿三", "廿四", "廿五", "廿六", "廿七", "廿八", "廿九", "三十",
};
// clang-format on

// One row per Gregorian year, written as the 32-bit word of bytes 0..3.
// Rows 1989 and 2013 are corrected: the new moons of 1989-08-02 00:05 and 2013-06-08 23:56 China time
// start the 7th month of 1989 on 2 August (not 1 August) and the 5th month of 2013 on 8 June (not 9 June).
#define R(w)                                                                                                 \
    std::uint8_t((w) >> 24), std::uint8_t((w) >> 16 & 0xff), std::uint8_t((w) >> 8 & 0xff),                  \
        std::uint8_t((w)&0xff)
const std::uint8_t LunarYearInfo[600] = {
    R(0x0b52ba00), R(0x16a95d00), R(0x83a93705), R(0x0e749b00), R(0x1ab65500), // 1901–1905
    R(0x87b55504), R(0x1155aa00), R(0x1ca6b500), R(0x8aa57502), R(0x1452ba00), // 1906–1910
    R(0x81526e06), R(0x0de93700), R(0x18749700), R(0x86ea9605), R(0x106d5500), // 1911–1915
    R(0x1a35aa00), R(0x884b6a02), R(0x13a56d00), R(0x1ed26e07), R(0x0bd25e00), // 1916–1920
    R(0x17e92e00), R(0x84d92d05), R(0x0fda9500), R(0x195b5200), R(0x8756d404), // 1921–1925
    R(0x114ada00), R(0x1ca55d00), R(0x89a4bd02), R(0x15d25d00), R(0x82b25b06), // 1926–1930
    R(0x0db52b00), R(0x18ba9500), R(0x86b6a505), R(0x1056b400), R(0x1a4ada00), // 1931–1935
    R(0x8749ba03), R(0x13a4bb00), R(0x1eb25b07), R(0x0b725700), R(0x16752b00), // 1936–1940
    R(0x846d2a06), R(0x0fad5500), R(0x1955aa00), R(0x86556c04), R(0x12c97600), // 1941–1945
    R(0x1c64b700), R(0x8ae4ae02), R(0x15ea5600), R(0x83da5507), R(0x0d5b2a00), // 1946–1950
    R(0x18ad5500), R(0x85aad505), R(0x10536a00), R(0x1ba96d00), R(0x88a95d03), // 1951–1955
    R(0x13d4ae00), R(0x81d4ab08), R(0x0cba5500), R(0x165aaa00), R(0x8356aa06), // 1956–1960
    R(0x0faad500), R(0x1952da00), R(0x8652ba04), R(0x11a95d00), R(0x1dd49b00), // 1961–1965
    R(0x8a749b03), R(0x15b65500), R(0x82ad5507), R(0x0d55aa00), R(0x18a5b500), // 1966–1970
    R(0x85a57505), R(0x0f52b600), R(0x1b693700), R(0x89e93704), R(0x13749700), // 1971–1975
    R(0x81ea9608), R(0x0c6d5200), R(0x162daa00), R(0x834b6a06), R(0x0ea56d00), // 1976–1980
    R(0x1ad26e00), R(0x87d25e04), R(0x12e92e00), R(0x1dec960a), R(0x0bda9500), // 1981–1985
    R(0x155b5200), R(0x8256d206), R(0x0c2ada00), R(0x18a55d00), R(0x85a4bd05), // 1986–1990
    R(0x10d25d00), R(0x1bd92d00), R(0x89b52b03), R(0x14ba9500), R(0x81b59508), // 1991–1995
    R(0x0b56b200), R(0x162ada00), R(0x8349b605), R(0x0e64bb00), R(0x19b25b00), // 1996–2000
    R(0x876a5704), R(0x12752b00), R(0x1db69500), R(0x8aad5502), R(0x1555aa00), // 2001–2005
    R(0x82556c07), R(0x0dc97600), R(0x1764b700), R(0x86e4ae05), R(0x11ea5600), // 2006–2010
    R(0x1b6d2a00), R(0x885aaa04), R(0x14ab5500), R(0x81aad509), R(0x0b52ea00), // 2011–2015
    R(0x16a96d00), R(0x84a95d06), R(0x0fd4ae00), R(0x1aea4d00), R(0x87ba5504), // 2016–2020
    R(0x125aaa00), R(0x1dab5500), R(0x8aa6d502), R(0x1452da00), R(0x8252ba06), // 2021–2025
    R(0x0da93b00), R(0x18b49b00), R(0x85749b05), R(0x11b54d00), R(0x1cd6a900), // 2026–2030
    R(0x8835aa03), R(0x13a5b500), R(0x81a5750b), R(0x0b52b600), R(0x16693700), // 2031–2035
    R(0x84e92f06), R(0x10f49700), R(0x1a754b00), R(0x876d5205), R(0x112d6900), // 2036–2040
    R(0x1d95b500), R(0x8aa56d02), R(0x15d26e00), R(0x82d25e07), R(0x0ee92e00), // 2041–2045
    R(0x19ea9600), R(0x86da9505), R(0x105b4a00), R(0x1cab6900), R(0x882ad803), // 2046–2050
};
#undef R

// Generated by tools/solarterms (see there for the method); do not edit by hand.
const std::uint8_t SolarTermDays[1800] = {
#include "SolarTermDays.inc"
};

// ---- Date helpers --------------------------------------------------------------------------------

void DecodeDate(TDateTime date, int& y, int& m, int& d) {
    const year_month_day ymd{ToSysDays(date)};
    y = int{ymd.year()};
    m = static_cast<int>(unsigned{ymd.month()});
    d = static_cast<int>(unsigned{ymd.day()});
}

TDateTime EncodeDate(int y, int m, int d) {
    // chrono's month and day hold a byte, so range-check the ints before narrowing.
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > 31)
        throw EDateEncodeError();
    const year_month_day ymd{year{y}, month{static_cast<unsigned>(m)}, day{static_cast<unsigned>(d)}};
    if (!ymd.ok())
        throw EDateEncodeError();
    return FromSysDays(sys_days{ymd});
}

int DayOfWeek(TDateTime date) {
    return static_cast<int>(weekday{ToSysDays(date)}.c_encoding()) + 1; // c_encoding: 0 = Sunday
}

bool IsLeapYear(int y) {
    // The Gregorian rule repeats every 400 years; the remainder keeps chrono::year in its range.
    return year{y % 400}.is_leap();
}

TDateTime Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

std::string FormatDate(const std::string& pattern, TDateTime date) {
    int y, m, d;
    DecodeDate(date, y, m, d);
    std::string out;
    for (std::size_t i = 0; i < pattern.size();) {
        if (StartsWithNoCase(pattern, i, "yyyy")) {
            AppendNumber(out, y, 4);
            i += 4;
        } else if (StartsWithNoCase(pattern, i, "mm")) {
            AppendNumber(out, m, 2);
            i += 2;
        } else if (StartsWithNoCase(pattern, i, "dd")) {
            AppendNumber(out, d, 2);
            i += 2;
        } else {
            out.push_back(pattern[i++]);
        }
    }
    return out;
}

// ---- Gregorian fields and lunar date -------------------------------------------------------------

int GetYear(TDateTime date) {
    return ReadNumber(FormatDate("yyyy", date));
}
int GetMonth(TDateTime date) {
    return ReadNumber(FormatDate("mm", date));
}
int GetDay(TDateTime date) {
    return ReadNumber(FormatDate("dd", date));
}

int DayOfYear(TDateTime date) {
    int y, m, d;
    DecodeDate(date, y, m, d);
    const std::uint16_t* lengths = MonthDays[IsLeapYear(y) ? 1 : 0];
    int n = d;
    for (int i = 0; i < m - 1; ++i)
        n += lengths[i];
    return n; // 1..366
}

LunarDateCode GetLunarDate(TDateTime date) {
    int y, m, d;
    DecodeDate(date, y, m, d);
    if (y < 1901 || y > 2050)
        return 0;

    const std::uint8_t* row = &LunarYearInfo[(y - 1901) * 4];
    const int firstDay = row[0] & 0x7f;      // lunar day of 1 January, 1..30
    const int mask = (row[1] << 8) | row[2]; // bit 15-k: slot k has 30 days
    const int leap = row[3];                 // 0 or 1..12

    // Slot k of sixteen consecutive lunar months; slot 0 contains 1 January. A negative number is the
    // leap month after the regular month of that number.
    int length[16];
    int number[17];
    number[0] = (row[0] & 0x80) ? 12 : 11;
    for (int k = 0; k < 16; ++k) {
        length[k] = 29 + ((mask >> (15 - k)) & 1);
        const int regular = number[k] < 0 ? -number[k] : number[k]; // 1..12
        number[k + 1] = (number[k] == leap) ? -number[k] : (regular == 12 ? 1 : regular + 1);
    }

    const int e = DayOfYear(date) - 1; // 0..365
    int f = length[0] - firstDay;      // value of e on the last day of slot 0
    int lunarMonth, lunarDay;
    if (e <= f) {
        lunarDay = firstDay + e;
        lunarMonth = number[0];
        // Whether slot 0 is a leap month is known only from the end of the previous year.
        if (y > 1901 && GetLunarDate(EncodeDate(y - 1, 12, 31)) < 0)
            lunarMonth = -lunarMonth;
    } else {
        int i = 1;
        while (e > f + length[i]) { // ends by slot 13: a year never meets more than 14 lunar months
            f += length[i];
            ++i;
        }
        lunarMonth = number[i];
        lunarDay = e - f;
    }
    return lunarMonth > 0 ? lunarMonth * 100 + lunarDay : -(-lunarMonth * 100 + lunarDay);
}

// ---- Lunar names and traditional festivals -------------------------------------------------------

std::string GetLunarMonthName(TDateTime date) {
    const LunarDateCode c = GetLunarDate(date);
    if (c == 0)
        return {};         // outside 1901–2050; never "正月", so 31 Dec 2050 is no New Year's Eve
    const int q = c / 100; // truncated toward zero: -401 gives -4
    if (q < 0)
        return std::string("闰") + LunarMonthNames[-q];
    return std::string(LunarMonthNames[q]) + "月";
}

std::string GetLunarDayName(TDateTime date) {
    return LunarDayNames[std::abs(GetLunarDate(date)) % 100]; // entry 0 is empty
}

std::string GetLunarFestival(TDateTime date) {
    const LunarDateCode c = GetLunarDate(date);
    if (c == 0)
        return {}; // outside 1901–2050 no day is a festival (1 Jan 1901 is in the 11th month)
    const int d = std::abs(c) % 100;
    for (const LunarFestivalRow& row : LunarFestivals)
        if (row.Day == d)
            return GetLunarMonthName(date) == row.MonthName ? row.Name : "";
    if (d == 15) {
        const std::string month = GetLunarMonthName(date);
        if (month == "八月")
            return "中秋节";
        if (month == "正月")
            return "元宵节";
        return {};
    }
    // New Year's Eve: the day before 正月初一, i.e. the last day of the 12th month.
    if (GetLunarMonthName(date + 1) == "正月" && GetLunarMonthName(date) != "正月")
        return "除夕";
    return {};
}

// ---- Solar terms ---------------------------------------------------------------------------------

std::uint16_t SolarTermIndex(std::uint16_t y, std::uint16_t m, std::uint16_t d) {
    if (y < 1901 || y > 2050 || m < 1 || m > 12)
        return 0;
    const std::uint8_t b = SolarTermDays[(y - 1901) * 12 + m - 1];
    if (d < 15)
        return d == 15 - (b >> 4) ? 2 * m - 1 : 0; // first term: day 3..9
    return d == 15 + (b & 15) ? 2 * m : 0;         // second term: day 18..24
}

std::string GetSolarTerm(TDateTime date) {
    int y, m, d;
    DecodeDate(date, y, m, d);
    return SolarTermNames[SolarTermIndex(static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(m),
                                         static_cast<std::uint16_t>(d))];
}

// ---- Zodiac animal, civil festivals, constellations ----------------------------------------------

std::string GetZodiac(TDateTime date) {
    int y, m, d;
    DecodeDate(date, y, m, d);
    int i = (y - 1972) % 12;
    if (i < 0)
        i += 12; // 0..11
    if (m <= 3) {
        // Still in the 11th or 12th lunar month (a leap one too): the lunar new year has not come.
        const std::string month = GetLunarMonthName(date);
        if (month.find("腊") != std::string::npos || month.find("冬") != std::string::npos)
            i = (i + 11) % 12;
    }
    return ZodiacAnimals[i];
}

std::string GetCivilFestival(int d, TDateTime date) {
    const int m = GetMonth(date);
    std::string result;
    for (const FixedFestivalRow& row : FixedFestivals)
        if (row.Month == m && row.Day == d)
            result = row.Name;
    for (const WeekdayFestivalRow& row : WeekdayFestivals) {
        if (row.Month != m)
            continue;
        // The weekday is taken for any day of these months, so one that does not exist throws.
        const int weekday = DayOfWeek(EncodeDate(GetYear(date), m, d));
        if (weekday == row.Weekday && (d - 1) / 7 == row.Week)
            result = row.Name;
    }
    return result;
}

std::string GetConstellation(TDateTime date) {
    const ConstellationRow& row = Constellations[GetMonth(date) - 1];
    return GetDay(date) <= row.FirstTo ? row.First : row.Second;
}

std::string GetConstellationOfDay(int d, TDateTime date) {
    return GetConstellation(EncodeDate(GetYear(date), GetMonth(date), d));
}

// ---- Sexagenary cycle (干支) ------------------------------------------------------------------------

const char* const Stems[10] = {"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};
const char* const Branches[12] = {"子", "丑", "寅", "卯", "辰", "巳", "午", "未", "申", "酉", "戌", "亥"};

namespace {

// Entry i (0..59) of the cycle that starts at 甲子: stem i mod 10 and branch i mod 12.
std::string GanZhi(int i) {
    return std::string(Stems[i % 10]) + Branches[i % 12];
}

// 1984 is a 甲子 year; for a year from 1900 on, year - 4 is positive and the remainder 0..59.
int YearCycleIndex(int year) {
    return (year - 4) % 60;
}

} // namespace

std::string GetGanZhiYear(TDateTime date) {
    int y, m, d;
    DecodeDate(date, y, m, d);
    const LunarDateCode c = GetLunarDate(date);
    if (c == 0)
        return {}; // outside 1901–2050
    // In January to March an 11th or 12th lunar month (a leap one too) still belongs to the lunar year
    // before, as for the zodiac: 1901-01-01 lies in the 庚子 year 1900.
    const int lunarYear = (m <= 3 && std::abs(c) / 100 >= 11) ? y - 1 : y; // 1900..2050
    return GanZhi(YearCycleIndex(lunarYear));
}

std::string GetGanZhiMonth(TDateTime date) {
    const int i = GanZhiMonthIndex(date);
    return i < 0 ? std::string() : GanZhi(i);
}

std::string GetGanZhiDay(TDateTime date) {
    const int i = GanZhiDayIndex(date);
    return i < 0 ? std::string() : GanZhi(i);
}

int GanZhiMonthIndex(TDateTime date) {
    int y, m, d;
    DecodeDate(date, y, m, d);
    if (y < 1901 || y > 2050)
        return -1;
    // The 节 of Gregorian month m is its first solar term, on day 3..9.
    const int jie = 15 - (SolarTermDays[(y - 1901) * 12 + m - 1] >> 4);
    // Months are counted from the 寅 month (0) of the solar year, which begins at 立春 in February: the
    // 节 of month m begins month m - 2, so January from 小寒 on is month 11 (丑) of the year before and
    // January before 小寒 month 10 (子).
    int n = m - 2 - (d < jie ? 1 : 0); // -2..10
    int solarYear = y;
    if (n < 0) {
        n += 12; // 10 or 11
        --solarYear;
    }
    // 甲己之年丙作首: the 寅 month of a year whose stem is s (0 = 甲) has the stem 2 × (s mod 5) + 2, that is
    // 丙, 戊, 庚, 壬, 甲 for 甲/己, 乙/庚, 丙/辛, 丁/壬, 戊/癸; each later month takes the next stem.
    const int yearStem = YearCycleIndex(solarYear) % 10; // 0..9
    const int stem = (2 * (yearStem % 5) + 2 + n) % 10;  // 2..21 before the remainder
    const int branch = (n + 2) % 12;                     // 寅 is branch 2
    // The cycle entry i = stem + 10k with branch i mod 12: 10k ≡ -2k (mod 12), so k = (stem - branch) / 2
    // mod 6 (stem and branch have the same parity; the quotient lies in -5..5).
    return stem + 10 * (((stem - branch) / 2 + 6) % 6); // 0..59
}

int GanZhiDayIndex(TDateTime date) {
    int y, m, d;
    DecodeDate(date, y, m, d);
    if (y < 1901 || y > 2050)
        return -1;
    // Day 0 (1899-12-30) is entry 8 (壬申) of the cycle, so 2000-01-01 (day 36526) is entry 54 (戊午).
    // The range's days are 367..55153, so the sum stays positive.
    return (static_cast<int>(date) + 8) % 60;
}

} // namespace DateCn
