#!/bin/bash
# selvo-sim --jobs 2 against --jobs 1, and against its floor: the same games as two independent
# halves started at once. Pairs side by side; the CSVs are compared byte for byte.
# Usage: bench/jobs.sh SELVO_SIM MEDIA [PAIRS] [RUNS] [YEARS]
set -eu
sim=$1 media=$2 pairs=${3:-3} runs=${4:-20000} years=${5:-100}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
now() { date +%s.%N; }
play() { "$sim" --seed 1 --runs "$runs" --years "$years" --media "$media" "$@" 2>/dev/null; }
half=$((runs / 2))
echo "$(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores; load $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-5s %9s %9s %9s %7s %7s\n' pair jobs1_s jobs2_s halves_s ratio floor
for p in $(seq "$pairs"); do
    a=$(now); play --jobs 1 --out "$work/one.csv"
    b=$(now); play --jobs 2 --out "$work/two.csv"
    c=$(now)
    "$sim" --seed 1 --runs "$half" --years "$years" --media "$media" --jobs 1 \
        --out "$work/h1.csv" 2>/dev/null &
    "$sim" --seed $((1 + half)) --runs $((runs - half)) --years "$years" --media "$media" \
        --jobs 1 --out "$work/h2.csv" 2>/dev/null
    wait
    d=$(now)
    cmp -s "$work/one.csv" "$work/two.csv" || { echo "pair $p: the CSVs differ"; exit 1; }
    awk -v p="$p" -v a="$a" -v b="$b" -v c="$c" -v d="$d" 'BEGIN {
        printf "%-5s %9.2f %9.2f %9.2f %7.2f %7.2f\n", p, b - a, c - b, d - c, (b - a) / (c - b),
            (b - a) / (d - c) }'
done
echo "load $(cut -d' ' -f1-3 /proc/loadavg)"
