"""Keeping work in the real window: Ctrl+S saves the canvas as the window
shows it, a saved picture opens again, Ctrl+Z and Ctrl+Y take a stroke back
and bring it again, a file that is not a picture is refused with status 2
and left as it was, and Escape with unsaved changes keeps them in a
recovery file."""

import os
import re
import subprocess
import tempfile

import harness
from test_tools import PANEL, PANEL_BACKGROUND, TITLE, WHITE

CANVAS_BOX = (0, PANEL, 500, 500)
# The title names the picture's file once it has one: it ends in the name.
TITLE_PATTERN = "%s$" % TITLE


def start(session, args=(), env=None):
    """The program with the given arguments, once its panel is drawn."""
    program = session.start(harness.build_path("paint"), cwd=harness.source_path("assets"),
                            args=args, env=env)
    win = session.wait_window(pattern=TITLE_PATTERN)
    win.wait_until(lambda shot: shot.pixel(272, 0) == PANEL_BACKGROUND, "its panel")
    return program, win


def drag(win, path):
    win.move(*path[0])
    win.press()
    for point in path[1:]:
        win.move(*point)
    win.release()


def shortcut(win, *keys):
    """Holds the keys in order, then lets them go in reverse order."""
    for key in keys:
        win.key_down(key)
    for key in reversed(keys):
        win.key_up(key)


def canvas_of(shot):
    """The canvas rows of a window screenshot, as RGB bytes."""
    left, top, right, bottom = CANVAS_BOX
    return b"".join(shot.rgb[3 * (y * shot.width + left):3 * (y * shot.width + right)]
                    for y in range(top, bottom))


def file_pixels(path):
    """(width, height, RGB bytes) of a picture file, decoded by ImageMagick."""
    size = subprocess.run(["identify", "-format", "%w %h", path], check=True,
                          stdout=subprocess.PIPE).stdout.split()
    rgb = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True,
                         stdout=subprocess.PIPE).stdout
    return int(size[0]), int(size[1]), rgb


def wait_for_output(program, pattern, timeout=harness.SHOW_TIMEOUT):
    """The first match of pattern in the program's standard output."""
    import time
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = re.search(pattern, program.stdout)
        if found:
            return found
        time.sleep(0.05)
    raise AssertionError("the program never printed %r; stdout %r, stderr %r"
                         % (pattern, program.stdout, program.stderr))


class KeepingTest(harness.TestCase):
    def test_saved_picture_is_the_canvas_and_opens_again(self):
        with tempfile.TemporaryDirectory() as folder, harness.Session() as x:
            program, win = start(x, args=["--start-dir", folder])
            drag(win, [(60, 200), (300, 260), (420, 450)])
            win.move(250, 480)
            shot = win.screenshot()
            self.assertNotEqual(shot.pixel(300, 260), WHITE, "the stroke is there")
            shortcut(win, "Control_L", "s")
            saved = wait_for_output(program, r"Saved (\S+)\n").group(1)
            self.assertEqual(os.path.dirname(saved), folder)
            self.assertRegex(os.path.basename(saved), r"^painting-\d{8}-\d{6}\.png$")
            width, height, rgb = file_pixels(saved)
            self.assertEqual((width, height), (500, 500 - PANEL))
            self.assertEqual(rgb, canvas_of(shot), "the file holds the canvas as shown")
            win.key_down("Escape")
            self.assertEqual(program.wait(), 1)
            win.key_up("Escape")
            self.assertNotIn("Unsaved", program.stdout, "nothing unsaved at the end")

            program, win = start(x, args=["--start-dir", folder, os.path.basename(saved)])
            reopened = win.wait_until(lambda s: canvas_of(s) == canvas_of(shot), "the saved picture")
            self.assertEqual(reopened.pixel(300, 260), shot.pixel(300, 260))
            win.key_down("Escape")
            self.assertEqual(program.wait(), 1)

    def test_undo_and_redo_in_the_window(self):
        with harness.Session() as x:
            program, win = start(x)
            empty = canvas_of(win.screenshot())
            drag(win, [(100, 300), (400, 320)])
            win.move(250, 480)
            painted = canvas_of(win.screenshot())
            self.assertNotEqual(painted, empty)
            shortcut(win, "Control_L", "z")
            win.wait_until(lambda s: canvas_of(s) == empty, "the stroke taken back")
            shortcut(win, "Control_L", "y")
            win.wait_until(lambda s: canvas_of(s) == painted, "the stroke back again")
            shortcut(win, "Control_L", "z")
            win.wait_until(lambda s: canvas_of(s) == empty, "the stroke taken back again")
            shortcut(win, "Control_L", "Shift_L", "z")
            win.wait_until(lambda s: canvas_of(s) == painted, "the stroke redone with Shift")
            win.key_down("Escape")
            self.assertEqual(program.wait(), 1)

    def test_a_file_that_is_not_a_picture_is_refused_untouched(self):
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "notes.png")
            data = b"these are not the pixels you are looking for\n"
            with open(path, "wb") as f:
                f.write(data)
            with harness.start(harness.build_path("paint"), cwd=folder,
                               env={"DISPLAY": None, "SDL_VIDEODRIVER": "dummy"},
                               args=["notes.png"]) as program:
                self.assertEqual(program.wait(), 2)
                self.assertIn(path, program.stderr)
                self.assertIn("not an image", program.stderr)
            with open(path, "rb") as f:
                self.assertEqual(f.read(), data)
            self.assertEqual(os.listdir(folder), ["notes.png"])

    def test_escape_with_unsaved_changes_writes_a_recovery_file(self):
        with tempfile.TemporaryDirectory() as state, harness.Session() as x:
            program, win = start(x, env={"XDG_STATE_HOME": state})
            drag(win, [(80, 150), (420, 470)])
            win.move(250, 480)
            shot = win.screenshot()
            win.key_down("Escape")
            self.assertEqual(program.wait(), 1)
            kept = re.search(r"Unsaved changes kept in (\S+)\n", program.stdout)
            self.assertIsNotNone(kept, program.stdout + program.stderr)
            path = kept.group(1)
            self.assertEqual(os.path.dirname(path), os.path.join(state, "easel"))
            self.assertEqual(file_pixels(path)[2], canvas_of(shot))


if __name__ == "__main__":
    harness.main()
