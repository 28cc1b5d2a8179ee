#!/bin/bash
# Kills the normal drill window recording into the record store (drill_crash,
# SIGKILL) at random moments until it has recorded 200 tests, reopening the
# record after every kill: no answer the window had checked and seen stored
# may be missing, and every reopening must succeed without a problem.
#   bench/ui/drill_crash_test.sh BUILD_DIR [TESTS]
set -u
build=${1:?usage: drill_crash_test.sh BUILD_DIR [TESTS]}
exec bash "$(dirname "$0")/../records/crash_test.sh" "$build" "${2:-200}" "$build/bench/ui/drill_crash"
