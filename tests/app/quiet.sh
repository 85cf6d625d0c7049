#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A normal run prints nothing: under Xvfb the program starts, plays the palm-reading movie for a
# few seconds (Chromium and the player page run) and is stopped; its terminal output must be empty.
# Usage: quiet.sh PATH/TO/velmora        (exit 77: skipped, no xvfb-run or xdotool)
set -uo pipefail

if [ "${1:-}" != --inside-x ]; then
    exe=$(readlink -f "${1:?usage: quiet.sh PATH/TO/velmora}")
    command -v xvfb-run >/dev/null && command -v xdotool >/dev/null || exit 77
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    XDG_CONFIG_HOME="$work" XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$work}" \
        xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --inside-x "$exe" "$work"
    exit $?
fi

exe=$2
work=$3
unset QT_QPA_PLATFORM
"$exe" >"$work/out.log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null' EXIT

window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Velmora$' | head -1)
[ -n "$window" ] || { echo "FAIL: the main window did not appear" >&2; exit 1; }
sleep 1
xdotool mousemove --window "$window" 235 102 click 1 # "手相占卜": left 195, top 8 under the banner
movie=$(timeout 30 xdotool search --sync --onlyvisible --name '手相占卜' | head -1)
[ -n "$movie" ] || { echo "FAIL: the movie window did not appear" >&2; exit 1; }
sleep 5
kill "$pid"
wait "$pid" 2>/dev/null
if [ -s "$work/out.log" ]; then
    echo "FAIL: the program printed:" >&2
    cat "$work/out.log" >&2
    exit 1
fi
echo "ok: nothing printed"
