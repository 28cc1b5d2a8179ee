#!/bin/sh
# End-to-end speech test through a real PulseAudio: starts a private daemon
# with a null sink on its own socket and runtime directory (the user's sound
# session is never touched; works as root and as a user), records the sink's
# monitor with raw parec while the player plays the ding, speaks two queued
# sentences and, after an idle pause, a third, then checks the recording.
# Exits 77 (skipped) with the reason when no private daemon can be had.
# Always stops the daemon.
set -eu
player=$1
skip() {
    echo "SKIPPED: $*" >&2
    exit 77
}
command -v pulseaudio >/dev/null 2>&1 ||
    skip "no PulseAudio daemon (package pulseaudio) is installed, so this test cannot start its own private sound server; where PipeWire serves the sound, that package is left out on purpose."
for tool in pactl parec pacat; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool (package pulseaudio-utils) is not installed."
done

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

# Everything the daemon and its clients read or write lies in $work; clients
# never start or reach the session's server.
mkdir "$work/expected"
printf 'autospawn = no\n' >"$work/client.conf"
export HOME="$work" XDG_RUNTIME_DIR="$work" XDG_CONFIG_HOME="$work/config" \
       PULSE_RUNTIME_PATH="$work/runtime" PULSE_STATE_PATH="$work/state" \
       PULSE_CLIENTCONFIG="$work/client.conf" PULSE_SERVER="unix:$work/native"
unset DBUS_SESSION_BUS_ADDRESS PULSE_SINK PULSE_COOKIE 2>/dev/null || true
rate=22050

# Without rewinds the sink never replays what its monitor has already
# recorded, so the start of each sound reaches the recording unchanged.
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --log-target=stderr \
    --disable-shm=yes --realtime=no --high-priority=no --no-cpu-limit=yes \
    -L "module-null-sink sink_name=zorvel_e2e rate=$rate channels=1 norewinds=1" \
    -L "module-native-protocol-unix socket=$work/native auth-anonymous=1" \
    2>"$work/daemon.log" &
daemon=$!

# Waits for the daemon; a minute without an answer means it is stuck (an
# exited daemon may still look alive to kill -0 until it is waited for).
tries=0
until pactl info >/dev/null 2>&1; do
    tries=$((tries + 1))
    if [ "$tries" -gt 600 ] || ! kill -0 "$daemon" 2>/dev/null; then
        cat "$work/daemon.log" >&2
        daemon=""
        skip "the private PulseAudio daemon would not start here (its log is above)."
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

if ! "$player" play "$work/expected"; then
    echo "the player failed; sound server log:" >&2
    cat "$work/daemon.log" >&2
    exit 1
fi

# The sink keeps running after playback, so the recording grows on with
# silence; once it has grown by half a second everything played is in it.
target=$(( $(stat -c %s "$work/recording.raw") + rate ))
while [ "$(stat -c %s "$work/recording.raw")" -lt "$target" ]; do
    kill -0 "$recorder" 2>/dev/null || { echo "the recorder stopped" >&2; exit 1; }
    sleep 0.1
done
kill "$recorder"
wait "$recorder" 2>/dev/null || true
recorder=""

"$player" check "$work/recording.raw" "$work/expected"
