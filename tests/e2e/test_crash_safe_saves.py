"""Saves killed at random moments: the settings file is always exactly the old or the new
content, never a mix, a cut or nothing, and what a killed save leaves behind never stops the next
start or save.

The writer (tests/win/crash_writer.cpp) saves through FileSettingsStore under Wine in an endless
loop, alternating two sets of 150 values of 1000 characters (about 150 KB a file, every line
different between the two), each save one SettingsFile with one Commit. The test starts it, kills
it with SIGKILL after a random delay, checks the file byte for byte, and starts it again on what
the kill left: the writer's start reads the file first and refuses one that holds neither set."""
import os
import random
import select
import shutil
import signal
import string
import subprocess
import tempfile
import time
import unittest
from pathlib import Path

KILLS = 500
KEYS = 150
VALUE_LENGTH = 1000
MAX_DELAY = 0.060  # seconds after the first save; a save takes a few milliseconds
START_TIMEOUT = 60.0


def writer_exe():
    exe = os.environ.get("WOLUMETR_CRASH_WRITER")
    if exe:
        return exe
    program = os.environ.get("WOLUMETR_EXE")
    if not program:
        raise RuntimeError("WOLUMETR_CRASH_WRITER or WOLUMETR_EXE must be set (run through CTest)")
    return str(Path(program).parent / "tests" / "win" / "wolumetr_crash_writer.exe")


def settings_content(values):
    """The file as the writer leaves it: its keys among lines it does not own."""
    lines = ["; Wolumetr: crash test", "[Wyglad]", "Poziomprzezr=190", "[Test]"]
    lines += [f"Klucz{i + 1}={v}" for i, v in enumerate(values)]
    lines += ["[Inne]", "zostaje=tak"]
    return ("\r\n".join(lines) + "\r\n").encode("ascii")


class KilledSaves(unittest.TestCase):
    def setUp(self):
        base = os.environ.get("WOLUMETR_TEST_WORK") or tempfile.gettempdir()
        self.root = Path(tempfile.mkdtemp(prefix="crash-", dir=base))
        self.folder = self.root / "Wolumetr zażółć"
        self.folder.mkdir()
        self.process = None
        # Keeps a program running throughout: when Wine's last program ends it starts shutting
        # down, and a writer that connects just then is turned away.
        self.keeper = subprocess.Popen(["wine", writer_exe(), "--wait"], stdin=subprocess.PIPE,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                       start_new_session=True)

    def tearDown(self):
        if self.process is not None and self.process.poll() is None:
            self.process.kill()
            self.process.wait(timeout=30)
        self.keeper.stdin.close()  # it ends with its input
        try:
            self.keeper.wait(timeout=30)
        except subprocess.TimeoutExpired:
            self.keeper.kill()
            self.keeper.wait(timeout=30)
        shutil.rmtree(self.root, ignore_errors=True)

    def start_writer(self):
        """Starts the writer and waits for its first save; fails on what it reports instead.

        A second try, as the program's own start has: under load Wine now and then loses a
        starting process before its first line runs."""
        for attempt in range(2):
            self.process = subprocess.Popen(["wine", writer_exe(), "wolumetr.ini", "a.txt", "b.txt"],
                                            cwd=str(self.folder), stdin=subprocess.DEVNULL,
                                            stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                            start_new_session=True)
            ready, _, _ = select.select([self.process.stdout], [], [], START_TIMEOUT)
            line = self.process.stdout.readline() if ready else b""
            if line.strip() == b"ready":
                return
            self.process.kill()
            _, err = self.process.communicate(timeout=30)
            if line.strip() != b"" or attempt == 1:
                self.fail(f"the writer did not start saving: {line!r} {err.decode(errors='replace')}")

    def kill_writer(self):
        # The Unix process is the Windows process itself (Wine's services run apart).
        os.kill(self.process.pid, signal.SIGKILL)
        self.process.wait(timeout=30)
        self.process.stdout.close()
        self.process.stderr.close()
        self.process = None

    def test_every_kill_leaves_the_old_or_the_new_file(self):
        rng = random.Random(os.environ.get("WOLUMETR_CRASH_SEED"))
        letters = string.ascii_letters + string.digits

        def value_set():
            return ["".join(rng.choice(letters) for _ in range(VALUE_LENGTH)) for _ in range(KEYS)]

        a, b = value_set(), value_set()
        (self.folder / "a.txt").write_text("\n".join(a))
        (self.folder / "b.txt").write_text("\n".join(b))
        contents = {settings_content(a): "A", settings_content(b): "B"}
        settings = self.folder / "wolumetr.ini"
        settings.write_bytes(settings_content(a))

        def temporary_files():
            return {p.name: (p.stat().st_size, p.stat().st_mtime_ns) for p in self.folder.glob("wolumetr.ini.~*.tmp")}

        seen = {"A": 0, "B": 0}
        kills_mid_save = 0  # kills that left a temporary file of their own
        started = time.monotonic()
        for kill in range(KILLS):
            leftovers = temporary_files()
            self.start_writer()
            time.sleep(rng.uniform(0, MAX_DELAY))
            self.kill_writer()
            data = settings.read_bytes() if settings.exists() else None
            which = contents.get(data)
            if which is None:
                size = "missing" if data is None else f"{len(data)} bytes"
                self.fail(f"kill {kill + 1}: the settings file is neither the old nor the new content ({size})")
            seen[which] += 1
            if temporary_files().items() - leftovers.items():
                kills_mid_save += 1
        elapsed = time.monotonic() - started
        print(f"\n{KILLS} kills in {elapsed:.0f} s: {seen['A']} left A, {seen['B']} left B, "
              f"{kills_mid_save} cut a save short and left its temporary file, "
              f"{len(temporary_files())} such files stand beside the settings")
        # Both contents turned up and saves were cut short: the kills fell all over the save loop.
        self.assertGreater(seen["A"], 0)
        self.assertGreater(seen["B"], 0)
        self.assertGreater(kills_mid_save, 0)

        # After all of that, one more start and save on what the kills left.
        self.start_writer()
        self.kill_writer()
        self.assertIn(settings.read_bytes(), contents)


if __name__ == "__main__":
    unittest.main()
