"""The window speaks and no click is lost, in the real window: the title
names the file with its unsaved mark and shows what a save did; quick taps
that press and release between two passes still fill and pick; the right
button takes a colour from the picture; [ and ] size the Brush; Shift+click
draws a Pencil line."""

import os
import shutil
import tempfile
import time

import harness
from bmpfiles import bmp
from test_keeping import shortcut
from test_tools import PANEL, PANEL_BACKGROUND, TITLE, WHITE
from Xlib import X
from Xlib.ext import xtest

DASH = " - "
BLACK = (0, 0, 0)
RED = (200, 30, 40)
# Ten closed boxes along the top of the picture, 40 x 60 with a black outline.
BOXES = [(20 + 48 * i, 20, 59 + 48 * i, 79) for i in range(10)]
RED_BLOCK = (20, 150, 120, 200)
BRUSH_BUTTON = (300, 75)


def picture_pixel(x, y):
    for left, top, right, bottom in BOXES:
        if left <= x <= right and top <= y <= bottom:
            return BLACK if x in (left, right) or y in (top, bottom) else WHITE
    left, top, right, bottom = RED_BLOCK
    if left <= x <= right and top <= y <= bottom:
        return RED
    return WHITE


def start(session, args=()):
    program = session.start(harness.build_path("paint"), cwd=harness.source_path("assets"),
                            args=args)
    win = session.wait_window(pattern="%s$" % TITLE)
    win.wait_until(lambda shot: shot.pixel(272, 0) == PANEL_BACKGROUND, "its panel")
    return program, win


def wait_title(win, wanted, what=None, timeout=harness.SHOW_TIMEOUT):
    """Waits until wanted(title) (or title == wanted) and returns the title."""
    test = wanted if callable(wanted) else (lambda t: t == wanted)
    deadline = time.monotonic() + timeout
    while True:
        title = win.title()
        if test(title):
            return title
        if time.monotonic() > deadline:
            raise AssertionError("the title never became %s; it is %r" % (what or repr(wanted),
                                                                          title))
        time.sleep(0.05)


def quick_tap(session, win, x, y, button=1):
    """Move, press and release sent at once: they reach the program together,
    most often between two of its passes."""
    d = session.display
    ox, oy, _, _ = win.geometry()
    xtest.fake_input(d, X.MotionNotify, x=ox + x, y=oy + y)
    xtest.fake_input(d, X.ButtonPress, button)
    xtest.fake_input(d, X.ButtonRelease, button)
    d.sync()


def press_key_until(win, key, title):
    win.key_down(key)
    wait_title(win, title)
    win.key_up(key)


def stroke_rows(shot, x, top, bottom):
    """The rows of column x between top and bottom that are not white."""
    return [y for y in range(top, bottom) if shot.pixel(x, y) != WHITE]


class BeginnerTest(harness.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="easel_beginner_")
        self.picture = os.path.join(self.folder, "boxes.bmp")
        with open(self.picture, "wb") as f:
            f.write(bmp(500, 500 - PANEL, 24, picture_pixel))

    def tearDown(self):
        shutil.rmtree(self.folder, ignore_errors=True)

    def test_the_title_names_the_file_and_says_what_a_save_did(self):
        with harness.Session() as x:
            program, win = start(x)
            self.assertEqual(win.title(), TITLE)
            win.key("Escape")
            program.wait()

            program, win = start(x, args=[self.picture])
            wait_title(win, "boxes.bmp" + DASH + TITLE)
            win.move(300, 400)
            win.press()
            win.move(320, 410)
            win.release()
            wait_title(win, "*boxes.bmp" + DASH + TITLE)
            shortcut(win, "ctrl", "s")
            wait_title(win, "Saved boxes.bmp" + DASH + TITLE)
            wait_title(win, "boxes.bmp" + DASH + TITLE, timeout=8)
            self.assertIn("Saved", program.stdout)
            win.key("Escape")
            program.wait()

            missing = os.path.join(self.folder, "no-such-folder", "new.png")
            program, win = start(x, args=[missing])
            wait_title(win, "new.png" + DASH + TITLE)
            win.move(300, 400)
            win.press()
            win.move(320, 410)
            win.release()
            shortcut(win, "ctrl", "s")
            wait_title(win, lambda t: t.startswith("not saved: ") and t.endswith(DASH + TITLE),
                       "a refused save")
            self.assertIn("not saved", program.stderr)

    def test_quick_taps_fill_ten_regions_and_pick_a_tool(self):
        with harness.Session() as x:
            _, win = start(x, args=[self.picture])
            win.key("f")  # the Ink
            for left, top, right, bottom in BOXES:
                quick_tap(x, win, (left + right) // 2, PANEL + (top + bottom) // 2)
                time.sleep(0.05)
            centres = [((l + r) // 2, PANEL + (t + b) // 2) for l, t, r, b in BOXES]
            win.wait_until(lambda shot: all(shot.pixel(cx, cy) == BLACK for cx, cy in centres),
                           "all ten boxes filled")

            left, top = BRUSH_BUTTON

            def square(shot):
                return [shot.pixel(left + i, top + j) for j in range(25) for i in range(25)]

            up = square(win.screenshot())
            quick_tap(x, win, left + 12, top + 12)
            win.wait_until(lambda shot: square(shot) != up, "the Brush button pressed")

    def test_right_click_takes_the_colour_for_the_next_stroke(self):
        with harness.Session() as x:
            _, win = start(x, args=[self.picture])
            win.click(60, PANEL + 170, button=3)
            win.wait_until(lambda shot: shot.pixel(445, 15) == RED, "the red swatch")
            win.move(200, 450)
            win.press()
            win.move(260, 450)
            win.release()
            win.wait_until(lambda shot: shot.pixel(230, 450) == RED, "a red stroke")

    def test_brackets_size_the_brush_and_shift_click_draws_a_line(self):
        with harness.Session() as x:
            _, win = start(x)

            def brush_stroke(y):
                win.move(100, y)
                win.press()
                win.move(200, y)
                win.release()
                return win.wait_until(lambda s: s.pixel(150, y) != WHITE, "the stroke at %d" % y)

            press_key_until(win, "b", TITLE)
            shot = brush_stroke(200)
            self.assertEqual(stroke_rows(shot, 150, 180, 220), list(range(195, 206)))
            press_key_until(win, "bracketright", "Brush size 12" + DASH + TITLE)
            press_key_until(win, "bracketright", "Brush size 14" + DASH + TITLE)
            shot = brush_stroke(260)
            self.assertEqual(stroke_rows(shot, 150, 240, 280), list(range(253, 268)))
            for size in (12, 10, 8, 6):
                press_key_until(win, "bracketleft", "Brush size %d" % size + DASH + TITLE)
            shot = brush_stroke(320)
            self.assertEqual(stroke_rows(shot, 150, 300, 340), list(range(317, 324)))

            press_key_until(win, "p", lambda t: True)
            win.click(100, 400)
            win.key_down("shift")
            win.click(300, 480)
            win.key_up("shift")
            shot = win.wait_until(lambda s: s.pixel(300, 480) == BLACK, "the line's end")
            for px, py in ((100, 400), (200, 440), (250, 460)):
                self.assertEqual(shot.pixel(px, py), BLACK, (px, py))
            self.assertEqual(shot.pixel(200, 430), WHITE)


if __name__ == "__main__":
    harness.main()
