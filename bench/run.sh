#!/usr/bin/env bash
# Measures the timed lock-LED transmission of the real Orvanta.exe under Wine in Xvfb, against
# the emulated key box, and prints the figures (three to four minutes with the defaults).
# Builds what is missing first and installs what the Windows build needs (Debian 12, as root).
#   bench/run.sh [speed ms ...]          default: 1 2 5 10 50
#   bench/run.sh pace <contacts> <speed ms> [rounds]   the program's timed write and the bare
#                                        loop in turn, default 9 rounds, with their medians
#   bench/run.sh startup [rounds [other.exe ...]]      the start-up figures alone
#   bench/run.sh log-open [lines [rounds]]              the key maps of a long production log
#                                        (default 100000 lines, 9 rounds)
#   bench/run.sh --test-log [lines ...]  instead: the keyboard test dialog's cost per log line,
#                                        default: 1000 10000 (a few seconds)
#   BENCH_BUILD=<dir>   Windows build folder, default build/bench: the program as it ships,
#                       without the assertions the tests' build keeps
#   BENCH_PREFIX=<dir>  Wine prefix of the benchmark's own, default build/wine-bench
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD
build=$(realpath -m "${BENCH_BUILD:-build/bench}")
prefix=$(realpath -m "${BENCH_PREFIX:-build/wine-bench}")
program=${BENCH_PROGRAM:-TransmissionBench}
if [ "${1:-}" = --test-log ]; then
    shift
    program=TestLogBench
fi

if [ "${1:-}" = --in-display ]; then
    shift
    . scripts/wine-env.sh
    wine_start "$prefix" yes
    rc=0
    wine "$build/$program.exe" "$@" </dev/null || rc=$?
    wine_stop
    exit $rc
fi

scripts/deps.sh windows
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DORVANTA_ASSERTIONS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target "$program" Orvanta BareDialog
# Its own display and its own Wine server: the lock states of another run cannot leak in.
BENCH_BUILD=$build BENCH_PREFIX=$prefix BENCH_PROGRAM=$program \
    xvfb-run -a -s "-screen 0 1024x768x24" "$top/bench/run.sh" --in-display "$@"
