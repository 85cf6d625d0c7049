// SPDX-License-Identifier: GPL-3.0-or-later
// A fingerprint reading as the window fetches it: connection, query, descrambling and decoding.
#include "uShare.h"

#include <benchmark/benchmark.h>

static void QueryReadingFoundCode(benchmark::State& state) {
    if (uShare::QueryReading("oxoxo").isEmpty()) {
        state.SkipWithError("no reading for oxoxo: is QuorFile.dll beside the benchmark?");
        return;
    }
    for (auto _ : state) {
        QString shown = Platform::DecodeGbk(uShare::QueryReading("oxoxo"));
        benchmark::DoNotOptimize(shown);
    }
}
BENCHMARK(QueryReadingFoundCode)->Unit(benchmark::kMicrosecond);

static void UnscrambleOneReading(benchmark::State& state) {
    const QByteArray stored(200, 'A'); // 100 bytes: about the size of a reading
    for (auto _ : state) {
        QByteArray text = uShare::Unscramble(stored, uShare::ReadingKey, uShare::ReadingRounds);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(UnscrambleOneReading)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
