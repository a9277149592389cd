#!/usr/bin/env bash
# gamecheck_under_wine.sh SOURCE WORK: unpacks the zip that reproducible.sh left under WORK and
# runs its tools/gamecheck.exe on its template/ under 32-bit Wine; the launcher would start there
# without an error box, so it must exit 0. Skipped (77) where 32-bit programs cannot run.
set -uo pipefail
source=$1
work=$2
if ! "$source/scripts/can-run-32bit"; then
  echo "SKIPPED: this machine cannot run 32-bit programs (scripts/can-run-32bit), so no 32-bit Wine"
  exit 77
fi
zip=$(ls "$work"/a/launcher/dist/play-launcher-*-win32.zip) || exit 1
unpacked="$work/unpacked"
rm -rf "$unpacked"
mkdir -p "$unpacked"
unzip -q "$zip" -d "$unpacked" || exit 1
cd "$unpacked" || exit 1
# A prefix of its own, so this runs beside anything else using the test bed's.
TESTBED_PREFIX="$work/wineprefix" "$source/scripts/wine-exec" win32 tools/gamecheck.exe template
status=$?
echo "gamecheck.exe exited with $status"
[ "$status" -eq 0 ]
