#!/usr/bin/env python3
"""End-to-end test of the entry-field example in a private X server.

Types a name (with Shift and Backspace), a character and a number (with a
decimal point and Backspace) into example_entry through XTEST, one key step
at a time, and checks what the program prints and how it ends; then checks
that Escape during a field ends the program with status 1.
"""
import os
import subprocess
import sys
import tempfile
import time
import unittest

BUILD_DIR = os.environ.get("EASEL_BUILD_DIR", "build/dev")
PROGRAM = os.path.join(BUILD_DIR, "examples", "example_entry")
STEP = 0.15  # SDL refreshes its key state when it pumps events: one state per wait


class XServer:
    """A private Xvfb, stopped by its process id."""

    def __init__(self):
        # -noreset: without it the server resets whenever its last client
        # leaves, and drops connections made during the reset. SDL opens and
        # closes one connection just before it opens its real one.
        read_fd, write_fd = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "640x560x24", "-nolisten", "tcp",
             "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        number = b""
        with os.fdopen(read_fd, "rb") as pipe:  # the number and the newline come separately
            while not number.endswith(b"\n"):
                chunk = pipe.read(1)
                if not chunk:
                    break
                number += chunk
        if not number.strip():
            self.stop()
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number.decode().strip()
        self.env = dict(os.environ, DISPLAY=self.display, SDL_VIDEODRIVER="x11")

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, check=True,
                              stdout=subprocess.PIPE, text=True).stdout

    def pixel(self, x, y):
        """The (r, g, b) of one screen pixel."""
        out = subprocess.run(
            f"xwd -root -silent | convert xwd:- -crop 1x1+{x}+{y} -depth 8 txt:-",
            shell=True, env=self.env, check=True, stdout=subprocess.PIPE, text=True).stdout
        values = out.splitlines()[-1].split("(")[1].split(")")[0].split(",")
        return tuple(int(float(v)) for v in values[:3])


class EntryProgram:
    """example_entry running on a private X server, typed into key by key."""

    def __init__(self, x):
        self.x = x
        self.workdir = tempfile.TemporaryDirectory()
        self.process = subprocess.Popen([os.path.abspath(PROGRAM)], cwd=self.workdir.name,
                                        env=x.env, stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE, text=True)
        self.wait_for_window()
        # Keyboard input goes to the window under the pointer.
        x.xdotool("mousemove", "60", "60")
        time.sleep(STEP)

    def wait_for_window(self):
        deadline = time.time() + 20
        while time.time() < deadline:
            found = subprocess.run(["xdotool", "search", "--name", "Entry Fields"],
                                   env=self.x.env, stdout=subprocess.PIPE, text=True)
            if found.returncode == 0 and found.stdout.strip():
                time.sleep(0.5)
                return
            if self.process.poll() is not None:
                out, err = self.process.communicate()
                raise AssertionError("the program ended before its window appeared: "
                                     f"status {self.process.returncode}\n{out}{err}")
            time.sleep(0.1)
        raise AssertionError("no window")

    def key(self, name, shift=False):
        """One key step: down, wait, up, wait (with Shift held around it)."""
        if shift:
            self.x.xdotool("keydown", "shift")
            time.sleep(STEP)
        self.x.xdotool("keydown", name)
        time.sleep(STEP)
        self.x.xdotool("keyup", name)
        time.sleep(STEP)
        if shift:
            self.x.xdotool("keyup", "shift")
            time.sleep(STEP)

    def finish(self, timeout=20):
        try:
            out, err = self.process.communicate(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            out, err = self.process.communicate()
            raise AssertionError("the program did not end; output so far:\n" + out + err)
        self.workdir.cleanup()
        return self.process.returncode, out

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.communicate()


class EntryTest(unittest.TestCase):
    def setUp(self):
        if not os.path.exists(PROGRAM):
            self.fail(f"{PROGRAM} is not built")
        self.x = XServer()
        self.program = None

    def tearDown(self):
        if self.program is not None:
            self.program.stop()
        self.x.stop()

    def test_typed_answers_come_back(self):
        p = self.program = EntryProgram(self.x)
        # Name field "Your name: " at (16, 16): the field starts at x = 16 + 11 * 8.
        p.key("j", shift=True)
        for k in ["o", "x", "BackSpace", "e"]:
            p.key(k)
        self.assertEqual(self.x.pixel(104 + 7, 16 + 7), (255, 250, 205),
                         "the field's cells are drawn opaque in the field colour")
        p.key("Return")
        p.key("w")
        p.key("2", shift=True)
        p.key("Return")
        for k in ["minus", "1", "2", "period", "7", "5", "BackSpace", "period", "3", "Return"]:
            p.key(k)
        time.sleep(0.3)
        p.key("space")  # any key ends the program
        status, out = p.finish()
        self.assertEqual(out.splitlines(), ["name: Joe", "char: @", "number: -12.73"])
        self.assertEqual(status, 0)

    def test_escape_in_a_field_ends_the_program(self):
        p = self.program = EntryProgram(self.x)
        p.key("a")
        p.key("Return")
        p.key("Escape")
        status, out = p.finish()
        self.assertEqual(status, 1)
        self.assertEqual(out, "", "nothing is printed when a field is left with Escape")


if __name__ == "__main__":
    unittest.main(verbosity=2)
