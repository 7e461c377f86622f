#!/usr/bin/env python3
"""The real Paint Program at rest and under the pointer, in a private Xvfb.

Usage: scripts/idle_bench.py PAINT PASS_COUNTER [--seconds S] [--moves N] [--drag-seconds S]

PAINT is the program, PASS_COUNTER the preload library that counts its
passes (bench/pass_counter.cpp, built as libpass_counter.so). Prints:

- idle CPU: the share of one core that the program and the X server each
  used over S seconds (default 10) with the pointer resting over the canvas;
- move to pixel: with the Pencil held down on the canvas, the time from an
  XTEST pointer move to the first read-back of the window that shows the new
  point drawn (median and 90th percentile of N moves, default 200);
- passes while dragging: the program's passes a second while the pointer is
  moved back and forth with the button held, for the given seconds (default 3).

A report, not a test: nothing is compared with a goal here.
"""
import argparse
import os
import statistics
import struct
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))

import harness  # noqa: E402
from Xlib import X  # noqa: E402
from Xlib.ext import xtest  # noqa: E402

PANEL_BACKGROUND = (236, 233, 216)
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    """User plus system CPU seconds of a process so far."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS


def passes(count_file):
    with open(count_file, "rb") as f:
        return struct.unpack("<Q", f.read(8))[0]


class Pointer:
    """XTEST input straight through the harness's X connection: no xdotool
    process and no settling pause per step."""

    def __init__(self, session, win):
        self.d = session.display
        self.ox, self.oy, _, _ = win.geometry()

    def move(self, x, y):
        xtest.fake_input(self.d, X.MotionNotify, x=self.ox + x, y=self.oy + y)
        self.d.sync()

    def button(self, down):
        xtest.fake_input(self.d, X.ButtonPress if down else X.ButtonRelease, 1)
        self.d.sync()

    def pixel(self, x, y):
        image = self.d.screen().root.get_image(self.ox + x, self.oy + y, 1, 1, X.ZPixmap,
                                               0xFFFFFFFF)
        b, g, r = image.data[0], image.data[1], image.data[2]
        return (r, g, b)


def idle_cpu(program_pid, xvfb_pid, seconds):
    before = (cpu_seconds(program_pid), cpu_seconds(xvfb_pid), time.monotonic())
    time.sleep(seconds)
    after = (cpu_seconds(program_pid), cpu_seconds(xvfb_pid), time.monotonic())
    wall = after[2] - before[2]
    return 100.0 * (after[0] - before[0]) / wall, 100.0 * (after[1] - before[1]) / wall


def move_to_pixel(pointer, moves):
    """Milliseconds from each move to the first read-back showing its point."""
    times = []
    y = 200
    x = 20
    pointer.move(x, y)
    pointer.button(True)
    time.sleep(0.2)
    for _ in range(moves):
        x += 3
        if x > 480:
            x, y = 20, y + 6
            pointer.button(False)
            pointer.move(x, y)
            pointer.button(True)
            time.sleep(0.1)
        start = time.perf_counter()
        pointer.move(x, y)
        deadline = start + 2.0
        while pointer.pixel(x, y) != (0, 0, 0):
            if time.perf_counter() > deadline:
                raise RuntimeError("the point (%d, %d) was never drawn" % (x, y))
        times.append(1000.0 * (time.perf_counter() - start))
        time.sleep(0.005)  # a hand moves about this often
    pointer.button(False)
    return times


def passes_while_dragging(pointer, count_file, seconds):
    pointer.move(50, 450)
    pointer.button(True)
    first = passes(count_file)
    start = time.monotonic()
    x, step = 50, 1
    while time.monotonic() - start < seconds:
        x += step
        if x in (50, 450):
            step = -step
        pointer.move(x, 450)
        time.sleep(0.001)
    done = passes(count_file)
    wall = time.monotonic() - start
    pointer.button(False)
    return (done - first) / wall


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("paint")
    parser.add_argument("counter")
    parser.add_argument("--seconds", type=float, default=10.0)
    parser.add_argument("--moves", type=int, default=200)
    parser.add_argument("--drag-seconds", type=float, default=3.0)
    args = parser.parse_args()
    paint = os.path.abspath(args.paint)
    if not os.path.isfile(args.counter):
        sys.exit("no pass counter library at %s" % args.counter)
    assets = os.path.join(HERE, "..", "assets")
    with tempfile.NamedTemporaryFile(prefix="easel_passes_") as count, harness.Session() as x:
        count.write(b"\0" * 8)
        count.flush()
        env = {"SDL_VIDEODRIVER": "x11", "LD_PRELOAD": os.path.abspath(args.counter),
               "EASEL_PASS_COUNT_FILE": count.name}
        program = x.start(paint, cwd=assets, env=env)
        win = x.wait_window("Paint Program")
        win.wait_until(lambda shot: shot.pixel(272, 0) == PANEL_BACKGROUND, "its panel")
        pointer = Pointer(x, win)
        pointer.move(250, 300)
        time.sleep(1.0)
        idle_passes = passes(count.name)
        program_cpu, server_cpu = idle_cpu(program.pid, x._xvfb.pid, args.seconds)
        idle_rate = (passes(count.name) - idle_passes) / args.seconds
        times = move_to_pixel(pointer, args.moves)
        drag_rate = passes_while_dragging(pointer, count.name, args.drag_seconds)
        win.key("Escape")
        program.wait()
    deciles = statistics.quantiles(times, n=10) if len(times) > 1 else times * 9
    print("idle CPU over %.0f s, pointer over the canvas: program %.1f %%, X server %.1f %%, "
          "together %.1f %% of a core (%.0f passes/s)"
          % (args.seconds, program_cpu, server_cpu, program_cpu + server_cpu, idle_rate))
    print("move to pixel, %d moves with the Pencil held: median %.2f ms, 90th percentile %.2f ms"
          % (len(times), statistics.median(times), deciles[-1]))
    print("passes while dragging: %.0f a second" % drag_rate)


if __name__ == "__main__":
    main()
