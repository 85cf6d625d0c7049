#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Not a test: screenshots of a day's hint as a user sees it, under Xvfb with openbox, at the scales
# given (QT_SCALE_FACTOR). The pointer rests on the day cell of DAY in the month of TODAY.
# Usage: hint-shots.sh BUILD TODAY DAY OUTDIR [--dark] [scale...]   (default scales 1 1.5 2)
#   e.g. tests/calendar_window/hint-shots.sh build 2024-12-14 25 /tmp/shots
set -euo pipefail

if [ "${1:-}" != --inside-x ]; then
    build=$(readlink -f "${1:?usage: hint-shots.sh BUILD TODAY DAY OUTDIR [--dark] [scale...]}")
    today=${2:?} day=${3:?} out=${4:?}
    shift 4
    dark=
    if [ "${1:-}" = --dark ]; then
        dark=--dark
        shift
    fi
    mkdir -p "$out"
    for scale in "${@:-1 1.5 2}"; do
        for s in $scale; do
            xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --inside-x "$build" "$today" "$day" \
                "$out/hint-$today-$day-x$s${dark:+-dark}.png" "$s" $dark
            sleep 1 # let the display server go before the next one starts
        done
    done
    exit 0
fi

build=$2 today=$3 day=$4 png=$5 scale=$6 dark=${7:-}
unset QT_QPA_PLATFORM # a real X window on the Xvfb display
openbox >/dev/null 2>&1 &
wm=$!
QT_SCALE_FACTOR=$scale "$build/bin/calwin_shot" $dark "$today" >/dev/null 2>&1 &
shot=$!
trap 'kill $shot $wm 2>/dev/null || true' EXIT
wid=
for _ in $(seq 50); do
    wid=$(xdotool search --name 'Tavrel' 2>/dev/null | head -1) && [ -n "$wid" ] && break
    sleep 0.2
done
[ -n "$wid" ] || { echo "no calendar window" >&2; exit 1; }
sleep 1
eval "$(xdotool getwindowgeometry --shell "$wid")"
# The day cell of grid position k (0-based) stands at 14 + 42 * column, 56 + 32 * row, 36 x 16.
k=$(($(date -d "${today:0:7}-01" +%w) + day - 1))
x=$(awk -v X="$X" -v c=$((k % 7)) -v s="$scale" 'BEGIN { printf "%d", X + (14 + 42 * c + 18) * s }')
y=$(awk -v Y="$Y" -v r=$((k / 7)) -v s="$scale" 'BEGIN { printf "%d", Y + (56 + 32 * r + 8) * s }')
xdotool mousemove $((x - 3)) $((y - 3))
sleep 0.3
xdotool mousemove "$x" "$y"
sleep 2.5 # the hint comes after the window system's hover delay
import -window root "$png"
echo "$png"
