#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Usage: bench/movie/run-bench.sh <build folder> [runs=7]
# Runs the movie-window timing tool under Xvfb several times (each run a fresh program, so the
# first press pays for starting the web engine) and prints the medians.
set -euo pipefail
build=${1:?build folder}
runs=${2:-7}
tool="$build/bench/movie/velmora_movie_bench"
[ -x "$tool" ] || { echo "build the velmora_movie_bench target first" >&2; exit 1; }
[ -f "$build/Flash/shou.swf" ] || { echo "no $build/Flash/shou.swf: build the movies first" >&2; exit 1; }
if [ "$(id -u)" -eq 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi
out=$(mktemp)
trap 'rm -f "$out"' EXIT
for i in $(seq "$runs"); do
    xvfb-run -a -s "-screen 0 1024x768x24" "$tool" 1 2>/dev/null >>"$out"
done
awk '{ v[$1] = v[$1] " " $2 }
     END {
         for (k in v) {
             n = split(substr(v[k], 2), a, " ");
             for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
             m = (n % 2) ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2;
             printf "%-22s median %8.1f   min %8.1f   max %8.1f   (n=%d)\n", k, m, a[1], a[n], n
         }
     }' "$out" | sort
