# SPDX-License-Identifier: GPL-3.0-or-later
"""A loopback promotion server for whole-program runs: its schedule switches both panes on, with
a.html for the top pane and b.html for the main one; Handler.pages_seen collects the pages asked for.

    server = promo_server.start()   # http://127.0.0.1:<server.server_address[1]>
    ...
    server.shutdown()
"""
import http.server
import socketserver
import threading


class Handler(http.server.BaseHTTPRequestHandler):
    pages_seen = set()

    def do_GET(self):
        port = self.server.server_address[1]
        if self.path == "/Chinese/CPC/loginfo.html":
            body = f"0>5>http://127.0.0.1:{port}/a.html\r\n1>5>http://127.0.0.1:{port}/b.html\r\n".encode()
        elif self.path == "/Chinese/SysInfo/logFlagfee.htm":
            body = b"11"
        elif self.path in ("/a.html", "/b.html"):
            Handler.pages_seen.add(self.path)
            body = f"<html><body style='background:#fc8'><h1>{self.path}</h1></body></html>".encode()
        else:
            self.send_error(404)
            return
        self.send_response(200)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


def start():
    """Serves on 127.0.0.1 at a free port from a thread of its own until shutdown()."""
    server = socketserver.ThreadingTCPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server
