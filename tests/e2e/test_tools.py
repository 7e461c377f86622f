"""The painting tools in the real window: a Pencil drag, a Brush drag and an
Ink fill, each compared pixel by pixel with the canvas worked out here, in
plain Python, from the same pointer steps."""

import collections
import math
import os
import tempfile

import harness

TITLE = "Paint Program"
WIDTH = HEIGHT = 500
PANEL = 128           # the canvas is rows 128 ... 499
FILL_TOP = 64         # the fill never reads or writes rows above this
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
BRUSH_BUTTON = (300, 75)  # top-left corners of the 25 x 25 buttons
INK_BUTTON = (400, 50)
DAB_STEP = 0.5        # brush spacing 5 % of the 10-pixel brush
DAB_ALPHA = 16        # one dab's weight out of 256
DAB_HALF_WIDTH = {0: 5, 1: 5, 2: 5, 3: 4, 4: 3, 5: 0}  # radius-5 dab rows
PANEL_BACKGROUND = (236, 233, 216)


def start_paint(session):
    """Starts the program and waits until its panel is on the screen: the
    window can appear before the loop runs, and input sent before then could
    all be taken in the first pass, a click with its press never seen."""
    program = session.start(harness.build_path("paint"), cwd=harness.source_path("assets"))
    win = session.wait_window(TITLE)
    win.wait_until(lambda shot: shot.pixel(272, 0) == PANEL_BACKGROUND, "its panel")
    return program, win


def pick_tool(win, button):
    """Clicks the middle of the tool button whose top-left corner is given,
    holding it down until the button shows pressed: the program reads the
    button state once per pass, so a press and release that fall between two
    passes would not pick the tool."""
    left, top = button

    def square(shot):
        return [shot.pixel(left + i, top + j) for j in range(25) for i in range(25)]

    up = square(win.screenshot())
    win.move(left + 12, top + 12)
    win.press()
    win.wait_until(lambda shot: square(shot) != up, "the button at %s pressed" % (button,))
    win.release()


class Canvas:
    """The expected window: white, drawn on by the documented tool rules."""

    def __init__(self):
        self.px = [[WHITE] * WIDTH for _ in range(HEIGHT)]

    def line(self, x0, y0, x1, y1, colour):
        """Integer accumulator line from (x0, y0) to (x1, y1), both ends drawn."""
        dx, dy = abs(x1 - x0), abs(y1 - y0)
        sx = -1 if x1 < x0 else 1
        sy = -1 if y1 < y0 else 1
        x_major = dx >= dy
        den, add = (dx, dy) if x_major else (dy, dx)
        num = den // 2
        x, y = x0, y0
        for _ in range(den + 1):
            self.px[y][x] = colour
            num += add
            if num >= den:
                num -= den
                if x_major:
                    y += sy
                else:
                    x += sx
            if x_major:
                x += sx
            else:
                y += sy

    def dab(self, cx, cy, colour):
        for dy, half in DAB_HALF_WIDTH.items():
            for y in {cy - dy, cy + dy}:
                if not 0 <= y < HEIGHT:
                    continue
                for x in range(max(cx - half, 0), min(cx + half, WIDTH - 1) + 1):
                    old = self.px[y][x]
                    self.px[y][x] = tuple((o * (256 - DAB_ALPHA) + c * DAB_ALPHA) // 256
                                          for o, c in zip(old, colour))

    def fill(self, x, y, colour):
        """4-connected fill of the colour under (x, y), rows FILL_TOP and below."""
        old = self.px[y][x]
        if old == colour:
            return
        self.px[y][x] = colour
        todo = collections.deque([(x, y)])
        while todo:
            px, py = todo.popleft()
            for nx, ny in ((px + 1, py), (px - 1, py), (px, py + 1), (px, py - 1)):
                if 0 <= nx < WIDTH and FILL_TOP <= ny < HEIGHT and self.px[ny][nx] == old:
                    self.px[ny][nx] = colour
                    todo.append((nx, ny))

    def differences(self, shot, top=PANEL):
        """(count, first) of the canvas pixels where the screenshot differs."""
        count, first = 0, None
        for y in range(top, HEIGHT):
            for x in range(WIDTH):
                got = shot.pixel(x, y)
                if got != self.px[y][x]:
                    count += 1
                    if first is None:
                        first = "(%d, %d): got %s, expected %s" % (x, y, got, self.px[y][x])
        return count, first


def brush_dabs(start, target, start_dab):
    """The dab centres of one brush movement and its last dab: dab n lies n
    steps along the segment from the start, truncated toward zero; the walk
    stops within a step of the target or once past it on an axis."""
    (sx, sy), (tx, ty) = start, target
    dabs = [start] if start_dab else []
    length = math.sqrt((tx - sx) ** 2 + (ty - sy) ** 2)
    cx, cy, n = sx, sy, 0
    while True:
        if math.sqrt((cx - tx) ** 2 + (cy - ty) ** 2) <= DAB_STEP:
            break
        if (sx - cx) * (tx - cx) > 0 or (sy - cy) * (ty - cy) > 0:
            break
        n += 1
        cx = int(sx + (tx - sx) * (n * DAB_STEP) / length)
        cy = int(sy + (ty - sy) * (n * DAB_STEP) / length)
        dabs.append((cx, cy))
    return dabs, (cx, cy)


class ToolsTest(harness.TestCase):
    def run_paint(self, session):
        return start_paint(session)

    def drag(self, win, path):
        win.move(*path[0])
        win.press()
        for point in path[1:]:
            win.move(*point)
        win.release()

    def assertCanvas(self, shot, expected, what):
        count, first = expected.differences(shot)
        if count:
            path = os.path.join(tempfile.gettempdir(), "easel_%s.ppm" % what)
            shot.save_ppm(path)
            self.fail("%s: %d canvas pixels differ, first at %s (screenshot in %s)"
                      % (what, count, first, path))

    def finish(self, program, win):
        win.key_down("Escape")
        self.assertEqual(program.wait(), 1)

    def test_pencil_drag_joins_the_pointer_positions(self):
        path = [(100, 200), (150, 220), (200, 300), (90, 330), (91, 331), (400, 480)]
        expected = Canvas()
        expected.line(*path[0], *path[0], BLACK)
        for previous, point in zip(path, path[1:]):
            expected.line(*point, *previous, BLACK)  # from the new position back
        with harness.Session() as x:
            program, win = self.run_paint(x)
            self.drag(win, path)
            self.assertCanvas(win.screenshot(), expected, "pencil")
            self.finish(program, win)

    def test_brush_drag_lays_soft_dabs(self):
        path = [(100, 300), (130, 300), (130, 340), (80, 365), (81, 365)]
        expected = Canvas()
        last = path[0]  # the press paints nothing
        for point in path[1:]:
            # Every pass with the pointer more than a step from the last dab
            # walks again; a walk that ended one pixel past the target is
            # followed, in the next pass, by a short walk back to it.
            while math.dist(last, point) > DAB_STEP:
                dabs, last = brush_dabs(last, point, start_dab=True)
                for centre in dabs:
                    expected.dab(*centre, BLACK)
        with harness.Session() as x:
            program, win = self.run_paint(x)
            pick_tool(win, BRUSH_BUTTON)
            self.drag(win, path)
            self.assertCanvas(win.screenshot(), expected, "brush")
            self.finish(program, win)

    def test_ink_fills_inside_a_pencil_loop(self):
        loop = [(250, 200), (350, 300), (250, 400), (150, 300), (203, 211), (250, 200)]
        expected = Canvas()
        expected.line(*loop[0], *loop[0], BLACK)
        for previous, point in zip(loop, loop[1:]):
            expected.line(*point, *previous, BLACK)
        inside = (250, 300)
        expected.fill(*inside, BLACK)
        with harness.Session() as x:
            program, win = self.run_paint(x)
            self.drag(win, loop)
            pick_tool(win, INK_BUTTON)  # the fill at the button itself is above row 64
            win.move(*inside)
            win.press()
            win.wait_until(lambda shot: shot.pixel(*inside) == BLACK, "the fill")
            win.release()
            self.assertCanvas(win.screenshot(), expected, "ink")
            # The fill did not leak: the canvas outside the loop is still white.
            self.assertEqual(win.screenshot().pixel(50, 450), WHITE)
            self.finish(program, win)


if __name__ == "__main__":
    harness.main()
