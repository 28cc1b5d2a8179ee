#!/bin/sh
# Draws the main menu's pictures with ImageMagick: the 48 x 48 logo and the
# 320 x 320 head in profile with a coloured brain on a jigsaw backdrop.
# Usage: sh tools/make-pictures.sh   (writes assets/images/logo.png, head.png)
set -eu
cd "$(dirname "$0")/.."
out=assets/images
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Logo: four coloured quadrants with + - x / drawn four times larger, then scaled down.
convert -size 192x192 xc:none \
  -fill '#ff5a36' -draw 'roundrectangle 4,4 94,94 22,22' -draw 'rectangle 40,4 94,94' -draw 'rectangle 4,40 94,94' \
  -fill '#2ab7ff' -draw 'roundrectangle 98,4 188,94 22,22' -draw 'rectangle 98,4 150,94' -draw 'rectangle 98,40 188,94' \
  -fill '#ffc400' -draw 'roundrectangle 4,98 94,188 22,22' -draw 'rectangle 40,98 94,188' -draw 'rectangle 4,98 94,150' \
  -fill '#2fd06a' -draw 'roundrectangle 98,98 188,188 22,22' -draw 'rectangle 98,98 150,188' -draw 'rectangle 98,98 188,150' \
  -stroke white -strokewidth 12 -draw "stroke-linecap round" \
  -draw 'line 49,26 49,72' -draw 'line 26,49 72,49' \
  -draw 'line 120,49 166,49' \
  -draw 'line 33,127 65,159' -draw 'line 65,127 33,159' \
  -draw 'line 120,143 166,143' \
  -stroke none -fill white -draw 'circle 143,121 143,128' -draw 'circle 143,165 143,172' \
  -resize 48x48 -depth 8 "$out/logo.png"

# Jigsaw backdrop: 4 x 4 tiles in two alternating pastel families; every inner
# edge carries a round knob of the neighbouring tile's colour.
colours="#ffe08a #b8f0c8 #bfe3ff #ffc6dc"
draw=""
knobs=""
for row in 0 1 2 3; do
  for col in 0 1 2 3; do
    i=$(( (row * 2 + col + row) % 4 + 1 ))
    c=$(echo $colours | cut -d' ' -f$i)
    x0=$((col * 80)); y0=$((row * 80))
    draw="$draw fill $c rectangle $x0,$y0 $((x0 + 79)),$((y0 + 79))"
    if [ $col -lt 3 ] && [ $(( (row + col) % 2 )) -eq 0 ]; then
      knobs="$knobs fill $c stroke #8a8a8a circle $((x0 + 88)),$((y0 + 40)) $((x0 + 100)),$((y0 + 40)) stroke none rectangle $((x0 + 70)),$((y0 + 28)) $((x0 + 81)),$((y0 + 52))"
    fi
    if [ $row -lt 3 ] && [ $(( (row + col) % 2 )) -eq 1 ]; then
      knobs="$knobs fill $c stroke #8a8a8a circle $((x0 + 40)),$((y0 + 88)) $((x0 + 40)),$((y0 + 100)) stroke none rectangle $((x0 + 28)),$((y0 + 70)) $((x0 + 52)),$((y0 + 81))"
    fi
  done
done
convert -size 320x320 xc:white -draw "$draw" \
  -stroke '#8a8a8a' -strokewidth 2 -fill none \
  -draw 'line 80,0 80,320' -draw 'line 160,0 160,320' -draw 'line 240,0 240,320' \
  -draw 'line 0,80 320,80' -draw 'line 0,160 320,160' -draw 'line 0,240 320,240' \
  -draw "$knobs" \
  "$work/backdrop.png"

# Head in profile, facing right.
head='M 100,322 L 112,262 C 68,232 52,180 60,138 C 70,78 122,40 178,42 C 236,44 266,88 264,138 L 263,152 L 286,184 C 288,190 282,193 272,194 L 270,206 C 264,209 263,212 268,216 L 265,228 C 262,242 248,247 230,244 L 214,243 L 209,272 L 206,322 Z'
convert "$work/backdrop.png" \
  -fill '#2f3b5c' -stroke white -strokewidth 4 -draw "path '$head'" \
  "$work/head.png"

# A cubic curve as a polyline traced there and back, since ImageMagick 6
# strokes every path as if it were closed.
curve() {
  awk -v p="$*" 'BEGIN { split(p, c, /[ ,]+/); out = "polyline";
    for (i = 0; i <= 16; i++) { t = i / 16; u = 1 - t;
      x = u*u*u*c[1] + 3*u*u*t*c[3] + 3*u*t*t*c[5] + t*t*t*c[7];
      y = u*u*u*c[2] + 3*u*u*t*c[4] + 3*u*t*t*c[6] + t*t*t*c[8];
      pt[i] = sprintf(" %.1f,%.1f", x, y); out = out pt[i] }
    for (i = 15; i >= 0; i--) out = out pt[i]
    print out }'
}

# The brain: bright lobes inside the skull, with white folds.
convert "$work/head.png" \
  -stroke none \
  -fill '#ff3b3b' -draw 'ellipse 120,112 38,34 0,360' \
  -fill '#ff9f1a' -draw 'ellipse 168,86 40,32 0,360' \
  -fill '#ffe21a' -draw 'ellipse 214,108 36,34 0,360' \
  -fill '#28d45a' -draw 'ellipse 196,148 36,28 0,360' \
  -fill '#1fa8ff' -draw 'ellipse 146,150 40,28 0,360' \
  -fill '#b45cff' -draw 'ellipse 104,150 26,22 0,360' \
  -fill '#ff4fb0' -draw 'ellipse 170,120 26,22 0,360' \
  -stroke white -strokewidth 3 -draw "stroke-linecap round" -fill none \
  -draw "$(curve 96,104 110,90 126,118 142,100)" \
  -draw "$(curve 150,76 162,64 176,96 192,78)" \
  -draw "$(curve 200,100 214,116 226,96 236,112)" \
  -draw "$(curve 176,148 188,136 204,160 220,146)" \
  -draw "$(curve 120,148 134,160 150,138 168,154)" \
  -draw "$(curve 152,118 162,108 176,132 188,120)" \
  -depth 8 "$out/head.png"
