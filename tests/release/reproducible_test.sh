#!/usr/bin/env bash
# The release builds reproducibly: a second clean copy of this source tree (what a clone of it
# holds), built in another folder, later and in another time zone, gives the same wolumetr.exe as
# the test build ($1), and packing each exe gives the same zip.
set -euo pipefail
exe=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d "${WOLUMETR_TEST_WORK:-${TMPDIR:-/tmp}}/reproducible.XXXXXX")
trap 'rm -rf "$work"' EXIT
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}

git -C "$root" ls-files -z --cached --others --exclude-standard |
  tar -C "$root" --null --files-from=- --ignore-failed-read -cf - 2>/dev/null | tar -C "$work" --one-top-level=copy -xf -
start=$SECONDS
(cd "$work/copy" && cmake --preset release >/dev/null &&
  TZ=Pacific/Kiritimati nice -n 19 cmake --build --preset release --target wolumetr -j "$(nproc)" >/dev/null)
echo "second build: $((SECONDS - start)) s"
cmp "$exe" "$work/copy/build/release/wolumetr.exe"

TZ=America/Anchorage python3 "$root/scripts/pack.py" zip "$work/first.zip" "$exe"
TZ=Asia/Kolkata python3 "$work/copy/scripts/pack.py" zip "$work/second.zip" "$work/copy/build/release/wolumetr.exe"
cmp "$work/first.zip" "$work/second.zip"
echo "the same wolumetr.exe and zip"
