"""When the X server goes away under the Paint Program, the program ends
within moments with status 1, as on Escape, and its unsaved changes are kept
in a recovery file (on SDL 1.2.15 the program died inside Xlib and lost them;
on sdl12-compat it spun for ever)."""

import os
import re
import tempfile

import harness
from test_keeping import canvas_of, drag, file_pixels, start


class DisplayLostTest(harness.TestCase):
    def test_losing_the_server_quits_and_keeps_the_unsaved_changes(self):
        with tempfile.TemporaryDirectory() as state, harness.Session() as x:
            program, win = start(x, env={"XDG_STATE_HOME": state})
            drag(win, [(60, 160), (400, 450)])
            win.move(250, 480)
            shot = win.screenshot()
            x.kill_server()
            self.assertEqual(program.wait(timeout=harness.EXIT_TIMEOUT), 1,
                             program.stdout + program.stderr)
            kept = re.search(r"Unsaved changes kept in (\S+)\n", program.stdout)
            self.assertIsNotNone(kept, program.stdout + program.stderr)
            self.assertEqual(os.path.dirname(kept.group(1)), os.path.join(state, "easel"))
            self.assertEqual(file_pixels(kept.group(1))[2], canvas_of(shot))


if __name__ == "__main__":
    harness.main()
