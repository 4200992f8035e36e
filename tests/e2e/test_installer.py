"""The per-user MSI under Wine's msiexec /qn: installed with its shortcut and uninstall entry, the
program started from the shortcut, replaced by a higher version, and removed with the user's Run
value that starts it, leaving wolumetr.ini."""
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

import wolumetr_e2e as e

ROOT = Path(__file__).resolve().parents[2]
RUN_KEY = r"Software\Microsoft\Windows\CurrentVersion\Run"
UNINSTALL_KEY = r"Software\Microsoft\Windows\CurrentVersion\Uninstall"
INSTALLED = r"Programs.Wolumetr.wolumetr\.exe"  # the installed copy's command line, in either spelling


def registry(key):
    """Wine's export of a key: {value name: string data} for the key and each subkey."""
    with tempfile.TemporaryDirectory() as folder:
        out = Path(folder) / "key.reg"
        if subprocess.run(["wine", "reg", "export", key, out, "/y"], capture_output=True, timeout=60).returncode:
            return []
        blocks = re.split(r"\r?\n(?=\[)", out.read_bytes().decode("utf-16"))[1:]  # one per key, after the header
    return [dict(re.findall(r'^"(.+?)"=(?:"(.*)")?', b.replace("\\\\", "\\"), re.M)) for b in blocks]


def uninstall_entries():  # Windows keeps a per-user product's entry under HKCU, Wine under HKLM
    entries = registry(f"HKCU\\{UNINSTALL_KEY}") + registry(f"HKLM\\{UNINSTALL_KEY}")
    return [v for v in entries if v.get("DisplayName") == "Wolumetr"]


def stop_installed_program():
    for pid in e.run("pgrep", "-f", INSTALLED, check=False).split():
        os.kill(int(pid), signal.SIGKILL)
    e.wait_for(lambda: not e.run("pgrep", "-f", INSTALLED, check=False), what="the program to end")


class InstallerTest(unittest.TestCase):
    def package(self, version):
        out = Path(self.enterContext(tempfile.TemporaryDirectory())) / "wolumetr.msi"
        subprocess.run([sys.executable, ROOT / "scripts/pack.py", "msi", out, os.environ["WOLUMETR_EXE"],
                        os.environ["WOLUMETR_UNINSTALL_ACTION"], version], check=True, timeout=120)
        return "Z:" + str(out).replace("/", "\\")

    def msiexec(self, *args):
        done = subprocess.run(["wine", "msiexec", *args, "/qn"], capture_output=True, text=True, timeout=300)
        self.assertEqual(done.returncode, 0, done.stderr)

    def test_install_start_upgrade_and_remove(self):
        version = os.environ["WOLUMETR_VERSION"]
        major, minor, patch, _ = version.split(".")
        newer = f"{major}.{minor}.{int(patch) + 1}.0"
        first, second = self.package(version), self.package(newer)
        for hive in ("HKCU", "HKLM"):
            self.addCleanup(e.run, "wine", "reg", "delete", f"{hive}\\{RUN_KEY}", "/v", "Wolumetr", "/f", check=False)
        self.addCleanup(subprocess.run, ["wine", "msiexec", "/x", second, "/qn"], capture_output=True, timeout=300)
        drive_c = Path(os.environ["WINEPREFIX"], "drive_c")
        [user] = [p for p in (drive_c / "users").iterdir() if p.name != "Public"]
        folder, exe = user / "AppData/Local/Programs/Wolumetr", Path(os.environ["WOLUMETR_EXE"])
        shortcut = user / "AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Wolumetr.lnk"
        self.addCleanup(shutil.rmtree, folder, True)  # the settings file the removal leaves

        self.msiexec("/i", first)
        self.assertEqual((folder / "wolumetr.exe").read_bytes(), exe.read_bytes())
        [entry] = uninstall_entries()
        self.assertEqual((entry["DisplayVersion"], entry["Publisher"]), (version, "Zespół Wolumetr"))
        [icon] = [v["ProductIcon"] for v in registry(r"HKCU\Software\Microsoft\Installer\Products")
                  if v.get("ProductName") == "Wolumetr"]
        icon = drive_c / icon.removeprefix("C:\\").replace("\\", "/")
        self.assertEqual(icon.read_bytes(), (ROOT / "resources/wolumetr.ico").read_bytes())
        # From the Start-menu shortcut, a first start asks which drives to show.
        self.addCleanup(stop_installed_program)
        subprocess.run(["wine", "start", "/unix", shortcut], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=True, timeout=60)
        e.wait_for(lambda: e.visible_windows("Wybór dysków"), what="the Drive selection window")
        stop_installed_program()

        self.msiexec("/i", second)
        self.assertEqual([entry["DisplayVersion"] for entry in uninstall_entries()], [newer])

        (folder / "wolumetr.ini").write_bytes(b"[Ustawienia]\r\n")
        # Named as the program's rule allows (quoted, letters in another case, through %LOCALAPPDATA%)
        # in both hives; the machine's value is left to the machine.
        for hive in ("HKCU", "HKLM"):
            e.run("wine", "reg", "add", f"{hive}\\{RUN_KEY}", "/v", "Wolumetr", "/t", "REG_EXPAND_SZ", "/d",
                  r'"%LOCALAPPDATA%\Programs\WOLUMETR\Wolumetr.EXE"', "/f")
        self.msiexec("/x", second)
        self.assertEqual([(p.name, p.read_bytes()) for p in folder.iterdir()], [("wolumetr.ini", b"[Ustawienia]\r\n")])
        self.assertFalse(shortcut.exists())
        self.assertEqual(uninstall_entries(), [])
        for hive, kept in (("HKCU", False), ("HKLM", True)):
            self.assertEqual(["Wolumetr" in v for v in registry(f"{hive}\\{RUN_KEY}")], [kept], hive)


if __name__ == "__main__":
    unittest.main()
