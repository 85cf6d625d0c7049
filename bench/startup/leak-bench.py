#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What pages and movie windows leave behind, under Xvfb with openbox (like run-bench.py).

Usage: bench/startup/leak-bench.py BUILD bigpage [runs=3]
       bench/startup/leak-bench.py BUILD presses [count=100]
       bench/startup/leak-bench.py BUILD soak [minutes=30] [--heaptrack FILE]

bigpage  the main pane's first page is 10 MiB of HTML, shown for 8 s, then a small page: the peak
         PSS of the program's tree while it loads, and the main process's private memory 25 s after
         start, against the same run with a small first page (kept_mib is the difference)
presses  count presses of the palm-reading button, each movie window closed again
         (velmora_movie_bench): the program's own PSS and private memory, and the X server's, after
         the first press and after the last
soak     both panes turn to a new page every second for the given minutes: the main process's
         private memory every 10 s and its slope (MiB an hour, from minute 5 on); with --heaptrack
         the program runs under heaptrack, which writes FILE
"""
import importlib.util
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tests", "support"))
import promo_server  # noqa: E402

run_bench = importlib.util.spec_from_file_location("run_bench", os.path.join(HERE, "run-bench.py"))
rb = importlib.util.module_from_spec(run_bench)
sys.argv, _argv = sys.argv[:1], sys.argv  # run-bench reads its own arguments at import
run_bench.loader.exec_module(rb)
sys.argv = _argv

BUILD = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build")
MODE = sys.argv[2] if len(sys.argv) > 2 else "bigpage"
VELMORA = os.path.join(BUILD, "velmora")
MOVIE_TOOL = os.path.join(BUILD, "bench/movie/velmora_movie_bench")


def private_mib(pid):
    kib = 0
    try:
        with open(f"/proc/{pid}/smaps_rollup") as f:
            for line in f:
                if line.startswith(("Private_Clean:", "Private_Dirty:")):
                    kib += int(line.split()[1])
    except OSError:
        pass
    return kib / 1024


def pss_mib(pid):
    try:
        with open(f"/proc/{pid}/smaps_rollup") as f:
            for line in f:
                if line.startswith("Pss:"):
                    return int(line.split()[1]) / 1024
    except OSError:
        pass
    return 0.0


class Display:
    def __enter__(self):
        self.work = tempfile.mkdtemp()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.name = ":" + self.xvfb.stdout.readline().decode().strip()
        self.env = dict(os.environ, DISPLAY=self.name, XDG_CONFIG_HOME=os.path.join(self.work, "config"),
                        XDG_RUNTIME_DIR=self.work)
        self.env.pop("QT_QPA_PLATFORM", None)
        if os.geteuid() == 0:
            self.env["QTWEBENGINE_DISABLE_SANDBOX"] = "1"
        self.wm = subprocess.Popen(["openbox"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(1)
        self.display = rb.xlib.XOpenDisplay(self.name.encode())
        return self

    def __exit__(self, *exc):
        self.wm.kill()
        self.xvfb.kill()
        shutil.rmtree(self.work, ignore_errors=True)


def big_page(mib):
    row = "<p>第{}段：流年运势，吉凶祸福，一一细说。Lorem ipsum dolor sit amet.</p>\n"
    parts, size, i = ["<html><body>"], 0, 0
    while size < mib * 1024 * 1024:
        parts.append(row.format(i))
        size += len(parts[-1].encode())
        i += 1
    parts.append("</body></html>")
    return ("text/html; charset=utf-8", "".join(parts).encode())


def bigpage(runs):
    pages = {"/big.html": big_page(10), "/a.html": promo_server.page("/a.html"),
             "/b.html": promo_server.page("/b.html"), "/small.html": promo_server.page("/small.html")}
    fig = {}
    with Display() as d:
        for _ in range(runs):
            for first in ("small", "big"):
                schedule = (f"0>8>{{base}}/{first}.html\r\n0>600>{{base}}/a.html\r\n"
                            "1>600>{base}/b.html\r\n").encode()
                server = promo_server.start(pages=pages, schedule=schedule)
                env = dict(d.env, VELMORA_PROMO_SERVER=f"http://127.0.0.1:{server.server_address[1]}")
                p, _ = rb.start_and_wait([VELMORA], b"Velmora", env, d.display)
                t0, peak = time.monotonic(), 0.0
                while time.monotonic() - t0 < 25:
                    peak = max(peak, rb.tree_pss_mib(p.pid))
                    time.sleep(0.1)
                fig.setdefault(f"{first}_peak_mib", []).append(peak)
                fig.setdefault(f"{first}_main_private_mib", []).append(private_mib(p.pid))
                rb.stop(p)
                server.shutdown()
    med = {k: statistics.median(v) for k, v in fig.items()}
    for k in sorted(med):
        print(f"{k:26s} median {med[k]:8.1f}   min {min(fig[k]):8.1f}   max {max(fig[k]):8.1f}   (n={len(fig[k])})")
    print(f"kept_mib {med['big_main_private_mib'] - med['small_main_private_mib']:.1f}")


def presses(count):
    with Display() as d:
        env = dict(d.env, VELMORA_PROMO_SERVER=promo_server.refused_base())
        tool = subprocess.Popen([MOVIE_TOOL, "1", "", "0", str(count)], env=env, stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL, text=True)
        x = {}
        for line in tool.stdout:
            print(line.rstrip())
            if line.startswith("presses_"):  # the tool waits 2 s after each of these lines
                x[line.split()[0]] = (pss_mib(d.xvfb.pid), private_mib(d.xvfb.pid)) + xres(d.env)
        tool.wait(timeout=60)
        if "presses_first" in x and "presses_last" in x:
            (p0, v0, w0, m0), (p1, v1, w1, m1) = x["presses_first"], x["presses_last"]
            print(f"xserver_pss_mib {p0:.1f} -> {p1:.1f} ({p1 - p0:+.1f})")
            print(f"xserver_private_mib {v0:.1f} -> {v1:.1f} ({v1 - v0:+.1f})")
            print(f"xserver_windows {w0} -> {w1} ({w1 - w0:+})")
            print(f"xserver_resources_mib {m0:.1f} -> {m1:.1f} ({m1 - m0:+.1f})")


def xres(env):
    """All clients' windows and resource bytes as the X server counts them (X-Resource, by
    xrestop): (windows, MiB)."""
    if not shutil.which("xrestop"):
        return float("nan"), float("nan")
    out = subprocess.run(["xrestop", "-b", "-m", "1"], env=env, capture_output=True, text=True, timeout=20).stdout
    windows = total = 0
    for line in out.splitlines():
        key, _, value = line.partition(":")
        if key.strip() == "windows":
            windows += int(value)
        elif key.strip() == "total bytes":
            total += int(value.strip().lstrip("~"))
    return windows, total / 1048576


def soak(minutes, heaptrack):
    pages = {f"/{n}.html": promo_server.page(f"/{n}.html", c) for n, c in
             (("a", "fc8"), ("b", "8cf"), ("c", "cf8"), ("d", "f8c"))}
    schedule = b"0>1>{base}/a.html\r\n1>1>{base}/b.html\r\n0>1>{base}/c.html\r\n1>1>{base}/d.html\r\n"
    with Display() as d:
        server = promo_server.start(pages=pages, schedule=schedule)
        env = dict(d.env, VELMORA_PROMO_SERVER=f"http://127.0.0.1:{server.server_address[1]}")
        cmd = (["heaptrack", "-o", heaptrack, VELMORA] if heaptrack else [VELMORA])
        proc = subprocess.Popen(cmd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        pid = proc.pid
        deadline = time.monotonic() + 30
        while heaptrack and time.monotonic() < deadline:  # heaptrack's shell starts the program
            kids = [int(c) for t in os.listdir(f"/proc/{proc.pid}/task")
                    for c in open(f"/proc/{proc.pid}/task/{t}/children").read().split()]
            named = [k for k in kids if open(f"/proc/{k}/comm").read().strip() == "velmora"]
            if named:
                pid = named[0]
                break
            time.sleep(0.2)
        t0, samples = time.monotonic(), []
        try:
            while time.monotonic() - t0 < minutes * 60:
                time.sleep(10)
                t = (time.monotonic() - t0) / 3600
                samples.append((t, private_mib(pid)))
                print(f"{t * 60:6.1f} min  private {samples[-1][1]:8.2f} MiB  loads {server.loads}", flush=True)
        finally:
            os.kill(pid, 15)
            proc.wait(timeout=120)
            server.shutdown()
    late = [(t, m) for t, m in samples if t >= 5 / 60]
    # The private memory jumps by tens of MiB for a while now and then (the web engine's transient
    # buffers): the floor, the least of each two minutes, shows what stays.
    buckets = {}
    for t, m in late:
        buckets[int(t * 30)] = min(buckets.get(int(t * 30), m), m)
    floor = [(k / 30, m) for k, m in sorted(buckets.items())]
    for name, points in (("soak_private_slope_mib_per_hour", late), ("soak_floor_slope_mib_per_hour", floor)):
        if len(points) > 2:
            print(f"{name} {slope(points):.2f} (from minute 5, {len(points)} points, {server.loads} page loads)")


def slope(points):
    mt, mm = statistics.mean(t for t, _ in points), statistics.mean(m for _, m in points)
    return sum((t - mt) * (m - mm) for t, m in points) / sum((t - mt) ** 2 for t, _ in points)


if __name__ == "__main__":
    if MODE == "bigpage":
        bigpage(int(sys.argv[3]) if len(sys.argv) > 3 else 3)
    elif MODE == "presses":
        presses(int(sys.argv[3]) if len(sys.argv) > 3 else 100)
    elif MODE == "soak":
        ht = sys.argv[sys.argv.index("--heaptrack") + 1] if "--heaptrack" in sys.argv else None
        soak(float(sys.argv[3]) if len(sys.argv) > 3 and sys.argv[3][0].isdigit() else 30, ht)
    else:
        raise SystemExit(__doc__)
