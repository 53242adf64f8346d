#!/usr/bin/env bash
# Builds Zumble for Windows and starts it under Wine with the shipped beelines and bookmarks.
# On a machine without a display it runs under Xvfb instead, saves a picture of the screen and
# prints where.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=scripts/lib.sh
source "$root/scripts/lib.sh"
build=${ZUMBLE_BUILD_DIR:-$root/build}/windows

prepare_windows_program "$root" "$build" "${WINEPREFIX:-$root/build/wineprefix-run}"
if [ -n "${DISPLAY:-}" ]; then
    exec wine "$build/zumble/zumble.exe"
fi
shots=$root/build/run
mkdir -p "$shots"
drive_under_xvfb "$build" "$shots"
convert "$shots/zumble.bmp" "$shots/zumble.png"
echo "No display here: Zumble ran under Xvfb. Screenshot: $shots/zumble.png"
