#!/usr/bin/env bash
# Peak resident size and processor time of the real program opening a data file and drawing
# every diagram, start-up included, under a virtual display.
#
#   tools/measure_open.sh [-r REPEATS] [-d DISPLAY] QSTEREO FILE.QST ...
#
# The program runs from a copy in a scratch folder (so its settings file is a fresh one) with
# FILE as its command-line argument. Once the main window is up and the process has used no
# processor time for a second, VmHWM and utime+stime are read from /proc and the program is
# ended. With a shared machine, the lowest processor time of REPEATS runs (default 3) is the
# figure to quote; the peak size hardly varies. Without -d a private Xvfb is started.
# Data files of any size: build/tests/app/open_benchmark --write ROWS FILE.
set -euo pipefail

repeats=3
display=""
while getopts "r:d:" opt; do
    case "$opt" in
    r) repeats="$OPTARG" ;;
    d) display="$OPTARG" ;;
    *) exit 64 ;;
    esac
done
shift $((OPTIND - 1))
if [ $# -lt 2 ]; then
    echo "usage: $0 [-r REPEATS] [-d :N] QSTEREO FILE.QST ..." >&2
    exit 64
fi
program=$(readlink -f "$1")
shift

scratch=$(mktemp -d /tmp/measure-open.XXXXXX)
xvfb_pid=""
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

if [ -z "$display" ]; then
    for n in $(seq 90 120); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            display=":$n"
            break
        fi
    done
    Xvfb "$display" -screen 0 1600x1000x24 >/dev/null 2>&1 &
    xvfb_pid=$!
    # A program started before the server listens ends at once.
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X${display#:}" ] && break
        sleep 0.1
    done
fi
export DISPLAY="$display"

ticks=$(getconf CLK_TCK)
cp "$program" "$scratch/qstereo"

# utime + stime of a process in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

measure() {
    local file=$1
    rm -f "$scratch/QStereo.ini"
    "$scratch/qstereo" "$file" >/dev/null 2>&1 &
    local pid=$!
    # The main window appears before the file is read; the splash carries no such title.
    local waited=0
    until xdotool search --onlyvisible --name 'QUILL Stereo' >/dev/null 2>&1; do
        sleep 0.1
        waited=$((waited + 1))
        kill -0 "$pid" 2>/dev/null || { echo "the program ended before its window showed" >&2; return 1; }
        [ $waited -lt 600 ] || { echo "no window" >&2; kill "$pid"; return 1; }
    done
    # Drawn when a second passes without processor time.
    local last quiet=0
    last=$(cpu_ticks "$pid")
    while [ $quiet -lt 10 ]; do
        sleep 0.1
        local now
        now=$(cpu_ticks "$pid")
        if [ "$now" = "$last" ]; then quiet=$((quiet + 1)); else quiet=0; fi
        last=$now
    done
    local hwm
    hwm=$(awk '/^VmHWM/ { print $2 }' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "$hwm $last"
}

printf '%-28s %12s %14s\n' "file" "peak MB" "CPU s (min)"
for file in "$@"; do
    file=$(readlink -f "$file")
    best_cpu=""
    best_hwm=""
    for _ in $(seq "$repeats"); do
        read -r hwm cpu < <(measure "$file") || continue
        if [ -z "$best_cpu" ] || [ "$cpu" -lt "$best_cpu" ]; then best_cpu=$cpu; fi
        if [ -z "$best_hwm" ] || [ "$hwm" -gt "$best_hwm" ]; then best_hwm=$hwm; fi
    done
    [ -n "$best_cpu" ] || { echo "$(basename "$file"): no run finished" >&2; continue; }
    awk -v f="$(basename "$file")" -v h="$best_hwm" -v c="$best_cpu" -v t="$ticks" \
        'BEGIN { printf "%-28s %12.1f %14.2f\n", f, h / 1024, c / t }'
done
