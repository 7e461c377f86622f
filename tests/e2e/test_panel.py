"""The tool panel of the real Paint Program: the colour picker at start-up and
after a brightness pick, the swatch after a colour pick, the button images
as each tool is chosen, and the placeholder when the icon files are missing."""

import os
import struct
import tempfile
import time

import harness

TITLE = "Paint Program"
BUTTONS = (  # file stem, left, top
    ("pen", 300, 50),
    ("brush", 300, 75),
    ("ink", 400, 50),
    ("clear", 400, 75),
)


def hsv_to_rgb(h, s, v):
    """The picker's colour for hue h, saturation s and value v, all 0-255."""
    top = 255 * v // 256
    if s == 0:
        return (top, top, top)
    sector, k = divmod(6 * h, 256)
    p = 255 * v * (256 - s) // 65536
    q = 255 * v * (65536 - s * k) // 16777216
    t = 255 * v * (65536 - s * (256 - k)) // 16777216
    return ((top, t, p), (q, top, p), (p, top, t), (p, q, top), (t, p, top), (top, p, q))[sector]


def read_bmp(path):
    """The top-left 25 x 25 pixels of a 24-bit BMP, as rows of (r, g, b)."""
    with open(path, "rb") as f:
        data = f.read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    assert bits == 24 and width >= 25 and height >= 25, path
    row_size = (width * 3 + 3) // 4 * 4
    rows = []
    for y in range(25):
        start = offset + row_size * (height - 1 - y)
        rows.append([(data[start + 3 * x + 2], data[start + 3 * x + 1], data[start + 3 * x])
                     for x in range(25)])
    return rows


# The first seven glyphs of the font, rows as bytes (column 0 the top bit):
# the icon loader draws its placeholder from them.
GLYPHS = (
    (0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00),
    (0x7E, 0x81, 0xA5, 0x81, 0xBD, 0x99, 0x81, 0x7E),
    (0x7E, 0xFF, 0xDB, 0xFF, 0xC3, 0xE7, 0xFF, 0x7E),
    (0x6C, 0xFE, 0xFE, 0xFE, 0x7C, 0x38, 0x10, 0x00),
    (0x10, 0x38, 0x7C, 0xFE, 0x7C, 0x38, 0x10, 0x00),
    (0x38, 0x7C, 0x38, 0xFE, 0xFE, 0xD6, 0x10, 0x38),
    (0x10, 0x10, 0x38, 0x7C, 0xFE, 0x7C, 0x10, 0x38),
)


def placeholder():
    def ink(glyph, row, column):
        return 255 * ((GLYPHS[glyph][row] >> (7 - column)) & 1)

    return [[(ink((x + y) // 8, y % 8, x % 8), ink((x + y) // 8, (x + y) % 8, x % 8),
              ink(x // 8, y % 8, (x + y) % 8)) for x in range(25)] for y in range(25)]


def panel_rows(win):
    """The bytes of the panel's rows as the window shows them now."""
    return win.screenshot().rgb[:3 * 500 * 128]


def wait_until(win, shows, what, timeout=10.0):
    deadline = time.monotonic() + timeout
    while not shows():
        if time.monotonic() > deadline:
            raise AssertionError("the window never showed %s" % what)
        time.sleep(0.05)


def start_paint(session, cwd=None):
    """Starts the program and waits until its panel is on the screen, so
    that no input is sent before the loop runs."""
    program = session.start(harness.build_path("paint"), cwd=cwd or harness.source_path("assets"))
    win = session.wait_window(TITLE)
    wait_until(win, lambda: win.screenshot().pixel(272, 0) == (236, 233, 216), "its panel")
    win.move(250, 400)  # over the canvas, away from the panel
    return program, win


def panel_click(win, x, y):
    """Clicks on the panel, holding the button down until the panel shows the
    pick: the program reads the button state once per pass, so a press and
    release that fell between two passes would go unseen."""
    before = panel_rows(win)
    win.move(x, y)
    win.press()
    wait_until(win, lambda: panel_rows(win) != before, "a pick at (%d, %d)" % (x, y))
    win.release()


class PanelTest(harness.TestCase):
    def assert_picker(self, shot, value):
        wrong = [(x, y) for y in range(128) for x in range(256)
                 if shot.pixel(x, y) != hsv_to_rgb(x, (2 * y) & 255, value)]
        self.assertEqual(wrong[:5], [], "%d picker pixels differ at value %d" % (len(wrong), value))

    def assert_square(self, shot, left, top, expected, what):
        wrong = [(left + x, top + y) for y in range(25) for x in range(25)
                 if shot.pixel(left + x, top + y) != expected[y][x]]
        self.assertEqual(wrong[:5], [], "%s: %d pixels differ" % (what, len(wrong)))

    def assert_buttons(self, shot, pressed):
        for stem, left, top in BUTTONS:
            name = stem + ("2" if stem == pressed else "1") + ".bmp"
            self.assert_square(shot, left, top, read_bmp(harness.source_path("assets", name)), name)

    def test_start_up_picker_and_pencil_pressed(self):
        with harness.Session() as x:
            program, win = start_paint(x)
            shot = win.screenshot()
            self.assert_picker(shot, 255)
            self.assert_buttons(shot, "pen")
            self.assertEqual(shot.pixel(271, 127), (254, 254, 254))
            self.assertEqual(shot.pixel(272, 0), (236, 233, 216))
            self.assertEqual(shot.colours(430, 0, 460, 30), {(0, 0, 0): 900}, "black swatch")
            self.assertTrue(program.running())

    def test_each_button_click_shows_its_pressed_image(self):
        with harness.Session() as x:
            program, win = start_paint(x)
            for stem, left, top in BUTTONS[1:] + BUTTONS[:1]:
                panel_click(win, left + 12, top + 12)
                win.move(250, 400)
                self.assert_buttons(win.screenshot(), stem)
            self.assertTrue(program.running())

    def test_a_pick_in_the_picker_shows_in_the_swatch(self):
        with harness.Session() as x:
            _, win = start_paint(x)
            for px, py in ((200, 100), (37, 64), (0, 0)):
                panel_click(win, px, py)
                win.move(250, 400)
                colour = hsv_to_rgb(px, 2 * py, 255)
                shot = win.screenshot()
                self.assertEqual(shot.colours(430, 0, 460, 30), {colour: 900},
                                 "after a pick at (%d, %d)" % (px, py))

    def test_a_click_on_the_value_bar_redraws_the_picker_at_that_value(self):
        with harness.Session() as x:
            _, win = start_paint(x)
            for row in (50, 0, 127):
                panel_click(win, 264, row)
                win.move(250, 400)
                self.assert_picker(win.screenshot(), 2 * row)

    def test_without_icon_files_every_button_shows_the_placeholder(self):
        with harness.Session() as x, tempfile.TemporaryDirectory() as empty:
            program, win = start_paint(x, cwd=empty)
            shot = win.screenshot()
            expected = placeholder()
            for stem, left, top in BUTTONS:
                self.assert_square(shot, left, top, expected, stem + " placeholder")
            self.assert_picker(shot, 255)
            self.assertTrue(program.running())
            self.assertEqual(os.listdir(empty), [], "the program writes nothing")


if __name__ == "__main__":
    harness.main()
