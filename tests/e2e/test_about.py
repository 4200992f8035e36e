"""The About window as a user meets it: chosen from the popup menu, centred on the screen, its
links answering the mouse without closing it, and a click on the heading closing it."""
import os
import signal
import shutil
import unittest

import wolumetr_e2e as e

ONE_DRIVE = e.settings_text(Dyski={"Dysk1": "C:\\"})
SIZE = (316, 218)
# Centred on the 1280x1024 screen.
PLACE = ((1280 - 316) // 2, (1024 - 218) // 2)
TITLE = "O programie"
# Client places: the middle of the heading, the mail and web links, and the centre line.
HEADING = (158, 16 + 12)
MAIL_TOP, WEB_TOP = 104, 152
CENTRE_X = 158


def click_here():
    """A left click where the pointer already is (xdotool's synchronous move would wait for a
    motion that never comes)."""
    e.run("xdotool", "click", "1")


def about_windows():
    # One geometry query per window: the window may close between two of them.
    return [w for w in e.visible_windows(TITLE) if (g := w.geometry()) and g[2:] == SIZE]


def underlined(shot, left, top, label_top):
    """Whether a row of the label's 16 pixels is dark all along the middle of the line: glyphs
    leave gaps between letters, an underline does not."""
    for y in range(top + label_top, top + label_top + 16):
        if all(shot.pixel(x, y) != e.WHITE for x in range(left + CENTRE_X - 40, left + CENTRE_X + 40)):
            return True
    return False


class AboutWindowTest(unittest.TestCase):
    def setUp(self):
        self.program = e.Program(ONE_DRIVE)

    def tearDown(self):
        # Only this program's own process group: the link handlers it may have started belong to it.
        process = self.program.process
        if process is not None and process.poll() is None:
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            process.wait(timeout=30)
        e.wait_for(lambda: not self.program.instances(), 20, what="the program to end")
        shutil.rmtree(self.program.root, ignore_errors=True)

    def test_opened_from_the_menu_links_keep_it_open_heading_closes_it(self):
        self.program.start()
        main = self.program.main_window()
        self.program.open_menu(main)
        e.key("Up", "Up", "Return")  # above "Zamknij": "O programie"

        about = e.wait_for(lambda: (about_windows() or [None])[0], what="the About window")
        self.assertEqual(about.geometry(), PLACE + SIZE)
        left, top = PLACE

        # The menu was opened with the mouse where the window now is: move it to the bare panel.
        e.move(left + 20, top + 120)

        def painted():
            shot = e.Screenshot()
            plain = shot.pixel(left + 20, top + 120) == e.WHITE and not underlined(shot, left, top, MAIL_TOP)
            return shot if plain else None
        shot = e.wait_for(painted, what="the white panel, no link underlined")
        if os.environ.get("WOLUMETR_ABOUT_SCREENSHOT"):
            e.save_screenshot(os.environ["WOLUMETR_ABOUT_SCREENSHOT"], (left - 8, top - 8, SIZE[0] + 16, SIZE[1] + 16))
        heading = [x for x in range(left, left + SIZE[0]) if shot.pixel(x, top + HEADING[1]) != e.WHITE]
        self.assertTrue(heading, "heading text")
        self.assertLessEqual(abs((heading[0] + heading[-1]) / 2 - (left + CENTRE_X)), 3, "heading centred")

        # The mouse over a link underlines it; moving on to the other one moves the underline.
        e.move(left + CENTRE_X, top + MAIL_TOP + 8)
        e.wait_for(lambda: underlined(e.Screenshot(), left, top, MAIL_TOP), what="the mail link underlined")
        click_here()
        e.move(left + CENTRE_X, top + WEB_TOP + 8)

        def moved_on():
            shot = e.Screenshot()
            return underlined(shot, left, top, WEB_TOP) and not underlined(shot, left, top, MAIL_TOP)
        e.wait_for(moved_on, what="the web link underlined, the mail link plain")
        self.assertEqual(len(about_windows()), 1, "a click on the mail link leaves the window open")
        click_here()
        e.move(left + CENTRE_X, top + MAIL_TOP + 8)
        e.wait_for(lambda: underlined(e.Screenshot(), left, top, MAIL_TOP), what="the mail link underlined again")
        self.assertEqual(len(about_windows()), 1, "a click on the web link leaves the window open")

        e.click(left + HEADING[0], top + HEADING[1])
        e.wait_for(lambda: not about_windows(), what="the About window to close")
        self.assertTrue(self.program.running())
        self.assertEqual(self.program.main_window().geometry(), main.geometry())


if __name__ == "__main__":
    unittest.main()
