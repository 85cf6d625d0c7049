#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a hostile page in the main pane costs, under Xvfb with openbox.

Usage: bench/panes/run-bench.py PATH/TO/velmora [seconds=25]

For each page of tests/support/promo_server.py's memory, cpu and storage groups (and the plain
page a.html as the floor) the program runs with that page alone in the main pane, and every 0.1 s
the bench reads /proc:
  renderer_peak_mib   the largest resident memory of any web engine renderer (budget 1024)
  cpu_10s_peak        the most CPU time one renderer used in any 10 s, in cores (budget 0.5)
  host_growth_mib     how far the program's own process grew over its size when the page was first
                      asked for (budget 150)
  stopped_s           from the page's request to the log line saying it was stopped
  requests            how often the server was asked for the page
"""
import collections
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "support"))
import promo_server  # noqa: E402

TICK = os.sysconf("SC_CLK_TCK")
PAGE = os.sysconf("SC_PAGESIZE")


def children(pid):
    out, todo = [], [pid]
    while todo:
        p = todo.pop()
        try:
            with open(f"/proc/{p}/task/{p}/children") as f:
                kids = [int(k) for k in f.read().split()]
        except OSError:
            continue
        out.extend(kids)
        todo.extend(kids)
    return out


def sample(pid):
    """Resident bytes and CPU seconds, or None once the process is gone."""
    try:
        with open(f"/proc/{pid}/statm") as f:
            resident = int(f.read().split()[1]) * PAGE
        with open(f"/proc/{pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return resident, (int(fields[11]) + int(fields[12])) / TICK
    except (OSError, IndexError, ValueError):
        return None


def cmdline(pid):
    try:
        with open(f"/proc/{pid}/cmdline", "rb") as f:
            return f.read()
    except OSError:
        return b""


def parent(pid):
    try:
        with open(f"/proc/{pid}/stat") as f:
            return int(f.read().rsplit(")", 1)[1].split()[1])
    except (OSError, IndexError, ValueError):
        return 0


def is_renderer(pid):
    """Renderers are forked from a zygote and keep its command line."""
    zygote = b"--type=zygote"
    return b"QtWebEngine" in cmdline(pid) and zygote in cmdline(pid) and zygote in cmdline(parent(pid))


def measure(exe, env, page, seconds):
    server = promo_server.start([("0", 600, page)], b"10")
    env = dict(env, VELMORA_PROMO_SERVER=f"http://127.0.0.1:{server.server_address[1]}")
    log = tempfile.TemporaryFile("w+")
    app = subprocess.Popen([exe], env=env, stdout=subprocess.DEVNULL, stderr=log)
    peak, cpu_peak, growth, stopped, base, asked = 0, 0.0, 0, None, None, None
    history = collections.defaultdict(collections.deque)  # renderer: (time, cpu)
    deadline = time.monotonic() + 60
    try:
        while time.monotonic() < deadline:
            now = time.monotonic()
            if asked is None and any(h.startswith(page) for h in server.hits):
                asked, deadline = now, now + seconds
                base = sample(app.pid)[0]
            if asked is not None:
                own = sample(app.pid)
                if own:
                    growth = max(growth, own[0] - base)
                for kid in children(app.pid):
                    s = sample(kid) if is_renderer(kid) else None
                    if not s:
                        continue
                    peak = max(peak, s[0])
                    h = history[kid]
                    h.append((now, s[1]))
                    while now - h[0][0] > 10:
                        h.popleft()
                    cpu_peak = max(cpu_peak, (h[-1][1] - h[0][1]) / 10)
                if stopped is None:
                    log.seek(0)
                    if "was stopped" in log.read():
                        stopped = now - asked
            time.sleep(0.1)
    finally:
        app.kill()
        app.wait()
        server.shutdown()
    return {"renderer_peak_mib": peak >> 20, "cpu_10s_peak": round(cpu_peak, 2),
            "host_growth_mib": growth >> 20, "stopped_s": None if stopped is None else round(stopped, 1),
            "requests": sum(1 for h in server.hits if h.startswith(page))}


def main():
    exe = os.path.abspath(sys.argv[1])
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 25
    if not all(shutil.which(p) for p in ("Xvfb", "openbox")):
        sys.exit("needs Xvfb and openbox")
    work = tempfile.mkdtemp()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    try:
        display = ":" + xvfb.stdout.readline().decode().strip()
        env = dict(os.environ, DISPLAY=display, XDG_CONFIG_HOME=os.path.join(work, "config"),
                   XDG_RUNTIME_DIR=work)
        env.pop("QT_QPA_PLATFORM", None)
        if os.geteuid() == 0:
            env["QTWEBENGINE_DISABLE_SANDBOX"] = "1"
        wm = subprocess.Popen(["openbox"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1)
        for page in ("/a.html", "/hostile/memory.html", "/hostile/cpu.html", "/hostile/storage.html"):
            print(f"{page:24} {measure(exe, env, page, seconds)}", flush=True)
        wm.kill()
        wm.wait()
    finally:
        xvfb.kill()
        xvfb.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
