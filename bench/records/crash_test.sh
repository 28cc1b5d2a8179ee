#!/bin/bash
# Kills a recording program (SIGKILL) at random moments until it has recorded
# 200 tests, reopening the record after every kill: no answer the program had
# seen stored may be missing, and every reopening must succeed without a problem.
#   bench/records/crash_test.sh BUILD_DIR [TESTS] [PROGRAM ARGS...]
# PROGRAM (default: the record driver's "crash" command) is started as
# PROGRAM ARGS... DB TESTS and prints every answer it has seen stored;
# bench/ui/drill_crash_test.sh passes the normal drill window's player.
# CRASH_TEST_KILLS=N stops killing after N kills (the short form in the test
# suite); CRASH_TEST_WINDOW_MS sets the span the kill moment is drawn from
# (default 1000). Any kill moment is as good as another: a busy machine only
# moves where in the recording the kills land.
set -u
build=${1:?usage: crash_test.sh BUILD_DIR [TESTS] [PROGRAM ARGS...]}
tests=${2:-200}
shift $(( $# < 2 ? $# : 2 ))
driver="$build/tests/records/record_driver"
[ $# -gt 0 ] || set -- sh -c 'exec "$0" "$1" crash "$2"' "$driver"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
db="$work/records.db"
log="$work/answers.log"
: > "$log"
kills=0
max_kills=${CRASH_TEST_KILLS:-0}
window_ms=${CRASH_TEST_WINDOW_MS:-1000}
while :; do
  "$@" "$db" "$tests" >> "$log" 2> "$work/program.err" &
  pid=$!
  if [ "$max_kills" -eq 0 ] || [ "$kills" -lt "$max_kills" ]; then
    pause=$((RANDOM % window_ms))
    sleep "$((pause / 1000)).$(printf '%03d' $((pause % 1000)))"
  else
    wait "$pid"
  fi
  if kill -0 "$pid" 2>/dev/null && kill -KILL "$pid" 2>/dev/null; then
    wait "$pid" 2>/dev/null
    kills=$((kills + 1))
  else
    wait "$pid"
    status=$?
    [ "$status" -eq 0 ] || { echo "the recording program failed ($status):"; cat "$work/program.err"; exit 1; }
    cat "$work/program.err"
    break
  fi
  "$driver" "$db" check "$log" > "$work/check.out" 2>&1 || { echo "after kill $kills:"; cat "$work/check.out"; exit 1; }
done
"$driver" "$db" check "$log" || exit 1
echo "$kills kills during $tests tests; every stored answer kept, every reopening clean"
