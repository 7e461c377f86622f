"""End-to-end harness: drives a real program in a private X server.

    import harness

    class PaintTest(harness.TestCase):
        def test_escape(self):
            with harness.Session() as x:                    # private Xvfb
                prog = x.start(harness.build_path("paint"), cwd=harness.source_path("assets"))
                win = x.wait_window("Paint Program")        # by title, via xdotool
                win.move(10, 200); win.press(); win.move(40, 220); win.release()
                shot = win.screenshot()                     # shot.pixel(x, y) -> (r, g, b)
                win.key("Escape")
                self.assertEqual(prog.wait(), 1)

    if __name__ == "__main__":
        harness.main()

Every input step (move, press, release, key down, key up) is sent on its own
through XTEST and followed by a short wait, so that the program's loop sees
each state. Coordinates given to a Window are relative to its top-left corner.
Leaving the Session kills every program it started and then the X server.
A missing Xvfb, xdotool or python3-xlib makes the test fail, never skip.
"""

import collections
import os
import re
import select
import shutil
import subprocess
import tempfile
import time
import unittest

try:
    from Xlib import X, Xatom, display as xdisplay
    from Xlib.protocol import event as xevent
except ImportError as missing:  # fail loudly: the e2e tests must not pass without it
    raise ImportError("python3-xlib is needed for the end-to-end tests "
                      "(scripts/deps.sh test): %s" % missing)

SETTLE = 0.15        # seconds to wait after each input step
START_TIMEOUT = 10.0  # seconds for the X server or a window to appear
EXIT_TIMEOUT = 5.0    # seconds for a program to end when asked
SHOW_TIMEOUT = 10.0   # seconds for a program to show what its input asked for


class HarnessError(RuntimeError):
    """The harness could not do what was asked (missing tool, no window, ...)."""


def build_path(*parts):
    """A path inside the build tree (EASEL_BUILD_DIR), e.g. build_path("paint")."""
    return os.path.join(_env_dir("EASEL_BUILD_DIR"), *parts)


def source_path(*parts):
    """A path inside the source tree (EASEL_SOURCE_DIR), e.g. source_path("assets")."""
    return os.path.join(_env_dir("EASEL_SOURCE_DIR"), *parts)


def _env_dir(name):
    value = os.environ.get(name)
    if not value:
        raise HarnessError("%s is not set; run the test through ctest" % name)
    return value


def _require(tool):
    path = shutil.which(tool)
    if path is None:
        raise HarnessError("%s not found: install it with scripts/deps.sh test" % tool)
    return path


class Program:
    """A started program. Its output goes to files; read it with .stdout/.stderr."""

    def __init__(self, path, cwd=None, env=None, display=None, args=()):
        if not os.access(path, os.X_OK):
            raise HarnessError("not an executable program: %s" % path)
        full_env = dict(os.environ)
        if display is not None:
            full_env["DISPLAY"] = display
        for key, value in (env or {}).items():
            if value is None:
                full_env.pop(key, None)   # None unsets the variable
            else:
                full_env[key] = value
        self.path = path
        self._out = tempfile.TemporaryFile()
        self._err = tempfile.TemporaryFile()
        self._proc = subprocess.Popen([path] + list(args), cwd=cwd, env=full_env, stdin=subprocess.DEVNULL,
                                      stdout=self._out, stderr=self._err)
        self.pid = self._proc.pid

    def running(self):
        """True while the program has not ended."""
        return self._proc.poll() is None

    def wait(self, timeout=EXIT_TIMEOUT):
        """The exit status; fails (and kills the program) if it does not end in time."""
        try:
            return self._proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.kill()
            raise HarnessError("%s did not end within %.1f s; stdout %r, stderr %r"
                               % (self.path, timeout, self.stdout, self.stderr))

    def kill(self):
        """Ends the program (this one process, by its id) if it still runs."""
        if self._proc.poll() is None:
            self._proc.kill()
            self._proc.wait()

    @property
    def stdout(self):
        return self._read(self._out)

    @property
    def stderr(self):
        return self._read(self._err)

    @staticmethod
    def _read(f):
        f.flush()
        f.seek(0)
        return f.read().decode("utf-8", "replace")

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.kill()
        self._out.close()
        self._err.close()


def start(path, cwd=None, env=None, args=()):
    """Starts a program with no X server of the harness (env values of None unset a variable)."""
    return Program(path, cwd=cwd, env=env, args=args)


class Screenshot:
    """An RGB picture: width, height, pixel(x, y) -> (r, g, b)."""

    def __init__(self, width, height, rgb):
        self.width = width
        self.height = height
        self.rgb = rgb   # bytes, 3 per pixel, row by row

    def pixel(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise IndexError("(%d, %d) is outside %dx%d" % (x, y, self.width, self.height))
        i = 3 * (y * self.width + x)
        return tuple(self.rgb[i:i + 3])

    def __getitem__(self, xy):
        return self.pixel(*xy)

    def colours(self, left=0, top=0, right=None, bottom=None):
        """Counter of the colours in the box [left, right) x [top, bottom)."""
        right = self.width if right is None else right
        bottom = self.height if bottom is None else bottom
        counts = collections.Counter()
        for y in range(top, bottom):
            row = self.rgb[3 * (y * self.width + left):3 * (y * self.width + right)]
            counts.update(zip(row[0::3], row[1::3], row[2::3]))
        return counts

    def save_ppm(self, path):
        """Writes the picture as a binary PPM, for looking at a failure."""
        with open(path, "wb") as f:
            f.write(b"P6\n%d %d\n255\n" % (self.width, self.height))
            f.write(self.rgb)


class Window:
    """A top-level window of the program under test, found by its title."""

    def __init__(self, session, wid):
        self.session = session
        self.id = wid

    def geometry(self):
        """(x, y, width, height) of the window on the screen."""
        d = self.session.display
        w = d.create_resource_object("window", self.id)
        g = w.get_geometry()
        origin = w.translate_coords(d.screen().root, 0, 0)
        return (-origin.x, -origin.y, g.width, g.height)

    def title(self):
        w = self.session.display.create_resource_object("window", self.id)
        name = w.get_full_property(self.session.display.intern_atom("_NET_WM_NAME"), 0)
        if name is None:
            name = w.get_full_property(Xatom.WM_NAME, 0)
        value = name.value if name is not None else b""
        return value.decode("utf-8", "replace") if isinstance(value, bytes) else value

    def move(self, x, y):
        """Moves the pointer to (x, y) inside the window."""
        wx, wy, _, _ = self.geometry()
        self.session.xdotool("mousemove", str(wx + x), str(wy + y))

    def press(self, button=1):
        """Presses a mouse button (1 left, 2 middle, 3 right) and keeps it down."""
        self.session.xdotool("mousedown", str(button))

    def release(self, button=1):
        self.session.xdotool("mouseup", str(button))

    def click(self, x, y, button=1):
        """Move, press, release: three steps."""
        self.move(x, y)
        self.press(button)
        self.release(button)

    def key_down(self, name):
        """Presses a key (an X keysym name such as "Escape" or "a") and keeps it down.
        Keys go to the window under the pointer, so the pointer is put over it first."""
        self._pointer_inside()
        self.session.xdotool("keydown", name)

    def key_up(self, name):
        self.session.xdotool("keyup", name)

    def key(self, name):
        """Presses and releases a key as two steps. A program that reads the key
        state (not the events) sees the key held only if it pumps its input in
        between; for a key that must be seen held, key_down and release later."""
        self.key_down(name)
        self.key_up(name)

    def _pointer_inside(self):
        x, y, w, h = self.geometry()
        p = self.session.display.screen().root.query_pointer()
        if not (x <= p.root_x < x + w and y <= p.root_y < y + h):
            self.move(w // 2, h // 2)

    def screenshot(self):
        """The window's pixels as they are on the screen now."""
        x, y, w, h = self.geometry()
        return self.session.screenshot(x, y, w, h)

    def wait_until(self, shows, what, timeout=SHOW_TIMEOUT):
        """Takes screenshots until shows(shot) is true and returns that shot;
        fails after timeout seconds. A loaded machine may take a while to run
        the program's next pass, so tests wait for what they expect to see
        rather than for a fixed time."""
        deadline = time.monotonic() + timeout
        while True:
            shot = self.screenshot()
            if shows(shot):
                return shot
            if time.monotonic() > deadline:
                raise AssertionError("the window never showed %s" % what)
            time.sleep(0.05)

    def close(self):
        """Sends WM_DELETE_WINDOW, the request a window manager sends for the close button."""
        d = self.session.display
        w = d.create_resource_object("window", self.id)
        protocols = d.intern_atom("WM_PROTOCOLS")
        delete = d.intern_atom("WM_DELETE_WINDOW")
        msg = xevent.ClientMessage(window=w, client_type=protocols,
                                   data=(32, [delete, X.CurrentTime, 0, 0, 0]))
        w.send_event(msg, event_mask=0)
        d.flush()
        time.sleep(SETTLE)


class Session:
    """A private Xvfb server and the programs started in it; a context manager."""

    def __init__(self, width=640, height=560, depth=24):
        self._xvfb = None
        self._programs = []
        self.display = None
        self.name = None
        self.state_home = tempfile.mkdtemp(prefix="easel_e2e_state_")
        xvfb = _require("Xvfb")
        self._xdotool = _require("xdotool")
        read_fd, write_fd = os.pipe()
        try:
            self._xvfb = subprocess.Popen(
                [xvfb, "-displayfd", str(write_fd), "-screen", "0",
                 "%dx%dx%d" % (width, height, depth), "-nolisten", "tcp", "-noreset"],
                pass_fds=(write_fd,), stdin=subprocess.DEVNULL,
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            os.close(write_fd)
            write_fd = -1
            number = self._read_display_number(read_fd)
        except BaseException:
            self.close()
            raise
        finally:
            if write_fd >= 0:
                os.close(write_fd)
            os.close(read_fd)
        self.name = ":%s" % number
        try:
            self.display = xdisplay.Display(self.name)
        except BaseException:
            self.close()
            raise

    def _read_display_number(self, fd):
        # Xvfb writes the number and the newline separately: read the whole line.
        deadline = time.monotonic() + START_TIMEOUT
        data = b""
        while not data.endswith(b"\n"):
            left = deadline - time.monotonic()
            if left <= 0 or self._xvfb.poll() is not None:
                raise HarnessError("Xvfb did not start (status %s, read %r)"
                                   % (self._xvfb.poll(), data))
            ready, _, _ = select.select([fd], [], [], min(left, 0.1))
            if ready:
                chunk = os.read(fd, 64)
                if not chunk:
                    raise HarnessError("Xvfb closed its display pipe (read %r)" % data)
                data += chunk
        return int(data.strip())

    def start(self, path, cwd=None, env=None, args=()):
        """Starts a program on this server's display, with the given arguments;
        killed when the session ends. Its XDG_STATE_HOME is a folder of the
        session's own (state_home) unless env gives one, so that files a
        program keeps there (the Paint Program's recovery files) never land in
        the user's home."""
        env = dict(env or {})
        env.setdefault("XDG_STATE_HOME", self.state_home)
        program = Program(path, cwd=cwd, env=env, display=self.name, args=args)
        self._programs.append(program)
        return program

    def wait_window(self, title=None, program=None, timeout=START_TIMEOUT, pattern=None):
        """The first window whose title matches (xdotool search --name), or with
        no title given the first window that has one; pattern, a regular
        expression, matches instead of the exact title. Fails early if the
        given program (default: the last one started) ends first."""
        program = program or (self._programs[-1] if self._programs else None)
        if pattern is None:
            pattern = "." if title is None else "^%s$" % re.escape(title)
        deadline = time.monotonic() + timeout
        while True:
            found = subprocess.run([self._xdotool, "search", "--name", pattern],
                                   env=self._env(), stdout=subprocess.PIPE,
                                   stderr=subprocess.DEVNULL)
            ids = [int(line) for line in found.stdout.split()]
            if ids:
                return Window(self, ids[0])
            if program is not None and not program.running():
                raise HarnessError("%s ended (status %s) before its window %r appeared; "
                                   "stdout %r, stderr %r" % (program.path, program.wait(),
                                                            title, program.stdout,
                                                            program.stderr))
            if time.monotonic() > deadline:
                raise HarnessError("no window titled %r within %.1f s" % (title, timeout))
            time.sleep(0.05)

    def xdotool(self, *args):
        """Runs one xdotool command on this display, then waits SETTLE seconds."""
        done = subprocess.run([self._xdotool] + list(args), env=self._env(),
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        if done.returncode != 0:
            raise HarnessError("xdotool %s failed: %s" % (" ".join(args),
                                                         done.stderr.decode(errors="replace")))
        time.sleep(SETTLE)

    def screenshot(self, x=0, y=0, width=None, height=None):
        """A box of the screen (default: all of it) read with XGetImage."""
        root = self.display.screen().root
        if width is None or height is None:
            g = root.get_geometry()
            width, height = g.width - x, g.height - y
        image = root.get_image(x, y, width, height, X.ZPixmap, 0xFFFFFFFF)
        return Screenshot(width, height, self._to_rgb(image.data, width, height))

    def _to_rgb(self, data, width, height):
        screen = self.display.screen()
        visual = [v for d in screen.allowed_depths for v in d.visuals
                  if v.visual_id == screen.root_visual][0]
        info = self.display.display.info
        fmt = [f for f in info.pixmap_formats if f.depth == screen.root_depth][0]
        if fmt.bits_per_pixel != 32:
            raise HarnessError("screenshots need a 32-bit pixmap format, got %d"
                               % fmt.bits_per_pixel)
        stride = len(data) // height
        if (visual.red_mask, visual.green_mask, visual.blue_mask) == (0xFF0000, 0xFF00, 0xFF) \
                and info.image_byte_order == X.LSBFirst:
            rgb = bytearray(3 * width * height)
            for row in range(height):
                line = data[row * stride:row * stride + 4 * width]
                out = 3 * width * row
                rgb[out:out + 3 * width:3] = line[2::4]
                rgb[out + 1:out + 3 * width:3] = line[1::4]
                rgb[out + 2:out + 3 * width:3] = line[0::4]
            return bytes(rgb)
        order = "little" if info.image_byte_order == X.LSBFirst else "big"
        masks = (visual.red_mask, visual.green_mask, visual.blue_mask)
        shifts = [(m & -m).bit_length() - 1 for m in masks]
        rgb = bytearray()
        for row in range(height):
            for col in range(width):
                i = row * stride + 4 * col
                v = int.from_bytes(data[i:i + 4], order)
                rgb.extend(((v & m) >> s) & 0xFF for m, s in zip(masks, shifts))
        return bytes(rgb)

    def _env(self):
        env = dict(os.environ)
        env["DISPLAY"] = self.name
        return env

    def _close_display(self):
        """Closes this harness's own connection to the X server, if open."""
        if self.display is not None:
            try:
                self.display.close()
            except Exception:
                pass
            self.display = None

    def kill_server(self):
        """Kills the X server at once (SIGKILL), leaving the programs running:
        what a program sees when its display goes away."""
        self._close_display()
        if self._xvfb is not None and self._xvfb.poll() is None:
            self._xvfb.kill()
            self._xvfb.wait()

    def close(self):
        """Kills the programs, then the X server. Safe to call more than once."""
        for program in self._programs:
            program.__exit__(None, None, None)
        self._programs = []
        if self.state_home is not None:
            shutil.rmtree(self.state_home, ignore_errors=True)
            self.state_home = None
        self._close_display()
        if self._xvfb is not None:
            if self._xvfb.poll() is None:
                self._xvfb.terminate()
                try:
                    self._xvfb.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    self._xvfb.kill()
                    self._xvfb.wait()
            self._xvfb = None

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


TestCase = unittest.TestCase


def main():
    """Runs the unittest cases of the calling script; a failure or error ends with status 1."""
    unittest.main(module="__main__", verbosity=2)
