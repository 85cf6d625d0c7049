#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end run of the built program: under Xvfb, with a fake xdg-open first on PATH that logs
# its arguments and a fresh XDG_CONFIG_HOME. The main window must appear; the exit is declined
# from the keyboard, then confirmed; the program must end, the browser must have been handed the
# home page and the hive must hold the portal as start page. On the way a fingerprint reading is
# looked up and must appear. The window's X11 class must be the StartupWMClass of the desktop
# entry ($VELMORA_DESKTOP_ENTRY, else app/velmora.desktop), so that a shell ties it to its entry.
# Usage: smoke.sh PATH/TO/velmora        (exit 77: skipped, no xvfb-run or xdotool)
set -uo pipefail

home_page='http://www.velmora.example/index.html'
portal='http://portal.velmora.example/?400'

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

if [ "${1:-}" != --inside-x ]; then
    exe=$(readlink -f "${1:?usage: smoke.sh PATH/TO/velmora}")
    command -v xvfb-run >/dev/null && command -v xdotool >/dev/null || exit 77
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    mkdir -p "$work/bin" "$work/config"
    cat >"$work/bin/xdg-open" <<FAKE
#!/bin/sh
printf '%s\n' "\$*" >>"$work/xdg-open.log"
FAKE
    chmod +x "$work/bin/xdg-open"
    # A promotion server that refuses at once, unless the caller gives one: never the maker's.
    PATH="$work/bin:$PATH" XDG_CONFIG_HOME="$work/config" \
        VELMORA_PROMO_SERVER=${VELMORA_PROMO_SERVER:-http://127.0.0.1:9} \
        xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --inside-x "$exe" "$work"
    exit $?
fi

exe=$2
work=$3
unset QT_QPA_PLATFORM # a real X window on the Xvfb display, whatever the test run uses
log="$work/xdg-open.log"
hive="$XDG_CONFIG_HOME/velmora/user.reg"

"$exe" >"$work/velmora.log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null' EXIT

window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Velmora$' | head -1)
[ -n "$window" ] || fail "the main window did not appear"
echo "main window $window"

entry=${VELMORA_DESKTOP_ENTRY:-$(dirname "$0")/../../app/velmora.desktop}
wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
shown_class=$(xprop -id "$window" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = "[^"]*", "\([^"]*\)"$/\1/p')
[ -n "$wm_class" ] && [ "$shown_class" = "$wm_class" ] ||
    fail "the window's X11 class is '$shown_class', the desktop entry's StartupWMClass '$wm_class'"
echo "X11 class $shown_class"

# The fingerprint reading: the button (RzButton1, left 109) opens the window. "oooo" has no
# reading, so "测算" leaves the caption alone in the panel; "ooooo" has
# one, so the reading panel (the bottom part, from y 150) must change. (Without the readings file
# both leave the panel empty.)
xdotool mousemove --window "$window" 149 102 click 1
reading=$(timeout 15 xdotool search --sync --onlyvisible --name '^指纹算命$' | head -1)
[ -n "$reading" ] || fail "the fingerprint window did not appear"
xdotool windowfocus --sync "$reading" 2>/dev/null || true
panel() { import -window "$reading" "$work/panel.png" && convert "$work/panel.png" -crop +0+150 +repage rgb:- | md5sum; }
# Enter in the code box moves the focus to "测算"; the next Enter presses it.
xdotool type --delay 50 oooo
xdotool key --delay 100 Return Return
sleep 0.5
caption=$(panel)
xdotool key --delay 100 shift+Tab End o Return Return
shown=
for _ in $(seq 30); do
    sleep 0.1
    [ "$(panel)" != "$caption" ] && shown=1 && break
done
[ -n "$shown" ] || fail "no reading appeared for ooooo"
xdotool key --clearmodifiers Escape
for _ in $(seq 50); do
    xdotool search --onlyvisible --name '^指纹算命$' >/dev/null 2>&1 || break
    sleep 0.1
done
echo "fingerprint reading shown"

# Clicks the close button (RzButton7: left 708, top 8 in the button row under the 84-high banner)
# and waits for the exit dialog.
ask_exit() {
    xdotool mousemove --window "$window" 748 102 click 1
    dialog=$(timeout 15 xdotool search --sync --onlyvisible --name '退出系统' | head -1)
    [ -n "$dialog" ] || fail "the exit dialog did not appear"
    xdotool windowfocus --sync "$dialog" 2>/dev/null || true
}

wait_gone() { # window id
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name '退出系统' >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    fail "the exit dialog stayed open"
}

# No: the dialog closes and the program goes on.
ask_exit
xdotool key --clearmodifiers alt+n
wait_gone
kill -0 "$pid" 2>/dev/null || fail "the program ended after no"
[ ! -s "$log" ] || fail "the browser was started after no: $(cat "$log")"
xdotool search --onlyvisible --name '^Velmora$' >/dev/null || fail "the main window is gone after no"

# Yes: the program ends and opens the home page.
ask_exit
xdotool key --clearmodifiers alt+y
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "the program is still running after yes"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status"

for _ in $(seq 50); do # xdg-open is started detached; give it a moment to write
    [ -s "$log" ] && break
    sleep 0.1
done
[ "$(cat "$log")" = "$home_page" ] || fail "the browser got '$(cat "$log" 2>/dev/null)', not the home page"
grep -qxF "\"Start Page\"=\"$portal\"" "$hive" || fail "the hive has no portal start page: $(cat "$hive")"
echo "ok: declined, then confirmed; browser got $home_page; start page $portal"
