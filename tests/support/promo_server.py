# SPDX-License-Identifier: GPL-3.0-or-later
"""A loopback promotion server for whole-program runs. By default its schedule switches both panes
on, with a.html for the top pane and b.html for the main one; Handler.pages_seen collects the pages
asked for.

    server = promo_server.start()   # http://127.0.0.1:<server.server_address[1]>
    ...
    server.shutdown()

start(rows) serves another schedule: rows of (kind, seconds, path). Besides a.html and b.html it
serves hostile pages, one group per way a page can try to get out of its pane (HOSTILE), the
redirect /redirect?to=ADDRESS (302), and /report?WHAT, which pages call to say what they saw:
server.hits lists every path asked for, in order, server.reports the WHATs.

For the benches start() also takes:
    pages    {path: (content type, body)} served as well; server.loads counts their loads
    schedule the schedule's bytes, "{base}" standing for http://127.0.0.1:<port> (in place of rows)
    delay    seconds to wait before each answer
    trickle  send the head at once and then one body byte a second, for `delay` seconds, never finishing
BlackHole() takes connections and never answers; refused_base() is an address nobody listens on.
"""
import http.server
import socket
import socketserver
import threading
import time
import urllib.parse

# What each page reports goes to /report?...; report() is defined on every hostile page.
_REPORT = """<script>
function report(what) { fetch('/report?' + what).catch(() => {}); }
</script>"""

# Clicked anywhere, the page tries every scheme a desktop hands to a program, by a link, by
# location= and by an http link that answers with a redirect.
_LINKS = """<body style='margin:0'><a id=a href="mailto:x@example.invalid?attach=/etc/passwd"
 style='display:block;width:100%;height:100vh'>ad</a><script>
const others = ['ssh://x@127.0.0.1/', 'smb://127.0.0.1/share', 'irc://127.0.0.1/x', 'apt:velmora-test',
                '/redirect?to=' + encodeURIComponent('mailto:y@example.invalid?attach=/etc/shadow')];
let armed = true;
document.addEventListener('click', e => {
  if (!e.isTrusted || !armed) return;  // the page's own a.click() bubbles here too
  armed = false;
  report('clicked');
  others.forEach((to, i) => setTimeout(() => {
    const a = document.createElement('a'); a.href = to; document.body.appendChild(a); a.click();
  }, 20 * (i + 1)));
  setTimeout(() => { location = 'ssh://y@127.0.0.1/'; }, 150);
  setTimeout(() => report('still-here'), 1200);
});
</script></body>"""

# A hundred alerts, a confirm, a prompt, and a question before the page may be left.
_DIALOGS = """<body style='margin:0;height:100vh'><h1>dialogs</h1><script>
window.addEventListener('beforeunload', e => { e.preventDefault(); e.returnValue = 'stay'; return 'stay'; });
document.addEventListener('click', () => {
  report('clicked');
  for (let i = 0; i < 100; ++i) alert('alert ' + i);
  report('alerts-done');
  const c = confirm('confirm?');
  const p = prompt('prompt?', 'typed');
  report('confirm=' + c + '&prompt=' + p);
});
</script></body>"""

# A file input over the whole page, and a folder picker on the same click.
_CHOOSER = """<body style='margin:0'><form method=post enctype=multipart/form-data action=/upload>
<input type=file name=f style='display:block;width:100%;height:100vh;font-size:80px'></form><script>
document.addEventListener('click', () => {
  report('clicked');
  if (window.showDirectoryPicker)
    showDirectoryPicker().then(() => report('picker=granted'), e => report('picker=' + e.name));
  else
    report('picker=none');
});
document.querySelector('input').addEventListener('change', () => document.forms[0].submit());
</script></body>"""

# Our own resources: a picture and Qt's script, by element and by navigation.
_QRC = """<body><script>
const img = new Image();
img.onload = () => report('img=loaded'); img.onerror = () => report('img=blocked');
img.src = 'qrc:/images/banner.jpg';
const s = document.createElement('script');
s.onload = () => report('script=loaded'); s.onerror = () => report('script=blocked');
s.src = 'qrc:/qtwebchannel/qwebchannel.js'; document.body.appendChild(s);
fetch('qrc:/images/banner.jpg').then(() => report('fetch=loaded'), () => report('fetch=blocked'));
setTimeout(() => { location = 'qrc:/images/banner.jpg'; }, 300);
setTimeout(() => report('still-here'), 1500);
</script></body>"""

# 64 MiB every 50 ms, written so that it is really held: 1.3 GiB a second.
_MEMORY = """<body><script>
const held = [];
setInterval(() => { const b = new Uint8Array(64 << 20); b.fill(1); held.push(b); report('held=' + held.length * 64); }, 50);
</script></body>"""

_CPU = """<body><script>
report('looping');
setTimeout(() => { for (;;) {} }, 100);
</script></body>"""

# What a page can make the browser hold for it: IndexedDB records and blobs of 16 MiB.
_STORAGE = """<body><script>
const req = indexedDB.open('hoard', 1);
req.onupgradeneeded = () => req.result.createObjectStore('s');
req.onerror = () => report('idb=refused');
req.onsuccess = () => report('idb=opened');
const blobs = [];
setInterval(() => { blobs.push(new Blob([new Uint8Array(16 << 20).fill(blobs.length)])); }, 50);
</script></body>"""

HOSTILE = {"links": _LINKS, "dialogs": _DIALOGS, "chooser": _CHOOSER, "qrc": _QRC,
           "memory": _MEMORY, "cpu": _CPU, "storage": _STORAGE}


class Handler(http.server.BaseHTTPRequestHandler):
    pages_seen = set()

    def do_POST(self):
        self.server.hits.append(self.path)
        self.server.uploads.append(self.rfile.read(int(self.headers.get("Content-Length", 0))))
        self._answer(200, b"thanks")

    def do_GET(self):
        self.server.hits.append(self.path)
        port = self.server.server_address[1]
        path, _, query = self.path.partition("?")
        if self.server.trickle:
            self._trickle()
            return
        time.sleep(self.server.delay)
        if path in self.server.pages:
            self.server.loads += 1
            kind, body = self.server.pages[path]
            self._answer(200, body, kind)
            return
        if path == "/Chinese/CPC/loginfo.html" and self.server.schedule is not None:
            body = self.server.schedule.replace(b"{base}", f"http://127.0.0.1:{port}".encode())
        elif path == "/Chinese/CPC/loginfo.html":
            rows = self.server.rows or [("0", 5, "/a.html"), ("1", 5, "/b.html")]
            body = "".join(f"{k}>{s}>http://127.0.0.1:{port}{p}\r\n" for k, s, p in rows).encode()
        elif path == "/Chinese/SysInfo/logFlagfee.htm":
            body = self.server.switches
        elif path in ("/a.html", "/b.html"):
            Handler.pages_seen.add(path)
            body = f"<html><body style='background:#fc8'><h1>{path}</h1></body></html>".encode()
        elif path.startswith("/hostile/") and path[9:-5] in HOSTILE:
            body = ("<!doctype html><html>" + _REPORT + HOSTILE[path[9:-5]] + "</html>").encode()
        elif path == "/report":
            self.server.reports.append(urllib.parse.unquote(query))
            body = b""
        elif path == "/redirect":
            self.send_response(302)
            self.send_header("Location", urllib.parse.parse_qs(query)["to"][0])
            self.send_header("Content-Length", "0")
            self.end_headers()
            return
        else:
            self.send_error(404)
            return
        self._answer(200, body)

    def _answer(self, status, body, kind="text/html"):
        try:
            self.send_response(status)
            self.send_header("Content-Type", kind)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
        except OSError:
            pass

    def _trickle(self):
        self.send_response(200)
        self.send_header("Content-Length", "1000")
        self.end_headers()
        try:
            for _ in range(int(self.server.delay)):
                self.wfile.write(b"1")
                self.wfile.flush()
                time.sleep(1)
        except OSError:
            pass

    def log_message(self, *args):
        pass


def start(rows=None, switches=b"11", pages=None, schedule=None, delay=0, trickle=False):
    """Serves on 127.0.0.1 at a free port from a thread of its own until shutdown()."""
    server = socketserver.ThreadingTCPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    server.rows, server.switches = rows, switches
    server.pages, server.schedule, server.delay, server.trickle = pages or {}, schedule, delay, trickle
    server.loads = 0
    server.hits, server.reports, server.uploads = [], [], []
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def page(name, colour="fc8"):
    """A small page for pages=: (content type, body)."""
    return ("text/html", f"<html><body style='background:#{colour}'><h1>{name}</h1></body></html>".encode())


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
