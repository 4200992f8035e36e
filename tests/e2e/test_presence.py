"""Where the program lives on the desktop: dragging, the placements, hiding, the tray icon."""
import time
import unittest

import wolumetr_e2e as e

DRIVES = {"Dysk1": "C:\\", "Dysk2": "C:\\", "Dysk3": "C:\\"}  # 259 x 97


def first_icon(tray_window):
    """A point on the tray's first icon: at the left of its one row of 20-pixel icons, which ends
    the window at the bottom. The window's top is its caption when Wine draws the frame itself
    (unmanaged windows), the icons when it leaves the frame to a window manager."""
    left, top, _, height = tray_window.geometry()
    return left + 12, top + height - 12


class PresenceTest(unittest.TestCase):
    def tearDown(self):
        self.program.cleanup()

    def start(self, mode):
        self.program = e.Program(e.settings_text(Dyski=DRIVES, Polozenie={"Pasek": mode})).start()
        return self.program.main_window()

    def test_drag_and_the_placements(self):
        window = self.start(0)
        self.assertEqual(window.geometry(), (511, 464, 259, 97))
        # A real drag on the bare panel: the window follows the cursor's offset.
        e.press(511 + 5, 464 + 90)
        for step in range(1, 11):
            e.move(511 + 5 + 10 * step, 464 + 90 - 6 * step)
        e.release()
        e.wait_for(lambda: window.geometry()[:2] == (611, 404), what="the window at (611, 404)")
        # "Wyrównaj do" > "Środek ekranu", then "Prawy - Dolny brzeg", with the keyboard.
        for downs, expected in ((5, (511, 464)), (9, (1021, 927)), (1, (0, 0))):
            self.program.open_menu(window)
            e.key("Down", "Down", "Down", "Down", "Right")  # opens "Wyrównaj do" on its first item
            e.key(*["Down"] * (downs - 1), "Return")
            e.wait_for(lambda: window.geometry()[:2] == expected, what=f"the window at {expected}")

    def test_hide_and_show_in_tray_mode(self):
        window = self.start(0)
        icon = first_icon(e.wait_for(e.tray, what="the tray icon"))
        # "Ukryj" from the menu hides the window; the tray icon brings it back.
        self.program.open_menu(window)
        e.key("Down", "Return")
        e.wait_for(lambda: not e.visible_windows("Wolumetr"), what="the window hidden")
        self.assertIsNotNone(e.tray(), "the tray icon stays")
        e.click(*icon)
        clicked = time.monotonic()
        shown = self.program.main_window()
        self.assertEqual(shown.geometry(), (511, 464, 259, 97))
        # The hide glyph does the same.
        e.click(511 + 2 + 4, 464 + 2 + 4)
        e.wait_for(lambda: not e.visible_windows("Wolumetr"), what="the window hidden by the glyph")
        # Wine's tray takes a second click on the icon within the double-click time (500 ms) for a
        # double click, even with a click on another window between: let that time pass.
        time.sleep(max(0.0, clicked + 0.6 - time.monotonic()))
        e.click(*icon)
        self.program.main_window()

    def test_the_taskbar_button_restores_the_window_on_top(self):
        # A click on a minimized program's taskbar button makes the taskbar post it SC_RESTORE
        # (a second click, SC_MINIMIZE); Wine here has no taskbar, so the helper posts them.
        shell = e.ShellStandIn()
        self.program = e.Program(e.settings_text(Dyski=DRIVES, Wyglad={"Na wierzchu": 1},
                                                 Polozenie={"Pasek": 2})).start()
        window = self.program.main_window()

        def on_top():
            style = shell.output("exstyle", "TForm1")
            return style != "" and int(style, 16) & 0x8  # WS_EX_TOPMOST

        e.wait_for(on_top, what="the window on top")
        for hide in ("menu", "button"):
            if hide == "menu":
                self.program.open_menu(window)
                e.key("Down", "Return")  # "Ukryj"
            else:
                self.assertEqual(shell.run("button", "WolumetrApplication", "minimize"), 0)
            # The minimized taskbar window itself may show as an icon title: look for this window.
            e.wait_for(lambda: window.id not in [w.id for w in e.visible_windows("Wolumetr")],
                       what=f"the window minimized by the {hide}")
            self.assertEqual(shell.run("button", "WolumetrApplication", "restore"), 0)
            # The minimized taskbar window's icon title may linger a moment: wait for this window.
            window = self.program.window_of_size(259, 97)
            self.assertEqual(window.geometry(), (511, 464, 259, 97))
            e.wait_for(on_top, what=f"the window on top again after the {hide}")

    def test_taskbar_only_mode_has_no_tray_icon(self):
        self.start(1)
        e.wait_for(lambda: e.tray() is None, what="no tray icon")
        e.time.sleep(1.5)  # and it does not come back once the display mode is applied
        self.assertIsNone(e.tray())


if __name__ == "__main__":
    unittest.main()
