#!/usr/bin/env bash
# Builds everything and runs every test: the native build, the native build under AddressSanitizer
# and UBSan, the Windows build under Wine (private prefix inside the build tree) and the fuzzers for
# a bounded number of runs. Installs the Debian packages it needs when they are missing.
# Exits non-zero when anything fails; the last line is the total of the GoogleTest counts.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZUMBLE_BUILD_DIR:-$root/build}
jobs=$(nproc 2>/dev/null || echo 2)
fuzz_runs=${ZUMBLE_FUZZ_RUNS:-20000}

# shellcheck source=scripts/lib.sh
source "$root/scripts/lib.sh"

failures=0
passed_total=0
failed_total=0

# Prints each test program's GoogleTest summary lines from the last CTest run and adds them up.
summarise() {
    local suite=$1 log=$2/Testing/Temporary/LastTest.log
    [ -f "$log" ] || return 0
    awk -v suite="$suite" '
        /^[0-9]+\/[0-9]+ Test: / { test = $3 }
        /^\[  PASSED  \] [0-9]+ test/ { print suite " " test ": " $0 }
        /^\[  FAILED  \] [0-9]+ test/ { print suite " " test ": " $0 }' "$log"
    local p f
    p=$(awk '/^\[  PASSED  \] [0-9]+ test/ { n += $4 } END { print n + 0 }' "$log")
    f=$(awk '/^\[  FAILED  \] [0-9]+ test/ { n += $4 } END { print n + 0 }' "$log")
    passed_total=$((passed_total + p))
    failed_total=$((failed_total + f))
}

# run_suite NAME DIR [cmake arguments...]: configure, build and test one tree. Tests run with
# $test_runner in front (the Windows tree needs a display for its windows).
test_runner=()
run_suite() {
    local name=$1 dir=$2
    shift 2
    echo "== $name: configure and build in $dir"
    if ! cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >"$dir.configure.log" 2>&1; then
        cat "$dir.configure.log"; echo "== $name: configure FAILED"; failures=$((failures + 1)); return
    fi
    if ! cmake --build "$dir" -j "$jobs" >"$dir.build.log" 2>&1; then
        tail -n 60 "$dir.build.log"; echo "== $name: build FAILED"; failures=$((failures + 1)); return
    fi
    echo "== $name: test"
    if ! "${test_runner[@]}" ctest --test-dir "$dir" --output-on-failure --timeout 600; then
        failures=$((failures + 1))
    fi
    summarise "$name" "$dir"
}

run_fuzzers() {
    local dir=$build/fuzz
    echo "== fuzz: configure and build in $dir"
    if ! CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DZUMBLE_FUZZ=ON -DZUMBLE_TESTS=OFF >"$dir.configure.log" 2>&1 ||
       ! cmake --build "$dir" -j "$jobs" >"$dir.build.log" 2>&1; then
        tail -n 60 "$dir.configure.log" "$dir.build.log"; echo "== fuzz: build FAILED"
        failures=$((failures + 1)); return
    fi
    local fuzzer name seeds
    for fuzzer in "$dir"/tests/fuzz/*_fuzz; do
        name=$(basename "$fuzzer")
        seeds=$root/tests/fuzz/corpus/$name
        mkdir -p "$dir/corpus/$name"
        echo "== fuzz: $name, $fuzz_runs runs"
        if (cd "$dir" && "$fuzzer" -runs="$fuzz_runs" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
                -print_final_stats=0 "$dir/corpus/$name" $( [ -d "$seeds" ] && echo "$seeds" ) \
                >"$dir/$name.log" 2>&1); then
            echo "fuzz $name: $(grep -E '^(Done|#[0-9]+ *DONE)' "$dir/$name.log" | tail -n 1)"
        else
            tail -n 40 "$dir/$name.log"; echo "fuzz $name: FAILED"
            failures=$((failures + 1))
        fi
    done
}

install_missing "${test_packages[@]}" || { echo "could not install the packages needed"; exit 1; }
mkdir -p "$build"

run_suite native "$build/native"
run_suite sanitize "$build/sanitize" -DZUMBLE_SANITIZE=ON
warm_wine_prefix "$build/windows/wineprefix"
test_runner=(xvfb-run -a -s "-screen 0 1280x1024x24")
run_suite windows "$build/windows" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
test_runner=()
run_fuzzers

echo "== summary"
echo "total: $passed_total passed, $failed_total failed"
[ "$failures" -eq 0 ] && [ "$failed_total" -eq 0 ]
