#!/bin/bash
# Kills the normal drill window recording into the record store (drill_crash,
# SIGKILL) at random moments until it has recorded 200 tests, reopening the
# record after every kill: no answer the window had checked and seen stored
# may be missing, and every reopening must succeed without a problem.
#   bench/ui/drill_crash_test.sh BUILD_DIR [TESTS]
set -u
build=${1:?usage: drill_crash_test.sh BUILD_DIR [TESTS]}
tests=${2:-200}
driver="$build/tests/records/record_driver"
player="$build/bench/ui/drill_crash"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
db="$work/records.db"
log="$work/answers.log"
: > "$log"
kills=0
while :; do
  "$player" "$db" "$tests" >> "$log" 2> "$work/driver.err" &
  pid=$!
  sleep "0.$(printf '%03d' $((RANDOM % 1000)))"
  if kill -0 "$pid" 2>/dev/null && kill -KILL "$pid" 2>/dev/null; then
    wait "$pid" 2>/dev/null
    kills=$((kills + 1))
  else
    wait "$pid"
    status=$?
    [ "$status" -eq 0 ] || { echo "the window player failed ($status):"; cat "$work/driver.err"; exit 1; }
    cat "$work/driver.err"
    break
  fi
  "$driver" "$db" check "$log" > "$work/check.out" 2>&1 || { echo "after kill $kills:"; cat "$work/check.out"; exit 1; }
done
"$driver" "$db" check "$log" || exit 1
echo "$kills kills during $tests tests; every stored answer kept, every reopening clean"
