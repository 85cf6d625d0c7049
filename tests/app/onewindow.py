#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The main window is one native window from its first showing on, and never takes the focus back.

Under Xvfb with openbox and a loopback promotion server that switches both panes on: the main
window's X id and map state are polled every 20 ms for 5 s while the panes load their pages; there
must be one id, never unmapped. A second window activated right after the main window appeared
must still have the focus at the end. Then, with the server refused, the program must not have
loaded the web engine at all.
Usage: onewindow.py PATH/TO/velmora        (exit 77: skipped, no Xvfb, openbox, xdotool or xmessage)
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import promo_server  # noqa: E402


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def run(*cmd, env):
    return subprocess.run(cmd, env=env, capture_output=True, text=True, timeout=10).stdout.split()


def wait_window(name, env, seconds=30):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        ids = run("xdotool", "search", "--onlyvisible", "--name", name, env=env)
        if ids:
            return ids[0]
        time.sleep(0.02)
    fail(f"no window {name}")


def main():
    exe = os.path.abspath(sys.argv[1])
    if not all(shutil.which(p) for p in ("Xvfb", "openbox", "xdotool", "xmessage", "xwininfo")):
        sys.exit(77)
    work = tempfile.mkdtemp()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    procs = [xvfb]
    try:
        display = ":" + xvfb.stdout.readline().decode().strip()
        env = dict(os.environ, DISPLAY=display, XDG_CONFIG_HOME=os.path.join(work, "config"),
                   XDG_RUNTIME_DIR=work)
        env.pop("QT_QPA_PLATFORM", None)
        procs.append(subprocess.Popen(["openbox"], env=env, stdout=subprocess.DEVNULL,
                                      stderr=subprocess.DEVNULL))
        time.sleep(1)
        server = promo_server.start()
        served = dict(env, VELMORA_PROMO_SERVER=f"http://127.0.0.1:{server.server_address[1]}")

        app = subprocess.Popen([exe], env=served, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        procs.append(app)
        main_id = wait_window("^Velmora$", env)
        other = subprocess.Popen(["xmessage", "-name", "other", "-title", "other", "another program"],
                                 env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        procs.append(other)
        other_id = wait_window("^other$", env)
        subprocess.run(["xdotool", "windowactivate", "--sync", other_id], env=env, timeout=10)

        ids, unmapped, names = set(), 0, {}
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline:
            # xdotool matches names without regard to case; Qt's hidden leader window is "velmora".
            found = [w for w in run("xdotool", "search", "--name", "^Velmora$", env=env)
                     if names.setdefault(w, subprocess.run(["xdotool", "getwindowname", w], env=env,
                                                           capture_output=True, text=True,
                                                           timeout=10).stdout.strip()) == "Velmora"]
            ids.update(found)
            for window in found:
                info = subprocess.run(["xwininfo", "-id", window], env=env, capture_output=True,
                                      text=True, timeout=10).stdout
                if "IsViewable" not in info:
                    unmapped += 1
            time.sleep(0.02)
        active = run("xdotool", "getactivewindow", env=env)
        server.shutdown()
        if len(promo_server.Handler.pages_seen) < 2:
            fail(f"the panes loaded {sorted(promo_server.Handler.pages_seen)}, not both pages")
        if ids != {main_id}:
            fail(f"the main window had the ids {sorted(ids)}, first {main_id}")
        if unmapped:
            fail(f"the main window was not viewable {unmapped} times in 5 s")
        if active != [other_id]:
            fail(f"the active window is {active}, not the other program's {other_id}")
        app.kill()
        app.wait()

        refused = dict(env, VELMORA_PROMO_SERVER="http://127.0.0.1:9")
        app = subprocess.Popen([exe], env=refused, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        procs.append(app)
        wait_window("^Velmora$", env)
        time.sleep(1.5)  # the panes' first ticks
        with open(f"/proc/{app.pid}/maps") as maps:
            if "WebEngine" in maps.read():
                fail("with both panes off the web engine was loaded all the same")
        print(f"ok: one main window {main_id}, always viewable; the focus stayed with {other_id}; "
              "no web engine with the panes off")
    finally:
        for p in reversed(procs):
            p.kill()
            p.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
