#!/bin/sh
# A 10,000-question PDF sheet with its answer pages: wall time, peak memory
# and file size, five runs; on a busy machine the processor time is the
# figure to read.   bench/worksheets/pdf_sheet_bench.sh build
set -eu
build=${1:-build}
tool="$build/tools/zorvel-questions/zorvel-questions"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for run in 1 2 3 4 5; do
  /usr/bin/time -f "run $run: %e s wall, %U s user + %S s sys, peak %M KiB" \
    "$tool" --operation add --level Option4 --count 10000 --seed "$run" --answers \
    --format pdf --output "$out/sheet.pdf" 2>&1
done
size=$(wc -c < "$out/sheet.pdf")
echo "file: $size bytes ($(pdfinfo "$out/sheet.pdf" 2>/dev/null | sed -n 's/^Pages: *//p') pages)"
