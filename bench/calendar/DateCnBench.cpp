// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the calendar engine over all 54,787 days of 1901–2050 (times are per day):
//   GetLunarDate    the lunar date alone;
//   DayCell         what the month grid does for one cell: day name, month name, civil festival,
//                   solar term, lunar festival;
//   DumpLines       the lines of `datecn-dump FROM TO` (arg 0), `--ganzhi` (1) and `--almanac` (2),
//                   as the tool makes them; the almanac's target is 3x the plain lines or less, shown
//                   as the counter "x plain" of DumpLines/2;
//   IcuChinese      ICU's Chinese calendar (icu::ChineseCalendar behind icu::Calendar) converting the
//                   same days to lunar month, leap flag and day.
// Run: build/bin/datecn_bench  (add --benchmark_repetitions=N for medians)

#include "DateCn.h"
#include "DumpLines.h"

#include <benchmark/benchmark.h>
#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>

#include <ctime>
#include <memory>
#include <string>

namespace {

const DateCn::TDateTime First = DateCn::EncodeDate(1901, 1, 1);
const DateCn::TDateTime Last = DateCn::EncodeDate(2050, 12, 31);
const int Days = static_cast<int>(Last - First) + 1; // 54,787

void PerDay(benchmark::State& state) {
    // CPU seconds per day, shown with an SI prefix ("70n" = 70 ns).
    state.counters["sec/day"] =
        benchmark::Counter(Days, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * Days);
}

void GetLunarDate(benchmark::State& state) {
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (DateCn::TDateTime date = First; date <= Last; date += 1)
            sum += DateCn::GetLunarDate(date);
        benchmark::DoNotOptimize(sum);
    }
    PerDay(state);
}
BENCHMARK(GetLunarDate)->Unit(benchmark::kMillisecond);

void DayCell(benchmark::State& state) {
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (DateCn::TDateTime date = First; date <= Last; date += 1) {
            int y, m, d;
            DateCn::DecodeDate(date, y, m, d);
            bytes += DateCn::GetLunarDayName(date).size();
            bytes += DateCn::GetLunarMonthName(date).size();
            bytes += DateCn::GetCivilFestival(d, date).size();
            bytes += DateCn::GetSolarTerm(date).size();
            bytes += DateCn::GetLunarFestival(date).size();
        }
        benchmark::DoNotOptimize(bytes);
    }
    PerDay(state);
}
BENCHMARK(DayCell)->Unit(benchmark::kMillisecond);

// CPU seconds per day of the plain lines, from the run of DumpLines/0 (which runs first).
double PlainSecondsPerDay = 0;

void DumpLines(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0)); // 0 plain, 1 --ganzhi, 2 --almanac
    std::string line;
    std::size_t bytes = 0;
    const std::clock_t start = std::clock();
    for (auto _ : state) {
        for (DateCn::TDateTime date = First; date <= Last; date += 1) {
            line.clear();
            if (kind == 2)
                DumpLines::AppendAlmanac(line, date);
            else
                DumpLines::AppendCalendar(line, date, kind == 1);
            line += '\n';
            bytes += line.size();
        }
        benchmark::DoNotOptimize(bytes);
    }
    const double perDay = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC /
                          (static_cast<double>(state.iterations()) * Days);
    if (kind == 0)
        PlainSecondsPerDay = perDay;
    else if (PlainSecondsPerDay > 0)
        state.counters["x plain"] = perDay / PlainSecondsPerDay;
    PerDay(state);
}
BENCHMARK(DumpLines)->ArgName("kind")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void IcuChinese(benchmark::State& state) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Calendar> calendar(icu::Calendar::createInstance(
        icu::TimeZone::createTimeZone("Asia/Shanghai"), icu::Locale("zh_CN@calendar=chinese"), status));
    if (U_FAILURE(status) || std::string(calendar->getType()) != "chinese") {
        state.SkipWithError("ICU has no Chinese calendar");
        return;
    }
    for (auto _ : state) {
        std::int64_t sum = 0;
        for (DateCn::TDateTime date = First; date <= Last; date += 1) {
            // Noon China time of the day, in milliseconds since 1970.
            const UDate ms = (date - 25569.0) * 86400000.0 + 4 * 3600000.0;
            calendar->setTime(ms, status);
            const int month = calendar->get(UCAL_MONTH, status) + 1;
            const int day = calendar->get(UCAL_DATE, status);
            const int leap = calendar->get(UCAL_IS_LEAP_MONTH, status);
            sum += (leap ? -1 : 1) * (month * 100 + day);
        }
        benchmark::DoNotOptimize(sum);
    }
    if (U_FAILURE(status))
        state.SkipWithError("ICU failed to convert a date");
    PerDay(state);
}
BENCHMARK(IcuChinese)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
