#!/usr/bin/env bash
# Starts Zumble under Xvfb and saves pictures of its windows into docs/.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=scripts/lib.sh
source "$root/scripts/lib.sh"
build=${ZUMBLE_BUILD_DIR:-$root/build}/windows

install_missing "${run_packages[@]}"
build_windows_program "$root" "$build"
export WINEPREFIX=$root/build/wineprefix-screenshots WINEDEBUG=-all
warm_wine_prefix "$WINEPREFIX"

shots=$root/build/screenshots
rm -rf "$shots" && mkdir -p "$shots"
(cd "$build" && xvfb-run -a -s "-screen 0 1024x768x24" \
    wine "$build/zumble_shots.exe" "$(windows_path "$build/zumble/zumble.exe")" "$(windows_path "$shots")" --tour >/dev/null 2>&1) ||
    { echo "Zumble did not come up under Xvfb"; exit 1; }
mkdir -p "$root/docs"
for picture in "$shots"/*.bmp; do
    convert "$picture" "$root/docs/$(basename "${picture%.bmp}").png"
    echo "docs/$(basename "${picture%.bmp}").png"
done
