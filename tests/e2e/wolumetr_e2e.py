"""Drives the real wolumetr.exe under Wine on an X display, like a user, and judges it from outside.

Needs DISPLAY and WINEPREFIX (the test command sets both) and WOLUMETR_EXE (CTest sets it).
Everything waits by polling for the condition it needs, with a generous time-out."""
import math
import os
import shutil
import signal
import subprocess
import tempfile
import time
import unittest
from pathlib import Path

TIMEOUT = 30.0
# What Wine writes when it, not the program, fails a start (see Program.start).
WINE_START_FAILURES = ("failed to map the shared user data", "no driver could be loaded")
SCREEN = (1280, 1024)

NAVY = (0, 0, 128)
WHITE = (255, 255, 255)
TEAL = (0, 176, 184)
BLUE = (0, 0, 255)
YELLOW = (255, 255, 0)


def wait_for(condition, timeout=TIMEOUT, interval=0.1, what="condition"):
    """Polls `condition` until it returns something truthy, and returns that."""
    end = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > end:
            raise AssertionError(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


def run(*args, check=True, timeout=60):
    return subprocess.run(args, check=check, timeout=timeout, capture_output=True, text=True).stdout


def shell_values(out):
    """The NAME=value lines of xdotool's --shell output, as a dict."""
    return dict(line.split("=", 1) for line in out.splitlines() if "=" in line)


class Window:
    def __init__(self, wid):
        self.id = wid

    @property
    def name(self):
        return run("xdotool", "getwindowname", str(self.id), check=False).strip()

    def geometry(self):
        """(left, top, width, height) on the screen."""
        values = shell_values(run("xdotool", "getwindowgeometry", "--shell", str(self.id), check=False))
        try:
            return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])
        except KeyError:
            return None

    def __repr__(self):
        return f"Window({self.id}, {self.name!r}, {self.geometry()})"


def visible_windows(name=None):
    """Mapped X windows, optionally those whose title matches `name` exactly."""
    args = ["xdotool", "search", "--onlyvisible"]
    args += ["--name", f"^{name}$"] if name is not None else ["--name", ".*"]
    windows = [Window(int(line)) for line in run(*args, check=False).split()]
    # The zero-size taskbar window maps as 1x1.
    return [w for w in windows if (g := w.geometry()) and g[2] > 1 and g[3] > 1]


def first_window(test):
    """The first visible window that `test` accepts (given the window and its geometry), or None."""
    return next((w for w in visible_windows() if (g := w.geometry()) and test(w, g)), None)


def dropped_list(field_left, field_top):
    """A combo box's open list: an untitled window under the field whose corner is given."""
    return first_window(lambda w, g: w.name == "" and abs(g[0] - field_left) <= 2 and g[1] >= field_top + 15
                        and 100 <= g[2] < 200)


def tray():
    """Wine's notification area, while it shows."""
    return (visible_windows("Wine System Tray") or [None])[0]


def pointer():
    values = shell_values(run("xdotool", "getmouselocation", "--shell"))
    return int(values["X"]), int(values["Y"])


def move(x, y):
    # --sync waits for a movement event, which never comes when the pointer is there already.
    if pointer() != (x, y):
        run("xdotool", "mousemove", "--sync", str(x), str(y))


def click(x, y, button=1):
    move(x, y)
    time.sleep(0.05)
    run("xdotool", "click", str(button))


def press(x, y, button=1):
    move(x, y)
    run("xdotool", "mousedown", str(button))


def release(button=1):
    run("xdotool", "mouseup", str(button))


def key(*keys):
    for k in keys:
        run("xdotool", "key", "--clearmodifiers", k)
        time.sleep(0.05)


def type_text(text):
    run("xdotool", "type", "--delay", "40", text)


class Screenshot:
    """The whole screen as exact RGB (Xvfb does not composite alpha)."""

    def __init__(self):
        self.raw = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"], check=True,
                                  capture_output=True, timeout=60).stdout
        self.width, self.height = SCREEN

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.raw[i:i + 3])

    def find(self, colour, box):
        """First (x, y) in box (left, top, right, bottom) with exactly that colour, or None."""
        left, top, right, bottom = box
        for y in range(top, bottom):
            for x in range(left, right):
                if self.pixel(x, y) == colour:
                    return x, y
        return None


def count(shot, colour, left, top, size=65):
    """How many pixels of a size x size square (a tile's pie) have exactly that colour."""
    return sum(1 for y in range(top, top + size) for x in range(left, left + size) if shot.pixel(x, y) == colour)


def wedge_edge(shot, cx, cy, radius=28):
    """Walks a ring round the pie counterclockwise from 3 o'clock: the last degree that is
    blue and the first that is the panel's navy (texts over the pie are skipped)."""
    blue, navy = [], []
    for a in range(360):
        x = cx + round(radius * math.cos(math.radians(a)))
        y = cy - round(radius * math.sin(math.radians(a)))
        colour = shot.pixel(x, y)
        (blue if colour == BLUE else navy if colour == NAVY else []).append(a)
    return max(blue, default=-1), min(navy, default=360)


def save_screenshot(path, box=None):
    args = ["import", "-window", "root"]
    if box:
        left, top, width, height = box
        args += ["-crop", f"{width}x{height}+{left}+{top}", "+repage"]
    subprocess.run(args + [str(path)], check=True, timeout=60)


class Program:
    """One copy of wolumetr.exe in a program folder of its own (a Polish name with blanks),
    with the settings file the test gives it."""

    def __init__(self, settings=None, folder_name="Wolumetr zażółć"):
        exe = os.environ.get("WOLUMETR_EXE")
        if not exe:
            raise RuntimeError("WOLUMETR_EXE is not set (run through CTest or the test command)")
        base = os.environ.get("WOLUMETR_TEST_WORK") or tempfile.gettempdir()
        self.root = Path(tempfile.mkdtemp(prefix="e2e-", dir=base))
        self.folder = self.root / folder_name
        self.folder.mkdir()
        self.exe = self.folder / "wolumetr.exe"
        shutil.copy(exe, self.exe)
        self.settings_path = self.folder / "wolumetr.ini"
        if settings is not None:
            self.write_settings(settings)
        self.process = None

    # settings file -------------------------------------------------------------------------
    def write_settings(self, text):
        self.settings_path.write_bytes(text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8"))

    def read_settings(self):
        return self.settings_path.read_bytes().decode("utf-8") if self.settings_path.exists() else None

    # process -------------------------------------------------------------------------------
    def start(self):
        """Starts the program. A start that Wine itself fails is made again: on a busy machine
        a new Wine process now and then cannot map its shared memory, or comes up while Wine's
        desktop process is ending and gets no display driver; either way no window ever shows."""
        env = dict(os.environ, WINEDEBUG="-all,err+virtual,err+winediag")
        for attempt in range(3):
            log = self.root / f"wine-start-{attempt}.log"
            with open(log, "wb") as errors:
                self.process = subprocess.Popen(["wine", str(self.exe)], cwd=str(self.folder),
                                                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                                stderr=errors, start_new_session=True, env=env)
            if not self._wine_failed_start(log):
                return self
            self.stop()
            time.sleep(1)
        raise AssertionError("Wine failed to start the program three times")

    def _wine_failed_start(self, log, within=1.0):
        deadline = time.monotonic() + within
        while time.monotonic() < deadline:
            text = log.read_text(errors="replace")
            if any(sign in text for sign in WINE_START_FAILURES):
                return True
            time.sleep(0.05)
        return False

    def instances(self):
        """PIDs of running copies of this program's exe, the ones it restarted itself included
        (their command lines name the same unique folder, in Windows or Unix spelling)."""
        out = run("pgrep", "-f", self.root.name, check=False)
        return [int(p) for p in out.split()]

    def wait_exit(self, timeout=TIMEOUT):
        wait_for(lambda: self.process.poll() is not None, timeout, what="the program to end")
        return self.process.returncode

    def running(self):
        return self.process is not None and self.process.poll() is None

    def stop(self):
        if self.running():
            try:
                os.killpg(self.process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            self.process.wait(timeout=30)
        # Copies started by the program itself (the restart) end with it.
        subprocess.run(["pkill", "-9", "-f", self.root.name], check=False)
        wait_for(lambda: not self.instances(), 20, what="every copy of the program to end")

    def cleanup(self):
        self.stop()
        shutil.rmtree(self.root, ignore_errors=True)

    # windows -------------------------------------------------------------------------------
    def main_window(self, timeout=TIMEOUT):
        """The visible main window (titled "Wolumetr", larger than the taskbar window)."""
        return wait_for(lambda: (visible_windows("Wolumetr") or [None])[0], timeout, what="the main window")

    def window_of_size(self, width, height, timeout=TIMEOUT):
        return wait_for(lambda: first_window(lambda w, g: g[2:] == (width, height)), timeout,
                        what=f"a {width}x{height} window")

    def open_menu(self, window=None):
        """Opens the popup menu with a right click on the window's free surface."""
        window = window or self.main_window()
        left, top, width, height = window.geometry()
        click(left + 5, top + height // 2, button=3)
        return wait_for(lambda: self._menu_window(), 10, what="the popup menu")

    @staticmethod
    def _menu_window():
        return first_window(lambda w, g: w.name == "" and g[3] > 40 and g[2] < 400)


class ShellStandIn:
    """The test helper that plays the shell's part (tests/e2e/shell_stand_in.cpp)."""

    def __init__(self):
        self.exe = os.environ.get("WOLUMETR_SHELL_STAND_IN")
        if not self.exe:
            raise unittest.SkipTest("WOLUMETR_SHELL_STAND_IN is not set (run through CTest)")
        self.refusing = None

    def run(self, *args):
        return self._run(args).returncode

    def output(self, *args):
        return self._run(args).stdout.strip()

    def _run(self, args):
        return subprocess.run(["wine", self.exe, *args], stdin=subprocess.DEVNULL, capture_output=True, timeout=60,
                              text=True, errors="replace")

    def refuse(self):
        self.refusing = subprocess.Popen(["wine", self.exe, "refuse"], stdin=subprocess.DEVNULL,
                                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                                         start_new_session=True)
        if self.refusing.stdout.readline().strip() != "ready":
            raise AssertionError("the refusing notification area did not start")

    def stop(self):
        if self.refusing is not None and self.refusing.poll() is None:
            self.refusing.kill()
            self.refusing.wait(timeout=30)


DESKTOP_KEY = r"HKCU\Control Panel\Desktop"


def use_dpi(test, dpi):
    """Makes programs started from now on see the prefix at `dpi` (the user's scale setting),
    until the test ends. The desk's prefix is shared by the tests run on it one after another,
    so the value it had is put back, or removed if it had none."""
    out = subprocess.run(["wine", "reg", "query", DESKTOP_KEY, "/v", "LogPixels"], capture_output=True, text=True,
                         timeout=60).stdout
    before = next((line.split()[-1] for line in out.splitlines() if "LogPixels" in line), None)

    def restore():
        if before is None:
            run("wine", "reg", "delete", DESKTOP_KEY, "/v", "LogPixels", "/f", check=False)
        else:
            run("wine", "reg", "add", DESKTOP_KEY, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(int(before, 0)),
                "/f")
    test.addCleanup(restore)
    run("wine", "reg", "add", DESKTOP_KEY, "/v", "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f")


def settings_text(**sections):
    """INI text from {section: {key: value}} keyword arguments, in order, CRLF line ends."""
    lines = []
    for section, entries in sections.items():
        lines.append(f"[{section}]")
        lines += [f"{k}={v}" for k, v in entries.items()]
    return "\r\n".join(lines) + "\r\n"
