#!/bin/bash
# The record's targets over ten years of daily practice for three pupils:
# file size, the records window's queries (Google Benchmark),
# `zorvel-records tests` over everything, and the same record written by the
# first version brought up to date (opened by the store as the program does).
#   bench/records/run_bench.sh BUILD_DIR
set -eu
build=${1:?usage: run_bench.sh BUILD_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
db="$work/records.db"
"$build/bench/records/generate_records" "$db"
echo "file size: $(( $(stat -c %s "$db") / 1048576 )) MB (target: under 60 MB)"
ZORVEL_RECORDS_DB="$db" "$build/bench/records/bench_records"
runs=()
for i in 1 2 3 4 5; do
  start=$(date +%s%N)
  "$build/tools/zorvel-records/zorvel-records" --database "$db" tests > "$work/tests.csv"
  runs+=($(( ($(date +%s%N) - start) / 1000000 )))
done
sorted=($(printf '%s\n' "${runs[@]}" | sort -n))
echo "zorvel-records tests: $(( $(wc -l < "$work/tests.csv") - 1 )) tests, median ${sorted[2]} ms of ${runs[*]} (target: under 1000 ms)"
"$build/bench/records/generate_records" "$work/old.db" 1
runs=()
for i in 1 2 3; do
  cp "$work/old.db" "$work/migrated.db"
  start=$(date +%s%N)
  "$build/tests/records/record_driver" "$work/migrated.db" open > /dev/null || { echo "the migration failed"; exit 1; }
  runs+=($(( ($(date +%s%N) - start) / 1000000 )))
  rm -rf "$work/migrated.db"*
done
sorted=($(printf '%s\n' "${runs[@]}" | sort -n))
echo "layout 1 to $(sed -n 's/.*kSchemaVersion = \([0-9]*\);.*/\1/p' "$(dirname "$0")/../../records/schema.h"): median ${sorted[1]} ms of ${runs[*]} (target: under 5000 ms)"
