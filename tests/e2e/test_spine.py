"""The Paint Program starts, shows its window and white canvas, and ends with
status 1 on Escape or on a window-close request; without a display it says why."""

import harness

TITLE = "Paint Program"
WHITE = (255, 255, 255)
PANEL_BACKGROUND = (236, 233, 216)


def start_paint(session):
    program = session.start(harness.build_path("paint"), cwd=harness.source_path("assets"))
    return program, session.wait_window(TITLE)


def wait_first_frame(win):
    """The window's first presented frame, which shows the panel. Before it the
    window holds whatever SDL put there: black, under sdl12-compat."""
    return win.wait_until(lambda shot: shot.pixel(272, 0) == PANEL_BACKGROUND, "its first frame")


class SpineTest(harness.TestCase):
    def test_opens_a_500_by_500_window_with_a_white_canvas(self):
        with harness.Session() as x:
            program, win = start_paint(x)
            self.assertEqual(win.title(), TITLE)
            _, _, width, height = win.geometry()
            self.assertEqual((width, height), (500, 500))
            shot = wait_first_frame(win)
            canvas = shot.colours(0, 128, 500, 500)
            self.assertEqual(canvas, {WHITE: 500 * 372}, "the canvas is rows 128-499, all white")
            self.assertTrue(program.running(), "the program waits for the user")

    def test_escape_ends_with_status_1(self):
        with harness.Session() as x:
            program, win = start_paint(x)
            win.move(250, 300)
            # Held until the program has ended: the quit test reads the key
            # state, so a press and release within one input pump would be missed.
            win.key_down("Escape")
            self.assertEqual(program.wait(), 1)
            self.assertEqual(program.stdout, "")

    def test_window_close_request_ends_with_status_1(self):
        with harness.Session() as x:
            program, win = start_paint(x)
            win.close()
            self.assertEqual(program.wait(), 1)
            self.assertEqual(program.stdout, "")

    def test_keys_and_clicks_other_than_escape_do_not_end_it(self):
        with harness.Session() as x:
            program, win = start_paint(x)
            win.click(250, 300)
            win.click(250, 300, button=3)
            win.key("q")
            win.key("space")
            self.assertTrue(program.running())
            win.key_down("Escape")
            self.assertEqual(program.wait(), 1)

    def test_without_a_display_it_reports_sdls_error(self):
        # The program's words, then SDL's error, whose own words differ between
        # SDL 1.2.15 and sdl12-compat.
        env = {"DISPLAY": None, "SDL_VIDEODRIVER": "x11"}
        with harness.start(harness.build_path("paint"), env=env) as program:
            self.assertEqual(program.wait(), 1)
            self.assertRegex(program.stdout, r"\AUnable to init SDL: \S.*\n\Z")


if __name__ == "__main__":
    harness.main()
