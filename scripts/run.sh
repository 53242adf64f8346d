#!/usr/bin/env bash
# Builds Zumble for Windows and starts it under Wine with the shipped beelines and bookmarks.
# On a machine without a display it runs under Xvfb instead, saves a picture of the screen and
# prints where.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=scripts/lib.sh
source "$root/scripts/lib.sh"
build=${ZUMBLE_BUILD_DIR:-$root/build}/windows

install_missing "${run_packages[@]}"
build_windows_program "$root" "$build"
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix-run} WINEDEBUG=${WINEDEBUG:--all}
warm_wine_prefix "$WINEPREFIX"

if [ -n "${DISPLAY:-}" ]; then
    exec wine "$build/zumble/zumble.exe"
fi
shots=$root/build/run
mkdir -p "$shots"
(cd "$build" && xvfb-run -a -s "-screen 0 1024x768x24" \
    wine "$build/zumble_shots.exe" "$(windows_path "$build/zumble/zumble.exe")" "$(windows_path "$shots")" >/dev/null 2>&1) ||
    { echo "Zumble did not come up under Xvfb"; exit 1; }
convert "$shots/zumble.bmp" "$shots/zumble.png"
echo "No display here: Zumble ran under Xvfb. Screenshot: $shots/zumble.png"
