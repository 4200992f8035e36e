"""Live gauges: the real exe measures real drives; the wedge shows the used share."""
import math
import os
import unittest
from pathlib import Path

import wolumetr_e2e as e

BLUE = (0, 0, 255)
YELLOW = (255, 255, 0)


def used_percent(path):
    """The used share as the program computes it from what the disk-space call reports."""
    st = os.statvfs(path)
    free = st.f_bavail * st.f_frsize
    total = st.f_blocks * st.f_frsize
    return 100 - (free * 100) // total


def count(shot, colour, left, top, size=65):
    return sum(1 for y in range(top, top + size) for x in range(left, left + size) if shot.pixel(x, y) == colour)


def wedge_edge(shot, cx, cy, radius=28):
    """Walks a ring round the pie counterclockwise from 3 o'clock: the last degree that is
    blue and the first that is the panel's navy (texts over the pie are skipped)."""
    blue, navy = [], []
    for a in range(360):
        x = cx + round(radius * math.cos(math.radians(a)))
        y = cy - round(radius * math.sin(math.radians(a)))
        colour = shot.pixel(x, y)
        (blue if colour == BLUE else navy if colour == e.NAVY else []).append(a)
    return max(blue, default=-1), min(navy, default=360)


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
        for column, path in ((0, prefix_c), (2, Path("/"))):
            end = (used_percent(path) * 18) // 5
            last_blue, first_navy = wedge_edge(shot, left + 16 + 81 * column + 32, top + 16 + 32)
            # The wedge runs counterclockwise from 3 o'clock to the end angle, to the pixel.
            self.assertLessEqual(last_blue, end + 2, f"tile {column}")
            self.assertGreaterEqual(first_navy, end - 2, f"tile {column}")
            self.assertLess(end - last_blue, 8, f"tile {column}: wedge too short")
        # The drive whose folder is missing: outline only, no wedge, no size texts.
        q_left = left + 16 + 81
        self.assertEqual(count(shot, BLUE, q_left, top + 16), 0)
        self.assertGreater(count(shot, YELLOW, q_left, top + 16), 150)
        self.assertIsNone(shot.find(e.WHITE, (q_left, top + 16 + 16, q_left + 65, top + 16 + 65)),
                          "no total, used or free text")


if __name__ == "__main__":
    unittest.main()
