#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Start-up time and memory of the program against loopback promotion servers.

Run under an X server (xvfb-run -a -s "-screen 0 1024x768x24" python3 promo_startup.py PATH/velmora).
For each server kind it starts the program with VELMORA_PROMO_SERVER pointing at it, times the
start until the main window is visible, waits for the panes to settle and sums the PSS of the
program and all its descendants.
"""
import http.server
import os
import socket
import subprocess
import sys
import threading
import time

PAGE = b"<html><body style='background:#%s'><h1>%s</h1></body></html>"


class Handler(http.server.BaseHTTPRequestHandler):
    schedule = b""
    switches = b"11"

    def do_GET(self):
        if self.path == "/Chinese/CPC/loginfo.html":
            body = self.schedule
        elif self.path == "/Chinese/SysInfo/logFlagfee.htm":
            body = self.switches
        else:
            body = PAGE % (b"ffd0d0" if "top" in self.path else b"d0ffd0", self.path.encode())
        self.send_response(200)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


def good_server(switches):
    srv = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    port = srv.server_address[1]
    Handler.switches = switches
    Handler.schedule = ("1>3>http://127.0.0.1:%d/top1\r\n0>3>http://127.0.0.1:%d/main1\r\n"
                        "1>3>http://127.0.0.1:%d/top2\r\n0>3>http://127.0.0.1:%d/main2\r\n" % ((port,) * 4)).encode()
    threading.Thread(target=srv.serve_forever, daemon=True).start()
    return "http://127.0.0.1:%d" % port, srv.shutdown


def black_hole():
    s = socket.socket()
    s.bind(("127.0.0.1", 0))
    s.listen(8)
    held = []
    stop = threading.Event()

    def run():
        s.settimeout(0.2)
        while not stop.is_set():
            try:
                held.append(s.accept()[0])
            except socket.timeout:
                pass

    threading.Thread(target=run, daemon=True).start()

    def close():
        stop.set()
        for c in held:
            c.close()
        s.close()

    return "http://127.0.0.1:%d" % s.getsockname()[1], close


def late_server(delay, trickle=False):
    """Answers each request after `delay` seconds, just inside the client's limit of one request;
    with trickle, it sends the head at once and then one body byte a second, never finishing."""
    class Late(Handler):
        def do_GET(self):
            if trickle:
                self.send_response(200)
                self.send_header("Content-Length", "1000")
                self.end_headers()
                try:
                    for _ in range(int(delay)):
                        self.wfile.write(b"1")
                        self.wfile.flush()
                        time.sleep(1)
                except OSError:
                    pass
                return
            time.sleep(delay)
            try:
                Handler.do_GET(self)
            except OSError:
                pass

    srv = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Late)
    srv.daemon_threads = True
    Handler.switches = b"11"
    Handler.schedule = b"1>3>http://127.0.0.1:9/top\r\n0>3>http://127.0.0.1:9/main\r\n"
    threading.Thread(target=srv.serve_forever, daemon=True).start()
    return "http://127.0.0.1:%d" % srv.server_address[1], srv.shutdown


def refused():
    s = socket.socket()
    s.bind(("127.0.0.1", 0))
    port = s.getsockname()[1]
    s.close()
    return "http://127.0.0.1:%d" % port, lambda: None


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
