#!/bin/sh
# Makes the prompt sound assets/sounds/ding.wav with sox: a bell-like E6 with
# two soft overtones, dying away in half a second. Mono, 16-bit, 22050 Hz.
set -eu
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sox -n -r 22050 -b 16 -c 3 "$work/partials.wav" synth 0.5 sine 1318.5 sine 2637 sine 3955.5
sox "$work/partials.wav" -c 1 assets/sounds/ding.wav \
    remix 1v0.6,2v0.25,3v0.1 fade q 0.004 0.5 0.46 fade l 0 0.5 0.5 gain -n -4
