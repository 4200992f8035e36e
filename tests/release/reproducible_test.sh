#!/usr/bin/env bash
# The release builds reproducibly: a second clean copy of this source tree (what a clone of it
# holds), built in another folder, later and in another time zone, gives the same wolumetr.exe as
# the test build (in the folder $1), and each copy's release command, run in another time zone,
# packs what each built into the same files.
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
cmp "$1/wolumetr.exe" "$second/wolumetr.exe"

TZ=America/Anchorage python3 "$root/scripts/pack.py" release "$1" "$work/first"
TZ=Asia/Kolkata python3 "$work/copy/scripts/pack.py" release "$second" "$work/second"
diff -r "$work/first" "$work/second"
