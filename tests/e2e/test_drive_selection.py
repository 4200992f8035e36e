"""The Drive selection window as a user meets it on a first start: choosing drives and saving
restarts the program with those tiles; giving up ends it."""
import unittest

import wolumetr_e2e as e

HEADER = (0, 128, 255)
SLOT = (236, 249, 255)
WIDTH, HEIGHT = 281, 417
LEFT, TOP = (e.SCREEN[0] - WIDTH) // 2, (e.SCREEN[1] - HEIGHT) // 2


def grid_slot(row):
    """Screen point inside the drive column of a slot row."""
    return LEFT + 24 + 31 + 32, TOP + 32 + 19 * row + 9


COMBO = (LEFT + 144 + 40, TOP + 64 + 8)
COMBO_FIELD = (LEFT + 144, TOP + 64)
SAVE = (LEFT + 144 + 56, TOP + 112 + 16)
CANCEL = (LEFT + 144 + 56, TOP + 168 + 16)


def selection_window(program):
    window = program.window_of_size(WIDTH, HEIGHT)
    e.wait_for(lambda: window.name == "Wybór dysków", what="the window's title")

    def painted():
        shot = e.Screenshot()
        return (shot.pixel(LEFT + 5, TOP + 200) == e.NAVY and shot.pixel(LEFT + 24 + 28, TOP + 32 + 16) == HEADER
                and shot.pixel(LEFT + 24 + 28, TOP + 32 + 19 * 3 + 16) == SLOT)
    e.wait_for(painted, what="the painted window")
    return window


ITEM_HEIGHT = 16


def pick(row, item, with_keys):
    """Selects a slot row with the mouse and picks a combo item, with the keys or the mouse;
    item -1 is the last one."""
    e.click(*grid_slot(row))
    e.click(*COMBO)
    box = e.wait_for(lambda: e.dropped_list(*COMBO_FIELD), 10, what="the open list of drives")
    left, top, _, height = box.geometry()
    if item < 0:
        item += (height - 2) // ITEM_HEIGHT
    if with_keys:
        e.key(*(["Down"] * item), "Return")
    else:
        e.click(left + 40, top + 1 + ITEM_HEIGHT * item + ITEM_HEIGHT // 2)
    e.wait_for(lambda: e.dropped_list(*COMBO_FIELD) is None, 10, what="the list to close")


class FirstStartSaveTest(unittest.TestCase):
    # Wine lists C: and Z: as fixed drives. A drive letter added while Wine's services run
    # is not listed until they restart, so the test keeps to those two.
    def tearDown(self):
        self.program.cleanup()

    def test_chosen_drives_are_saved_and_a_new_instance_shows_their_tiles(self):
        self.program = e.Program().start()
        selection_window(self.program)
        self.assertEqual(e.visible_windows("Wolumetr"), [], "no main window before the choice")

        # Choices: [brak], C:\, ..., Z:\ (the fixed drives in letter order).
        pick(1, 1, with_keys=True)    # C:\ into slot 1
        pick(3, -1, with_keys=False)  # Z:\ into slot 3
        # The keyboard moves the selected row: from slot 5 down to slot 6, which gets C:\.
        e.click(*grid_slot(5))
        e.key("Down")
        e.click(*COMBO)
        e.wait_for(lambda: e.dropped_list(*COMBO_FIELD), 10, what="the open list of drives")
        e.key("Down", "Return")
        e.wait_for(lambda: e.dropped_list(*COMBO_FIELD) is None, 10, what="the list to close")
        self.assertIsNone(self.program.read_settings(), "nothing is written before saving")

        first = self.program.process
        e.click(*SAVE)
        self.program.wait_exit()
        self.assertEqual(first.returncode, 0)
        self.assertEqual(self.program.read_settings(), "[Dyski]\r\nDysk1=C:\\\r\nDysk2=Z:\\\r\nDysk3=C:\\\r\n")
        main = self.program.window_of_size(259, 97)  # the new instance: three tiles in a row
        self.assertEqual(main.name, "Wolumetr")
        self.assertTrue(self.program.instances(), "the new instance runs")
        self.assertEqual([w for w in e.visible_windows() if w.geometry()[2:] == (WIDTH, HEIGHT)], [])

    def test_the_keyboard_alone_fills_a_slot_and_saves(self):
        self.program = e.Program().start()
        selection_window(self.program)
        e.move(LEFT - 40, TOP + 300)  # an open list would follow a pointer resting over it
        # The grid has the keyboard from the start, on slot 1: Alt+Down opens the list of drives.
        e.key("Down", "Up", "alt+Down")
        e.wait_for(lambda: e.dropped_list(*COMBO_FIELD), 10, what="the list opened with Alt+Down")
        e.key("Down", "Return")  # C:\ for slot 1; Enter here only closes the list
        e.wait_for(lambda: e.dropped_list(*COMBO_FIELD) is None, 10, what="the list to close")
        self.assertTrue(self.program.running())
        e.key("Return")  # "Zapisz zmiany"
        self.program.wait_exit()
        self.assertEqual(self.program.read_settings(), "[Dyski]\r\nDysk1=C:\\\r\n")
        self.program.window_of_size(97, 97)  # the new instance with its one tile


class FirstStartGiveUpTest(unittest.TestCase):
    def tearDown(self):
        self.program.cleanup()

    def test_anuluj_or_escape_asks_ok_returns_and_cancel_ends_the_program(self):
        self.program = e.Program().start()
        selection_window(self.program)

        e.click(*CANCEL)
        e.wait_for(lambda: e.visible_windows("Informacja"), 10, what="the warning box")
        e.key("Return")  # OK: back to the window
        e.wait_for(lambda: not e.visible_windows("Informacja"), 10, what="the box to close")
        self.assertTrue(self.program.running())
        self.assertTrue(e.visible_windows("Wybór dysków"))

        e.key("Escape")  # the keyboard's "Anuluj"
        e.wait_for(lambda: e.visible_windows("Informacja"), 10, what="the warning box again")
        e.key("Escape")  # Cancel
        self.program.wait_exit()
        for title in ("Informacja", "Wybór dysków", "Wolumetr"):
            self.assertEqual(e.visible_windows(title), [], title)
        self.assertEqual(self.program.instances(), [], "nothing restarted")
        self.assertIsNone(self.program.read_settings(), "nothing written")


if __name__ == "__main__":
    unittest.main()
