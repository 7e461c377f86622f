"""Work that survives every way the program can end, in the real window: a
recovery file appears on its own within half a minute of a stroke and
outlives kill -9; SIGHUP keeps the work; pruning goes by modification time
whatever the time zone and leaves other names alone; an unusable state
folder falls back to a private temporary one and says so; --recover opens
the newest recovery file."""

import os
import re
import signal
import tempfile
import time

import harness
from test_keeping import canvas_of, drag, file_pixels, start, wait_for_output

AUTOSAVE_LIMIT = 30.0


def recovery_names(folder):
    return sorted(n for n in os.listdir(folder) if re.fullmatch(r"recovery-\d{8}-\d{6}-\d+(-\d+)?\.png", n))


def paint_a_stroke(win):
    drag(win, [(80, 150), (420, 470)])
    win.move(250, 60)
    return canvas_of(win.screenshot())


class RecoveryTest(harness.TestCase):
    def test_a_recovery_file_is_kept_while_painting_and_outlives_kill_9(self):
        with tempfile.TemporaryDirectory() as state, harness.Session() as x:
            program, win = start(x, env={"XDG_STATE_HOME": state})
            shown = paint_a_stroke(win)
            painted_at = time.monotonic()
            folder = os.path.join(state, "easel")
            while not (os.path.isdir(folder) and recovery_names(folder)):
                self.assertLess(time.monotonic() - painted_at, AUTOSAVE_LIMIT, "no recovery file in time")
                time.sleep(0.25)
            os.kill(program.pid, signal.SIGKILL)
            program.wait()
            names = recovery_names(folder)
            self.assertEqual(len(names), 1)
            self.assertEqual(file_pixels(os.path.join(folder, names[0]))[2], shown)

            # --recover opens it as a new picture, and says which.
            program, win = start(x, env={"XDG_STATE_HOME": state}, args=["--recover"])
            win.wait_until(lambda s: canvas_of(s) == shown, "the recovered picture")
            self.assertIn(names[0], program.stderr)
            win.key_down("Escape")
            self.assertEqual(program.wait(), 1)
            win.key_up("Escape")

    def test_sighup_sigint_and_sigterm_keep_the_work(self):
        with tempfile.TemporaryDirectory() as state, harness.Session() as x:
            for number in (signal.SIGHUP, signal.SIGINT, signal.SIGTERM):
                with self.subTest(signal=number):
                    program, win = start(x, env={"XDG_STATE_HOME": state})
                    shown = paint_a_stroke(win)
                    os.kill(program.pid, number)
                    self.assertEqual(program.wait(), 1)
                    path = wait_for_output(program, r"Unsaved changes kept in (\S+)\n").group(1)
                    self.assertEqual(file_pixels(path)[2], shown)

    def test_pruning_goes_by_age_in_any_time_zone_and_spares_other_names(self):
        with tempfile.TemporaryDirectory() as state, harness.Session() as x:
            folder = os.path.join(state, "easel")
            os.makedirs(folder)
            # Ten files made "later" in Tokyo than the Los Angeles run below,
            # by name, but older by the clock.
            now = time.time()
            for i in range(10):
                path = os.path.join(folder, "recovery-209912%02d-120000-%d.png" % (i + 1, 100 + i))
                with open(path, "wb") as f:
                    f.write(b"old")
                os.utime(path, (now - 1000 + i, now - 1000 + i))
            others = ["recovery-1.png", "recovery-notes.png", "recovery-20260101-120000-1.png.bak"]
            for name in others:
                open(os.path.join(folder, name), "wb").close()
                os.utime(os.path.join(folder, name), (now - 5000, now - 5000))
            program, win = start(x, env={"XDG_STATE_HOME": state, "TZ": "America/Los_Angeles"})
            paint_a_stroke(win)
            win.key_down("Escape")
            self.assertEqual(program.wait(), 1)
            win.key_up("Escape")
            path = wait_for_output(program, r"Unsaved changes kept in (\S+)\n").group(1)
            self.assertTrue(os.path.exists(path), "the file named is kept")
            left = set(os.listdir(folder))
            self.assertTrue(set(others) <= left, "other names are left alone")
            self.assertNotIn("recovery-20991201-120000-100.png", left, "the oldest went")
            self.assertEqual(len(recovery_names(folder)), 10)

    def test_an_unusable_state_folder_falls_back_to_a_private_temporary_one(self):
        with tempfile.TemporaryDirectory() as temp, harness.Session() as x:
            state = os.path.join(temp, "state-is-a-file")
            open(state, "wb").close()
            env = {"XDG_STATE_HOME": state, "HOME": None, "TMPDIR": temp}
            program, win = start(x, env=env)
            shown = paint_a_stroke(win)
            win.key_down("Escape")
            self.assertEqual(program.wait(), 1)
            win.key_up("Escape")
            path = wait_for_output(program, r"Unsaved changes kept in (\S+)\n").group(1)
            private = os.path.join(temp, "easel-%d" % os.getuid())
            self.assertEqual(os.path.dirname(path), private)
            self.assertEqual(os.stat(private).st_mode & 0o777, 0o700)
            self.assertIn(state, program.stderr, "says why the state folder was not used")
            self.assertEqual(file_pixels(path)[2], shown)


if __name__ == "__main__":
    harness.main()
