"""The wireframe example shows a cube and an axis cross, turns them with the
arrow keys and ends with status 1 on Escape or on a window-close request."""

import time

import harness

TITLE = "easel wireframe"
CUBE = (225, 228, 240)
AXES = [(235, 70, 70), (80, 210, 110), (80, 140, 255)]
# The window is wider than high; the hint line takes its bottom 30 rows.
WIDTH, HEIGHT = 600, 400
SCENE_HEIGHT = HEIGHT - 30


def shows_the_whole_object(shot):
    colours = shot.colours(0, 0, WIDTH, SCENE_HEIGHT)
    return colours.get(CUBE, 0) > 1000 and all(colours.get(axis, 0) > 100 for axis in AXES)


def start_wireframe(session):
    """Starts the example and waits until its first frames are on the screen."""
    program = session.start(harness.build_path("examples", "example_wireframe"))
    win = session.wait_window(TITLE)
    win.wait_until(shows_the_whole_object, "the cube and the three axes")
    return program, win


def differing_pixels(a, b):
    return sum(1 for y in range(0, SCENE_HEIGHT, 2) for x in range(0, WIDTH, 2)
               if a.pixel(x, y) != b.pixel(x, y))


def settled(win):
    """Waits until two screenshots a frame apart agree (the camera has stopped
    turning) and returns the last."""
    shots = [win.screenshot()]

    def still(shot):
        same = shot.rgb == shots[-1].rgb
        shots.append(shot)
        return same
    time.sleep(0.1)
    return win.wait_until(still, "a picture at rest")


class WireframeTest(harness.TestCase):
    def test_draws_the_cube_and_all_three_axes(self):
        with harness.Session() as x:
            program, win = start_wireframe(x)  # waits for twelve edges and three axes
            self.assertTrue(program.running())
            self.assertEqual(win.geometry()[2:], (WIDTH, HEIGHT))
            win.key_down("Escape")
            self.assertEqual(program.wait(), 1)

    def test_arrow_keys_turn_the_camera(self):
        with harness.Session() as x:
            program, win = start_wireframe(x)
            win.move(WIDTH // 2, HEIGHT // 2)
            before = settled(win)
            for key in ("Left", "Up"):
                win.key_down(key)
                win.wait_until(lambda shot: differing_pixels(before, shot) > 200,
                               "the picture turned by %s" % key)
                win.key_up(key)
                before = settled(win)
            # Without a key held the picture stays still.
            time.sleep(0.3)
            self.assertEqual(win.screenshot().rgb, before.rgb)
            win.key_down("Escape")
            self.assertEqual(program.wait(), 1)

    def test_near_edges_run_off_the_screen_clipped(self):
        with harness.Session() as x:
            program, win = start_wireframe(x)
            border = self._cube_pixels_on_border(win.screenshot())
            self.assertEqual(border, 0, "from afar the cube fits on the screen")
            win.move(WIDTH // 2, HEIGHT // 2)
            win.key_down("Page_Up")
            # Edges that run off the screen are drawn up to its edge.
            win.wait_until(lambda shot: self._cube_pixels_on_border(shot) > 2,
                           "cube edges clipped at the screen's edge")
            win.key_up("Page_Up")
            win.key_down("Escape")
            self.assertEqual(program.wait(), 1)

    @staticmethod
    def _cube_pixels_on_border(shot):
        ring = [(x, 0) for x in range(WIDTH)] + [(0, y) for y in range(SCENE_HEIGHT)] + \
               [(WIDTH - 1, y) for y in range(SCENE_HEIGHT)]
        return sum(1 for p in ring if shot.pixel(*p) == CUBE)

    def test_window_close_request_ends_with_status_1(self):
        with harness.Session() as x:
            program, win = start_wireframe(x)
            win.close()
            self.assertEqual(program.wait(), 1)


if __name__ == "__main__":
    harness.main()
