#!/usr/bin/env bash
# Starts Zumble under Xvfb and saves pictures of its windows into docs/.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=scripts/lib.sh
source "$root/scripts/lib.sh"
build=${ZUMBLE_BUILD_DIR:-$root/build}/windows

prepare_windows_program "$root" "$build" "$root/build/wineprefix-screenshots"
shots=$root/build/screenshots
rm -rf "$shots" && mkdir -p "$shots"
drive_under_xvfb "$build" "$shots" --tour
mkdir -p "$root/docs"
for picture in "$shots"/*.bmp; do
    convert "$picture" "$root/docs/$(basename "${picture%.bmp}").png"
    echo "docs/$(basename "${picture%.bmp}").png"
done
