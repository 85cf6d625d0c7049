// SPDX-License-Identifier: GPL-3.0-or-later
// ShowMonth offscreen: one month, and every month of 1901–2050 stepped through in a row; a day's hint,
// made alone (BM_DayHint) and as a hint request on a cell shows it (BM_HintRequest): under 1 ms each.
#include "Application.h"
#include "ClickLabel.h"
#include "DateWin.h"
#include "DateWinHint.h"
#include "Fakes.h"
#include "LinuxFacilities.h"

#include <QApplication>
#include <QHelpEvent>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::unique_ptr<TFRM_Date> OpenWindow() {
    static Platform::ScopedService<Platform::Clock> today{std::make_shared<FakeClock>(QDate(2024, 2, 14))};
    auto w = std::make_unique<TFRM_Date>();
    w->show();
    QApplication::processEvents();
    return w;
}

void BM_ShowMonth(benchmark::State& state) {
    auto w = OpenWindow();
    // Alternate two months so that every fill really changes texts, colours and visibility.
    const DateCn::TDateTime months[] = {DateCn::EncodeDate(2024, 2, 14), DateCn::EncodeDate(2008, 3, 31)};
    int i = 0;
    for (auto _ : state) {
        w->ShowMonth(months[i]);
        i ^= 1;
        // The repaint requests that a fill posts are handled by the event loop, outside the fill.
        state.PauseTiming();
        QCoreApplication::sendPostedEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ShowMonth)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Every month of 1901-01 .. 2050-12 with the 31st selected, as repeated spinner steps would show
// them. With repaint = 1 the event loop's work after each fill (repainting the window) is timed too.
void BM_AllMonths1901To2050(benchmark::State& state) {
    const bool repaint = state.range(0) != 0;
    auto w = OpenWindow();
    for (auto _ : state) {
        for (int y = 1901; y <= 2050; ++y)
            for (int m = 1; m <= 12; ++m) {
                w->ShowMonth(DateWin::SafeEncodeDate(y, m, 31));
                if (!repaint)
                    state.PauseTiming();
                QCoreApplication::sendPostedEvents();
                if (!repaint)
                    state.ResumeTiming();
            }
    }
    state.counters["months"] = 1800;
}
BENCHMARK(BM_AllMonths1901To2050)
    ->ArgName("repaint")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The plain and rich text of one day's hint, for every day of 1901–2050 in turn.
void BM_DayHint(benchmark::State& state) {
    const DateCn::TDateTime first = DateCn::EncodeDate(1901, 1, 1), last = DateCn::EncodeDate(2050, 12, 31);
    DateCn::TDateTime date = first;
    for (auto _ : state) {
        benchmark::DoNotOptimize(DateWin::DayHint(date));
        date = date < last ? date + 1 : first;
    }
}
BENCHMARK(BM_DayHint)->Unit(benchmark::kMicrosecond);

// A hint request on each day cell of February 2024 in turn: the text made, laid out, placed, shown and
// painted.
void BM_HintRequest(benchmark::State& state) {
    auto w = OpenWindow(); // February 2024 fills positions 5 to 33
    int k = 5;
    for (auto _ : state) {
        QWidget* cell = DateWin::DayLabels[k];
        QHelpEvent request(QEvent::ToolTip, cell->rect().center(), cell->mapToGlobal(cell->rect().center()));
        QApplication::sendEvent(cell, &request);
        QCoreApplication::sendPostedEvents(); // the popup's paint
        k = k < 33 ? k + 1 : 5;
    }
}
BENCHMARK(BM_HintRequest)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    Platform::UseLinuxFacilities();
    // Headless unless told otherwise (test discovery runs without the tests' environment).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Platform::Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
