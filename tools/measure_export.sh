#!/usr/bin/env bash
# Processor time (user + sys, the lowest of REPEATS runs) and peak resident size of the batch
# export of each data file into PDF pages and the summary, no display needed.
#
#   tools/measure_export.sh [-r REPEATS] [-f pdf|svg|png] QSTEREO FILE.QST ...
#
# Data files of any size: build/tests/app/open_benchmark --write ROWS FILE.
set -euo pipefail

repeats=3
format=pdf
while getopts "r:f:" opt; do
    case "$opt" in
    r) repeats="$OPTARG" ;;
    f) format="$OPTARG" ;;
    *) exit 64 ;;
    esac
done
shift $((OPTIND - 1))
if [ $# -lt 2 ]; then
    echo "usage: $0 [-r REPEATS] [-f FORMAT] QSTEREO FILE.QST ..." >&2
    exit 64
fi
program=$(readlink -f "$1")
shift

scratch=$(mktemp -d /tmp/measure-export.XXXXXX)
trap 'rm -rf "$scratch"' EXIT

printf '%-28s %12s %14s %12s\n' "file" "peak MB" "CPU s (min)" "pages kB"
for file in "$@"; do
    best=""
    hwm=0
    for _ in $(seq "$repeats"); do
        rm -rf "$scratch/out"
        /usr/bin/time -o "$scratch/time" -f "%U %S %M" \
            "$program" --export "$scratch/out" --format "$format" "$file" >/dev/null
        read -r user sys peak <"$scratch/time"
        cpu=$(awk -v u="$user" -v s="$sys" 'BEGIN { printf "%.2f", u + s }')
        if [ -z "$best" ] || awk -v a="$cpu" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$cpu; fi
        [ "$peak" -gt "$hwm" ] && hwm=$peak
    done
    size=$(du -sk "$scratch/out" | cut -f1)
    awk -v f="$(basename "$file")" -v h="$hwm" -v c="$best" -v s="$size" \
        'BEGIN { printf "%-28s %12.1f %14.2f %12d\n", f, h / 1024, c, s }'
done
