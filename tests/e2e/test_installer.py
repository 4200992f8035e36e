"""The per-user MSI under Wine's msiexec /qn: installed with its shortcut and uninstall entry, the
program started from the shortcut, replaced by a higher version while it runs, and removed with the
user's Run value that starts it (by its long or short path) and its StartupApproved record, leaving
wolumetr.ini and another copy's Run value."""
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
APPROVED_KEY = r"Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run"
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
    def package(self, version, exe):
        out = Path(self.enterContext(tempfile.TemporaryDirectory())) / "wolumetr.msi"
        subprocess.run([sys.executable, ROOT / "scripts/pack.py", "msi", out, exe,
                        os.environ["WOLUMETR_UNINSTALL_ACTION"], version], check=True, timeout=120)
        return "Z:" + str(out).replace("/", "\\")

    def msiexec(self, *args, codes=(0,)):
        done = subprocess.run(["wine", "msiexec", *args, "/qn"], capture_output=True, text=True, timeout=300)
        self.assertIn(done.returncode, codes, done.stderr)

    def test_install_start_upgrade_and_remove(self):
        version = os.environ["WOLUMETR_VERSION"]
        major, minor, patch, _ = version.split(".")
        newer = f"{major}.{minor}.{int(patch) + 1}.0"
        exe = Path(os.environ["WOLUMETR_EXE"])
        newer_exe = Path(self.enterContext(tempfile.TemporaryDirectory())) / "wolumetr.exe"
        newer_exe.write_bytes(exe.read_bytes() + b"newer")  # bytes past the image: it runs as before
        first, second = self.package(version, exe), self.package(newer, newer_exe)
        for key in (f"HKCU\\{RUN_KEY}", f"HKLM\\{RUN_KEY}", f"HKCU\\{APPROVED_KEY}"):
            self.addCleanup(e.run, "wine", "reg", "delete", key, "/v", "Wolumetr", "/f", check=False)
        drive_c = Path(os.environ["WINEPREFIX"], "drive_c")
        [user] = [p for p in (drive_c / "users").iterdir() if p.name != "Public"]
        folder, other = user / "AppData/Local/Programs/Wolumetr", user / "AppData/Local/Programs/Wolumetr-drugi"
        shortcut = user / "AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Wolumetr.lnk"
        for package, place in ((second, folder), (first, other)):
            self.addCleanup(subprocess.run, ["wine", "msiexec", "/x", package, "/qn"], capture_output=True, timeout=300)
            self.addCleanup(shutil.rmtree, place, True)  # the settings file the removal leaves

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

        # Over the running older program: put in place at the next start of Windows (nothing closes it
        # under Wine). Windows would keep the older exe by its dates were the older product removed last.
        self.msiexec("/i", second, codes=(0, 3010 & 0xFF))  # a restart needed: Unix keeps the low byte
        self.assertEqual([entry["DisplayVersion"] for entry in uninstall_entries()], [newer])
        stop_installed_program()
        e.run("wine", "wineboot", "--restart")
        self.assertEqual((folder / "wolumetr.exe").read_bytes(), newer_exe.read_bytes())
        table = e.run("msiinfo", "export", second.removeprefix("Z:").replace("\\", "/"), "InstallExecuteSequence")
        order = {action: int(number) for action, number in re.findall(r"^(\w+)\t[^\t]*\t(\d+)", table, re.M)}
        self.assertTrue(order["InstallValidate"] < order["RemoveExistingProducts"] < order["InstallInitialize"], order)

        (folder / "wolumetr.ini").write_bytes(b"[Ustawienia]\r\n")
        # Another copy's value in the user's key, ours in the machine's: neither is the removal's to take.
        e.run("wine", "reg", "add", f"HKCU\\{RUN_KEY}", "/v", "Wolumetr", "/d", r"C:\Przenośny\wolumetr.exe", "/f")
        e.run("wine", "reg", "add", f"HKLM\\{RUN_KEY}", "/v", "Wolumetr", "/t", "REG_EXPAND_SZ", "/d",
              r'"%LOCALAPPDATA%\Programs\WOLUMETR\Wolumetr.EXE"', "/f")
        self.msiexec("/x", second)
        self.assertEqual([(p.name, p.read_bytes()) for p in folder.iterdir()], [("wolumetr.ini", b"[Ustawienia]\r\n")])
        self.assertFalse(shortcut.exists())
        self.assertEqual(uninstall_entries(), [])
        self.assertEqual([v.get("Wolumetr") for v in registry(f"HKCU\\{RUN_KEY}")], [r"C:\Przenośny\wolumetr.exe"])

        # Named by the 8.3 name of the folder (Wine gives "Wolumetr" none), quoted, in other letter case,
        # through %LOCALAPPDATA%, and switched off in Task Manager: both values go.
        windows = "C:\\" + str(other.relative_to(drive_c)).replace("/", "\\")
        self.msiexec("/i", first, f"INSTALLDIR={windows}\\")
        short = e.run("wine", "cmd", "/c", f"for %I in ({windows}\\wolumetr.exe) do @echo %~sI").split("\\")[-2]
        self.assertNotEqual(short.upper(), other.name.upper())
        e.run("wine", "reg", "add", f"HKCU\\{RUN_KEY}", "/v", "Wolumetr", "/t", "REG_EXPAND_SZ", "/d",
              rf'"%LOCALAPPDATA%\Programs\{short}\Wolumetr.EXE"', "/f")
        e.run("wine", "reg", "add", f"HKCU\\{APPROVED_KEY}", "/v", "Wolumetr", "/t", "REG_BINARY", "/d", "03" * 12, "/f")
        self.msiexec("/x", first)
        self.assertFalse(other.exists())  # the folder given at installation is remembered
        for key, kept in ((f"HKCU\\{RUN_KEY}", False), (f"HKCU\\{APPROVED_KEY}", False), (f"HKLM\\{RUN_KEY}", True)):
            self.assertEqual(any("Wolumetr" in v for v in registry(key)), kept, key)


if __name__ == "__main__":
    unittest.main()
