"""The per-user MSI under Wine's msiexec, as a Windows user meets it: /qn installs the program into
the user's programs folder with a Start-menu shortcut and an uninstall entry, and the program starts
from the shortcut; a higher version replaces it; removal takes the program's files, the shortcut,
the entry and the Run value that starts it, and leaves wolumetr.ini."""
import os
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
INSTALLED = r"Programs.Wolumetr.wolumetr\.exe"  # the installed copy's command line, in either spelling


def registry(key):
    """Wine's export of a key and its subkeys: {subkey: {value name: data}}."""
    with tempfile.TemporaryDirectory() as folder:
        out = Path(folder) / "key.reg"
        if subprocess.run(["wine", "reg", "export", key, out, "/y"], capture_output=True, timeout=60).returncode:
            return {}
        lines = out.read_bytes().decode("utf-16").splitlines()
    keys, values = {}, {}
    for line in lines:
        if line.startswith("["):
            values = keys.setdefault(line.strip("[]"), {})
        elif line.startswith('"'):
            name, data = line[1:].split('"=', 1)
            values[name] = data.strip('"').replace("\\\\", "\\")
    return keys


def uninstall_entries():
    # Windows keeps a per-user product's entry under HKCU, Wine under HKLM.
    return [values for hive in ("HKCU", "HKLM")
            for values in registry(hive + r"\Software\Microsoft\Windows\CurrentVersion\Uninstall").values()
            if values.get("DisplayName") == "Wolumetr"]


def stop_installed_program():
    for pid in e.run("pgrep", "-f", INSTALLED, check=False).split():
        os.kill(int(pid), signal.SIGKILL)
    e.wait_for(lambda: not e.run("pgrep", "-f", INSTALLED, check=False), what="the program to end")


class InstallerTest(unittest.TestCase):
    def setUp(self):
        self.work = Path(tempfile.mkdtemp(dir=os.environ.get("WOLUMETR_TEST_WORK")))
        self.addCleanup(shutil.rmtree, self.work, True)
        prefix = Path(os.environ["WINEPREFIX"])
        self.drive_c = prefix / "drive_c"
        [self.user] = [p for p in (self.drive_c / "users").iterdir() if p.name != "Public"]
        self.folder = self.user / "AppData/Local/Programs/Wolumetr"
        self.shortcut = self.user / "AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Wolumetr.lnk"

    def package(self, version):
        out = self.work / f"wolumetr-{version}.msi"
        subprocess.run([sys.executable, ROOT / "scripts/pack.py", "msi", out, os.environ["WOLUMETR_EXE"],
                        os.environ["WOLUMETR_UNINSTALL_ACTION"], version], check=True, timeout=120)
        return "Z:" + str(out).replace("/", "\\")

    def msiexec(self, action, package):
        done = subprocess.run(["wine", "msiexec", action, package, "/qn"], stdin=subprocess.DEVNULL,
                              capture_output=True, text=True, timeout=300)
        self.assertEqual(done.returncode, 0, done.stderr)

    def test_install_start_upgrade_and_remove(self):
        version = os.environ["WOLUMETR_VERSION"]
        major, minor, patch, _ = version.split(".")
        newer = f"{major}.{minor}.{int(patch) + 1}.0"
        first, second = self.package(version), self.package(newer)
        self.addCleanup(e.run, "wine", "reg", "delete", "HKCU\\" + RUN_KEY, "/v", "Wolumetr", "/f", check=False)
        self.addCleanup(subprocess.run, ["wine", "msiexec", "/x", second, "/qn"], capture_output=True, timeout=300)

        self.msiexec("/i", first)
        exe = self.folder / "wolumetr.exe"
        self.assertEqual(exe.read_bytes(), Path(os.environ["WOLUMETR_EXE"]).read_bytes())
        self.assertTrue(self.shortcut.is_file())
        [entry] = uninstall_entries()
        self.assertEqual((entry["DisplayVersion"], entry["Publisher"]), (version, "Zespół Wolumetr"))
        [icon] = [v["ProductIcon"] for v in registry(r"HKCU\Software\Microsoft\Installer\Products").values()
                  if v.get("ProductName") == "Wolumetr"]
        icon = self.drive_c / icon.removeprefix("C:\\").replace("\\", "/")
        self.assertEqual(icon.read_bytes(), (ROOT / "resources/wolumetr.ico").read_bytes())

        # Started from the shortcut, a first start asks which drives to show.
        self.addCleanup(stop_installed_program)
        subprocess.run(["wine", "start", "/unix", self.shortcut], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=True, timeout=60)
        e.wait_for(lambda: e.visible_windows("Wybór dysków"), what="the Drive selection window")
        stop_installed_program()

        self.msiexec("/i", second)
        self.assertEqual([entry["DisplayVersion"] for entry in uninstall_entries()], [newer])
        self.assertTrue(exe.is_file())

        settings = self.folder / "wolumetr.ini"
        settings.write_bytes(b"[Ustawienia]\r\nIloscKolumn=2\r\n")
        # Named as the program's own rule allows: quoted, in other letters' case, through %LOCALAPPDATA%;
        # the machine's value is left to the machine.
        command = r'"%LOCALAPPDATA%\Programs\WOLUMETR\Wolumetr.EXE"'
        for hive in ("HKCU", "HKLM"):
            e.run("wine", "reg", "add", f"{hive}\\{RUN_KEY}", "/v", "Wolumetr", "/t", "REG_EXPAND_SZ", "/d", command,
                  "/f")
        self.addCleanup(e.run, "wine", "reg", "delete", "HKLM\\" + RUN_KEY, "/v", "Wolumetr", "/f", check=False)
        self.msiexec("/x", second)
        self.assertEqual([p.name for p in self.folder.iterdir()], ["wolumetr.ini"])
        self.assertEqual(settings.read_bytes(), b"[Ustawienia]\r\nIloscKolumn=2\r\n")
        self.assertFalse(self.shortcut.exists())
        self.assertEqual(uninstall_entries(), [])
        for hive, kept in (("HKCU", False), ("HKLM", True)):
            self.assertEqual(["Wolumetr" in v for v in registry(f"{hive}\\{RUN_KEY}").values()], [kept], hive)


if __name__ == "__main__":
    unittest.main()
