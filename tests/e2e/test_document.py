"""The picture is the document, in the real window: a large picture scrolled
to its far corner, painted and saved stays whole and changes only where it
was painted; a small one is saved at its own size; a JPEG is never written
over; Ctrl+Shift+S saves a copy; undo after scrolling away goes back to the
step."""

import os
import struct
import subprocess
import tempfile
import zlib

import harness
from test_keeping import drag, file_pixels, shortcut, start, wait_for_output
from test_tools import PANEL


def make_picture(path, width, height):
    """A picture with a gradient, so that every part of it differs."""
    subprocess.run(["convert", "-size", "%dx%d" % (width, height), "gradient:#2060c0-#e0a040",
                    "-depth", "8", path], check=True)


def write_rgba_png(path, width, height, pixel):
    """An 8-bit RGBA PNG whose pixel (x, y) is pixel(x, y), four bytes."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    rows = b"".join(b"\0" + b"".join(pixel(x, y) for x in range(width)) for y in range(height))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def rgba_of(path):
    """The RGBA bytes of a picture file, and whether it has an alpha channel."""
    has_alpha = subprocess.run(["identify", "-format", "%A", path], check=True,
                               stdout=subprocess.PIPE).stdout.strip().lower() in (b"true", b"blend")
    rgba = subprocess.run(["convert", path, "-depth", "8", "rgba:-"], check=True,
                          stdout=subprocess.PIPE).stdout
    return has_alpha, rgba


def differing(a, b, width):
    """The (x, y) of every pixel whose RGB differs between two byte strings."""
    return [(i // 3 % width, i // 3 // width) for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3]]


def scroll_to_far_corner(win):
    for _ in range(3):
        shortcut(win, "Shift_L", "Right")
        shortcut(win, "Shift_L", "Down")


class DocumentTest(harness.TestCase):
    def test_a_large_picture_scrolled_painted_and_saved_stays_whole(self):
        with tempfile.TemporaryDirectory() as folder, harness.Session() as x:
            path = os.path.join(folder, "big.png")
            make_picture(path, 1000, 800)
            before = file_pixels(path)
            program, win = start(x, args=[path])
            corner = before[2][3 * (799 * 1000 + 999):3 * (799 * 1000 + 1000)]
            win.move(250, 60)
            scroll_to_far_corner(win)
            win.wait_until(lambda s: bytes(s.pixel(499, 499)) == corner, "the bottom-right corner")
            drag(win, [(300, 450), (480, 450)])  # picture row 428 + 322 = 750, x 800-980
            win.move(250, 60)
            shortcut(win, "Home")
            win.wait_until(lambda s: bytes(s.pixel(0, PANEL)) == before[2][:3], "the top-left again")
            shortcut(win, "Control_L", "s")
            wait_for_output(program, r"Saved %s\n" % path)
            width, height, rgb = file_pixels(path)
            self.assertEqual((width, height), (1000, 800))
            changed = differing(before[2], rgb, 1000)
            self.assertGreater(len(changed), 150)
            self.assertTrue(all(800 <= cx <= 980 and cy == 750 for cx, cy in changed), changed[:10])

            # The wheel scrolls down an eighth of the view (372 / 8 rows).
            win.click(250, 300, button=5)
            row_46 = before[2][3 * 46 * 1000:3 * 46 * 1000 + 3]
            win.wait_until(lambda s: bytes(s.pixel(0, PANEL)) == row_46, "the view 46 rows down")

            # Undo with the view elsewhere: the step is taken back where it
            # belongs, and the view goes there.
            shortcut(win, "Control_L", "z")
            win.wait_until(lambda s: bytes(s.pixel(499, 499)) == corner, "the view back at the stroke")
            win.key_down("Escape")
            self.assertEqual(program.wait(), 1)
            self.assertIn("Unsaved changes kept in", program.stdout)

    def test_transparency_is_kept_where_nothing_was_painted(self):
        with tempfile.TemporaryDirectory() as folder, harness.Session() as x:
            path = os.path.join(folder, "clear.png")
            write_rgba_png(path, 300, 200, lambda px, py: bytes((200, px % 256, py, (px + py) % 256)))
            _, before = rgba_of(path)
            program, win = start(x, args=[path])
            drag(win, [(20, 150), (250, 150)])  # picture row 22
            win.move(250, 60)
            shortcut(win, "Control_L", "s")
            wait_for_output(program, r"Saved %s\n" % path)
            win.key_down("Escape")
            self.assertEqual(program.wait(), 1)
            has_alpha, after = rgba_of(path)
            self.assertTrue(has_alpha, "saved with its alpha")
            for i in range(0, len(before), 4):
                px, py = i // 4 % 300, i // 4 // 300
                if py == 22 and 20 <= px <= 250:
                    self.assertEqual(after[i:i + 4], b"\0\0\0\xff", (px, py))
                else:
                    self.assertEqual(after[i:i + 4], before[i:i + 4], (px, py))

    def test_a_small_picture_is_saved_at_its_own_size(self):
        with tempfile.TemporaryDirectory() as folder, harness.Session() as x:
            path = os.path.join(folder, "small.png")
            make_picture(path, 200, 150)
            program, win = start(x, args=[path])
            win.wait_until(lambda s: s.pixel(300, 400) == (128, 128, 128), "the grey outside")
            drag(win, [(100, 200), (400, 200)])
            win.move(250, 60)
            shortcut(win, "Control_L", "s")
            wait_for_output(program, r"Saved %s\n" % path)
            width, height, rgb = file_pixels(path)
            self.assertEqual((width, height), (200, 150))
            self.assertEqual(rgb[3 * (72 * 200 + 199):3 * (72 * 200 + 200)], b"\0\0\0")
            win.key_down("Escape")
            self.assertEqual(program.wait(), 1)

    def test_a_jpeg_is_never_written_over_and_copies_get_new_names(self):
        with tempfile.TemporaryDirectory() as folder, harness.Session() as x:
            path = os.path.join(folder, "photo.jpg")
            make_picture(path, 640, 480)
            with open(path, "rb") as f:
                original = f.read()
            open(os.path.join(folder, "photo.png"), "wb").close()  # the name is taken
            program, win = start(x, args=[path])
            drag(win, [(100, 200), (400, 300)])
            win.move(250, 60)
            shot = win.screenshot()
            shortcut(win, "Control_L", "s")
            png = os.path.join(folder, "photo-2.png")
            wait_for_output(program, r"Saved %s \(%s is not written over\)\n" % (png, path))
            with open(path, "rb") as f:
                self.assertEqual(f.read(), original)
            width, height, rgb = file_pixels(png)
            self.assertEqual((width, height), (640, 480))
            self.assertEqual(rgb[3 * (72 * 640 + 100):3 * (72 * 640 + 101)], bytes(shot.pixel(100, 200)))
            self.assertEqual(os.path.getsize(os.path.join(folder, "photo.png")), 0)

            # A copy goes to the next free name; the document stays photo-2.png.
            shortcut(win, "Control_L", "Shift_L", "s")
            wait_for_output(program, r"Saved a copy as %s\n" % os.path.join(folder, "photo-2-2.png"))
            shortcut(win, "Control_L", "s")
            wait_for_output(program, r"Saved %s\n" % png)
            win.key_down("Escape")
            self.assertEqual(program.wait(), 1)
            self.assertNotIn("Unsaved", program.stdout)
            self.assertEqual(sorted(os.listdir(folder)),
                             ["photo-2-2.png", "photo-2.png", "photo.jpg", "photo.png"])


if __name__ == "__main__":
    harness.main()
