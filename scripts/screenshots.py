#!/usr/bin/env python3
"""Runs the real Paint Program in a private X server, paints a small picture
with the mouse, and saves a screenshot of the window.

The session: a house drawn with the Pencil, its roof, walls, window and
door filled with the Ink tool (the door's brown picked at a lower brightness
from the value bar), grass and a sun laid on with the Brush; every colour is
picked from the colour picker, so the swatch shows the last one.

Usage: scripts/screenshots.py [--paint PATH] [--output PNG]
  --paint   the paint executable (default: $EASEL_BUILD_DIR/paint, else
            build/release/paint)
  --output  where to write the PNG (default: docs/images/paint.png)
Needs Xvfb, xdotool, xwd and ImageMagick's convert (scripts/deps.sh test).
"""

import argparse
import math
import os
import shutil
import subprocess
import sys
import tempfile
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
STEP = 0.12  # seconds between input steps: every state is seen by some pass


class Session:
    """A private Xvfb with the Paint Program running in it."""

    def __init__(self, paint):
        self.paint = paint
        self.xvfb = None
        self.program = None
        self.env = None
        self.window = (0, 0, 500, 500)

    def __enter__(self):
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "640x560x24", "-nolisten", "tcp",
             "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            while not number.endswith(b"\n"):
                chunk = pipe.read(1)
                if not chunk:
                    raise RuntimeError("Xvfb did not start")
                number += chunk
        self.env = dict(os.environ, DISPLAY=":" + number.decode().strip())
        self.env.pop("SDL_VIDEODRIVER", None)
        # The session ends with Escape and unsaved changes: their recovery file
        # goes to a folder of the session's own, not the user's.
        self.state_home = tempfile.mkdtemp(prefix="easel_screenshots_")
        self.env["XDG_STATE_HOME"] = self.state_home
        self.program = subprocess.Popen([self.paint], cwd=os.path.join(ROOT, "assets"), env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.window = self._find_window()
        return self

    def __exit__(self, *exc):
        if self.program is not None and self.program.poll() is None:
            self.program.kill()
            self.program.wait()
        if self.xvfb is not None:
            self.xvfb.terminate()
            self.xvfb.wait()
        if getattr(self, "state_home", None):
            shutil.rmtree(self.state_home, ignore_errors=True)

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *map(str, args)], env=self.env, check=True,
                              capture_output=True, text=True).stdout

    def _find_window(self):
        deadline = time.time() + 30
        while time.time() < deadline:
            if self.program.poll() is not None:
                raise RuntimeError("the Paint Program ended at start-up")
            found = subprocess.run(["xdotool", "search", "--name", "Paint Program"], env=self.env,
                                   capture_output=True, text=True).stdout.split()
            if found:
                geometry = {}
                for line in self.xdotool("getwindowgeometry", "--shell", found[0]).splitlines():
                    key, _, value = line.partition("=")
                    geometry[key] = int(value) if value.isdigit() else value
                time.sleep(0.5)  # let the first passes draw
                return (geometry["X"], geometry["Y"], geometry["WIDTH"], geometry["HEIGHT"])
            time.sleep(0.1)
        raise RuntimeError("no Paint Program window appeared")

    # Input, in window coordinates, one step at a time.
    def move(self, x, y):
        self.xdotool("mousemove", self.window[0] + x, self.window[1] + y)
        time.sleep(STEP)

    def click(self, x, y):
        self.move(x, y)
        self.xdotool("mousedown", 1)
        time.sleep(STEP)
        self.xdotool("mouseup", 1)
        time.sleep(STEP)

    def drag(self, points):
        self.move(*points[0])
        self.xdotool("mousedown", 1)
        time.sleep(STEP)
        for x, y in points[1:]:
            self.move(x, y)
        self.xdotool("mouseup", 1)
        time.sleep(STEP)

    def screenshot(self, output):
        x, y, w, h = self.window
        xwd = subprocess.run(["xwd", "-root", "-silent"], env=self.env, check=True,
                             capture_output=True).stdout
        subprocess.run(["convert", "xwd:-", "-crop", f"{w}x{h}+{x}+{y}", "+repage", output],
                       input=xwd, check=True)

    def quit(self):
        """Holds Escape until the program has ended (it reads the key state,
        so a press and release between two of its passes would be missed)."""
        self.move(250, 300)
        self.xdotool("keydown", "Escape")
        try:
            return self.program.wait(timeout=10)
        except subprocess.TimeoutExpired:
            return None
        finally:
            self.xdotool("keyup", "Escape")


# Panel places, in window coordinates.
PENCIL, BRUSH, INK = (312, 62), (312, 87), (412, 62)


def value_bar_at(row):
    """The value bar's row for brightness 2 * row."""
    return (264, row)


def hue_at(hue, saturation=254):
    """The picker position of a hue and saturation at the current brightness."""
    return (hue, min(127, saturation // 2))


def paint_picture(s):
    # A house outline with the Pencil, in black (the colour at start-up).
    s.click(*PENCIL)
    wall_left, wall_right, wall_top, ground = 150, 300, 300, 440
    s.drag([(wall_left, ground), (wall_right, ground), (wall_right, wall_top),
            (wall_left, wall_top), (wall_left, ground)])
    s.drag([(wall_left - 20, wall_top), (225, 215), (wall_right + 20, wall_top),
            (wall_left - 20, wall_top)])
    s.drag([(205, ground), (205, 375), (245, 375), (245, ground)])  # door
    s.drag([(165, 320), (195, 320), (195, 350), (165, 350), (165, 320)])  # window

    # Fill the roof red, the walls yellow and the window blue with the Ink tool.
    s.click(*hue_at(0, 220))
    s.click(*INK)
    s.click(225, 270)
    s.click(*hue_at(38, 200))
    s.click(270, 400)
    s.click(*hue_at(150, 150))
    s.click(180, 335)
    # A darker picker for a brown door, then back to full brightness.
    s.click(*value_bar_at(70))
    s.click(*hue_at(20, 240))
    s.click(225, 410)
    s.click(*value_bar_at(127))

    # Grass and a sun with the Brush.
    s.click(*BRUSH)
    s.click(*hue_at(80, 254))
    for y in (452, 464, 476, 488):
        s.drag([(x, y + (6 if (x // 40) % 2 else -6)) for x in range(10, 491, 20)])
    s.click(*hue_at(28, 254))
    for r in range(30, 0, -5):
        s.drag([(400 + round(r * math.cos(a * math.pi / 8)), 200 + round(r * math.sin(a * math.pi / 8)))
                for a in range(17)])
    s.move(480, 140)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    build = os.environ.get("EASEL_BUILD_DIR", os.path.join(ROOT, "build", "release"))
    parser.add_argument("--paint", default=os.path.join(build, "paint"))
    parser.add_argument("--output", default=os.path.join(ROOT, "docs", "images", "paint.png"))
    args = parser.parse_args()
    paint = os.path.abspath(args.paint)
    if not os.access(paint, os.X_OK):
        sys.exit(f"screenshots.py: no paint program at {paint}; build it first")
    output = os.path.abspath(args.output)
    os.makedirs(os.path.dirname(output), exist_ok=True)

    with Session(paint) as session:
        paint_picture(session)
        session.screenshot(output)
        status = session.quit()
    if status != 1:
        sys.exit(f"screenshots.py: the Paint Program ended with status {status}, expected 1")
    print(output)


if __name__ == "__main__":
    main()
