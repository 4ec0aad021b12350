#!/usr/bin/env bash
# Draws the program icon (a key box: a dark case, two rows of keys, a green LED) at 16, 32
# and 48 pixels and packs them into src/ui/Orvanta.ico. Needs ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for s in 16 32 48; do
    f=$(echo "scale=4; $s/48" | bc)
    p() { printf '%.0f' "$(echo "$1*$f" | bc)"; }
    keys=""
    for row in 0 1; do
        for col in 0 1 2; do
            x=$(p $((7 + col * 12))); y=$(p $((17 + row * 12)))
            x2=$(p $((16 + col * 12))); y2=$(p $((26 + row * 12)))
            keys+=" roundrectangle $x,$y $x2,$y2 $(p 2),$(p 2)"
        done
    done
    convert -size "${s}x${s}" xc:none \
        -fill '#2b3a4a' -stroke '#101820' -strokewidth 1 \
        -draw "roundrectangle $(p 2),$(p 6) $(p 45),$(p 43) $(p 6),$(p 6)" \
        -stroke none -fill '#e8edf2' -draw "$keys" \
        -fill '#3ddc6e' -draw "circle $(p 38),$(p 11) $(p 41),$(p 11)" \
        -fill '#f2b134' -draw "rectangle $(p 7),$(p 9) $(p 27),$(p 12)" \
        "$tmp/icon$s.png"
done
convert "$tmp/icon16.png" "$tmp/icon32.png" "$tmp/icon48.png" src/ui/Orvanta.ico
