#!/bin/sh
# A 20-question listening test in all six formats of zorvel-questions from
# one seed (text, TSV, PDF with the answer page, WAV, MP3 and Ogg with the
# answers read), and the processor time all six took: user + system of the
# six runs, from the shell's `times`. Target: under 2 s.
# Usage: sh bench/questions/six_formats.sh <build folder> [seed]
set -eu
tool=$1/tools/zorvel-questions/zorvel-questions
seed=${2:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
test="--operation add --mode listening --count 20 --seed $seed --answers"
export QT_QPA_PLATFORM=offscreen
(
    "$tool" $test --format text >"$work/test.txt"
    "$tool" $test --format tsv >"$work/test.tsv"
    "$tool" $test --format pdf --output "$work/test.pdf"
    for format in wav mp3 ogg; do
        "$tool" $test --format $format --output "$work/test.$format"
    done
    times
) | tail -1 | awk '{
    # the children line of `times`: "0m1.234s 0m0.056s"
    split($1, u, /[ms]/); split($2, s, /[ms]/)
    total = u[1] * 60 + u[2] + s[1] * 60 + s[2]
    printf "six formats of seed '"$seed"': %.2f s of processor (user %s, system %s)\n", total, $1, $2
}'
