"""Faults met by the running program: a settings folder it cannot write, a drive that vanishes
and comes back, a shell that refuses the tray icon or loses it and says so, and settings files
full of garbage. The program reports what the user must know and keeps running."""
import os
import random
import subprocess
import unittest
from pathlib import Path

import wolumetr_e2e as e

BLUE = (0, 0, 255)
YELLOW = (255, 255, 0)
THREE_DRIVES = {"Dysk1": "C:\\", "Dysk2": "Z:\\", "Dysk3": "C:\\"}  # 259 x 97, centred at (511, 464)

OPTIONS_LEFT, OPTIONS_TOP = (e.SCREEN[0] - 370) // 2, (e.SCREEN[1] - 319) // 2
OPTIONS_SAVE = (OPTIONS_LEFT + 345 + 7, OPTIONS_TOP + 290 + 7)
SELECTION_LEFT, SELECTION_TOP = (e.SCREEN[0] - 281) // 2, (e.SCREEN[1] - 417) // 2
SELECTION_FIELD = (SELECTION_LEFT + 144, SELECTION_TOP + 64)  # the drive list's field
SELECTION_SLOT_4 = (SELECTION_LEFT + 24 + 31 + 32, SELECTION_TOP + 32 + 19 * 4 + 9)
SELECTION_COMBO = (SELECTION_LEFT + 144 + 40, SELECTION_TOP + 64 + 8)
SELECTION_SAVE = (SELECTION_LEFT + 144 + 56, SELECTION_TOP + 112 + 16)
SELECTION_CANCEL = (SELECTION_LEFT + 144 + 56, SELECTION_TOP + 168 + 16)


def error_boxes(main):
    """Visible windows captioned like the program other than its main window: its error boxes."""
    return [w for w in e.visible_windows("Wolumetr") if w.id != main.id]


def dismiss_error_box(main):
    """Waits for the error box and closes it with its OK button (centred, near its bottom edge).
    With no window manager, a click on a box that is not yet active may only activate it and
    focus its button: Return then presses it."""
    box = e.wait_for(lambda: error_boxes(main), 15, what="an error box")[0]
    left, top, width, height = box.geometry()
    e.click(left + width // 2, top + height - 22)
    if not stays_absent(lambda: not error_boxes(main), 2):
        return
    e.key("Return")
    e.wait_for(lambda: not error_boxes(main), 10, what="the error box to close")


def stays_absent(condition, seconds=1.5):
    """True when `condition` stays false for the whole period."""
    try:
        e.wait_for(condition, seconds, interval=0.2)
    except AssertionError:
        return True
    return False


def tile_state(shot, left, top):
    """What a tile's gauge and size texts show: wedge pixels, outline pixels, any white text."""
    box = [(x, y) for y in range(top, top + 65) for x in range(left, left + 65)]
    wedge = sum(1 for x, y in box if shot.pixel(x, y) == BLUE)
    outline = sum(1 for x, y in box if shot.pixel(x, y) == YELLOW)
    texts = shot.find(e.WHITE, (left, top + 16, left + 65, top + 65)) is not None
    return wedge, outline, texts


class ReadOnlyFolderTest(unittest.TestCase):
    """Every save in a folder that cannot be written: the message, the program alive, the file
    as it was, for the three ways a running program saves."""

    def setUp(self):
        self.stored = e.settings_text(Dyski=THREE_DRIVES, Polozenie={"Zapamietaj pol": 1, "Polozenie X": 200,
                                                                       "Polozenie Y": 150})
        self.program = e.Program(self.stored)
        self.addCleanup(self.program.cleanup)

    def lock_folder(self):
        locked = subprocess.run(["chattr", "+i", str(self.program.folder)], capture_output=True)
        if locked.returncode != 0:
            self.skipTest(f"cannot make the folder read-only here: {locked.stderr.decode().strip()}")
        # Undone before the program's own clean-up, which removes the folder.
        self.addCleanup(subprocess.run, ["chattr", "-i", str(self.program.folder)], check=False)

    def assert_alive_and_unchanged(self, main):
        self.assertTrue(self.program.running(), "the program keeps running")
        self.assertEqual(self.program.read_settings(), self.stored, "the settings file is as it was")
        self.assertIn(main.id, [w.id for w in e.visible_windows("Wolumetr")], "the main window stays")

    def test_options_save_drive_list_save_and_close_each_report_and_change_nothing(self):
        self.program.start()
        main = self.program.main_window()
        self.assertEqual(main.geometry()[:2], (200, 150))
        self.lock_folder()

        # The Options window's save picture.
        self.program.open_menu(main)
        e.key("Down", "Down", "Return")  # "Ukryj", then "Opcje"
        options = e.wait_for(lambda: (e.visible_windows("opcje") or [None])[0], what="the Options window")
        e.wait_for(lambda: options.geometry()[:2] == (OPTIONS_LEFT, OPTIONS_TOP), 10, what="the Options window placed")
        e.click(*OPTIONS_SAVE)
        dismiss_error_box(main)
        self.assert_alive_and_unchanged(main)
        self.assertTrue(e.visible_windows("opcje"), "the Options window stays open after a failed save")
        e.key("alt+F4")
        e.wait_for(lambda: not e.visible_windows("opcje"), 10, what="the Options window to close")

        # The Drive selection window's save of a changed list: no restart follows a save that failed.
        self.program.open_menu(main)
        e.key("Down", "Down", "Down", "Return")  # "Ustaw dyski"
        e.wait_for(lambda: e.visible_windows("Wybór dysków"), what="the Drive selection window")
        e.click(*SELECTION_SLOT_4)
        e.click(*SELECTION_COMBO)
        e.wait_for(lambda: e.dropped_list(*SELECTION_FIELD), 10, what="the open list of drives")
        e.key("Down", "Return")  # the first drive after "[brak]"
        e.wait_for(lambda: e.dropped_list(*SELECTION_FIELD) is None, 10, what="the list to close")
        e.click(*SELECTION_SAVE)
        dismiss_error_box(main)
        self.assert_alive_and_unchanged(main)
        self.assertEqual(len(self.program.instances()), 1, "no second copy was started")
        e.click(*SELECTION_CANCEL)
        e.wait_for(lambda: not e.visible_windows("Wybór dysków"), 10, what="the Drive selection window to close")

        # "Zamknij" with the position remembered, after a drag: the program stays open.
        e.press(200 + 5, 150 + 90)
        for step in range(1, 6):
            e.move(200 + 5 + 10 * step, 150 + 90)
        e.release()
        e.wait_for(lambda: main.geometry()[:2] == (250, 150), what="the window dragged to (250, 150)")
        self.program.open_menu(main)
        e.key("Up", "Return")
        dismiss_error_box(main)
        self.assert_alive_and_unchanged(main)


class VanishingDriveTest(unittest.TestCase):
    def setUp(self):
        self.program = e.Program(e.settings_text(Dyski={"Dysk1": "C:\\", "Dysk2": "R:\\"},
                                                 Program={"Autoodswierzanie": 1, "Czas odswierzania": 1}))
        self.addCleanup(self.program.cleanup)
        self.folder = self.program.root / "drive-r"
        self.folder.mkdir()
        self.gone = self.program.root / "drive-r-gone"
        self.link = Path(os.environ["WINEPREFIX"]) / "dosdevices" / "r:"
        if self.link.is_symlink():
            self.link.unlink()
        self.link.symlink_to(self.folder)
        self.addCleanup(self.link.unlink)

    def test_the_tile_empties_quietly_and_fills_again_when_the_folder_returns(self):
        self.program.start()
        main = self.program.main_window()
        left, top, width, height = main.geometry()
        self.assertEqual((width, height), (178, 97))
        r_left, r_top = left + 16 + 81, top + 16

        def state(predicate):
            def check():
                current = tile_state(e.Screenshot(), r_left, r_top)
                return current if predicate(*current) else None
            return check
        e.wait_for(state(lambda wedge, outline, texts: wedge > 0 and texts), what="R: measured")

        self.folder.rename(self.gone)
        wedge, outline, texts = e.wait_for(state(lambda wedge, outline, texts: wedge == 0 and not texts), 15,
                                           what="R: shown empty")
        self.assertGreater(outline, 150, "the gauge's outline stays")
        self.assertEqual(error_boxes(main), [], "no message for a drive that cannot be measured")
        self.assertTrue(self.program.running())

        self.gone.rename(self.folder)
        e.wait_for(state(lambda wedge, outline, texts: wedge > 0 and texts), 15, what="R: measured again")
        self.assertEqual(error_boxes(main), [])


class TrayTest(unittest.TestCase):
    def setUp(self):
        self.shell = e.ShellStandIn()
        self.addCleanup(self.shell.stop)
        self.program = e.Program(e.settings_text(Dyski=THREE_DRIVES, Polozenie={"Pasek": 0}))
        self.addCleanup(self.program.cleanup)

    def test_a_refused_icon_is_reported_once_and_the_program_goes_on(self):
        self.shell.refuse()
        self.program.start()
        main = self.program.main_window()
        self.assertEqual(main.geometry(), (511, 464, 259, 97))
        dismiss_error_box(main)
        self.assertTrue(stays_absent(lambda: error_boxes(main)), "reported once")
        self.assertTrue(self.program.running())
        self.assertIn(main.id, [w.id for w in e.visible_windows("Wolumetr")], "the main window stays")
        self.assertIsNone(e.tray(), "no icon")

    def test_taskbar_created_brings_back_an_icon_the_shell_lost(self):
        self.program.start()
        main = self.program.main_window()
        e.wait_for(e.tray, what="the tray icon")
        self.assertEqual(self.shell.run("forget", "WolumetrTrayIcon", "1"), 0)
        e.wait_for(lambda: e.tray() is None, what="the icon gone from the notification area")
        self.assertEqual(self.shell.run("broadcast"), 0)
        e.wait_for(e.tray, what="the icon back after TaskbarCreated")
        self.assertTrue(self.program.running())
        self.assertEqual(error_boxes(main), [])


class GarbageSettingsTest(unittest.TestCase):
    """Whatever the settings file holds, the program starts: with the drives it can read, or with
    the Drive selection window when it finds none; it reports nothing and rewrites nothing."""

    def start(self, content):
        program = e.Program()
        self.addCleanup(program.cleanup)
        program.settings_path.write_bytes(content)
        program.start()
        return program

    def assert_started_quietly(self, program, content, main_size=None):
        if main_size is None:
            window = e.wait_for(lambda: (e.visible_windows("Wybór dysków") or [None])[0],
                                what="the Drive selection window")
        else:
            window = program.window_of_size(*main_size)
            self.assertEqual(window.name, "Wolumetr")
        self.assertTrue(stays_absent(lambda: len(e.visible_windows("Wolumetr")) > (0 if main_size is None else 1)),
                        "no error box")
        self.assertTrue(program.running())
        self.assertEqual(program.settings_path.read_bytes(), content, "the file is left as it was")
        window_id = window.id
        program.stop()
        e.wait_for(lambda: window_id not in [w.id for w in e.visible_windows()], what="the window gone")

    def test_random_bytes_huge_values_and_thousands_of_lines(self):
        noise = random.Random(8).randbytes(4096)
        with self.subTest("random bytes"):
            self.assert_started_quietly(self.start(noise), noise)

        huge = e.settings_text(
            Dyski={"Dysk1": "C:\\", "Dysk2": "Z:\\" + "\\" * 5000, "Dysk19": "Z:\\"},
            Wyglad={"Przezroczystosc": 99999999999999999999, "Poziomprzezr": 2 ** 31 - 1, "Na wierzchu": "1e999"},
            Polozenie={"Zapamietaj pol": 1, "Polozenie X": 2 ** 31 - 1, "Polozenie Y": -(2 ** 31), "Pasek": -1},
            Program={"Ilosc kolumn": 2 ** 31 - 1, "Ilosc wierszy": 1, "Autoodswierzanie": "tak",
                     "Czas odswierzania": 2 ** 31 - 1}).encode("utf-8")
        with self.subTest("huge values"):
            # Two tiles (the 19th slot does not exist) in a grid as wide as a window may be; the
            # remembered place is off every screen, so the window is centred.
            program = self.start(huge)
            width = 32767
            window = program.window_of_size(width, 97)
            self.assertEqual(window.geometry()[:2], ((e.SCREEN[0] - width + 1) // 2, (e.SCREEN[1] - 97 + 1) // 2))
            self.assert_started_quietly(program, huge, (width, 97))

        lines = ["[Dyski]", "Dysk1=C:\\", "Dysk2=Z:\\", "Dysk3=C:\\"]
        rng = random.Random(9)
        # In turn: a section, a key, a comment, a line with no key.
        kinds = (lambda n: f"[Sekcja{rng.randrange(50)}]", lambda n: f"klucz{n}={'x' * rng.randrange(200)}",
                 lambda n: ";" + "komentarz " * rng.randrange(20),
                 lambda n: "=" * rng.randrange(5) + "bez klucza" + "[" * rng.randrange(3))
        lines += [kinds[n % 4](n) for n in range(6000)]
        lines.append("Dysk4=" + "Z:\\" * 30000)
        long = ("\r\n".join(lines) + "\r\n").encode("utf-8")
        with self.subTest("thousands of lines"):
            self.assert_started_quietly(self.start(long), long, (259, 97))


if __name__ == "__main__":
    unittest.main()
