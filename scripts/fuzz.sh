#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets with clang, ASan and UBSan in build-san/ (the tree scripts/sanitize.sh
# shares) and runs each for SECONDS (default 30) from its committed seed corpus, two at a time (one
# per core). New inputs go to build-san/corpus/<target>; a crash leaves build-san/crash-<target>-*
# and makes the script fail.
#   scripts/fuzz.sh [SECONDS] [TARGET...]     e.g. scripts/fuzz.sh 600 hive connection
set -eu
cd "$(dirname "$0")/.."
build=${VELMORA_SAN_BUILD:-build-san}

# One target, already built: its run, its line of the report, and a non-zero status on a fault.
if [ "${1:-}" = --run-one ]; then
    seconds=$2
    t=$3
    mkdir -p "$build/corpus/$t"
    log="$build/fuzz-$t.log"
    if "$build/bin/fuzz_$t" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$build/crash-$t-" -print_final_stats=1 \
        "$build/corpus/$t" "tests/fuzz/corpus/$t" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "fuzz_$t: ${runs:-?} executions in ${seconds} s, no fault"
        exit 0
    fi
    echo "fuzz_$t: FAULT, see $log and $build/crash-$t-*" >&2
    tail -n 40 "$log" >&2
    exit 1
fi

seconds=${1:-30}
[ $# -gt 0 ] && shift
targets=${*:-"schedule switches hive unscramble connection dates gbk"}
. scripts/sanitizer-tree.sh
cmake --build "$build" -j2 --target $(for t in $targets; do printf 'fuzz_%s ' "$t"; done)

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen VELMORA_SAN_BUILD="$build"
# xargs exits non-zero when any run did.
printf '%s\n' $targets | xargs -P 2 -I{} sh "$0" --run-one "$seconds" {}
