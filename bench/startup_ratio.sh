#!/usr/bin/env bash
# Start-up of the program against a bare Qt main window with a 128-row table
# (bench/bare_window.cpp): each is started N times, the two in turn after one untimed warm-up
# run each, and timed from just before the process starts to its first window shown and painted
# (VAREL_START_NS, src/ui/first_shown.h). Prints the medians and their ratio on the offscreen
# platform and, when xvfb-run exists, on a virtual X server. The program starts as on a clean
# machine: an empty home folder, no stored language (Chinese), no stored port.
#
#   bench/startup_ratio.sh [BIN_DIR] [N]   (defaults: build/bin, 21)
set -euo pipefail

BIN=$(cd "${1:-build/bin}" && pwd)
N=${2:-21}
for program in varel bare_window; do
    [[ -x $BIN/$program ]] ||
        { echo "startup_ratio.sh: no $program in $BIN (-DBUILD_BENCHMARKS=ON)" >&2; exit 2; }
done

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
once() { VAREL_START_NS=$(date +%s%N) "$BIN/$1" 2>/dev/null; }

# One table row for the platform in QT_QPA_PLATFORM.
measure() {
    local home runs_program runs_bare
    home=$(mktemp -d)
    export HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data
    once varel > /dev/null
    once bare_window > /dev/null
    runs_program=$(mktemp) runs_bare=$(mktemp)
    for _ in $(seq "$N"); do
        once varel >> "$runs_program"
        once bare_window >> "$runs_bare"
    done
    local program bare
    program=$(median < "$runs_program")
    bare=$(median < "$runs_bare")
    rm -rf "$home" "$runs_program" "$runs_bare"
    echo "| $1 | $program ms | $bare ms | $(awk -v a="$program" -v b="$bare" 'BEGIN { printf "%.2f", a / b }') |"
}

if [[ ${STARTUP_RATIO_DISPLAY:-} == 1 ]]; then
    QT_QPA_PLATFORM=xcb measure "Xvfb (xcb)"
    exit 0
fi
echo "| Platform | Program (median of $N) | Bare window | Ratio |"
echo "|---|---|---|---|"
QT_QPA_PLATFORM=offscreen measure offscreen
if command -v xvfb-run > /dev/null; then
    STARTUP_RATIO_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$BIN" "$N"
fi
