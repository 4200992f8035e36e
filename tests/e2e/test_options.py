"""The Options window as a user meets it: opened from the popup menu, changes that act on the
main window at once, the save picture that stores them and registers the program with the system,
and a later opening that takes the registration back."""
import subprocess
import tempfile
import unittest
from pathlib import Path

import wolumetr_e2e as e

WIDTH, HEIGHT = 370, 319
LEFT, TOP = (e.SCREEN[0] - WIDTH) // 2, (e.SCREEN[1] - HEIGHT) // 2
YELLOW = (255, 255, 0)
BLUE = (0, 0, 255)

RUN_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Run"
USER_RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"

THREE_DRIVES = e.settings_text(Dyski={"Dysk1": "C:\\", "Dysk2": "Z:\\", "Dysk3": "C:\\"})


def at(x, y):
    """A point of the Options window's client area on the screen."""
    return LEFT + x, TOP + y


CHECKBOX_ON_TOP = at(34 + 8, 90 + 8)
CHECKBOX_START = at(80 + 8, 140 + 8)
INTERVAL_FIELD = at(80 + 40, 37 + 10)
COLUMNS_DOWN = at(121 + 8, 211 + 19)
DISPLAY_LIST = at(113 + 75, 275 + 10)
DISPLAY_FIELD = (DISPLAY_LIST[0] - 75, DISPLAY_LIST[1] - 10)
SAVE_PICTURE = at(345 + 7, 290 + 7)


def run_value(key):
    """The "Wolumetr" value of a Run key as `wine reg export` writes it (exact, Unicode), or None."""
    with tempfile.TemporaryDirectory() as folder:
        out = Path(folder) / "run.reg"
        e.run("wine", "reg", "export", key, e.run("winepath", "-w", str(out)).strip(), "/y", check=False)
        if not out.exists():
            return None
        text = out.read_bytes().decode("utf-16")
    for line in text.splitlines():
        if line.startswith('"Wolumetr"='):
            raw = line[len('"Wolumetr"='):]
            if not raw.startswith('"'):
                return raw  # another type, as the export spells it
            return raw[1:-1].replace('\\"', '"').replace("\\\\", "\\")
    return None


def reg_query(key):
    """`wine reg query` of the value; the console's code page spells the Polish letters its own way."""
    out = subprocess.run(["wine", "reg", "query", key, "/v", "Wolumetr"], capture_output=True, timeout=60).stdout
    return out.decode("utf-8", errors="replace")


def delete_run_values():
    for key in (RUN_KEY, USER_RUN_KEY):
        e.run("wine", "reg", "delete", key, "/v", "Wolumetr", "/f", check=False)


def options_window():
    """Waits for the painted Options window and returns it."""
    window = e.wait_for(lambda: (e.visible_windows("opcje") or [None])[0], what="the Options window")
    e.wait_for(lambda: window.geometry() == (LEFT, TOP, WIDTH, HEIGHT), 10, what="the window at its place")

    def painted():
        shot = e.Screenshot()
        # Navy panel, a yellow label, the blue interval field and the teal diskette.
        return (shot.pixel(*at(20, 250)) == e.NAVY
                and shot.find(YELLOW, (LEFT + 51, TOP + 18, LEFT + 120, TOP + 30)) is not None
                and shot.pixel(*at(80 + 46, 37 + 18)) == BLUE
                and shot.pixel(*at(345, 290 + 13)) == e.TEAL)
    e.wait_for(painted, what="the painted Options window")
    return window


def hint_near(x, y):
    """A small untitled window just below and right of a point: a tooltip."""
    for w in e.visible_windows():
        g = w.geometry()
        if w.name == "" and g and 10 <= g[3] <= 30 and -20 <= g[0] - x <= 40 and 0 <= g[1] - y <= 40:
            return w
    return None


def open_options(program, main=None, menu_key=None):  # the menu by a right click on `main`, or by a key
    if menu_key is None:
        program.open_menu(main)
    else:
        e.key(menu_key)
        e.wait_for(program._menu_window, 10, what=f"the popup menu from {menu_key}")
    e.key("Down", "Down", "Return")  # "Ukryj", then "Opcje"
    return options_window()


class OptionsSaveTest(unittest.TestCase):
    def setUp(self):
        delete_run_values()
        self.program = e.Program(THREE_DRIVES)
        self.command = '"' + e.run("winepath", "-w", str(self.program.exe)).strip() + '"'

    def tearDown(self):
        self.program.cleanup()
        delete_run_values()

    def test_changes_act_at_once_and_the_save_stores_them_and_registers_the_program(self):
        self.program.start()
        main = self.program.main_window()
        self.assertEqual(main.geometry(), (511, 464, 259, 97))
        open_options(self.program, main)

        e.click(*CHECKBOX_ON_TOP)
        # A new refresh period, taken when the field is left with Tab.
        e.click(*INTERVAL_FIELD)
        e.key("End", "BackSpace", "BackSpace", "BackSpace")
        e.type_text("12")
        e.key("Tab")
        # One column fewer: the grid gets a second row and the main window follows at once.
        e.click(*COLUMNS_DOWN)
        e.wait_for(lambda: main.geometry() == (511, 464, 178, 178), 10, what="the main window in a 2x2 grid")
        # Tray icon and taskbar button: the third item of the open list.
        e.click(*DISPLAY_LIST)
        drop = e.wait_for(lambda: e.dropped_list(*DISPLAY_FIELD), 10, what="the open list of display modes")
        list_left, list_top, _, list_height = drop.geometry()
        item_height = (list_height - 2) // 3
        e.click(list_left + 40, list_top + 1 + 2 * item_height + item_height // 2)
        e.wait_for(lambda: e.dropped_list(*DISPLAY_FIELD) is None, 10, what="the list to close")
        e.click(*CHECKBOX_START)
        # Resting on the save picture shows its hint beside the cursor.
        e.move(*SAVE_PICTURE)
        e.wait_for(lambda: hint_near(*SAVE_PICTURE), 10, what="the save picture's hint")
        self.assertIsNone(run_value(USER_RUN_KEY), "nothing is registered before the save")
        self.assertEqual(self.program.read_settings(), THREE_DRIVES, "nothing is stored before the save")

        e.click(*SAVE_PICTURE)
        e.wait_for(lambda: not e.visible_windows("opcje"), 10, what="the Options window to close")
        self.assertEqual(self.program.read_settings(), THREE_DRIVES + e.settings_text(
            Wyglad={"Przezroczystosc": 1, "Poziomprzezr": 190, "Na wierzchu": 1},
            Polozenie={"Zapamietaj pol": 0, "Polozenie X": 511, "Polozenie Y": 464, "Pasek": 2},
            Program={"Ilosc kolumn": 2, "Ilosc wierszy": 2, "Autoodswierzanie": 1, "Czas odswierzania": 12}))
        self.assertEqual(run_value(USER_RUN_KEY), self.command, "the path in quotes, for it holds a blank")
        query = reg_query(USER_RUN_KEY)
        self.assertRegex(query, r'Wolumetr\s+REG_SZ\s+"Z:\\.*\\wolumetr\.exe"')
        self.assertIsNone(run_value(RUN_KEY), "per user only, never machine-wide")
        self.assertTrue(self.program.running())

        # Opened again, the box shows the registration: clearing it and saving takes it back.
        open_options(self.program, main)
        e.click(*CHECKBOX_START)
        e.click(*SAVE_PICTURE)
        e.wait_for(lambda: not e.visible_windows("opcje"), 10, what="the Options window to close again")
        self.assertIsNone(run_value(USER_RUN_KEY))
        self.assertNotIn("REG_SZ", reg_query(USER_RUN_KEY))
        self.assertIn("Czas odswierzania=12", self.program.read_settings())

    def test_the_keyboard_alone_opens_changes_saves_and_closes(self):
        self.program.start()
        main = self.program.main_window()
        left, top, _, height = main.geometry()
        e.click(left + 5, top + height // 2)  # the widget starts without the keyboard: take it
        e.wait_for(lambda: e.run("xdotool", "getwindowfocus", check=False).strip() == str(main.id), 10,
                   what="the keyboard on the main window")

        open_options(self.program, menu_key="shift+F10")
        # From the first box: the refresh period, the transparency box, its level, then "on top".
        e.key("Tab", "Tab", "Tab", "Tab", "space")
        # On through the boxes, the spinners and the list to the save picture, whose focus shows.
        e.key(*["Tab"] * 6)

        def ring_shown():
            shot = e.Screenshot()
            return any(shot.pixel(*at(x, 290 - 2)) != e.NAVY for x in range(345 - 2, 345 + 16))
        e.wait_for(ring_shown, 10, what="the focus around the save picture")
        e.key("Return")
        e.wait_for(lambda: not e.visible_windows("opcje"), 10, what="Enter to save and close")
        self.assertIn("Na wierzchu=1", self.program.read_settings())

        # Escape closes as the window's close does: what was changed stays applied, unsaved.
        stored = self.program.read_settings()
        open_options(self.program, menu_key="Menu")  # the context-menu key; the keyboard came back to the main window
        e.key("space")  # automatic refresh off: the refresh glyph appears on the main window
        e.key("Escape")
        e.wait_for(lambda: not e.visible_windows("opcje"), 10, what="Escape to close")
        self.assertEqual(self.program.read_settings(), stored)
        self.assertTrue(self.program.running())


if __name__ == "__main__":
    unittest.main()
