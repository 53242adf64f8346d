# Shared by the scripts: the Debian packages they need and the Wine prefix they run in.

test_packages=(cmake g++ clang libclang-rt-14-dev libgtest-dev libbenchmark-dev libpugixml-dev
               nettle-dev g++-mingw-w64-x86-64 wine wine64 xvfb python3)
run_packages=(cmake g++-mingw-w64-x86-64 wine wine64 xvfb python3 imagemagick)

# install_missing PACKAGE...: installs those that are not installed yet.
install_missing() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    ((${#missing[@]})) || return 0
    echo "== installing: ${missing[*]}"
    local sudo=
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq &&
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

# warm_wine_prefix DIR: creates the prefix once, so later programs start fast.
warm_wine_prefix() {
    local prefix=$1
    [ -f "$prefix/system.reg" ] && return 0
    echo "== creating the Wine prefix $prefix"
    mkdir -p "$prefix"
    WINEPREFIX=$prefix WINEDEBUG=-all wineboot -i >/dev/null 2>&1
    WINEPREFIX=$prefix WINEDEBUG=-all wineserver -w
}

# build_windows_program ROOT BUILD: configures and builds zumble.exe, its program tree and the
# window driver in BUILD, quietly unless it fails.
build_windows_program() {
    local root=$1 build=$2
    mkdir -p "$build"
    if ! cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
            -DCMAKE_BUILD_TYPE=RelWithDebInfo >"$build.configure.log" 2>&1 ||
       ! cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target zumble zumble_shots \
            >"$build.build.log" 2>&1; then
        tail -n 40 "$build.configure.log" "$build.build.log"
        echo "== building the Windows program FAILED"
        return 1
    fi
}

# windows_path PATH: the path as Windows programs under Wine see it (drive Z: is the root). Done
# here rather than with winepath, which would start Wine outside the display the program uses.
windows_path() {
    local path=${1//\//\\}
    echo "Z:$path"
}

# prepare_windows_program ROOT BUILD PREFIX: what running Zumble needs, installed, built and ready.
prepare_windows_program() {
    install_missing "${run_packages[@]}"
    build_windows_program "$1" "$2"
    export WINEPREFIX=$3 WINEDEBUG=${WINEDEBUG:--all}
    warm_wine_prefix "$WINEPREFIX"
}

# drive_under_xvfb BUILD SHOTS [--tour]: runs Zumble on a virtual screen through the window
# driver, which saves its pictures as .bmp files in SHOTS.
drive_under_xvfb() {
    local build=$1 shots=$2
    shift 2
    (cd "$build" && xvfb-run -a -s "-screen 0 1024x768x24" \
        wine "$build/zumble_shots.exe" "$(windows_path "$build/zumble/zumble.exe")" \
        "$(windows_path "$shots")" "$@" >/dev/null 2>&1) ||
        { echo "Zumble did not come up under Xvfb"; return 1; }
}
