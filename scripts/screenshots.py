#!/usr/bin/env python3
"""Takes the README's pictures from the real programs, each in a private X
server of the end-to-end harness (tests/e2e/harness.py).

Usage: scripts/screenshots.py [--paint PATH] [--output PNG]
       scripts/screenshots.py --example NAME [--build DIR] [--output PNG]
                              [--args="ARG ..."] [--settle SECONDS] [KEY...]

Without --example: the Paint Program after a short painting session, a house
drawn with the Pencil, its roof, walls, window and door filled with the Ink
tool (the door's brown picked at a lower brightness from the value bar), grass
and a sun laid on with the Brush; every colour is picked from the colour
picker, so the swatch shows the last one.
  --paint   the paint executable (default: $EASEL_BUILD_DIR/paint, else
            build/release/paint)
  --output  where to write the PNG (default: docs/images/paint.png)

With --example NAME: the program examples/NAME (BUILD/examples/example_NAME,
BUILD default build/release) after the keys are typed into it, one by one:
xdotool key names such as a, 5, period, space, Return; shift+a is typed with
Shift held. Whatever the program prints is passed on. Default output
docs/images/NAME.png. --args gives the program arguments (split at spaces);
--settle the seconds it has to draw before the keys and the picture (default
0.5).

Needs Xvfb, xdotool, python3-xlib and ImageMagick's convert (scripts/deps.sh session).
"""

import argparse
import math
import os
import subprocess
import sys
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

import harness  # noqa: E402

DRAW_TIME = 0.5  # seconds for a program to draw what it was given


def drag(win, points):
    """Presses at the first point, moves through the others, releases."""
    win.move(*points[0])
    win.press()
    for x, y in points[1:]:
        win.move(x, y)
    win.release()


def save_png(win, output):
    shot = win.screenshot()
    ppm = b"P6\n%d %d\n255\n" % (shot.width, shot.height) + shot.rgb
    subprocess.run(["convert", "ppm:-", "png:" + output], input=ppm, check=True)


def ended(program, timeout):
    deadline = time.monotonic() + timeout
    while program.running() and time.monotonic() < deadline:
        time.sleep(0.05)
    return not program.running()


def hold_escape(win, program):
    """Holds Escape until the program has ended or 10 s have passed (a program
    that reads the key state would miss a press and release between two of
    its passes)."""
    win.key_down("Escape")
    ended(program, 10)
    win.key_up("Escape")


# Panel places, in window coordinates.
PENCIL, BRUSH, INK = (312, 62), (312, 87), (412, 62)


def value_bar_at(row):
    """The value bar's row for brightness 2 * row."""
    return (264, row)


def hue_at(hue, saturation=254):
    """The picker position of a hue and saturation at the current brightness."""
    return (hue, min(127, saturation // 2))


def paint_picture(win):
    # A house outline with the Pencil, in black (the colour at start-up).
    win.click(*PENCIL)
    wall_left, wall_right, wall_top, ground = 150, 300, 300, 440
    drag(win, [(wall_left, ground), (wall_right, ground), (wall_right, wall_top),
            (wall_left, wall_top), (wall_left, ground)])
    drag(win, [(wall_left - 20, wall_top), (225, 215), (wall_right + 20, wall_top),
            (wall_left - 20, wall_top)])
    drag(win, [(205, ground), (205, 375), (245, 375), (245, ground)])  # door
    drag(win, [(165, 320), (195, 320), (195, 350), (165, 350), (165, 320)])  # window

    # Fill the roof red, the walls yellow and the window blue with the Ink tool.
    win.click(*hue_at(0, 220))
    win.click(*INK)
    win.click(225, 270)
    win.click(*hue_at(38, 200))
    win.click(270, 400)
    win.click(*hue_at(150, 150))
    win.click(180, 335)
    # A darker picker for a brown door, then back to full brightness.
    win.click(*value_bar_at(70))
    win.click(*hue_at(20, 240))
    win.click(225, 410)
    win.click(*value_bar_at(127))

    # Grass and a sun with the Brush.
    win.click(*BRUSH)
    win.click(*hue_at(80, 254))
    for y in (452, 464, 476, 488):
        drag(win, [(x, y + (6 if (x // 40) % 2 else -6)) for x in range(10, 491, 20)])
    win.click(*hue_at(28, 254))
    for r in range(30, 0, -5):
        drag(win, [(400 + round(r * math.cos(a * math.pi / 8)),
                    200 + round(r * math.sin(a * math.pi / 8))) for a in range(17)])
    win.move(480, 140)


def shoot_paint(paint, output):
    if not os.access(paint, os.X_OK):
        sys.exit(f"screenshots.py: no paint program at {paint}; build it first")
    with harness.Session() as x:
        program = x.start(paint, cwd=os.path.join(ROOT, "assets"), env={"SDL_VIDEODRIVER": None})
        win = x.wait_window("Paint Program")
        time.sleep(DRAW_TIME)
        paint_picture(win)
        save_png(win, output)
        win.move(250, 300)
        hold_escape(win, program)
        status = program.wait()
    if status != 1:
        sys.exit(f"screenshots.py: the Paint Program ended with status {status}, expected 1")


def type_keys(win, keys):
    for key in keys:
        shift = key.startswith("shift+")
        if shift:
            key = key[len("shift+"):]
            win.key_down("Shift_L")
        win.key(key)
        if shift:
            win.key_up("Shift_L")


def shoot_example(program_path, output, keys, args=(), settle=DRAW_TIME):
    if not os.access(program_path, os.X_OK):
        sys.exit(f"screenshots.py: {program_path} not built")
    with harness.Session() as x:
        program = x.start(program_path, env={"SDL_VIDEODRIVER": "x11"}, args=args)
        win = x.wait_window()
        time.sleep(settle)
        type_keys(win, keys)
        if keys:
            time.sleep(DRAW_TIME)
        save_png(win, output)
        # End it as a user would: a key press; an animated example ends only
        # on Escape held. Leaving the session kills it as a last resort.
        win.key("space")
        if not ended(program, 2):
            hold_escape(win, program)
        sys.stdout.write(program.stdout)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    build = os.environ.get("EASEL_BUILD_DIR", os.path.join(ROOT, "build", "release"))
    parser.add_argument("--paint", default=os.path.join(build, "paint"))
    parser.add_argument("--example")
    parser.add_argument("--build", default=build)
    parser.add_argument("--output")
    parser.add_argument("--args", default="")
    parser.add_argument("--settle", type=float, default=DRAW_TIME)
    parser.add_argument("keys", nargs="*")
    args = parser.parse_args()
    name = args.example or "paint"
    output = os.path.abspath(args.output or os.path.join(ROOT, "docs", "images", name + ".png"))
    os.makedirs(os.path.dirname(output), exist_ok=True)
    if args.example:
        program = os.path.join(os.path.abspath(args.build), "examples", "example_" + name)
        shoot_example(program, output, args.keys, args.args.split(), args.settle)
    else:
        shoot_paint(os.path.abspath(args.paint), output)
    print(output)


if __name__ == "__main__":
    main()
