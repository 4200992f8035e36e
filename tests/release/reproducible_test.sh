#!/usr/bin/env bash
# The release builds reproducibly: a second clean copy of this source tree (what a clone of it
# holds), built in another folder, later and in another time zone, gives the same wolumetr.exe as
# the test build ($1), and packing what each built gives the same zip and MSI (with the uninstall
# action $2, version $3).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}

git -C "$root" ls-files -z --cached --others --exclude-standard |
  tar -C "$root" --null --files-from=- --ignore-failed-read -cf - 2>/dev/null |
  tar -C "$work" --one-top-level=copy -xf -
start=$SECONDS
(cd "$work/copy" && cmake --preset release >/dev/null && TZ=Pacific/Kiritimati chrt --idle 0 \
  cmake --build --preset release --target wolumetr wolumetr_uninstall_action -j "$(nproc)" >/dev/null)
echo "second build: $((SECONDS - start)) s"
second=$work/copy/build/release
cmp "$1" "$second/wolumetr.exe"

TZ=America/Anchorage python3 "$root/scripts/pack.py" zip "$work/first.zip" "$1"
TZ=Asia/Kolkata python3 "$work/copy/scripts/pack.py" zip "$work/second.zip" "$second/wolumetr.exe"
cmp "$work/first.zip" "$work/second.zip"
python3 "$root/scripts/pack.py" msi "$work/first.msi" "$1" "$2" "$3"
python3 "$work/copy/scripts/pack.py" msi "$work/second.msi" "$second/wolumetr.exe" \
  "$second/packaging/wolumetr_uninstall_action.dll" "$3"
cmp "$work/first.msi" "$work/second.msi"
