#!/usr/bin/env bash
# The release command with a throwaway self-signed certificate, on the test build (in the folder
# $1): the MSI, and the exe in the zip and in the MSI, carry signatures that verify against that
# certificate; SHA256SUMS lists every other file with its hash; the exe signed again a day later
# gives the same bytes; the zip's README.txt starts with a byte-order mark (Notepad then reads the
# Polish letters as UTF-8) and every entry holds the commit's time.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" -days 2 -subj /CN=Test 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/cert.pfx" -passout pass:test
export WOLUMETR_SIGN_PFX=$work/cert.pfx WOLUMETR_SIGN_PASSWORD=test
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}
python3 "$root/scripts/pack.py" release "$1" "$work/dist"
python3 -m zipfile -e "$work"/dist/*.zip "$work/zip"
msiextract -C "$work/msi" "$work"/dist/*.msi >/dev/null
for file in "$work"/dist/*.msi "$work/zip/wolumetr.exe" "$(find "$work/msi" -name wolumetr.exe)"; do
  # verify's status is 0 even when the chain fails: its verdict is in the text.
  verdict=$(osslsigncode verify -CAfile "$work/cert.pem" -in "$file" 2>&1 || true)
  grep -q "Signature verification: ok" <<<"$verdict" || { echo "$file: $verdict"; exit 1; }
done
(cd "$work/dist" && sha256sum --check --strict --quiet SHA256SUMS &&
  diff <(ls | grep -vx SHA256SUMS) <(cut -c67- SHA256SUMS | sort))
cp "$1/wolumetr.exe" "$work/again.exe"
faketime -f +1d python3 "$root/scripts/pack.py" sign "$work/again.exe"
cmp "$work/again.exe" "$work/zip/wolumetr.exe"
python3 - "$work"/dist/*.zip <<'CHECK'
import calendar, os, sys, zipfile
epoch = int(os.environ["SOURCE_DATE_EPOCH"])
with zipfile.ZipFile(sys.argv[1]) as archive:
    assert archive.read("README.txt").startswith(b"\xef\xbb\xbf"), "README.txt without a byte-order mark"
    for entry in archive.infolist():  # a zip holds the seconds halved
        assert epoch - calendar.timegm(entry.date_time) in (0, 1), (entry.filename, entry.date_time)
CHECK
