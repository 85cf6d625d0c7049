// SPDX-License-Identifier: GPL-3.0-or-later
// One walk over every day of 1901–2050 checking what must hold of any sound Chinese calendar, rather
// than values: month and day sequence, month lengths, year lengths, festivals, terms, zodiac and 干支.

#include "TestDates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <vector>

using namespace DateCn;

namespace {

const char* RegularFestival(LunarDateCode code) {
    switch (code) {
    case 101:
        return "春节";
    case 115:
        return "元宵节";
    case 505:
        return "端午节";
    case 707:
        return "七夕节";
    case 815:
        return "中秋节";
    case 909:
        return "重阳节";
    case 1208:
        return "腊八节";
    default:
        return "";
    }
}

// Position 0..59 of a 干支 text in the cycle that starts at 甲子, or -1.
int CycleIndex(const std::string& ganzhi) {
    static const char* const stems[10] = {"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};
    static const char* const branches[12] = {"子", "丑", "寅", "卯", "辰", "巳",
                                             "午", "未", "申", "酉", "戌", "亥"};
    for (int i = 0; i < 60; ++i)
        if (ganzhi == std::string(stems[i % 10]) + branches[i % 12])
            return i;
    return -1;
}

} // namespace

TEST(Invariants, EveryDayFrom1901To2050) {
    const TDateTime first = D("1901-01-01");
    const TDateTime last = D("2050-12-31");

    LunarDateCode prev = GetLunarDate(first - 1);
    ASSERT_EQ(prev, 0);
    std::string prevZodiac = GetZodiac(first);
    int prevGzYear = CycleIndex(GetGanZhiYear(first)), prevGzMonth = CycleIndex(GetGanZhiMonth(first));
    int prevGzDay = CycleIndex(GetGanZhiDay(first)) - 1;
    int prevDoy = 0, prevWeekday = DayOfWeek(first - 1);
    int monthsThisYear = 0, leapsThisYear = 0, newYears = 0, leapMonths = 0;
    bool majorTermInMonth = false;
    std::map<int, int> termDaysOfMonth;      // year*100+month -> number of term days
    std::map<int, int> constellationChanges; // year -> count
    std::string prevConstellation = GetConstellation(first - 1);
    int failures = 0; // a broken table reports a handful of days, not fifty thousand
    const auto fail = [&](const std::string& what, TDateTime date) {
        if (++failures <= 20)
            ADD_FAILURE() << FormatDate("yyyy-mm-dd", date) << ": " << what;
    };

    for (TDateTime date = first; date <= last; date += 1) {
        int y, m, d;
        DecodeDate(date, y, m, d);
        const LunarDateCode code = GetLunarDate(date);
        const int lm = std::abs(code) / 100, ld = std::abs(code) % 100;
        const bool leap = code < 0;
        if (lm < 1 || lm > 12 || ld < 1 || ld > 30) {
            fail("code out of range: " + std::to_string(code), date);
            continue;
        }

        // Names agree with the code.
        const std::string monthName = GetLunarMonthName(date);
        if (monthName !=
            (leap ? std::string("闰") + LunarMonthNames[lm] : std::string(LunarMonthNames[lm]) + "月"))
            fail("month name " + monthName, date);
        if (GetLunarDayName(date) != LunarDayNames[ld])
            fail("day name", date);

        // Day sequence: the next day, or day 1 of the following month.
        if (prev != 0) {
            const int plm = std::abs(prev) / 100, pld = std::abs(prev) % 100;
            if (ld == 1) {
                if (pld != 29 && pld != 30)
                    fail("month of " + std::to_string(pld) + " days", date);
                if (majorTermInMonth && prev < 0)
                    fail("a leap month holds a major term", date);
                const bool leapFollows = leap && lm == plm && prev > 0;
                const bool nextFollows = !leap && lm == plm % 12 + 1;
                if (!leapFollows && !nextFollows)
                    fail("month " + std::to_string(code) + " after " + std::to_string(prev), date);
                majorTermInMonth = false;
                ++monthsThisYear;
                leapsThisYear += leap;
                leapMonths += leap;
            } else if (code != prev + (prev > 0 ? 1 : -1)) {
                fail("day " + std::to_string(code) + " after " + std::to_string(prev), date);
            }
        }

        // Lunar new year: 12 or 13 months per year, one leap month exactly in the 13-month years.
        if (code == 101) {
            const int months = monthsThisYear - 1; // the new 正月 was counted above
            if (newYears > 0 &&
                !((months == 12 && leapsThisYear == 0) || (months == 13 && leapsThisYear == 1)))
                fail("lunar year of " + std::to_string(months) + " months, " + std::to_string(leapsThisYear) +
                         " leap",
                     date);
            if (m > 2 || (m == 1 && d < 21) || (m == 2 && d > 20))
                fail("new year outside 21 January..20 February", date);
            ++newYears;
            monthsThisYear = 1;
            leapsThisYear = 0;
        }

        // Festivals: exactly the festival days of regular months, and 除夕 exactly before each 春节.
        const std::string festival = GetLunarFestival(date);
        const bool eve = GetLunarDate(date + 1) == 101;
        const std::string expected = eve ? "除夕" : (leap ? "" : RegularFestival(code));
        if (festival != expected)
            fail("festival '" + festival + "', expected '" + expected + "'", date);
        if (eve && (lm != 12 || leap || (ld != 29 && ld != 30)))
            fail("除夕 not on the last day of the 12th month", date);

        // Terms: the first in days 3..9, the second in 18..24; the major (second) term never in a leap
        // month, and 冬至 always in the regular 11th month.
        const int term = SolarTermIndex(y, m, d);
        if ((term != 0) != !GetSolarTerm(date).empty())
            fail("term index and name disagree", date);
        if (term != 0) {
            ++termDaysOfMonth[y * 100 + m];
            const bool firstTerm = term == 2 * m - 1 && d >= 3 && d <= 9;
            const bool secondTerm = term == 2 * m && d >= 18 && d <= 24;
            if (!firstTerm && !secondTerm)
                fail("term " + std::to_string(term), date);
            if (secondTerm)
                majorTermInMonth = true;
            if (term == 24 && code / 100 != 11)
                fail("冬至 outside the regular 11th month", date);
        }

        // Zodiac changes on 正月初一 and on no other day.
        const std::string zodiac = GetZodiac(date);
        if ((zodiac != prevZodiac) != (code == 101))
            fail("zodiac " + zodiac + " after " + prevZodiac, date);
        prevZodiac = zodiac;

        // 干支: the day steps by one every day, the month exactly on the 12 节 (the first term of each
        // Gregorian month), the year exactly on 正月初一, its branch always the zodiac's.
        const std::string gzYear = GetGanZhiYear(date);
        const int gzDay = CycleIndex(GetGanZhiDay(date)), gzMonth = CycleIndex(GetGanZhiMonth(date));
        const int gzYearIndex = CycleIndex(gzYear);
        if (gzDay != (prevGzDay + 1) % 60)
            fail("day 干支 " + GetGanZhiDay(date), date);
        const bool jie = term != 0 && term == 2 * m - 1;
        if (gzMonth != (jie ? (prevGzMonth + 1) % 60 : prevGzMonth))
            fail("month 干支 " + GetGanZhiMonth(date), date);
        if (gzYearIndex != (code == 101 ? (prevGzYear + 1) % 60 : prevGzYear) ||
            gzYear.substr(3) != zodiac.substr(0, 3))
            fail("year 干支 " + gzYear + " with zodiac " + zodiac, date);
        prevGzDay = gzDay;
        prevGzMonth = gzMonth;
        prevGzYear = gzYearIndex;

        // Gregorian helpers run in step.
        const int doy = DayOfYear(date);
        if (doy != (m == 1 && d == 1 ? 1 : prevDoy + 1))
            fail("day of year " + std::to_string(doy), date);
        const int weekday = DayOfWeek(date);
        if (weekday != prevWeekday % 7 + 1)
            fail("weekday " + std::to_string(weekday), date);
        prevDoy = doy;
        prevWeekday = weekday;
        const std::string constellation = GetConstellation(date);
        constellationChanges[y] += constellation != prevConstellation;
        prevConstellation = constellation;
        prev = code;
    }

    EXPECT_EQ(GetLunarDate(last + 1), 0);
    EXPECT_EQ(GetGanZhiDay(first - 1), "");
    EXPECT_EQ(GetGanZhiDay(last + 1), "");
    EXPECT_EQ(newYears, 150);
    EXPECT_EQ(leapMonths, 55);
    EXPECT_EQ(termDaysOfMonth.size(), 150u * 12);
    for (const auto& [month, count] : termDaysOfMonth)
        EXPECT_EQ(count, 2) << "month " << month;
    for (const auto& [year, count] : constellationChanges)
        EXPECT_EQ(count, 12) << "year " << year;
}

TEST(Invariants, CivilWeekdayFestivalsOncePerYear) {
    for (int y = 1901; y <= 2050; ++y) {
        std::multiset<std::string> found;
        for (int m : {5, 6, 11}) {
            const TDateTime month = EncodeDate(y, m, 1);
            for (int d = 1; d <= MonthDays[IsLeapYear(y)][m - 1]; ++d)
                found.insert(GetCivilFestival(d, month));
        }
        EXPECT_EQ(found.count("母亲节"), 1u) << y;
        EXPECT_EQ(found.count("父亲节"), 1u) << y;
        EXPECT_EQ(found.count("感恩节"), 1u) << y;
    }
}

// The almanac's rules, day by day: 建 where the day branch meets the month branch and each 节 day
// repeating the star before it; 值神 one god on each day and one back on a 节 day, 黄道 exactly on the six
// gods; the 宿 a 28-day cycle whose 七曜 is the weekday; 冲 six branches and four stems on; 煞 shared by
// each 三合 group and opposite that of the clashing group; 纳音 in pairs of days.
TEST(Invariants, AlmanacEveryDayFrom1901To2050) {
    static const std::vector<std::string> stars = {"建", "除", "满", "平", "定", "执",
                                                   "破", "危", "成", "收", "开", "闭"};
    static const std::vector<std::string> gods = {"青龙", "明堂", "天刑", "朱雀", "金匮", "天德",
                                                  "白虎", "玉堂", "天牢", "玄武", "司命", "勾陈"};
    static const std::set<std::string> huangDao = {"青龙", "明堂", "金匮", "天德", "玉堂", "司命"};
    static const std::vector<std::string> weekdayPlanets = {"", "日", "月", "火", "水", "木", "金", "土"};
    static const std::map<std::string, std::string> opposite = {
        {"南", "北"}, {"北", "南"}, {"东", "西"}, {"西", "东"}};
    const auto indexIn = [](const std::vector<std::string>& list, const std::string& item) {
        return static_cast<int>(std::find(list.begin(), list.end(), item) - list.begin());
    };
    const std::string animals = "鼠牛虎兔龙蛇马羊猴鸡狗猪"; // 3 bytes each, by branch

    int failures = 0;
    const auto fail = [&](const std::string& what, TDateTime date) {
        if (++failures <= 20)
            ADD_FAILURE() << FormatDate("yyyy-mm-dd", date) << ": " << what;
    };
    std::map<std::string, std::set<int>> xiuWeekdays;
    std::set<std::string> xius;
    int prevStar = -1, prevGod = -1, prevJiao = 0;
    const TDateTime last = D("2050-12-31");
    for (TDateTime date = D("1901-01-01"); date <= last; date += 1) {
        int y, m, d;
        DecodeDate(date, y, m, d);
        const int day = GanZhiDayIndex(date), monthBranch = GanZhiMonthIndex(date) % 12;
        const bool jie = SolarTermIndex(y, m, d) == 2 * m - 1;

        const int star = indexIn(stars, GetJianChu(date));
        if ((star == 0) != (day % 12 == monthBranch) || star >= 12)
            fail("建除 " + GetJianChu(date), date);
        if (prevStar >= 0 && star != (jie ? prevStar : (prevStar + 1) % 12))
            fail("建除 " + GetJianChu(date) + " after " + stars[prevStar], date);
        prevStar = star;

        const std::string god = GetZhiShen(date);
        const int g = indexIn(gods, god);
        if (g >= 12 || (prevGod >= 0 && g != (prevGod + (jie ? 11 : 1)) % 12))
            fail("值神 " + god, date);
        if (GetHuangDao(date) != (huangDao.count(god) ? "黄道" : "黑道"))
            fail("值神 " + god + " " + GetHuangDao(date), date);
        prevGod = g;

        const std::string xiu = GetXiu(date), name = GetXiuName(date);
        xius.insert(xiu);
        if (name.size() != 9 || name.substr(0, 3) != xiu ||
            name.substr(3, 3) != weekdayPlanets[DayOfWeek(date)])
            fail("宿 " + name, date);
        xiuWeekdays[xiu].insert(DayOfWeek(date));
        if (xiu == "角") {
            if (prevJiao != 0 && static_cast<int>(date) - prevJiao != 28)
                fail("角 again after " + std::to_string(static_cast<int>(date) - prevJiao) + " days", date);
            prevJiao = static_cast<int>(date);
        }

        // Four stems and six branches on is entry day + 54 of the cycle (54 = 4 mod 10 = 6 mod 12).
        const std::string chong = GetChongGanZhi(date);
        if (CycleIndex(chong) != (day + 54) % 60 || GetChong(date) != animals.substr((day + 6) % 12 * 3, 3))
            fail("冲 " + GetChong(date) + chong, date);
        if (date + 6 <= last &&
            (GetSha(date) != GetSha(date + 4) || GetSha(date) != opposite.at(GetSha(date + 6))))
            fail("煞 " + GetSha(date), date);
        if (day % 2 == 0 && date < last && GetNaYin(date) != GetNaYin(date + 1))
            fail("纳音 " + GetNaYin(date), date);
    }
    EXPECT_EQ(xius.size(), 28u);
    for (const auto& [xiu, weekdays] : xiuWeekdays)
        EXPECT_EQ(weekdays.size(), 1u) << xiu;
    EXPECT_EQ(xiuWeekdays["角"], std::set<int>{5}); // a Thursday
}
