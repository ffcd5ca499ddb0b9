#!/bin/sh
# Redraws the program's artwork: splash.bmp (399 x 316, 24-bit BMP v3) and
# zavrin4.ico (16, 32 and 48 pixels). Both results are committed, so the build
# never runs this; it needs ImageMagick 6 (convert), python3 and fonts-dejavu-core.
# Usage: sh resources/make-art.sh   (from anywhere; writes next to this script)
set -eu

here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

font() { fc-match -f '%{file}' "$1"; }
SANS=$(font 'DejaVu Sans:style=Book')
BOLD=$(font 'DejaVu Sans:style=Bold')
for f in "$SANS" "$BOLD"; do
    case "$f" in *DejaVu*) ;; *) echo "DejaVu fonts missing (fonts-dejavu-core)" >&2; exit 1 ;; esac
done

# Palette: dark blue-grey ground, one steel-blue accent, light grey text.
TOP='#2d3b4d'
BOTTOM='#121921'
ACCENT='#5aa9dc'
FACE='#d5dee8'
TITLE='#f3f6f9'
MUTED='#93a6ba'
FAINT='#66798c'

W=399
H=316

# ---- splash ---------------------------------------------------------------
# The emblem is drawn at 4x and scaled down, which gives clean anti-aliased
# strokes at this small size.
S=4
R=$((52 * S))          # clock ring radius
C=$((64 * S))          # centre of the 128x128 emblem tile
ticks=''
i=0
while [ $i -lt 12 ]; do
    # 12 hour marks; the quarters are longer.
    a=$((i * 30))
    if [ $((i % 3)) -eq 0 ]; then r1=$((R - 13 * S)); else r1=$((R - 8 * S)); fi
    ticks="$ticks $(awk -v a=$a -v c=$C -v r0=$((R - 4 * S)) -v r1=$r1 'BEGIN {
        t = a * 3.14159265 / 180; s = sin(t); k = cos(t);
        printf "line %.1f,%.1f %.1f,%.1f", c + r0 * s, c - r0 * k, c + r1 * s, c - r1 * k }')"
    i=$((i + 1))
done
# Power sign: an open ring (gap at the top, 2 x 40 degrees) and a bar.
pr=$((22 * S))
arc=$(awk -v c=$C -v r=$pr 'BEGIN {
    t = 40 * 3.14159265 / 180;
    printf "M %.1f,%.1f A %d,%d 0 1,0 %.1f,%.1f", c - r * sin(t), c - r * cos(t), r, r, c + r * sin(t), c - r * cos(t) }')
convert -size $((128 * S))x$((128 * S)) xc:none \
    -fill none -stroke "$FACE" -strokewidth $((3 * S)) \
    -draw "circle $C,$C $C,$((C - R))" \
    -strokewidth $((2 * S)) -draw "$ticks" \
    -stroke "$ACCENT" -strokewidth $((6 * S)) -draw "stroke-linecap round path '$arc'" \
    -draw "stroke-linecap round line $C,$((C - 27 * S)) $C,$((C - 5 * S))" \
    -resize 128x128 "$tmp/emblem.png"

# Soft glow behind the emblem, then the emblem itself.
convert -size ${W}x${H} "gradient:$TOP-$BOTTOM" \
    \( -size 220x220 radial-gradient:'#3b5272'-none -resize 220x220 \) \
    -gravity north -geometry +0-30 -compose screen -composite -compose over \
    "$tmp/emblem.png" -gravity north -geometry +0+22 -composite \
    -font "$BOLD" -pointsize 38 -fill "$TITLE" -kerning 0.5 \
    -gravity north -annotate +0+158 'Zavrin 4' \
    -font "$SANS" -pointsize 13 -fill "$MUTED" -kerning 1 \
    -annotate +0+207 'versiunea 4.01' \
    -fill "$ACCENT" -draw "rectangle 140,236 258,236" \
    -font "$SANS" -pointsize 12 -fill "$FACE" -kerning 0.3 \
    -annotate +0+250 'Oprirea programata a calculatorului' \
    -font "$SANS" -pointsize 10 -fill "$FAINT" -kerning 0.3 \
    -gravity south -annotate +0+12 '(c) 2026' \
    -gravity northwest -fill none -stroke '#0a0e13' -strokewidth 1 \
    -draw "rectangle 0,0 $((W - 1)),$((H - 1))" \
    -stroke '#3e4f64' -draw "line 1,1 $((W - 2)),1" \
    -alpha off -type TrueColor "BMP3:$here/splash.bmp"

# ---- icon -----------------------------------------------------------------
# Each size is drawn on its own at 8x (strokes tuned per size), then reduced.
icon() {
    n=$1; sw=$2; k=8; z=$((n * k)); c=$((z / 2))
    rad=$(awk -v z=$z 'BEGIN { printf "%d", z * 0.18 }')
    # The sign's bar rises above the ring, so the ring sits a little low to
    # keep the whole sign optically centred.
    geo=$(awk -v z=$z -v c=$c 'BEGIN {
        r = z * 0.29; cy = c + r * 0.08; t = 40 * 3.14159265 / 180;
        printf "path \047M %.1f,%.1f A %.1f,%.1f 0 1,0 %.1f,%.1f\047 ", c - r * sin(t), cy - r * cos(t), r, r, c + r * sin(t), cy - r * cos(t);
        printf "line %.1f,%.1f %.1f,%.1f", c, cy - r * 1.12, c, cy - r * 0.12 }')
    convert -size ${z}x${z} gradient:'#4a90d0-#1d4f8c' \
        \( -size ${z}x${z} xc:black -fill white -draw "roundrectangle 0,0 $((z - 1)),$((z - 1)) $rad,$rad" \) \
        -alpha off -compose copy_opacity -composite -compose over \
        -fill none -stroke white -strokewidth $((sw * k)) \
        -draw "stroke-linecap round $geo" \
        -resize ${n}x${n} "$tmp/icon$n.png"
}
icon 16 2
icon 32 3
icon 48 4
# 16 and 32 pixels keep their alpha; 48 pixels is kept in 256 colours with a transparency mask.
for n in 16 32; do convert "$tmp/icon$n.png" -depth 8 "RGBA:$tmp/icon$n.rgba"; done
convert "$tmp/icon48.png" -channel A -threshold 50% +channel +dither -colors 255 -depth 8 "RGBA:$tmp/icon48.rgba"
python3 "$here/make-icon.py" "$here/zavrin4.ico" 16:"$tmp/icon16.rgba" 32:"$tmp/icon32.rgba" 48:"$tmp/icon48.rgba"
