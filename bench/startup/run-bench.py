#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Whole-program start-up and memory figures, under Xvfb with openbox.

Usage: bench/startup/run-bench.py BUILD [runs=5]

In one loop, alternately, it starts the bare peer window (bench/startup/BareWindow) and velmora,
and measures:
  start_ms        start to a visible window, promotion server refused (127.0.0.1:9)
  text_*          the bare window with a line of Chinese text (BareWindow --text), a second floor
  idle_mib        PSS of the process and its children 3 s after the window showed
  good_start_ms   start to a visible window with a loopback promotion server, both panes on
  blackhole_start_ms  the same with a server that takes the connection and never answers
  panes_mib       PSS 3 s after both panes loaded their first pages
  movie_mib       PSS with one movie window playing (velmora_movie_bench)
  first_frame_ms  press of the palm-reading button to the movie's first frame (the same tool)
  movie_fps       how often per second the playing movie's window changes (the movie runs at 24)
  movies_*_mib    PSS with no, 1 and 3 movie windows, and after closing the three (in total and
                  by process kind)
It prints medians, with ratios against the bare window or against the targets.
"""
import ctypes
import os
import shutil
import socket
import statistics
import subprocess
import sys
import tempfile
import time
import zlib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "support"))
import promo_server  # noqa: E402

BUILD = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build")
RUNS = int(sys.argv[2]) if len(sys.argv) > 2 else 5
VELMORA = os.path.join(BUILD, "velmora")
BARE = os.path.join(BUILD, "bench/startup/velmora_bare_window")
MOVIE_TOOL = os.path.join(BUILD, "bench/movie/velmora_movie_bench")

# --- X11: find a viewable window by its title, by walking the window tree -----------------------
xlib = ctypes.cdll.LoadLibrary("libX11.so.6")
Window = ctypes.c_ulong


class XWindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int),
                ("height", ctypes.c_int), ("border_width", ctypes.c_int), ("depth", ctypes.c_int),
                ("visual", ctypes.c_void_p), ("root", Window), ("c_class", ctypes.c_int),
                ("bit_gravity", ctypes.c_int), ("win_gravity", ctypes.c_int),
                ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
                ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int),
                ("colormap", ctypes.c_ulong), ("map_installed", ctypes.c_int),
                ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


class XTextProperty(ctypes.Structure):
    _fields_ = [("value", ctypes.c_void_p), ("encoding", ctypes.c_ulong), ("format", ctypes.c_int),
                ("nitems", ctypes.c_ulong)]


xlib.XOpenDisplay.restype = ctypes.c_void_p
xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
xlib.XDefaultRootWindow.restype = Window
xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
xlib.XQueryTree.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(Window), ctypes.POINTER(Window),
                            ctypes.POINTER(ctypes.POINTER(Window)), ctypes.POINTER(ctypes.c_uint)]
xlib.XGetWMName.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(XTextProperty)]
xlib.XGetWindowAttributes.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(XWindowAttributes)]
xlib.XFree.argtypes = [ctypes.c_void_p]
xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
# A window that goes away between XQueryTree and the next call raises BadWindow: not fatal.
ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(lambda d, e: 0)
xlib.XSetErrorHandler(ERROR_HANDLER)


xlib.XInternAtom.restype = ctypes.c_ulong
xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
xlib.XGetWindowProperty.argtypes = [ctypes.c_void_p, Window, ctypes.c_ulong, ctypes.c_long, ctypes.c_long,
                                    ctypes.c_int, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                                    ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong),
                                    ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_void_p)]


def window_name(display, w, ascii_title):
    """The window's title: WM_NAME for an ASCII title, else _NET_WM_NAME in UTF-8 (Qt sets WM_NAME
    of a Chinese title as compound text)."""
    if ascii_title:
        prop = XTextProperty()
        if not xlib.XGetWMName(display, w, ctypes.byref(prop)) or not prop.value:
            return None
        name = ctypes.string_at(prop.value, prop.nitems)
        xlib.XFree(prop.value)
        return name
    kind, fmt, n, after = ctypes.c_ulong(), ctypes.c_int(), ctypes.c_ulong(), ctypes.c_ulong()
    data = ctypes.c_void_p()
    net_wm_name = xlib.XInternAtom(display, b"_NET_WM_NAME", 0)
    utf8 = xlib.XInternAtom(display, b"UTF8_STRING", 0)
    if xlib.XGetWindowProperty(display, w, net_wm_name, 0, 1024, 0, utf8, ctypes.byref(kind),
                               ctypes.byref(fmt), ctypes.byref(n), ctypes.byref(after),
                               ctypes.byref(data)) != 0 or not data:
        return None
    name = ctypes.string_at(data, n.value)
    xlib.XFree(data)
    return name


def viewable_window(display, title):
    """The id of a viewable window named title, or 0."""
    stack = [xlib.XDefaultRootWindow(display)]
    while stack:
        w = stack.pop()
        root, parent = Window(), Window()
        children = ctypes.POINTER(Window)()
        n = ctypes.c_uint()
        if not xlib.XQueryTree(display, w, ctypes.byref(root), ctypes.byref(parent),
                               ctypes.byref(children), ctypes.byref(n)):
            continue
        kids = [children[i] for i in range(n.value)]
        if children:
            xlib.XFree(children)
        for k in kids:
            if window_name(display, k, title.isascii()) == title:
                    attrs = XWindowAttributes()
                    if xlib.XGetWindowAttributes(display, k, ctypes.byref(attrs)) and attrs.map_state == 2:
                        return k
            stack.append(k)
    return 0


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int)]


xlib.XGetImage.restype = ctypes.POINTER(XImage)
xlib.XGetImage.argtypes = [ctypes.c_void_p, Window, ctypes.c_int, ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                           ctypes.c_ulong, ctypes.c_int]


def frames_per_second(display, title, seconds):
    """How often per second the pixels of the window named title change, sampled for seconds."""
    w = viewable_window(display, title)
    attrs = XWindowAttributes()
    if not w or not xlib.XGetWindowAttributes(display, w, ctypes.byref(attrs)):
        return 0.0
    changes, last = 0, None
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        image = xlib.XGetImage(display, w, 0, 0, attrs.width, attrs.height, 0xFFFFFFFF, 2)  # ZPixmap
        if not image:
            return 0.0
        crc = zlib.crc32(ctypes.string_at(image.contents.data, image.contents.bytes_per_line * attrs.height))
        xlib.XFree(image.contents.data)
        xlib.XFree(image)
        if last is not None and crc != last:
            changes += 1
        last = crc
        time.sleep(0.004)
    return changes / seconds


# --- processes ------------------------------------------------------------------------------------
def tree_pss_mib(pid):
    parents = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open(f"/proc/{entry}/stat") as f:
                    s = f.read()
                parents[int(entry)] = int(s[s.rindex(")") + 2:].split()[1])
            except (OSError, ValueError, IndexError):
                pass
    kib = 0
    for p in parents:
        q = p
        while q > 1 and q != pid:
            q = parents.get(q, 0)
        if q != pid:
            continue
        try:
            with open(f"/proc/{p}/smaps_rollup") as f:
                for line in f:
                    if line.startswith("Pss:"):
                        kib += int(line.split()[1])
        except OSError:
            pass
    return kib / 1024


def start_and_wait(cmd, title, env, display):
    """Starts cmd; returns (process, ms to a viewable window named title)."""
    t0 = time.monotonic()
    proc = subprocess.Popen(cmd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = t0 + 30
    while time.monotonic() < deadline:
        if viewable_window(display, title):
            return proc, (time.monotonic() - t0) * 1000
        if proc.poll() is not None:
            break
        time.sleep(0.002)
    proc.kill()
    raise SystemExit(f"no window '{title.decode()}' from {cmd[0]}")


def stop(proc):
    proc.kill()
    proc.wait()
    time.sleep(0.3)  # let the helpers go


def main():
    for tool in (VELMORA, BARE):
        if not os.access(tool, os.X_OK):
            raise SystemExit(f"build {tool} first")
    for prog in ("Xvfb", "openbox"):
        if not shutil.which(prog):
            raise SystemExit(f"{prog} is missing (apt-get install -y xvfb openbox)")
    work = tempfile.mkdtemp()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    display_name = ":" + xvfb.stdout.readline().decode().strip()
    env = dict(os.environ, DISPLAY=display_name, XDG_CONFIG_HOME=os.path.join(work, "config"),
               XDG_RUNTIME_DIR=work)
    env.pop("QT_QPA_PLATFORM", None)
    if os.geteuid() == 0:
        env["QTWEBENGINE_DISABLE_SANDBOX"] = "1"
    wm = subprocess.Popen(["openbox"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(1)
    display = xlib.XOpenDisplay(display_name.encode())
    server = promo_server.start()
    good = f"http://127.0.0.1:{server.server_address[1]}"
    refused = dict(env, VELMORA_PROMO_SERVER="http://127.0.0.1:9")
    silent = socket.socket()  # listens, so connections complete, and never reads or answers
    silent.bind(("127.0.0.1", 0))
    silent.listen(128)
    blackhole = dict(env, VELMORA_PROMO_SERVER=f"http://127.0.0.1:{silent.getsockname()[1]}")
    served = dict(env, VELMORA_PROMO_SERVER=good)
    fig = {}

    def add(key, value):
        fig.setdefault(key, []).append(value)

    try:
        for _ in range(RUNS):
            p, ms = start_and_wait([BARE], b"BareWindow", env, display)
            add("bare_start_ms", ms)
            time.sleep(3)
            add("bare_idle_mib", tree_pss_mib(p.pid))
            stop(p)

            p, ms = start_and_wait([BARE, "--text"], b"BareWindow", env, display)
            add("text_start_ms", ms)
            time.sleep(3)
            add("text_idle_mib", tree_pss_mib(p.pid))
            stop(p)

            p, ms = start_and_wait([VELMORA], b"Velmora", refused, display)
            add("start_ms", ms)
            time.sleep(3)
            add("idle_mib", tree_pss_mib(p.pid))
            stop(p)

            p, ms = start_and_wait([VELMORA], b"Velmora", blackhole, display)
            add("blackhole_start_ms", ms)
            stop(p)

            promo_server.Handler.pages_seen = set()
            p, ms = start_and_wait([VELMORA], b"Velmora", served, display)
            add("good_start_ms", ms)
            deadline = time.monotonic() + 20
            while len(promo_server.Handler.pages_seen) < 2 and time.monotonic() < deadline:
                time.sleep(0.05)
            time.sleep(3)
            both = len(promo_server.Handler.pages_seen) == 2
            add("panes_mib" if both else "good_idle_mib", tree_pss_mib(p.pid))
            stop(p)

            if os.access(MOVIE_TOOL, os.X_OK):
                # The tool holds its first movie window open for 3 s after it printed pss_mib: the
                # frames it draws meanwhile are counted from the window's pixels.
                tool = subprocess.Popen([MOVIE_TOOL, "1", "", "3"], env=refused, stdout=subprocess.PIPE,
                                        stderr=subprocess.DEVNULL, text=True)
                lines = []
                try:
                    for line in tool.stdout:
                        lines.append(line)
                        if line.startswith("pss_mib"):
                            add("movie_fps", frames_per_second(display, "手相占卜".encode(), 2.0))
                    tool.wait(timeout=120)
                except subprocess.TimeoutExpired:
                    tool.kill()
                out = "".join(lines)
                vals = dict(line.split() for line in out.splitlines() if len(line.split()) == 2)
                if "pss_mib" in vals:
                    add("movie_mib", float(vals["pss_mib"]))
                    add("first_frame_ms", float(vals["cold_first_frame_ms"]))
                for key, value in vals.items():
                    if key.startswith("movies_"):
                        add(key, float(value))
    finally:
        server.shutdown()
        silent.close()
        wm.kill()
        xvfb.kill()
        shutil.rmtree(work, ignore_errors=True)

    med = {k: statistics.median(v) for k, v in fig.items()}
    targets = {"start_ms": ("bare", med.get("bare_start_ms"), 1.5),
               "idle_mib": ("bare", med.get("bare_idle_mib"), 1.5),
               "panes_mib": ("target", 200, 1), "movie_mib": ("target", 350, 1),
               "first_frame_ms": ("target", 1200, 1)}
    for k in sorted(med):
        v = fig[k]
        line = f"{k:20s} median {med[k]:8.1f}   min {min(v):8.1f}   max {max(v):8.1f}   (n={len(v)})"
        if k in targets and targets[k][1]:
            what, base, limit = targets[k]
            line += f"   {med[k] / base:5.2f}× {what} {base:.1f} (limit {limit * base:.0f})"
        print(line)

    if "text_start_ms" in med:  # the same against the bare window with a line of Chinese text
        print(f"against the bare window with text: start {med['start_ms'] / med['text_start_ms']:.2f}×, "
              f"idle {med['idle_mib'] / med['text_idle_mib']:.2f}×")


if __name__ == "__main__":
    main()
