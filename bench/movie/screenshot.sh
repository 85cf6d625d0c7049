#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Usage: bench/movie/screenshot.sh <build folder> [out.png] [kind=1] [seconds into the movie=8]
# Opens one movie window under Xvfb and photographs the screen while the movie plays.
set -euo pipefail
build=${1:?build folder}
out=$(realpath -m "${2:-movie-window.png}")
kind=${3:-1}
at=${4:-8}
if [ "$(id -u)" -eq 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi
export VELMORA_TOOL="$build/bench/movie/velmora_movie_bench" VELMORA_OUT="$out" VELMORA_KIND="$kind" VELMORA_AT="$at"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$VELMORA_TOOL" "$VELMORA_KIND" "" $((VELMORA_AT + 30)) >/dev/null 2>&1 &
    tool=$!
    # Wait for the window, then for the movie to run the asked number of seconds.
    for _ in $(seq 300); do xdotool search --name "." >/dev/null 2>&1 && break; sleep 0.1; done
    sleep "$VELMORA_AT"
    import -window root "$VELMORA_OUT"
    kill "$tool"; wait "$tool" || true'
echo "$out"
