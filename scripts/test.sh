#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests, the same tests under
# AddressSanitizer and UndefinedBehaviorSanitizer, and the Windows tests under Wine in Xvfb.
# Installs what is missing first (Debian 12, as root). Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
jobs=$(nproc)
start=$(date +%s)

scripts/deps.sh all

step() { printf '\n=== %s (%ss)\n' "$*" "$(( $(date +%s) - start ))"; }

step "native build"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native -j "$jobs"

step "native tests"
ctest --test-dir build/native --output-on-failure -j "$jobs"

step "sanitized build"
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DORVANTA_SANITIZE=ON >/dev/null
cmake --build build/asan -j "$jobs"

step "sanitized tests"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/asan --output-on-failure -j "$jobs"

step "Windows build (with assertions)"
cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DORVANTA_ASSERTIONS=ON >/dev/null
cmake --build build/win -j "$jobs"

step "Windows tests under Wine"
xvfb-run -a -s "-screen 0 1024x768x24" scripts/wine-tests.sh "$top/build/win" "$top/build/wine-test"

step "all tests passed"
