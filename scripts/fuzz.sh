#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang, ASan and UBSan in build-fuzz/ and runs each for SECONDS
# (default 30) from its committed seed corpus. New inputs go to build-fuzz/corpus/<target>; a crash
# leaves build-fuzz/crash-<target>-* and makes the script fail.
#   scripts/fuzz.sh [SECONDS] [TARGET...]     e.g. scripts/fuzz.sh 600 hive connection
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-30}
[ $# -gt 0 ] && shift
targets=${*:-"schedule switches hive unscramble connection dates gbk"}
build=${VELMORA_FUZZ_BUILD:-build-fuzz}
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    ${CCACHE_DIR:+-DCMAKE_CXX_COMPILER_LAUNCHER=ccache} \
    -DVELMORA_FUZZ=ON -DVELMORA_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target $(for t in $targets; do printf 'fuzz_%s ' "$t"; done)

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
status=0
for t in $targets; do
    mkdir -p "$build/corpus/$t"
    log="$build/fuzz-$t.log"
    if "$build/bin/fuzz_$t" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$build/crash-$t-" -print_final_stats=1 \
        "$build/corpus/$t" "tests/fuzz/corpus/$t" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "fuzz_$t: ${runs:-?} executions in ${seconds} s, no fault"
    else
        echo "fuzz_$t: FAULT, see $log and $build/crash-$t-*" >&2
        tail -n 40 "$log" >&2
        status=1
    fi
done
exit $status
