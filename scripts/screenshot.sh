#!/usr/bin/env bash
# Inside Xvfb: starts Orvanta.exe, waits for its main dialog, saves a PNG of it, prints the
# PNG's path and ends the program (as Esc would: nothing is saved).
set -euo pipefail
build=$1 prefix=$2 png=$3
. "$(dirname "$0")/wine-env.sh"
wine_start "$prefix" yes
trap wine_stop EXIT
wine "$build/Orvanta.exe" &
prog=$!
geom=$(wine "$build/orvanta-dlgtool.exe" wait "Orvanta V2.0" 30000 | tr -d '\r')
read -r x y w h <<<"$geom"
import -display "$DISPLAY" -window root -crop "${w}x${h}+${x}+${y}" +repage "$png"
wine "$build/orvanta-dlgtool.exe" close "Orvanta V2.0" 10000 >/dev/null
wait "$prog" || true
echo "$png"
