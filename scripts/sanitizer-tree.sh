#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures the one sanitizer build tree that fuzzing (scripts/fuzz.sh) and the sanitized test
# suite (scripts/sanitize.sh) share: clang, AddressSanitizer and UndefinedBehaviorSanitizer, and the
# fuzzer's coverage instrumentation, which the tests carry without noticing. Sourced, with $build set.
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
launcher=
command -v ccache >/dev/null 2>&1 && launcher=-DCMAKE_CXX_COMPILER_LAUNCHER=ccache
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$flags" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" $launcher \
    -DVELMORA_FUZZ=ON -DVELMORA_BENCH=OFF >/dev/null
