#!/usr/bin/env python3
"""Drives the real viewer window as a user does and reports what it costs.

Run on an X display (for example under xvfb-run -a -s "-screen 0 1920x1200x24"):

    bench/real_window.py build/app/korven program.nc --size 1280x1024 --moves 30

The viewer opens the program; once the picture is drawn and the process has gone idle (the
simplified copies made), its peak resident memory is read. The window is then set to each
--size in turn and a middle-button drag across the picture is made with XTEST events, one
pointer move at a time: each move is given until the process is idle again, and the CPU time
of all its threads over that move is taken. Printed: peak MB, then per size the median, lowest
and highest CPU ms per move and the median wall ms per move.
"""
import argparse
import ctypes
import ctypes.util
import glob
import os
import statistics
import subprocess
import sys
import time

PANEL_WIDTH = 144  # the control panel right of the picture, in logical pixels

x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
xtst = ctypes.CDLL(ctypes.util.find_library("Xtst") or "libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                           ctypes.POINTER(ctypes.c_ulong),
                           ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                           ctypes.POINTER(ctypes.c_uint)]
x11.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
x11.XMoveResizeWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                  ctypes.c_uint, ctypes.c_uint]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XFree.argtypes = [ctypes.c_void_p]
xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                      ctypes.c_ulong]
xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                      ctypes.c_ulong]


def cpu_ns(pid):
    """CPU time of all the process's threads so far, in nanoseconds."""
    total = 0
    for path in glob.glob(f"/proc/{pid}/task/*/schedstat"):
        try:
            with open(path) as f:
                total += int(f.read().split()[0])
        except (OSError, ValueError, IndexError):
            pass
    return total


def rss_mb(pid):
    try:
        with open(f"/proc/{pid}/status") as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1]) / 1024.0
    except OSError:
        pass
    return 0.0


RSS_TRACE = []  # (seconds, MB) while the program opens, when asked for


def wait_idle(pid, quiet_ms, limit_s):
    """Waits until the process used under 1 ms of CPU over quiet_ms; returns the wait in s."""
    start = time.monotonic()
    last = cpu_ns(pid)
    while time.monotonic() - start < limit_s:
        time.sleep(quiet_ms / 1000.0)
        if RSS_TRACE is not None and RSS_TRACE:
            RSS_TRACE.append((time.monotonic() - RSS_TRACE[0][0], rss_mb(pid)))
        now = cpu_ns(pid)
        if now - last < 1_000_000:
            return time.monotonic() - start
        last = now
    return time.monotonic() - start


def find_window(display, title_start):
    root = x11.XDefaultRootWindow(display)
    stack = [root]
    while stack:
        window = stack.pop()
        name = ctypes.c_char_p()
        if x11.XFetchName(display, window, ctypes.byref(name)) and name.value:
            found = name.value.decode("utf-8", "replace").startswith(title_start)
            x11.XFree(name)
            if found:
                return window
        root_ret, parent = ctypes.c_ulong(), ctypes.c_ulong()
        children, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
        if x11.XQueryTree(display, window, ctypes.byref(root_ret), ctypes.byref(parent),
                          ctypes.byref(children), ctypes.byref(count)):
            stack.extend(children[i] for i in range(count.value))
            if children:
                x11.XFree(children)
    return None


def peak_mb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1]) / 1024.0
    return float("nan")


def screenshot(path):
    """The whole screen, where ImageMagick's import is at hand."""
    if path:
        subprocess.run(["import", "-window", "root", path], check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def drag(display, pid, width, height, moves, step, shot=None):
    """A middle drag from the picture's middle; CPU and wall ms of every move."""
    picture = width - PANEL_WIDTH
    x, y = picture // 2 - moves * step // 2, height // 2
    xtst.XTestFakeMotionEvent(display, -1, x, y, 0)
    x11.XSync(display, 0)
    wait_idle(pid, 100, 60)
    xtst.XTestFakeButtonEvent(display, 2, 1, 0)
    x11.XSync(display, 0)
    wait_idle(pid, 50, 60)
    cpu, wall = [], []
    for i in range(moves):
        before = cpu_ns(pid)
        start = time.monotonic()
        xtst.XTestFakeMotionEvent(display, -1, x + (i + 1) * step, y + (i % 2), 0)
        x11.XSync(display, 0)
        wait_idle(pid, 20, 60)
        cpu.append((cpu_ns(pid) - before) / 1e6)
        wall.append((time.monotonic() - start) * 1e3)
    screenshot(shot and f"{shot}-{width}x{height}-drag.png")
    xtst.XTestFakeButtonEvent(display, 2, 0, 0)
    x11.XSync(display, 0)
    wait_idle(pid, 200, 120)
    screenshot(shot and f"{shot}-{width}x{height}-still.png")
    return cpu, wall


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("viewer")
    parser.add_argument("program")
    parser.add_argument("--size", action="append", default=[],
                        help="window client size WxH (repeatable; default 1280x1024)")
    parser.add_argument("--moves", type=int, default=30)
    parser.add_argument("--step", type=int, default=4, help="pixels per pointer move")
    parser.add_argument("--profile", help="a command run during each drag and stopped by SIGINT, "
                        "{pid} and {size} filled in (perf record -p {pid} -o f.{size})")
    parser.add_argument("--rss-trace", action="store_true",
                        help="print the resident memory while the program opens")
    parser.add_argument("--shot", help="screenshots PREFIX-WxH-drag.png (the last drag frame) "
                        "and PREFIX-WxH-still.png (after the release)")
    parser.add_argument("--verbose", action="store_true", help="every move's figures")
    args = parser.parse_args()
    sizes = [tuple(int(v) for v in s.split("x")) for s in (args.size or ["1280x1024"])]

    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("no X display")
    env = dict(os.environ, KORVEN_NO_SETTINGS="1")
    viewer = subprocess.Popen([args.viewer, args.program], env=env)
    try:
        title = "KORVEN : "
        window = None
        for _ in range(600):
            window = find_window(display, title)
            if window or viewer.poll() is not None:
                break
            time.sleep(0.1)
        if not window:
            sys.exit("the viewer showed no file")
        if args.rss_trace:
            RSS_TRACE.append((time.monotonic(), rss_mb(viewer.pid)))
        opened = wait_idle(viewer.pid, 200 if args.rss_trace else 1000, 600)
        if args.rss_trace:
            # Quiet for five samples in a row: the worker may pause between copies.
            opened += wait_idle(viewer.pid, 1000, 600)
            shown = 0.0
            for at, mb in RSS_TRACE[1:]:
                if abs(mb - shown) >= 20:
                    print(f"  rss {at:6.1f} s {mb:6.0f} MB")
                    shown = mb
            at, mb = max(RSS_TRACE[1:], key=lambda sample: sample[1])
            print(f"  rss highest sampled {mb:.0f} MB at {at:.1f} s")
            RSS_TRACE.clear()
        print(f"peak_MB {peak_mb(viewer.pid):.0f}  (idle {opened:.1f} s after the title)", flush=True)
        for width, height in sizes:
            x11.XMoveResizeWindow(display, window, 0, 0, width, height)
            x11.XSync(display, 0)
            wait_idle(viewer.pid, 1000, 120)
            recorder = None
            if args.profile:
                command = args.profile.format(pid=viewer.pid, size=f"{width}x{height}")
                recorder = subprocess.Popen("exec " + command, shell=True)
                time.sleep(1.0)
            cpu, wall = drag(display, viewer.pid, width, height, args.moves, args.step,
                             args.shot)
            if recorder:
                recorder.send_signal(2)
                recorder.wait()
            print(f"{width}x{height}: cpu_ms_per_move median {statistics.median(cpu):.1f} "
                  f"min {min(cpu):.1f} max {max(cpu):.1f}  wall_ms median "
                  f"{statistics.median(wall):.1f}  ({args.moves} moves)")
            if args.verbose:
                print("  cpu", " ".join(f"{c:.0f}" for c in cpu))
                print("  wall", " ".join(f"{w:.0f}" for w in wall))
            sys.stdout.flush()
        print(f"peak_MB_end {peak_mb(viewer.pid):.0f}")
    finally:
        viewer.terminate()
        viewer.wait()


if __name__ == "__main__":
    main()
