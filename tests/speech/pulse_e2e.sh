#!/bin/sh
# End-to-end speech test through a real PulseAudio: starts a private daemon
# with a null sink (no system daemon; works as root and as a user), records the
# sink's monitor with raw parec while the player plays the ding, speaks two
# queued sentences and, after an idle pause, a third, then checks the
# recording. Always stops the daemon.
set -eu
player=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/zorvel-e2e.XXXXXX")
daemon=""
recorder=""
cleanup() {
    [ -n "$recorder" ] && kill "$recorder" 2>/dev/null && wait "$recorder" 2>/dev/null
    [ -n "$daemon" ] && kill "$daemon" 2>/dev/null && wait "$daemon" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

export HOME="$work" XDG_RUNTIME_DIR="$work" XDG_CONFIG_HOME="$work/config" \
       PULSE_RUNTIME_PATH="$work/runtime" PULSE_STATE_PATH="$work/state" \
       PULSE_SERVER="unix:$work/native"
unset DBUS_SESSION_BUS_ADDRESS PULSE_SINK 2>/dev/null || true
rate=22050

pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-target=stderr \
    --disable-shm=yes --realtime=no --high-priority=no --no-cpu-limit=yes \
    -L "module-null-sink sink_name=zorvel_e2e rate=$rate channels=1" \
    -L "module-native-protocol-unix socket=$work/native auth-anonymous=1" \
    2>"$work/daemon.log" &
daemon=$!

tries=0
until pactl info >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ] || ! kill -0 "$daemon" 2>/dev/null; then
        echo "pulseaudio did not start:" >&2
        cat "$work/daemon.log" >&2
        exit 1
    fi
    sleep 0.1
done
pactl set-default-sink zorvel_e2e

parec --raw -d zorvel_e2e.monitor --format=s16le --rate=$rate --channels=1 --latency-msec=20 \
    >"$work/recording.raw" &
recorder=$!

# A fresh null sink records nothing until a stream plays: wake it with
# silence so that the recording holds the first sound from its start.
head -c "$rate" /dev/zero | pacat --raw --format=s16le --rate=$rate --channels=1

if ! "$player" play "$work/expected.txt"; then
    echo "the player failed; sound server log:" >&2
    cat "$work/daemon.log" >&2
    exit 1
fi

# The sink keeps running after playback, so the recording grows on with
# silence; once it has grown by half a second everything played is in it.
target=$(( $(stat -c %s "$work/recording.raw") + rate ))
tries=0
while [ "$(stat -c %s "$work/recording.raw")" -lt "$target" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ]; then
        echo "the recording stopped growing" >&2
        exit 1
    fi
    sleep 0.1
done
kill "$recorder"
wait "$recorder" 2>/dev/null || true
recorder=""

"$player" check "$work/recording.raw" "$work/expected.txt"
