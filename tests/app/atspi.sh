#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program as a screen reader sees it, from outside: under Xvfb + openbox, on a private session
# bus with its own accessibility bus, the built program is read over AT-SPI (atspi_tree.py). The
# main window's controls must be named, focusable and reached by Tab; the calendar, opened from the
# keyboard, must show its month as a table with today selected and spinners that step (those
# calendar checks are skipped, and said so, while the calendar has no table). Both trees are
# dumped to $ATSPI_DUMP_DIR (default: the work folder, removed at the end). With ATSPI_ALL_WINDOWS
# set, the dialogs of the button row are opened with the mouse and counted too.
# Usage: atspi.sh PATH/TO/velmora        (exit 77: skipped, no xvfb-run, xdotool, dbus-run-session,
#                                          openbox or pyatspi)
set -uo pipefail

if [ "${1:-}" != --inside-x ]; then
    exe=$(readlink -f "${1:?usage: atspi.sh PATH/TO/velmora}")
    for tool in xvfb-run xdotool dbus-run-session openbox; do
        command -v "$tool" >/dev/null || exit 77
    done
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || exit 77
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    mkdir -p "$work/config" "$work/runtime"
    chmod 700 "$work/runtime"
    XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" \
        xvfb-run -a -s "-screen 0 1024x768x24" dbus-run-session -- bash "$0" --inside-x "$exe" "$work"
    exit $?
fi

exe=$2
work=$3
unset QT_QPA_PLATFORM # a real X window on the Xvfb display, whatever the test run uses
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
gsettings set org.gnome.desktop.interface toolkit-accessibility true 2>/dev/null || true
openbox >/dev/null 2>&1 &
wm=$!
"$exe" >"$work/velmora.log" 2>&1 &
pid=$!
trap 'kill "$pid" "$wm" 2>/dev/null' EXIT

/usr/bin/python3 "$(dirname "$0")/atspi_tree.py" "$pid" "${ATSPI_DUMP_DIR:-$work}"
status=$?
[ $status -eq 0 ] || { echo "--- program output:" >&2; tail -20 "$work/velmora.log" >&2; }
exit $status
