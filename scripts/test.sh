#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the Windows build with its tests under Wine in Xvfb (the same
# unit tests once more, the dialogs in-process, the real program end to end).
# Installs what is missing first (Debian 12, as root). Exits non-zero on any failure.
#
# The Wine tests spend most of their time waiting on the program's timers and windows, so the
# native build runs alongside them, at a lower priority; so do the Windows programs that no
# test runs (the benchmarks, the dialog waiter). Wine gets ready while the Windows test programs
# build. What runs alongside writes to a log that is shown when it has ended.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
jobs=$(nproc)
start=$(date +%s)
screen="-screen 0 1024x768x24"
export CMAKE_GENERATOR=Ninja  # for new build folders; one made before keeps its own

scripts/deps.sh all

step() { printf '\n=== %s (%ss)\n' "$*" "$(( $(date +%s) - start ))"; }
mkdir -p build

# Wine is made ready while the Windows test programs build; the tests start once they are.
go=build/wine-go
rm -f $go
trap '[ -s $go ] || echo stop >$go; wait' EXIT  # what runs alongside ends before the script
xvfb-run -a -s "$screen" scripts/wine-tests.sh "$top/build/win" "$top/build/wine-test" $go &
wine_job=$!

step "Windows build of the test programs (with assertions)"
cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DORVANTA_ASSERTIONS=ON >/dev/null
cmake --build build/win -j "$jobs" --target test_programs

step "Windows tests under Wine"
echo go >$go
(
    renice -n 19 -p $BASHPID >/dev/null
    step "Windows build of the rest (alongside)"
    cmake --build build/win -j "$jobs"
    step "sanitized build (alongside)"
    cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DORVANTA_SANITIZE=ON >/dev/null
    cmake --build build/asan -j "$jobs"
    step "sanitized tests (alongside)"
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --test-dir build/asan --output-on-failure -j "$jobs"
    step "done (alongside)"
) >build/alongside.log 2>&1 </dev/null &
alongside_job=$!
wine_rc=0
wait $wine_job || wine_rc=$?

step "what ran alongside"
alongside_rc=0
wait $alongside_job || alongside_rc=$?
cat build/alongside.log
if [ $wine_rc -ne 0 ] || [ $alongside_rc -ne 0 ]; then
    echo "Failed: the Windows tests ($wine_rc), what ran alongside ($alongside_rc)."
    exit 1
fi

step "all tests passed"
