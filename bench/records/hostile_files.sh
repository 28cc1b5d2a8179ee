#!/bin/bash
# zorvel-records on record files built to hurt whoever reads them, as a
# pupil might hand one to the class view: its time and peak memory on each
# (targets: exit 1 within 6 s, under 200 MB), and that nothing is left
# beside the file or in the temporary folder. Plants with Python's sqlite3.
#   bench/records/hostile_files.sh BUILD_DIR
set -eu
build=${1:?usage: hostile_files.sh BUILD_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export TMPDIR="$work/tmp"
mkdir "$TMPDIR"
"$build/tests/records/record_driver" "$work/base.db" fixture
plant() {  # NAME SQL...
  local name=$1; shift
  cp "$work/base.db" "$work/$name.db"
  python3 - "$work/$name.db" "$@" <<'PY'
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
db.execute("PRAGMA journal_mode = DELETE")
for statement in sys.argv[2:]:
    db.execute(statement)
db.commit()
PY
}
columns="1 AS id, 1 AS pupil_id, 1 AS exercise_id, 0 AS started, 0 AS redo, 0 AS questions, 0 AS wrong_answers,
  0 AS playback_reached, 'finished' AS ended, '' AS time, 0 AS centis, '' AS uuid, NULL AS session"
plant recursive-view "DROP TABLE tests" \
  "CREATE VIEW tests AS WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) SELECT $columns FROM c"
plant printf-view "ALTER TABLE pupils RENAME TO p" \
  "CREATE VIEW pupils AS SELECT id, printf('%.*c', 2000000000, 'x') AS name, uuid FROM p"
plant generated-column "CREATE TABLE p2 (id INTEGER PRIMARY KEY, n TEXT, uuid TEXT,
  name TEXT AS (printf('%.*c', 2000000000, n)))" "INSERT INTO p2 (id, n, uuid) SELECT id, 'x', uuid FROM pupils" \
  "PRAGMA foreign_keys = OFF" "DROP TABLE pupils" "ALTER TABLE p2 RENAME TO pupils"
cp "$work/base.db" "$work/escapes.db"
"$build/tests/records/record_driver" "$work/escapes.db" rename $'\e]0;owned\a\e[2J\u202e'
failed=0
for name in recursive-view printf-view generated-column escapes; do
  for command in pupils tests mistakes; do
    /usr/bin/time -f '%e %M' -o "$work/time" timeout 60 \
      "$build/tools/zorvel-records/zorvel-records" --database "$work/$name.db" $command > "$work/out" 2> "$work/err" \
      && rc=0 || rc=$?
    read -r seconds kilobytes < <(tail -1 "$work/time")
    raw=$(grep -c $'\e' "$work/out" "$work/err" | awk -F: '{s += $2} END {print s}')
    echo "$name $command: exit $rc, ${seconds} s, $(( kilobytes / 1024 )) MB, raw ESC lines $raw: $(head -c 160 "$work/err")"
    if [ "$name" != escapes ] && [ "$rc" != 1 ]; then failed=1; fi
    if [ "$raw" != 0 ] || [ "$(( kilobytes / 1024 ))" -ge 200 ] || awk "BEGIN {exit !($seconds >= 6)}"; then failed=1; fi
  done
done
left=$(ls "$TMPDIR"; ls "$work" | grep -e '-wal$' -e '-shm$' || true)
echo "left behind: ${left:-nothing}"
[ -z "$left" ] && [ "$failed" = 0 ] && echo "all within the targets" || { echo "OUTSIDE THE TARGETS"; exit 1; }
