#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Start-up time and memory of the program against loopback promotion servers.

Run under an X server: xvfb-run -a -s "-screen 0 1024x768x24" bench/startup/promo-startup.py PATH/velmora [rounds=3]
(or the build target bench_promo_startup). The servers are tests/support/promo_server.py.
For each server kind it starts the program with VELMORA_PROMO_SERVER pointing at it, times the
start until the main window is visible, waits for the panes to settle and sums the PSS of the
program and all its descendants.
"""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "support"))
import promo_server  # noqa: E402

GOOD_SCHEDULE = (b"1>3>{base}/top1\r\n0>3>{base}/main1\r\n"
                 b"1>3>{base}/top2\r\n0>3>{base}/main2\r\n")
GOOD_PAGES = {f"/{name}": promo_server.page(f"/{name}", "ffd0d0" if name.startswith("top") else "d0ffd0")
              for name in ("top1", "main1", "top2", "main2")}


def served(**kwargs):
    server = promo_server.start(**kwargs)
    return f"http://127.0.0.1:{server.server_address[1]}", server.shutdown


def good_server(switches):
    return served(pages=GOOD_PAGES, schedule=GOOD_SCHEDULE, switches=switches)


def black_hole():
    hole = promo_server.BlackHole()
    return hole.base, hole.close


def late_server(delay, trickle=False):
    """Answers each request after `delay` seconds, just inside the client's limit of one request;
    with trickle, it sends the head at once and then one body byte a second, never finishing."""
    return served(schedule=b"1>3>http://127.0.0.1:9/top\r\n0>3>http://127.0.0.1:9/main\r\n",
                  delay=delay, trickle=trickle)


def refused():
    return promo_server.refused_base(), lambda: None


def descendants(pid):
    out, todo = [], [pid]
    while todo:
        p = todo.pop()
        out.append(p)
        for task in os.listdir("/proc/%d/task" % p) if os.path.exists("/proc/%d/task" % p) else []:
            try:
                with open("/proc/%d/task/%s/children" % (p, task)) as f:
                    todo += [int(c) for c in f.read().split()]
            except OSError:
                pass
    return out


def pss_mib(pid):
    total = 0
    for p in descendants(pid):
        try:
            with open("/proc/%d/smaps_rollup" % p) as f:
                for line in f:
                    if line.startswith("Pss:"):
                        total += int(line.split()[1])
        except OSError:
            pass
    return total / 1024.0


def visible_window(pid, deadline):
    while time.monotonic() < deadline:
        r = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid), "--name", "Velmora"],
                           capture_output=True, text=True)
        if r.stdout.strip():
            return True
        time.sleep(0.02)
    return False


def run(program, name, server_factory, settle):
    base, stop = server_factory()
    env = dict(os.environ, VELMORA_PROMO_SERVER=base)
    t0 = time.monotonic()
    proc = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        shown = visible_window(proc.pid, t0 + 20)
        t = time.monotonic() - t0
        time.sleep(settle)
        mem = pss_mib(proc.pid)
        kids = len(descendants(proc.pid)) - 1
        print("%-28s start-up %s  PSS %6.1f MiB  child processes %d"
              % (name, "%5.2f s" % t if shown else "no window", mem, kids), flush=True)
    finally:
        proc.terminate()
        try:
            proc.wait(5)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()
        stop()


def main():
    program = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "velmora")
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    for _ in range(rounds):
        run(program, "refused (panes hidden)", refused, 2)
        run(program, "black hole (panes hidden)", black_hole, 2)
        run(program, "good, switches 11", lambda: good_server(b"11"), 6)
        run(program, "good, switches 00", lambda: good_server(b"00"), 2)
        run(program, "each answer after 4.9 s", lambda: late_server(4.9), 1)
        run(program, "each answer after 1.9 s", lambda: late_server(1.9), 1)
        run(program, "trickling a byte a second", lambda: late_server(30, trickle=True), 1)


if __name__ == "__main__":
    main()
