#!/usr/bin/env bash
# Builds Orvanta.exe and starts it under Wine. With a display ($DISPLAY set) it runs there
# until you close it. Without one it runs in Xvfb, saves a PNG of the main dialog after
# start-up, prints the PNG's path and ends the program.
# Installs what is missing first (Debian 12, as root).
set -euo pipefail
cd "$(dirname "$0")/.."
top=$PWD

scripts/deps.sh windows
cmake -S . -B build/release -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j "$(nproc)" --target Orvanta orvanta-dlgtool

. scripts/wine-env.sh
if [ -n "${DISPLAY:-}" ]; then
    wine_start "$top/build/wine-run" no
    wine "$top/build/release/Orvanta.exe" || true
    wine_stop
else
    xvfb-run -a -s "-screen 0 1024x768x24" scripts/screenshot.sh "$top/build/release" \
        "$top/build/wine-shot" "$top/build/Orvanta.png"
fi
