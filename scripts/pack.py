#!/usr/bin/env python3
"""The release's packing steps, shared by scripts/package and the tests:

    pack.py release BUILD DIST  (all of them: BUILD's exe and uninstall action packed into DIST)
    pack.py msi OUT.msi wolumetr.exe uninstall_action.dll VERSION
    pack.py sign FILE          (signs in place when WOLUMETR_SIGN_PFX is set)

Every time stamp they write is SOURCE_DATE_EPOCH (else the last commit's time), so the same
inputs give the same bytes in any folder, at any time, in any time zone."""
import hashlib
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import uuid
import xml.etree.ElementTree as ET
import zipfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
PACKAGING = ROOT / "packaging"
WIX = "{http://schemas.microsoft.com/wix/2006/wi}"
DOS_EPOCH = 315532800  # 1980-01-01, the earliest time a zip entry can hold


def source_date_epoch():
    value = os.environ.get("SOURCE_DATE_EPOCH") or subprocess.run(
        ["git", "-C", str(ROOT), "log", "-1", "--format=%ct"], check=True, capture_output=True,
        text=True).stdout
    return int(value)


def windows_text(path, bom=False):
    """A text file as Windows editors expect it: CRLF line ends, and for ours a byte-order mark so
    that any Notepad reads the Polish letters as UTF-8."""
    text = path.read_bytes().replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
    return (b"\xef\xbb\xbf" if bom else b"") + text


def make_zip(out, exe):
    stamp = time.gmtime(max(source_date_epoch(), DOS_EPOCH))[:6]
    entries = [("wolumetr.exe", Path(exe).read_bytes()),
               ("README.txt", windows_text(PACKAGING / "README.txt", bom=True)),
               ("LICENSE", windows_text(ROOT / "LICENSE"))]
    with zipfile.ZipFile(out, "w") as archive:
        for name, data in entries:
            entry = zipfile.ZipInfo(name, date_time=stamp)
            entry.create_system = 0  # made on "MS-DOS": no Unix owner or mode bits
            entry.external_attr = 0
            entry.compress_type = zipfile.ZIP_DEFLATED
            archive.writestr(entry, data, compresslevel=9)


def make_msi(out, exe, action, version):
    product = ET.parse(PACKAGING / "wolumetr.wxs").getroot().find(WIX + "Product")
    # A product code of its own for each version (an upgrade replaces the older product), the same
    # for every build of one version.
    product_code = uuid.uuid5(uuid.UUID(product.get("UpgradeCode")), version)
    epoch = source_date_epoch()
    # wixl and msibuild write the tables' strings in the code page of WINDOWS_LANGUAGE's language
    # (Polish: 1250, the package's Codepage) without recording it; _ForceCodepage records it after.
    # The summary's time stamps are wixl's clock: faketime holds it at the epoch.
    env = dict(os.environ, TZ="UTC", WINDOWS_LANGUAGE="pl")
    with tempfile.TemporaryDirectory() as stage_dir:
        stage = Path(stage_dir)
        for source, name in ((exe, "wolumetr.exe"), (action, "uninstall_action.dll"), (ROOT / "LICENSE", "LICENSE"),
                             (ROOT / "resources" / "wolumetr.ico", "wolumetr.ico"),
                             (PACKAGING / "wolumetr.wxs", "wolumetr.wxs")):
            shutil.copyfile(source, stage / name)
            os.utime(stage / name, (epoch, epoch))  # the cabinet keeps each file's time
        msi = stage / "out.msi"
        clock = time.strftime("%Y-%m-%d %H:%M:%S", time.gmtime(epoch))
        subprocess.run(["faketime", "-f", clock, "wixl", "-a", "x64", "-D", f"Version={version}",
                        "-D", f"ProductCode={product_code}", "-o", msi.name, "wolumetr.wxs"],
                       cwd=stage, env=env, check=True)
        (stage / "_ForceCodepage.idt").write_text(f"\r\n\r\n{product.get('Codepage')}\t_ForceCodepage\r\n")
        subprocess.run(["msibuild", msi, "-i", stage / "_ForceCodepage.idt"], env=env, check=True)
        # wixl removes the older product after InstallFinalize, when the new files are already in
        # place, and the exe carries no file version there: Windows would then keep the older exe by
        # its dates. Between InstallValidate and InstallInitialize the older product is gone first.
        subprocess.run(["msibuild", msi, "-q", "UPDATE `InstallExecuteSequence` SET `Sequence` = 1401 "
                        "WHERE `Action` = 'RemoveExistingProducts'"], env=env, check=True)

        # The package code names these bytes: made from them, with a zero code in its place.
        def summary(package_code):
            subprocess.run(["msibuild", msi, "-s", product.get("Name"), product.get("Manufacturer"),
                            f"x64;{product.get('Language')}", f"{{{package_code}}}".upper()], env=env, check=True)
        summary(uuid.UUID(int=0))
        summary(uuid.UUID(bytes=hashlib.sha256(msi.read_bytes()).digest()[:16], version=4))
        shutil.move(msi, out)


def sign(path):
    """Authenticode with the certificate in WOLUMETR_SIGN_PFX (its password in
    WOLUMETR_SIGN_PASSWORD), when that is set; no time-stamp server, the signing time the epoch."""
    pfx = os.environ.get("WOLUMETR_SIGN_PFX")
    if not pfx:
        return
    with tempfile.TemporaryDirectory() as folder:
        password = Path(folder) / "password"  # read from a file: a command line shows to every user
        password.write_text(os.environ.get("WOLUMETR_SIGN_PASSWORD", ""))
        signed = Path(folder) / "signed"
        subprocess.run(["osslsigncode", "sign", "-pkcs12", pfx, "-readpass", password, "-h", "sha256",
                        "-n", "Wolumetr", "-time", str(source_date_epoch()), "-in", path, "-out", signed],
                       check=True, stdout=subprocess.DEVNULL)
        shutil.copyfile(signed, path)


def release(build, dist):
    """The release of a build folder of this tree in DIST: the zip, the MSI and SHA256SUMS. With a
    certificate the exe is signed before it is packed and the MSI after, so that no signed release
    holds an unsigned file."""
    build, dist = Path(build), Path(dist)
    version = re.search(r"^CMAKE_PROJECT_VERSION:STATIC=(.+)$", (build / "CMakeCache.txt").read_text(),
                        re.M).group(1)
    name = f"wolumetr-{version}-x64"
    dist.mkdir(parents=True, exist_ok=True)
    with tempfile.TemporaryDirectory() as stage:
        exe = Path(stage) / "wolumetr.exe"
        shutil.copyfile(build / "wolumetr.exe", exe)
        sign(exe)
        make_zip(dist / f"{name}.zip", exe)
        make_msi(dist / f"{name}.msi", exe, build / "packaging" / "wolumetr_uninstall_action.dll", version)
    sign(dist / f"{name}.msi")
    with open(dist / "SHA256SUMS", "w", encoding="ascii", newline="\n") as sums:
        for file in (f"{name}.zip", f"{name}.msi"):
            sums.write(f"{hashlib.sha256((dist / file).read_bytes()).hexdigest()}  {file}\n")


if __name__ == "__main__":
    commands = {"release": (release, 2), "msi": (make_msi, 4), "sign": (sign, 1)}
    command, arguments = (sys.argv[1] if len(sys.argv) > 1 else ""), sys.argv[2:]
    if command not in commands or len(arguments) != commands[command][1]:
        sys.exit(__doc__)
    commands[command][0](*arguments)
