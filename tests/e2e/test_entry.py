"""The entry-field example takes a name (Shift and Backspace), a character and a
number (decimal point and Backspace) typed key by key, prints them and ends
with status 0 on a final key; Escape during a field ends it with status 1."""

import time

import harness

TITLE = "Entry Fields"
FIELD_COLOUR = (255, 250, 205)
NAME_FIELD = (16 + 11 * 8, 16)  # "Your name: " drawn at (16, 16)
IGNORED_KEY_HOLD = 0.5  # seconds a key with no visible effect is held


def start_entry(session):
    program = session.start(harness.build_path("examples", "example_entry"))
    return program, session.wait_window(TITLE)


def type_key(win, name, shift=False, shows=True):
    """One key (with Shift held around it), kept down until the window shows
    its effect: the fields read the key state when the program pumps its
    input, so a key released before the next pass would go unseen. A key
    that shows nothing (shows=False) is held for a while instead."""
    before = win.screenshot().rgb
    if shift:
        win.key_down("shift")
    win.key_down(name)
    if shows:
        win.wait_until(lambda shot: shot.rgb != before, "the effect of the key %s" % name)
    else:
        time.sleep(IGNORED_KEY_HOLD)
    win.key_up(name)
    if shift:
        win.key_up("shift")


class EntryTest(harness.TestCase):
    def test_typed_answers_come_back(self):
        with harness.Session() as x:
            program, win = start_entry(x)
            win.move(250, 300)
            type_key(win, "j", shift=True)
            for key in ["o", "e", "x", "BackSpace"]:
                type_key(win, key)
            shot = win.screenshot()
            fx, fy = NAME_FIELD
            cells = shot.colours(fx, fy, fx + 3 * 8, fy + 8)
            self.assertEqual(set(cells), {FIELD_COLOUR, (0, 0, 0)},
                             "three opaque cells of black text on the field colour")
            self.assertEqual(shot.colours(fx + 3 * 8, fy, fx + 4 * 8, fy + 8),
                             {FIELD_COLOUR: 64}, "the deleted x is wiped to a blank cell")
            type_key(win, "Return")

            type_key(win, "w")
            type_key(win, "2", shift=True)
            type_key(win, "Return")

            for key in ["minus", "1", "2", "period", "7", "5", "BackSpace"]:
                type_key(win, key)
            type_key(win, "period", shows=False)  # a second point is refused
            for key in ["3", "Return"]:
                type_key(win, key)
            win.key("space")  # any key ends the program
            self.assertEqual(program.wait(), 0)
            self.assertEqual(program.stdout.splitlines(),
                             ["name: Joe", "char: @", "number: -12.73"])

    def test_escape_in_a_field_ends_with_status_1(self):
        with harness.Session() as x:
            program, win = start_entry(x)
            win.move(250, 300)
            type_key(win, "a")
            type_key(win, "Return")
            # Held until the program ends: the quit check reads the key state.
            win.key_down("Escape")
            self.assertEqual(program.wait(), 1)
            self.assertEqual(program.stdout, "", "nothing is printed when a field is left")


if __name__ == "__main__":
    harness.main()
