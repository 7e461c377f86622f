"""The wireframe example shows a cube and an axis cross, turns them with the
arrow keys and ends with status 1 on Escape or on a window-close request."""

import time

import harness

TITLE = "easel wireframe"
CUBE = (225, 228, 240)
AXES = [(235, 70, 70), (80, 210, 110), (80, 140, 255)]


def start_wireframe(session):
    program = session.start(harness.build_path("examples", "example_wireframe"))
    win = session.wait_window(TITLE)
    time.sleep(0.3)  # a few frames
    return program, win


class WireframeTest(harness.TestCase):
    def test_draws_the_cube_and_all_three_axes(self):
        with harness.Session() as x:
            program, win = start_wireframe(x)
            colours = win.screenshot().colours(0, 0, 500, 470)
            self.assertGreater(colours.get(CUBE, 0), 1000, "twelve cube edges")
            for axis in AXES:
                self.assertGreater(colours.get(axis, 0), 100, "axis colour %s" % (axis,))
            self.assertTrue(program.running())
            win.key_down("Escape")
            self.assertEqual(program.wait(), 1)

    def test_arrow_keys_turn_the_camera(self):
        with harness.Session() as x:
            program, win = start_wireframe(x)
            win.move(250, 250)
            before = win.screenshot()
            for key in ("Left", "Up"):
                win.key_down(key)
                time.sleep(0.4)
                win.key_up(key)
                time.sleep(0.2)
                after = win.screenshot()
                changed = sum(1 for y in range(0, 470, 2) for x in range(0, 500, 2)
                              if before.pixel(x, y) != after.pixel(x, y))
                self.assertGreater(changed, 200, "%s turned the picture" % key)
                before = after
            # Without a key held the picture stays still.
            time.sleep(0.2)
            self.assertEqual(win.screenshot().colours(), before.colours())
            win.key_down("Escape")
            self.assertEqual(program.wait(), 1)

    def test_near_edges_run_off_the_screen_clipped(self):
        with harness.Session() as x:
            program, win = start_wireframe(x)
            border = self._cube_pixels_on_border(win.screenshot())
            self.assertEqual(border, 0, "from afar the cube fits on the screen")
            win.move(250, 250)
            win.key_down("Page_Up")
            time.sleep(1.5)
            win.key_up("Page_Up")
            time.sleep(0.2)
            shot = win.screenshot()
            self.assertGreater(self._cube_pixels_on_border(shot), 2,
                               "edges that run off the screen are drawn up to its edge")
            win.key_down("Escape")
            self.assertEqual(program.wait(), 1)

    @staticmethod
    def _cube_pixels_on_border(shot):
        ring = [(x, 0) for x in range(500)] + [(0, y) for y in range(470)] + \
               [(499, y) for y in range(470)]
        return sum(1 for p in ring if shot.pixel(*p) == CUBE)

    def test_window_close_request_ends_with_status_1(self):
        with harness.Session() as x:
            program, win = start_wireframe(x)
            win.close()
            self.assertEqual(program.wait(), 1)


if __name__ == "__main__":
    harness.main()
