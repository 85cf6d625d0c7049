# SPDX-License-Identifier: GPL-3.0-or-later
"""A loopback promotion server for whole-program runs. By default its schedule switches both panes
on, with a.html for the top pane and b.html for the main one, five seconds each; Handler.pages_seen
collects the pages asked for, server.loads counts every page load.

    server = promo_server.start()   # http://127.0.0.1:<server.server_address[1]>
    ...
    server.shutdown()

start() takes the rest as keywords:
    pages    {path: (content type, body)} served besides the two documents; a.html and b.html by default
    schedule the schedule's bytes, "{base}" standing for http://127.0.0.1:<port>; default a.html/b.html
    switches the switches document (b"11")
    delay    seconds to wait before each answer
    trickle  send the head at once and then one body byte a second, for `delay` seconds, never finishing
"""
import http.server
import socket
import socketserver
import threading
import time

SCHEDULE = b"0>5>{base}/a.html\r\n1>5>{base}/b.html\r\n"


def page(name, colour="fc8"):
    return ("text/html", f"<html><body style='background:#{colour}'><h1>{name}</h1></body></html>".encode())


class Handler(http.server.BaseHTTPRequestHandler):
    pages_seen = set()

    def do_GET(self):
        srv = self.server
        base = f"http://127.0.0.1:{srv.server_address[1]}"
        if srv.trickle:
            self.send_response(200)
            self.send_header("Content-Length", "1000")
            self.end_headers()
            try:
                for _ in range(int(srv.delay)):
                    self.wfile.write(b"1")
                    self.wfile.flush()
                    time.sleep(1)
            except OSError:
                pass
            return
        time.sleep(srv.delay)
        kind = "text/html"
        if self.path == "/Chinese/CPC/loginfo.html":
            body = srv.schedule.replace(b"{base}", base.encode())
        elif self.path == "/Chinese/SysInfo/logFlagfee.htm":
            body = srv.switches
        elif self.path in srv.pages:
            Handler.pages_seen.add(self.path)
            srv.loads += 1
            kind, body = srv.pages[self.path]
        else:
            self.send_error(404)
            return
        try:
            self.send_response(200)
            self.send_header("Content-Type", kind)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
        except OSError:
            pass

    def log_message(self, *args):
        pass


def start(pages=None, schedule=SCHEDULE, switches=b"11", delay=0, trickle=False):
    """Serves on 127.0.0.1 at a free port from a thread of its own until shutdown()."""
    server = socketserver.ThreadingTCPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    server.pages = pages if pages is not None else {"/a.html": page("/a.html"), "/b.html": page("/b.html")}
    server.schedule, server.switches, server.delay, server.trickle = schedule, switches, delay, trickle
    server.loads = 0
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


class BlackHole:
    """Takes connections on 127.0.0.1 and never reads or answers them, until close()."""

    def __init__(self):
        self.socket = socket.socket()
        self.socket.bind(("127.0.0.1", 0))
        self.socket.listen(128)
        self.base = f"http://127.0.0.1:{self.socket.getsockname()[1]}"

    def close(self):
        self.socket.close()


def refused_base():
    """An address on 127.0.0.1 that nothing listens on."""
    s = socket.socket()
    s.bind(("127.0.0.1", 0))
    port = s.getsockname()[1]
    s.close()
    return f"http://127.0.0.1:{port}"
