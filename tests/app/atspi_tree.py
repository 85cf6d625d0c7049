# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the running program over AT-SPI, as a screen reader would (run by atspi.sh).

Dumps the main window's tree, walks its Tab chain with real key presses, opens the calendar from
the keyboard (Tab to 查看日历, Return) and dumps and checks it too. Every showing control (an
interactive role or a press action) must have a name, be focusable and be reached by Tab.
Usage: atspi_tree.py PID DUMP_DIR
"""
import datetime
import os
import subprocess
import sys
import time

import pyatspi

CONTROL_ROLES = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_LINK, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_COMBO_BOX,
    pyatspi.ROLE_TABLE, pyatspi.ROLE_SLIDER, pyatspi.ROLE_PAGE_TAB,
}
PRESS_ACTIONS = {"press", "click", "activate"}
failures = []


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    failures.append(message)


def key(*keys):
    subprocess.run(["xdotool", "key", "--clearmodifiers", *keys], check=False, timeout=10)
    time.sleep(0.3)


def actions(node):
    try:
        action = node.queryAction()
        return [action.getName(i) for i in range(action.nActions)]
    except NotImplementedError:
        return []


def states(node):
    return node.getState()


def walk(node, path=()):
    """(path, node) for node and every node under it."""
    yield path, node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, path + (i,))


def describe(node):
    return f"{node.getRoleName()} '{node.name}'"


def dump(window, file):
    with open(file, "w", encoding="utf-8") as out:
        for path, node in walk(window):
            s = states(node)
            flags = [n for n, st in (("showing", pyatspi.STATE_SHOWING), ("focusable", pyatspi.STATE_FOCUSABLE),
                                      ("focused", pyatspi.STATE_FOCUSED), ("selected", pyatspi.STATE_SELECTED))
                     if s.contains(st)]
            extra = ""
            try:
                extra = f" value={node.queryValue().currentValue}"
            except NotImplementedError:
                pass
            print("  " * len(path) + f"{describe(node)} [{','.join(flags)}] actions={actions(node)}"
                  f" description='{node.description}'{extra}", file=out)


def controls(window):
    """The showing controls, not looking inside a control."""
    found = []

    def visit(node, path):
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is None or not states(child).contains(pyatspi.STATE_SHOWING):
                continue
            if child.getRole() in CONTROL_ROLES or PRESS_ACTIONS & {a.lower() for a in actions(child)}:
                found.append((path + (i,), child))
            else:
                visit(child, path + (i,))

    visit(window, ())
    return found


def focused(window):
    for path, node in walk(window):
        if states(node).contains(pyatspi.STATE_FOCUSED):
            return path, node
    return None, None


def tab_walk(window, limit=100):
    """The paths Tab visits, in order, until it comes round. After each Tab it waits (3 s at
    most) for the focus to move, so that a slow machine does not end the walk early."""
    seen = []
    path, _ = focused(window)
    while path is not None and path not in seen and len(seen) < limit:
        seen.append(path)
        subprocess.run(["xdotool", "key", "--clearmodifiers", "Tab"], check=False, timeout=10)
        deadline = time.monotonic() + 3
        moved = path
        while moved == path and time.monotonic() < deadline:
            time.sleep(0.05)
            moved, _ = focused(window)
        path = moved
    return seen


def check_window(title, window, walked, strict=True):
    found = controls(window)
    report = fail if strict else (lambda message: None)
    good = 0
    for path, node in found:
        reached = any(p[:len(path)] == path for p in walked)
        named = bool(node.name.strip())
        focusable = states(node).contains(pyatspi.STATE_FOCUSABLE)
        if not named:
            report(f"{title}: {describe(node)} at {path} has no name")
        if not focusable:
            report(f"{title}: {describe(node)} takes no focus")
        if not reached:
            report(f"{title}: {describe(node)} is not reached by Tab")
        good += named and focusable and reached
    print(f"{title}: {len(found)} controls, {good} named, focusable and on the Tab walk "
          f"({len(walked)} Tab stops)")


def find_app(pid, seconds=60):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except Exception:  # an application that went away meanwhile
                pass
        time.sleep(0.5)
    fail("the program never appeared on the accessibility bus")
    sys.exit(1)


def find_window(app, name=None, other_than=None, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        for i in range(app.childCount):
            window = app.getChildAtIndex(i)
            if window is None or not states(window).contains(pyatspi.STATE_SHOWING):
                continue
            if (name is None or window.name == name) and window != other_than:
                return window
        time.sleep(0.3)
    return None


def first(window, role):
    for _, node in walk(window):
        if node.getRole() == role:
            return node
    return None


def press_by_mouse(node):
    x, y, w, h = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(x + w // 2), str(y + h // 2), "click", "1"], timeout=10)


def survey_dialogs(app, main_window, out):
    """With ATSPI_ALL_WINDOWS set: each dialog of the button row, opened with the mouse, counted."""
    buttons = {node.name: node for _, node in walk(main_window) if node.getRole() == pyatspi.ROLE_PUSH_BUTTON}
    for caption, close_keys in (("指纹算命", ["Escape"]), ("关于系统", ["alt+F4"]), ("客户服务", ["alt+F4"]),
                                ("关闭系统", ["alt+n"])):
        if caption not in buttons:
            continue
        press_by_mouse(buttons[caption])
        dialog = find_window(app, other_than=main_window, seconds=10)
        if dialog is None:
            fail(f"{caption} opened no window")
            continue
        time.sleep(1)
        dump(dialog, os.path.join(out, f"dialog-{caption}.txt"))
        check_window(f"{dialog.name} (description '{dialog.description[:24]}')", dialog, tab_walk(dialog),
                     strict=False)
        key(*close_keys)
        time.sleep(1)


def main():
    pid, out = int(sys.argv[1]), sys.argv[2]
    app = find_app(pid)
    main_window = find_window(app, "Velmora")
    if main_window is None:
        fail("no main window")
        sys.exit(1)
    try:
        subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Velmora$", "windowactivate"],
                       check=False, timeout=30)
    except subprocess.TimeoutExpired:
        fail("the main window never showed on the X display")
        sys.exit(1)
    time.sleep(1)
    dump(main_window, os.path.join(out, "main.txt"))
    walked = tab_walk(main_window)
    check_window("main window", main_window, walked)
    if os.environ.get("ATSPI_ALL_WINDOWS"):
        survey_dialogs(app, main_window, out)

    # The calendar, from the keyboard: Tab to its button, then Return.
    for _ in range(60):
        _, node = focused(main_window)
        if node is not None and node.name == "查看日历":
            break
        key("Tab")
    else:
        fail("Tab never reached 查看日历")
        sys.exit(1)
    key("Return")
    calendar = find_window(app, other_than=main_window, seconds=5)
    if calendar is None:
        fail("Return on 查看日历 opened no window")
        # Go on with the mouse, so that the calendar is read all the same.
        press_by_mouse(node)
        calendar = find_window(app, other_than=main_window)
    if calendar is None:
        fail("no calendar window")
        sys.exit(1)
    time.sleep(1)
    dump(calendar, os.path.join(out, "calendar.txt"))
    table = first(calendar, pyatspi.ROLE_TABLE)
    if table is None:
        print("SKIP: the calendar shows no table yet; its checks wait for it")
        check_window("calendar (not checked)", calendar, tab_walk(calendar), strict=False)
    else:
        check_window("calendar", calendar, tab_walk(calendar))
        cells = table.queryTable()
        selected = [cells.getAccessibleAt(r, c) for r in range(cells.nRows) for c in range(cells.nColumns)
                    if states(cells.getAccessibleAt(r, c)).contains(pyatspi.STATE_SELECTED)]
        today = datetime.date.today()
        if len(selected) != 1 or str(today.day) not in selected[0].name or str(today.year) not in selected[0].name:
            fail(f"the selected cells are {[c.name for c in selected]}, not today {today}")
        for _, spinner in walk(calendar):
            if spinner.getRole() != pyatspi.ROLE_SPIN_BUTTON:
                continue
            value = spinner.queryValue()
            before = value.currentValue
            step = "Down" if before >= value.maximumValue else "Up"  # December, or the last year
            spinner.queryComponent().grabFocus()
            time.sleep(0.3)
            key(step)
            after = spinner.queryValue().currentValue
            if after == before:
                fail(f"the spinner '{spinner.name}' stayed at {before} after {step}")
    key("Escape")
    if failures:
        sys.exit(1)
    print("ok: the main window and the calendar read from outside")


if __name__ == "__main__":
    main()
