#!/bin/sh
# Renders the application icon packaging/icons/zorvel.svg (written by hand)
# into the PNG sizes of the hicolor icon theme, packaging/icons/zorvel-N.png.
# Needs rsvg-convert (Debian package librsvg2-bin).
# Usage: sh tools/make-icon.sh
set -eu
cd "$(dirname "$0")/.."
dir=packaging/icons
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" --format png \
    --output "$dir/zorvel-$size.png" "$dir/zorvel.svg"
done
