"""The Clear tool in the real window: picking it empties the canvas, nothing
can be painted while it is current, and painting resumes once another tool
is picked. The main loop itself does the emptying, so only the running
program shows it."""

import harness
from test_tools import BLACK, PANEL, WHITE, Canvas, pick_tool, start_paint

PENCIL_BUTTON = (300, 50)  # top-left corners of the 25 x 25 buttons
BRUSH_BUTTON = (300, 75)
CLEAR_BUTTON = (400, 75)
CANVAS_PIXELS = 500 * (500 - PANEL)


class ClearTest(harness.TestCase):
    def drag(self, win, path):
        win.move(*path[0])
        win.press()
        for point in path[1:]:
            win.move(*point)
        win.release()

    def assertEmptyCanvas(self, shot, what):
        self.assertEqual(shot.colours(0, PANEL, 500, 500), {WHITE: CANVAS_PIXELS}, what)

    def test_clear_empties_the_canvas_until_another_tool_is_picked(self):
        with harness.Session() as x:
            program, win = start_paint(x)
            self.drag(win, [(100, 200), (300, 400)])
            pick_tool(win, BRUSH_BUTTON)
            self.drag(win, [(100, 450), (200, 430)])
            shot = win.screenshot()
            self.assertNotEqual(shot.pixel(200, 300), WHITE, "the Pencil line is there")
            self.assertNotEqual(shot.pixel(150, 440), WHITE, "the Brush stroke is there")

            pick_tool(win, CLEAR_BUTTON)
            win.move(250, 300)
            self.assertEmptyCanvas(win.screenshot(), "after picking Clear")

            # While Clear is current a drag or a held button paints nothing.
            self.drag(win, [(100, 200), (300, 400), (350, 150)])
            win.move(250, 300)
            win.press()
            self.assertEmptyCanvas(win.screenshot(), "with the button held on the canvas")
            win.release()
            self.assertEmptyCanvas(win.screenshot(), "after a drag with Clear current")

            # Another tool picked: painting resumes on the emptied canvas.
            pick_tool(win, PENCIL_BUTTON)
            path = [(120, 300), (260, 330)]
            self.drag(win, path)
            win.move(250, 480)
            expected = Canvas()
            expected.line(*path[0], *path[0], BLACK)
            expected.line(*path[1], *path[0], BLACK)
            count, first = expected.differences(win.screenshot())
            self.assertEqual(count, 0, "after picking the Pencil again, first at %s" % first)

            win.key_down("Escape")
            self.assertEqual(program.wait(), 1)


if __name__ == "__main__":
    harness.main()
