#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The whole program against a hostile loopback promotion server, one group of pages at a time.

Under Xvfb with openbox, a fake xdg-open (and its kin) first on PATH, and the main pane showing
the group's page from tests/support/promo_server.py:
  links    clicks on links, location= and a redirect to mailto:, ssh:, smb:, irc:, apt: reach no
           program; the page stays
  dialogs  alerts, confirm, prompt and beforeunload make no window; confirm and prompt hear
           "cancel"; the rotation goes on
  chooser  a file input and a folder picker make no window and upload nothing
  qrc      our own resources neither load nor show
  memory   a page that allocates 1.3 GiB a second is stopped and never loaded again
  cpu      a page in an endless loop is stopped and never loaded again
  storage  IndexedDB is refused; a page hoarding blobs in our process is stopped
  root     as root without QTWEBENGINE_DISABLE_SANDBOX: no pane page, one log line, no web
           engine process until the palm-reading movie, which plays
Usage: hostile.py PATH/TO/velmora GROUP        (exit 77: skipped, no Xvfb, openbox or xdotool)
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import promo_server  # noqa: E402

OPENERS = ("xdg-open", "gio", "kde-open", "kde-open5", "gnome-open", "exo-open", "sensible-browser")


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def xdotool(*args, env):
    return subprocess.run(["xdotool", *args], env=env, capture_output=True, text=True,
                          timeout=10).stdout.split()


def wait_for(what, test, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if test():
            return
        time.sleep(0.1)
    fail(f"{what} within {seconds} s")


def renderers(pid):
    """The web engine's processes under the program."""
    found, todo = [], [pid]
    while todo:
        p = todo.pop()
        try:
            with open(f"/proc/{p}/task/{p}/children") as f:
                kids = [int(k) for k in f.read().split()]
        except OSError:
            continue
        for k in kids:
            try:
                with open(f"/proc/{k}/cmdline", "rb") as f:
                    if b"QtWebEngine" in f.read():
                        found.append(k)
            except OSError:
                pass
        todo.extend(kids)
    return found


class Run:
    def __init__(self, exe, work, env, rows, switches=b"10"):
        self.server = promo_server.start(rows, switches)
        self.env = dict(env, VELMORA_PROMO_SERVER=f"http://127.0.0.1:{self.server.server_address[1]}")
        self.stderr = open(os.path.join(work, "stderr.log"), "w+")
        self.app = subprocess.Popen([exe], env=self.env, stdout=subprocess.DEVNULL, stderr=self.stderr)
        self.window = None
        wait_for("the main window", self.find_window, 30)

    def find_window(self):
        ids = xdotool("search", "--onlyvisible", "--pid", str(self.app.pid), "--name", "^Velmora$",
                      env=self.env)
        self.window = ids[0] if ids else None
        return self.window

    def windows(self):
        return xdotool("search", "--onlyvisible", "--pid", str(self.app.pid), "--name", ".", env=self.env)

    def log(self):
        self.stderr.flush()
        with open(self.stderr.name) as f:
            return f.read()

    def hits(self, path):
        return sum(1 for h in self.server.hits if h.split("?")[0] == path)

    def click(self, x, y):
        xdotool("mousemove", "--window", self.window, str(x), str(y), "click", "1", env=self.env)

    def click_pane_until(self, report, seconds=15):
        """Clicks the middle of the main pane until the page reports the click."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if report in self.server.reports:
                return
            self.click(480, 330)
            time.sleep(0.7)
        fail(f"the page never reported '{report}' (reports: {self.server.reports})")

    def close(self):
        self.app.kill()
        self.app.wait()
        self.server.shutdown()


def page(name):
    return f"/hostile/{name}.html"


def check_links(run):
    wait_for("the page", lambda: run.hits(page("links")), 15)
    run.click_pane_until("clicked")
    wait_for("the page still shown after the clicks", lambda: "still-here" in run.server.reports, 10)
    time.sleep(1)
    opened = run.opened()
    if opened:
        fail(f"a pane handed addresses to the desktop: {opened}")
    if not run.hits("/redirect"):
        fail("the redirecting link was never followed")


def check_dialogs(run):
    wait_for("the page", lambda: run.hits(page("dialogs")), 15)
    run.click_pane_until("clicked")
    wait_for("the hundred alerts gone by", lambda: "alerts-done" in run.server.reports, 5)
    wait_for("the answers", lambda: any(r.startswith("confirm=") for r in run.server.reports), 5)
    answers = [r for r in run.server.reports if r.startswith("confirm=")]
    if answers != ["confirm=false&prompt=null"]:
        fail(f"confirm and prompt answered {answers}")
    if run.windows() != [run.window]:
        fail(f"windows besides the main one: {run.windows()}")
    # beforeunload (armed by the click) does not hold the rotation.
    wait_for("the next page of the rotation", lambda: run.hits("/a.html"), 10)


def check_chooser(run):
    wait_for("the page", lambda: run.hits(page("chooser")), 15)
    run.click_pane_until("clicked")
    wait_for("the folder picker's answer", lambda: any(r.startswith("picker=") for r in run.server.reports), 5)
    time.sleep(1.5)
    if "picker=granted" in run.server.reports:
        fail("the folder picker was granted")
    if run.windows() != [run.window]:
        fail(f"windows besides the main one: {run.windows()}")
    if run.hits("/upload"):
        fail("a file was uploaded")


def check_qrc(run):
    wait_for("the page still shown", lambda: "still-here" in run.server.reports, 15)
    loaded = [r for r in run.server.reports if r.endswith("=loaded")]
    blocked = [r for r in run.server.reports if r.endswith("=blocked")]
    if loaded or len(blocked) != 3:
        fail(f"qrc: resources: loaded {loaded}, blocked {blocked}")


def check_stopped(run, name, why, seconds):
    """The page goes over its budget, is stopped, and is never asked for again; the rotation goes on."""
    wait_for(f"the {name} page stopped", lambda: "was stopped" in run.log(), seconds)
    line = [l for l in run.log().splitlines() if "was stopped" in l][0]
    if page(name) not in line or why not in line:
        fail(f"stopped for another reason: {line}")
    shown = run.hits("/a.html")
    wait_for("two more turns of the rotation", lambda: run.hits("/a.html") >= shown + 2, 15)
    if run.hits(page(name)) != 1:
        fail(f"the stopped page was asked for {run.hits(page(name))} times")
    if run.app.poll() is not None:
        fail("the program ended")


def check_memory(run):
    check_stopped(run, "memory", "memory", 15)


def check_cpu(run):
    check_stopped(run, "cpu", "CPU", 20)


def check_storage(run):
    wait_for("the IndexedDB answer", lambda: any(r.startswith("idb=") for r in run.server.reports), 15)
    if "idb=refused" not in run.server.reports:
        fail(f"IndexedDB: {run.server.reports}")
    check_stopped(run, "storage", "process grow", 20)


def check_root(run):
    wait_for("the panes' first ticks", lambda: run.hits("/Chinese/SysInfo/logFlagfee.htm") >= 2, 15)
    time.sleep(3)
    if run.hits("/a.html") or run.hits("/b.html"):
        fail("a pane loaded its page without Chromium's sandbox")
    if renderers(run.app.pid):
        fail("a web engine process started for the panes")
    if run.log().count("web panes stay off") != 1:
        fail(f"the log says: {run.log()!r}")
    run.click(235, 102)  # 手相占卜
    wait_for("the movie window", lambda: len(run.windows()) > 1, 20)
    wait_for("the movie's web engine", lambda: renderers(run.app.pid), 20)
    time.sleep(3)
    if run.app.poll() is not None:
        fail(f"the program ended: {run.log()}")


GROUPS = {
    "links": ([("0", 60, page("links"))], check_links),
    "dialogs": ([("0", 3, page("dialogs")), ("0", 3, "/a.html")], check_dialogs),
    "chooser": ([("0", 60, page("chooser"))], check_chooser),
    "qrc": ([("0", 60, page("qrc"))], check_qrc),
    "memory": ([("0", 3, page("memory")), ("0", 3, "/a.html")], check_memory),
    # The loop page stays up long enough for its budget to stop it before the rotation would.
    "cpu": ([("0", 8, page("cpu")), ("0", 3, "/a.html")], check_cpu),
    "storage": ([("0", 3, page("storage")), ("0", 3, "/a.html")], check_storage),
    "root": (None, check_root),
}


def main():
    exe, group = os.path.abspath(sys.argv[1]), sys.argv[2]
    if not all(shutil.which(p) for p in ("Xvfb", "openbox", "xdotool")):
        sys.exit(77)
    if group == "root" and os.geteuid() != 0:
        sys.exit(77)
    work = tempfile.mkdtemp()
    bin_dir = os.path.join(work, "bin")
    os.mkdir(bin_dir)
    opened_log = os.path.join(work, "opened.log")
    for name in OPENERS:
        with open(os.path.join(bin_dir, name), "w") as f:
            f.write(f"#!/bin/sh\nprintf '%s %s\\n' {name} \"$*\" >>{opened_log}\n")
        os.chmod(os.path.join(bin_dir, name), 0o755)
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    procs, run = [xvfb], None
    try:
        display = ":" + xvfb.stdout.readline().decode().strip()
        env = dict(os.environ, DISPLAY=display, XDG_CONFIG_HOME=os.path.join(work, "config"),
                   XDG_RUNTIME_DIR=work, PATH=bin_dir + os.pathsep + os.environ["PATH"])
        env.pop("QT_QPA_PLATFORM", None)
        if group == "root":
            env.pop("QTWEBENGINE_DISABLE_SANDBOX", None)
        procs.append(subprocess.Popen(["openbox"], env=env, stdout=subprocess.DEVNULL,
                                      stderr=subprocess.DEVNULL))
        time.sleep(1)
        rows, check = GROUPS[group]
        run = Run(exe, work, env, rows, b"11" if rows is None else b"10")
        run.opened = lambda: open(opened_log).read() if os.path.exists(opened_log) else ""
        check(run)
        print(f"ok: {group}")
    finally:
        if run:
            run.close()
        for p in reversed(procs):
            p.kill()
            p.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
