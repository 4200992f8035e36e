"""The main window as a user meets it: where it comes up, what it shows, how it closes."""
import os
import unittest

import wolumetr_e2e as e

THREE_DRIVES = e.settings_text(Dyski={"Dysk1": "C:\\", "Dysk2": "Z:\\", "Dysk3": "C:\\"})


class MainWindowTest(unittest.TestCase):
    def tearDown(self):
        self.program.cleanup()

    def test_three_tiles_centred_painted_and_closed_with_the_glyph(self):
        self.program = e.Program(THREE_DRIVES).start()
        window = self.program.main_window()
        self.assertEqual(window.geometry(), (511, 464, 259, 97))
        left, top = 511, 464
        # A screen reader in another process, before any other window or shell call: it gets a
        # reference to the tiles' object (the names are checked in-process).
        probe = os.environ.get("WOLUMETR_WINDOW_PROBE")
        if probe:
            out = e.run("wine", probe, "TForm1", "object")
            self.assertGreater(int(out.split()[1]), 0, out)

        def painted():
            shot = e.Screenshot()
            return shot if shot.pixel(left + 5, top + 88) == e.NAVY else None
        shot = e.wait_for(painted, what="the navy panel")
        if os.environ.get("WOLUMETR_SCREENSHOT"):
            e.save_screenshot(os.environ["WOLUMETR_SCREENSHOT"], (left - 8, top - 8, 259 + 16, 97 + 16))
        # Drive letters in white over each tile, the close glyph in teal at the top right.
        for column in range(3):
            x = left + 16 + 81 * column
            self.assertIsNotNone(shot.find(e.WHITE, (x, top + 16, x + 10, top + 30)), f"letter of tile {column}")
        self.assertIsNotNone(shot.find(e.TEAL, (left + 249, top + 2, left + 257, top + 10)), "close glyph")
        self.assertIsNotNone(shot.find(e.TEAL, (left + 2, top + 2, left + 10, top + 10)), "hide glyph")

        e.click(left + 249 + 4, top + 2 + 4)
        self.program.wait_exit()
        e.wait_for(lambda: not e.visible_windows("Wolumetr"), what="no window left")
        self.assertEqual(self.program.read_settings(), THREE_DRIVES, "position not remembered: nothing written")

    def test_zamknij_from_the_menu_saves_the_remembered_position(self):
        stored = THREE_DRIVES + "[Polozenie]\r\nZapamietaj pol=2\r\nPolozenie X= 200\r\nPolozenie Y=150\r\n"
        self.program = e.Program(stored).start()
        window = self.program.main_window()
        self.assertEqual(window.geometry()[:2], (200, 150))
        # A second copy runs beside it, centred (no single-instance guard); it ends on its own.
        second = e.Program(THREE_DRIVES).start()
        self.addCleanup(second.cleanup)
        both = e.wait_for(lambda: len(e.visible_windows("Wolumetr")) == 2 and e.visible_windows("Wolumetr"),
                          what="both main windows")
        second.open_menu(next(w for w in both if w.geometry()[:2] == (511, 464)))
        e.key("Up", "Return")
        self.assertEqual(second.wait_exit(), 0)
        self.assertTrue(self.program.running())
        self.program.open_menu(window)
        e.key("Up", "Return")  # the last item: "Zamknij"
        self.program.wait_exit()
        self.assertEqual(self.program.read_settings(),
                         THREE_DRIVES + "[Polozenie]\r\nZapamietaj pol=1\r\nPolozenie X=200\r\nPolozenie Y=150\r\n")

    def test_an_installer_closes_it_as_zamknij_does_and_its_restart_keeps_away_from_a_running_copy(self):
        # Windows brings the program back with its restart switch; beside a running copy of the
        # same executable that copy ends at once, with no window.
        stored = THREE_DRIVES + "[Polozenie]\r\nZapamietaj pol=1\r\nPolozenie X=200\r\nPolozenie Y=150\r\n"
        self.program = e.Program(stored).start()
        window = self.program.main_window()
        e.run("wine", str(self.program.exe), "/restarted", timeout=30)
        self.assertEqual(len(e.visible_windows("Wolumetr")), 1)
        e.press(205, 240)
        for step in range(1, 11):
            e.move(205 + 10 * step, 240 - 6 * step)
        e.release()
        e.wait_for(lambda: window.geometry()[:2] == (300, 90), what="the window dragged to (300, 90)")
        # Restart Manager's close called off, then made: the program ends as "Zamknij" ends it.
        probe = os.environ["WOLUMETR_WINDOW_PROBE"]
        for ending in ("0", "1"):
            out = e.run("wine", probe, "TForm1", "endsession", ending)
            self.assertRegex(out, r"agreed (\d+) of \1\b")
            if ending == "0":
                self.assertTrue(self.program.running())
                self.assertIsNotNone(e.tray(), "the tray icon stays")
        e.wait_for(lambda: not self.program.running(), 2, what="the program to end")
        self.assertEqual(self.program.process.returncode, 0)
        self.assertEqual(self.program.read_settings(),
                         THREE_DRIVES + "[Polozenie]\r\nZapamietaj pol=1\r\nPolozenie X=300\r\nPolozenie Y=90\r\n")


if __name__ == "__main__":
    unittest.main()
