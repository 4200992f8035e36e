"""Live gauges: the real exe measures real drives; the wedge shows the used share."""
import os
import time
import unittest
from pathlib import Path

import wolumetr_e2e as e
from wolumetr_e2e import BLUE, YELLOW, count, wedge_edge


def used_percent(path):
    """The used share as the program computes it from what the disk-space call reports."""
    st = os.statvfs(path)
    free = st.f_bavail * st.f_frsize
    total = st.f_blocks * st.f_frsize
    return 100 - (free * 100) // total


def scaled(length, dpi):
    """A design length at a scale, rounded half up as MulDiv rounds it."""
    return (length * dpi + 48) // 96


class LiveGaugesTest(unittest.TestCase):
    def setUp(self):
        self.missing = Path(os.environ["WINEPREFIX"]) / "dosdevices" / "q:"
        if self.missing.is_symlink():
            self.missing.unlink()
        self.missing.symlink_to("/nonexistent/wolumetr-missing-drive")

    def tearDown(self):
        self.program.cleanup()
        self.missing.unlink()

    def test_wedges_follow_the_used_share_and_a_missing_drive_shows_an_empty_gauge(self):
        settings = e.settings_text(Dyski={"Dysk1": "C:\\", "Dysk2": "Q:\\", "Dysk3": "Z:\\"})
        self.program = e.Program(settings).start()
        window = self.program.main_window()
        left, top, width, height = window.geometry()
        self.assertEqual((width, height), (259, 97))
        shot = e.wait_for(lambda: (lambda s: s if s.pixel(left + 5, top + 88) == e.NAVY else None)(e.Screenshot()),
                          what="the painted panel")
        prefix_c = Path(os.environ["WINEPREFIX"]) / "drive_c"
        self.check_wedges(shot, left, top, 96, ((0, prefix_c), (2, Path("/"))))
        # The drive whose folder is missing: outline only, no wedge, no size texts.
        q_left = left + 16 + 81
        self.assertEqual(count(shot, BLUE, q_left, top + 16), 0)
        self.assertGreater(count(shot, YELLOW, q_left, top + 16), 150)
        self.assertIsNone(shot.find(e.WHITE, (q_left, top + 16 + 16, q_left + 65, top + 16 + 65)),
                          "no total, used or free text")

    def test_at_150_percent_the_panel_grows_by_its_design_lengths_and_the_wedges_stay_true(self):
        dpi = 144
        e.use_dpi(self, dpi)
        settings = e.settings_text(Dyski={"Dysk1": "C:\\", "Dysk2": "Z:\\", "Dysk3": "C:\\"})
        self.program = e.Program(settings).start()
        window = self.program.main_window()
        margin, pitch = scaled(16, dpi), scaled(81, dpi)
        width, height = margin + 3 * pitch, margin + pitch
        left, top = 640 - width // 2, 512 - height // 2
        self.assertEqual(window.geometry(), (left, top, width, height), "three tiles, centred")
        # Off the panel (Wine's desktop puts the pointer in the middle of the screen, over a size
        # text, which then shows in its larger hover font until the pointer leaves).
        e.move(0, 0)
        shot = e.wait_for(lambda: (lambda s: s if s.pixel(left + 5, top + height - 9) == e.NAVY else None)(
            e.Screenshot()), what="the painted panel")
        if os.environ.get("WOLUMETR_SCREENSHOT"):
            time.sleep(0.5)  # the hover font's leave, for the picture only
            shot_path = Path(os.environ["WOLUMETR_SCREENSHOT"])
            e.save_screenshot(shot_path.with_name(shot_path.stem + "-150" + shot_path.suffix),
                              (left - 12, top - 12, width + 24, height + 24))
        prefix_c = Path(os.environ["WINEPREFIX"]) / "drive_c"
        self.check_wedges(shot, left, top, dpi, ((0, prefix_c), (1, Path("/")), (2, prefix_c)))
        # The close glyph drawn for the scale: its frame's left column 12 pixels from its right end.
        close_left = left + width - 2 * scaled(1, dpi) - scaled(8, dpi)
        self.assertIsNotNone(shot.find(e.TEAL, (close_left, top + 4, close_left + 1, top + 4 + scaled(9, dpi))),
                             "close glyph at its scaled size")

    def check_wedges(self, shot, left, top, dpi, tiles):
        margin, pitch, pie = scaled(16, dpi), scaled(81, dpi), scaled(65, dpi)
        centre = (pie - 1) // 2  # the pixel row and column the wedge's edges start from
        for column, path in tiles:
            end = (used_percent(path) * 18) // 5
            last_blue, first_navy = wedge_edge(shot, left + margin + pitch * column + centre, top + margin + centre,
                                               pie * 7 // 16)
            # The wedge runs counterclockwise from 3 o'clock to the end angle, within 2 degrees.
            self.assertLessEqual(last_blue, end + 2, f"tile {column} at {dpi} dpi")
            self.assertGreaterEqual(first_navy, end - 2, f"tile {column} at {dpi} dpi")
            self.assertLess(end - last_blue, 8, f"tile {column} at {dpi} dpi: wedge too short")


if __name__ == "__main__":
    unittest.main()
