"""A drive that holds its disk-space answer for 20 s (a FUSE filesystem, slow_drive.c, behind a
drive letter of the Wine prefix): meanwhile the window answers, paints and takes its menu, and
closes at once when told; the drive's figures show once it answers."""
import os
import shutil
import signal
import subprocess
import tempfile
import time
import unittest
from pathlib import Path

import wolumetr_e2e as e

HOLD_S = 20
LIFETIME_S = 150  # the filesystem ends and unmounts itself after this, whatever becomes of the test
LETTER = "r:"
QUICK_MS = 1000  # generous for a busy machine: a held window thread takes the whole hold (the probe stops at 5 s)
USED_PERCENT = 75  # what slow_drive.c reports: 100 GiB, 25 GiB free


def tile_left(left, column):
    return left + 16 + 81 * column


def ended_but_for_the_held_query(pid):
    """True once the process has ended, or has ended all but a thread in an uninterruptible wait
    (D): Linux lets no thread out of a request the FUSE filesystem has taken, not even a killed
    one, until the answer comes."""
    tasks = Path(f"/proc/{pid}/task")
    try:
        states = {t.name: (t / "stat").read_text().rsplit(")", 1)[1].split()[0] for t in tasks.iterdir()}
    except OSError:
        return not tasks.exists()
    if states.get(str(pid), "Z") != "Z":
        return False  # the main thread runs
    return all(state in ("Z", "D") for state in states.values())


class SlowDrive:
    """slow_drive.c built and mounted in a folder of its own; `stop` always unmounts."""

    def __init__(self, root):
        self.root = root
        self.mount_point = root / "mnt"
        self.mount_point.mkdir()
        self.log = root / "slow_drive.log"
        self.log.touch()
        self.process = None

    def start(self):
        if not os.path.exists("/dev/fuse"):
            raise unittest.SkipTest("no /dev/fuse on this machine: a FUSE drive cannot be mounted")
        exe = self.root / "slow_drive"
        flags = e.run("pkg-config", "--cflags", "--libs", "fuse3").split()
        e.run("gcc", "-std=c11", "-D_GNU_SOURCE", "-O1", "-Wall", "-Werror", "-o", str(exe),
              str(Path(__file__).with_name("slow_drive.c")), *flags)
        errors = self.root / "slow_drive.err"
        with open(errors, "wb") as err:
            command = [str(exe), str(HOLD_S), str(LIFETIME_S), str(self.log), str(self.mount_point)]
            self.process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=err,
                                            start_new_session=True)
        end = time.monotonic() + 10
        while "mounted" not in self.lines():
            if self.process.poll() is not None or time.monotonic() > end:
                self.stop()
                reason = errors.read_text(errors="replace").strip() or "no answer within 10 s"
                raise unittest.SkipTest(f"the FUSE mount was refused here: {reason}")
            time.sleep(0.05)
        return self

    def lines(self):
        return self.log.read_text().splitlines()

    def asked(self):
        return any(line.startswith("asked ") for line in self.lines())

    def answered(self):
        return any(line.startswith("answered ") for line in self.lines())

    def stop(self):
        if self.process is not None and self.process.poll() is None:
            self.process.send_signal(signal.SIGTERM)  # unmounts, ending any held statfs
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait(timeout=10)
        # A mount whose process is gone answers nothing (os.path.ismount says no): the table tells.
        if self.mounted():
            subprocess.run(["fusermount3", "-u", "-z", str(self.mount_point)], check=False, timeout=30,
                           capture_output=True)

    def mounted(self):
        target = str(self.mount_point).replace(" ", "\\040")  # as the table spells a blank
        return any(line.split()[1] == target for line in Path("/proc/self/mounts").read_text().splitlines())


class SlowDriveTest(unittest.TestCase):
    def setUp(self):
        self.probe = os.environ.get("WOLUMETR_WINDOW_PROBE")
        if not self.probe:
            raise unittest.SkipTest("WOLUMETR_WINDOW_PROBE is not set (run through CTest)")
        base = os.environ.get("WOLUMETR_TEST_WORK") or tempfile.gettempdir()
        self.root = Path(tempfile.mkdtemp(prefix="slow-drive-", dir=base))
        self.addCleanup(shutil.rmtree, self.root, True)
        self.program = e.Program(e.settings_text(Dyski={"Dysk1": "C:\\", "Dysk2": "R:\\", "Dysk3": "Z:\\"}))
        self.addCleanup(self.program.cleanup)
        # Cleanups run last in, first out: the drive goes first, which lets go of a held query.
        self.drive = SlowDrive(self.root)
        self.addCleanup(self.drive.stop)
        self.drive.start()
        self.letter = Path(os.environ["WINEPREFIX"]) / "dosdevices" / LETTER
        if self.letter.is_symlink():
            self.letter.unlink()
        self.letter.symlink_to(self.drive.mount_point)
        self.addCleanup(self.letter.unlink)

    def measure(self):
        out = subprocess.run(["wine", self.probe, "TForm1", "10"], stdin=subprocess.DEVNULL, capture_output=True,
                             text=True, timeout=120).stdout
        return {k: float(v) for k, v in (line.split() for line in out.splitlines() if line.strip())}

    def painted_panel(self, left, top):
        def painted():
            shot = e.Screenshot()
            return shot if shot.pixel(left + 5, top + 88) == e.NAVY else None
        return e.wait_for(painted, what=f"the panel painted at ({left}, {top})")

    def test_window_answers_while_the_drive_holds_and_shows_its_figures_after(self):
        self.program.start()
        window = self.program.main_window()
        left, top, width, height = window.geometry()
        self.assertEqual((width, height), (259, 97))
        e.wait_for(self.drive.asked, what="the program to ask the slow drive")

        # Held: the window answers messages and paints at once.
        times = self.measure()
        self.assertLess(times.get("message", 1e9), QUICK_MS, times)
        self.assertLess(times.get("paint", 1e9), QUICK_MS, times)
        # The first drive, asked before the slow one, is measured; the slow one and the one
        # after it keep the unmeasured look: outline, no wedge, no size texts.
        shot = self.painted_panel(left, top)
        self.assertGreater(e.count(shot, e.BLUE, tile_left(left, 0), top + 16), 0, "tile C: measured")
        for column in (1, 2):
            x = tile_left(left, column)
            self.assertEqual(e.count(shot, e.BLUE, x, top + 16), 0, f"tile {column}: no wedge yet")
            self.assertGreater(e.count(shot, e.YELLOW, x, top + 16), 150, f"tile {column}: the outline")
            self.assertIsNone(shot.find(e.WHITE, (x, top + 32, x + 65, top + 81)), f"tile {column}: no size texts")

        # The menu works: "Wyrównaj do" > "Prawy - Dolny brzeg" moves the window, which paints there.
        self.program.open_menu(window)
        e.key("Down", "Down", "Down", "Down", "Right", *["Down"] * 8, "Return")
        def moved():
            places = [w.geometry() for w in e.visible_windows("Wolumetr")]
            return any(g and g[:2] == (1021, 927) for g in places)
        e.wait_for(moved, what="the window at the bottom right")
        self.painted_panel(1021, 927)
        self.assertFalse(self.drive.answered(), "the drive answered before the checks ended: a hold too short")

        # Once the drive answers, its figures arrive: a wedge of the used share and the texts.
        def figures():
            shot = e.Screenshot()
            x = tile_left(1021, 1)
            return shot if e.count(shot, e.BLUE, x, 927 + 16) > 0 and shot.find(
                e.WHITE, (x, 927 + 32, x + 65, 927 + 81)) else None
        shot = e.wait_for(figures, HOLD_S + 30, what="the slow drive's figures")
        self.assertTrue(self.drive.answered())
        end = (USED_PERCENT * 18) // 5
        last_blue, first_navy = e.wedge_edge(shot, tile_left(1021, 1) + 32, 927 + 16 + 32)
        self.assertLessEqual(last_blue, end + 2)
        self.assertGreaterEqual(first_navy, end - 2)
        self.assertGreater(e.count(shot, e.BLUE, tile_left(1021, 2), 927 + 16), 0, "tile Z: measured after it")

    def test_closing_does_not_wait_for_the_held_drive(self):
        self.program.start()
        window = self.program.main_window()
        e.wait_for(self.drive.asked, what="the program to ask the slow drive")
        self.program.open_menu(window)
        e.key("Up", "Return")  # the last item: "Zamknij"
        e.wait_for(lambda: ended_but_for_the_held_query(self.program.process.pid), HOLD_S / 2,
                   what="the program to end")
        self.assertFalse(self.drive.answered(), "the drive answered before the program ended: a hold too short")
        self.assertEqual(e.visible_windows("Wolumetr"), [])
        self.drive.stop()  # unmounted, the request fails and the kernel lets the last thread go
        self.program.wait_exit(timeout=10)


if __name__ == "__main__":
    unittest.main()
