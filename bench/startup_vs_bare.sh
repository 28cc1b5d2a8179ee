#!/bin/sh
# Start-up of the installed zorvel against a bare Qt Widgets window of the same
# size, side by side under one Xvfb: RUNS launches of each, taken in turns,
# each timed from launch to its first window painted by the paint probe
# (bench/startup/paint_probe.cpp), which then ends the program. Two times:
# to the window's appearance on the screen (the start-up target's measure)
# and to its first frame painted, with the CPU time to that paint (on a busy
# machine it varies far less).
# Usage: sh bench/startup_vs_bare.sh [BUILD_DIR] [ZORVEL] [RUNS]
#        (defaults: build, /usr/bin/zorvel, 20; display :97 or $BENCH_DISPLAY)
set -eu
build=$(cd "${1:-build}" && pwd)
zorvel=${2:-/usr/bin/zorvel}
runs=${3:-20}
display=${BENCH_DISPLAY:-:97}
bare=$build/bench/startup/bare_window
[ -x "$bare" ] && [ -d "$build/bench/startup/plugins/generic" ] ||
  { echo "build $build first (bench/startup needs BUILD_TESTING and Google Benchmark)" >&2; exit 1; }
[ -x "$zorvel" ] || { echo "no program at $zorvel" >&2; exit 1; }

work=$(mktemp -d)
Xvfb "$display" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT INT TERM
socket=/tmp/.X11-unix/X${display#:}
tries=0
until [ -S "$socket" ]; do
  tries=$((tries + 1))
  [ $tries -le 100 ] || { echo "Xvfb $display did not start" >&2; exit 1; }
  sleep 0.1
done

# The help page zorvel opens at start goes to a stand-in browser that does
# nothing, so no real browser competes for the two cores.
mkdir -p "$work/bin" "$work/run"
printf '#!/bin/sh\nexit 0\n' > "$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
chmod 700 "$work/run"
export DISPLAY="$display" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/run" PATH="$work/bin:$PATH"
export QT_PLUGIN_PATH="$build/bench/startup/plugins" QT_QPA_GENERIC_PLUGINS=zorvelpaintprobe

# launch OUT PROGRAM ARGS...: appends "ms width height" to OUT.
launch() {
  out=$1
  shift
  ZORVEL_PROBE_OUT=$out ZORVEL_PROBE_T0_NS=$(date +%s%N) timeout 30 "$@" >/dev/null 2>&1 </dev/null ||
    { echo "$* did not paint a window" >&2; exit 1; }
}

# One untimed run of each warms the caches and gives the menu's size.
launch "$work/size" "$zorvel"
set -- $(cat "$work/size")
width=$2
height=$3
launch "$work/size" "$bare" "$width" "$height"

i=0
while [ $i -lt "$runs" ]; do
  launch "$work/zorvel" "$zorvel"
  launch "$work/bare" "$bare" "$width" "$height"
  i=$((i + 1))
done

# median FILE COLUMN, range FILE COLUMN: over the runs.
median() { cut -d' ' -f"$2" "$1" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
range() { cut -d' ' -f"$2" "$1" | sort -n | awk 'NR == 1 { lo = $1 } { hi = $1 } END { print lo " to " hi }'; }
ratio() { awk -v z="$1" -v b="$2" 'BEGIN { printf "%.2f", z / b }'; }
z=$(median "$work/zorvel" 1)
b=$(median "$work/bare" 1)
zc=$(median "$work/zorvel" 4)
bc=$(median "$work/bare" 4)
ze=$(median "$work/zorvel" 5)
be=$(median "$work/bare" 5)
echo "window ${width}x${height}, $runs runs each (median, range)"
echo "launch to the window on the screen:"
echo "  $zorvel: $ze ms ($(range "$work/zorvel" 5))"
echo "  bare Qt Widgets window: $be ms ($(range "$work/bare" 5))"
echo "  ratio $(ratio "$ze" "$be") (target <= 1.3)"
echo "launch to the first frame painted (the menu's Chinese text and pictures; the bare window draws nothing):"
echo "  $zorvel: $z ms ($(range "$work/zorvel" 1)), CPU $zc ms ($(range "$work/zorvel" 4))"
echo "  bare Qt Widgets window: $b ms ($(range "$work/bare" 1)), CPU $bc ms ($(range "$work/bare" 4))"
echo "  ratio $(ratio "$z" "$b"); CPU time ratio $(ratio "$zc" "$bc")"
