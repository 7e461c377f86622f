"""Bad icon files, end to end: the Paint Program runs in a folder whose button
images are empty, truncated, of every refused depth (1, 4, 8 and 16 bits),
with absurd sizes in the header (one of them a sparse file long enough for
its 2 GiB of pixels), or not files at all (a folder, a FIFO, a dangling
symlink, a symlink loop); it keeps running and every such button shows the
loader's placeholder pattern, computed here from the font table in
easel/text/font_data.cpp. Good icons in the same folder still show their pictures.
A FIFO and a good file renamed over a button's name again and again while the
program runs never make it wait: it keeps drawing and ends on Escape.

The tests run as root in CI, where permission bits do not stop a read, so
"unreadable" is made with things that fail for root too: a symlink loop
(open fails with ELOOP), a dangling symlink (ENOENT), a folder (reads fail
with EISDIR) and a FIFO (opening it would wait for a writer for ever, so the
loader must not open it).
"""

import os
import re
import tempfile
import threading
import time

import bmpfiles
import harness

TITLE = "Paint Program"
BUTTONS = {  # top-left corner of each button, and where to click it
    "pen": (300, 50), "brush": (300, 75), "ink": (400, 50), "clear": (400, 75)}
TOOLS = ["pen", "brush", "ink", "clear"]


def font_table():
    """Font8x8 from easel/text/font_data.cpp: {glyph: [8 row bytes]}, column 0 the top bit."""
    with open(harness.source_path("easel", "text", "font_data.cpp")) as f:
        source = f.read()
    glyphs = {}
    for number, rows in re.findall(r"//\s*(\d+):((?:\s+[0-9A-Fa-f]{2}){8})", source):
        glyphs[int(number)] = [int(b, 16) for b in rows.split()]
    if len(glyphs) != 256:
        raise harness.HarnessError("found %d glyphs in font_data.cpp" % len(glyphs))
    return glyphs


def placeholder(font, width=25, height=25):
    """The loader's placeholder: {(x, y): (r, g, b)}."""
    def bit(g, r, c):
        return (font[g % 256][r % 8] >> (7 - c % 8)) & 1

    return {(x, y): (255 * bit((x + y) // 8, y, x), 255 * bit((x + y) // 8, x + y, x),
                     255 * bit(x // 8, y, x + y))
            for x in range(width) for y in range(height)}


def good_pixel(x, y):
    return (10 + 9 * x, 20 + 8 * y, 200 - 3 * (x + y))


GOOD = {(x, y): good_pixel(x, y) for x in range(25) for y in range(25)}
GOOD_BMP = bmpfiles.bmp(25, 25, 24, pixel=good_pixel)
PRESSED_BMP = bmpfiles.bmp(25, 25, 24, pixel=lambda x, y: tuple(255 - c for c in good_pixel(x, y)))


def make(folder, name, kind):
    path = os.path.join(folder, name)
    if kind == "good":
        data = GOOD_BMP
    elif kind == "good pressed":
        data = PRESSED_BMP
    elif kind == "empty":
        data = b""
    elif kind == "truncated":
        data = GOOD_BMP[:len(GOOD_BMP) // 2]
    elif kind == "header only":
        data = GOOD_BMP[:54]
    elif kind in ("1 bit", "4 bit", "8 bit", "16 bit"):
        data = bmpfiles.bmp(25, 25, int(kind.split()[0]))
    elif kind == "absurd size":
        data = bmpfiles.bmp(2, 2, 24, width_field=40000, height_field=40000)
    elif kind == "absurd height":
        data = bmpfiles.bmp(2, 2, 32, height_field=-2 ** 31)
    elif kind == "sparse":
        # 16383 x 32767 pixels at 32 bits: 4 KiB on disk, 2 GiB long.
        data = bmpfiles.bmp(1, 1, 32, width_field=16383, height_field=32767)[:54]
        with open(path, "wb") as f:
            f.write(data)
            f.truncate(54 + 16383 * 4 * 32767)
        return
    elif kind == "folder":
        os.mkdir(path)
        return
    elif kind == "fifo":
        os.mkfifo(path)
        return
    elif kind == "dangling symlink":
        os.symlink(os.path.join(folder, "no such file"), path)
        return
    elif kind == "symlink loop":
        os.symlink(name, path)
        return
    else:
        raise ValueError(kind)
    with open(path, "wb") as f:
        f.write(data)


class BadIconsTest(harness.TestCase):
    def setUp(self):
        self.font = font_table()
        self.placeholder = placeholder(self.font)

    def test_the_placeholder_formula_matches_known_elements(self):
        # A few elements whose values follow from the glyphs alone.
        p = self.placeholder
        self.assertEqual(p[(0, 0)], (0, 0, 0))
        self.assertEqual(p[(9, 0)], (255, 0, 255))
        self.assertEqual(p[(0, 9)], (255, 255, 0))
        self.assertEqual(p[(1, 8)], (255, 0, 0))
        self.assertEqual(p[(12, 12)], (255, 255, 255))

    def check_run(self, files):
        """Runs the program in a folder made of files {name: kind}, shows each button
        up and pressed, and checks what each shows; ends with Escape."""
        with tempfile.TemporaryDirectory() as folder, harness.Session() as x:
            for name, kind in files.items():
                make(folder, name, kind)
            program = x.start(harness.build_path("paint"), cwd=folder)
            win = x.wait_window(TITLE)
            time.sleep(0.3)
            for pressed in TOOLS:
                left, top = BUTTONS[pressed]
                win.click(left + 12, top + 12)
                time.sleep(0.2)
                self.assertTrue(program.running(), "ended after picking %s" % pressed)
                shot = win.screenshot()
                for tool in TOOLS:
                    name = "%s%d.bmp" % (tool, 2 if tool == pressed else 1)
                    kind = files[name]
                    want = GOOD if kind == "good" else self.placeholder
                    left, top = BUTTONS[tool]
                    wrong = [(i, j) for (i, j), colour in sorted(want.items())
                             if shot.pixel(left + i, top + j) != colour]
                    self.assertEqual(wrong, [], "%s (%s) with %s pressed: %d pixels differ, "
                                     "first at %s" % (name, kind, pressed, len(wrong),
                                                      wrong[:1]))
            win.move(250, 300)
            win.key_down("Escape")
            self.assertEqual(program.wait(), 1)
            win.key_up("Escape")

    def test_refused_depths_broken_files_and_a_folder(self):
        self.check_run({
            "pen1.bmp": "8 bit", "pen2.bmp": "empty",
            "brush1.bmp": "truncated", "brush2.bmp": "16 bit",
            "ink1.bmp": "1 bit", "ink2.bmp": "absurd size",
            "clear1.bmp": "4 bit", "clear2.bmp": "folder"})

    def test_files_that_cannot_be_opened_beside_good_ones(self):
        self.check_run({
            "pen1.bmp": "dangling symlink", "pen2.bmp": "symlink loop",
            "brush1.bmp": "fifo", "brush2.bmp": "good",
            "ink1.bmp": "good", "ink2.bmp": "header only",
            "clear1.bmp": "absurd height", "clear2.bmp": "sparse"})

    def test_a_fifo_swapped_in_again_and_again_never_stops_the_program(self):
        with tempfile.TemporaryDirectory() as folder, harness.Session() as x:
            for tool in TOOLS:
                make(folder, tool + "1.bmp", "good")
                make(folder, tool + "2.bmp", "good pressed")
            larger = os.path.join(folder, "larger.bmp")
            with open(larger, "wb") as f:
                f.write(bmpfiles.bmp(40, 40, 24, pixel=lambda x, y: good_pixel(x % 25, y % 25)))
            target = os.path.join(folder, "brush1.bmp")
            stop = threading.Event()
            swaps = [0]

            def swap():
                fifo, link = os.path.join(folder, "fifo.new"), os.path.join(folder, "link.new")
                while not stop.is_set():
                    os.mkfifo(fifo)
                    os.rename(fifo, target)
                    os.link(larger, link)
                    os.rename(link, target)
                    swaps[0] += 1

            program = x.start(harness.build_path("paint"), cwd=folder)
            win = x.wait_window(TITLE)
            swapper = threading.Thread(target=swap)
            swapper.start()
            try:
                for pressed in ["ink", "pen"] * 3:
                    left, top = BUTTONS[pressed]
                    win.click(left + 12, top + 12)
                    pressed_colour = tuple(255 - c for c in good_pixel(0, 0))
                    win.wait_until(lambda shot: shot.pixel(left, top) == pressed_colour,
                                   "%s pressed while the files were swapped" % pressed)
                    self.assertTrue(program.running())
            finally:
                stop.set()
                swapper.join()
            self.assertGreater(swaps[0], 0)
            # The larger file is left under the name: its top-left corner shows.
            left, top = BUTTONS["brush"]
            win.wait_until(lambda shot: all(shot.pixel(left + i, top + j) == GOOD[(i, j)]
                                            for i, j in GOOD),
                           "the larger brush1.bmp after the swapping")
            win.move(250, 300)
            win.key_down("Escape")
            self.assertEqual(program.wait(), 1)
            win.key_up("Escape")


if __name__ == "__main__":
    harness.main()
