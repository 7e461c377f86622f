"""`make run` on a machine without a display: scripts/run-paint.sh says so,
runs the scripted painting session on a virtual display instead, and prints
where the screenshot of it is."""

import os
import re
import struct
import subprocess

import harness


class RunWithoutDisplayTest(harness.TestCase):
    def test_says_so_and_saves_a_screenshot_of_a_scripted_session(self):
        paint = harness.build_path("paint")
        shot = os.path.join(os.path.dirname(paint), "paint-session.png")
        if os.path.exists(shot):
            os.remove(shot)
        env = dict(os.environ)
        env.pop("DISPLAY", None)
        done = subprocess.run([harness.source_path("scripts", "run-paint.sh"), paint], env=env,
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                              timeout=300)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertIn("no display", done.stdout)
        self.assertRegex(done.stdout, r"screenshot of the session written to %s\n" % re.escape(shot))
        with open(shot, "rb") as f:
            header = f.read(24)
        self.assertEqual(header[:8], b"\x89PNG\r\n\x1a\n")
        self.assertEqual(struct.unpack(">II", header[16:24]), (500, 500))


if __name__ == "__main__":
    harness.main()
