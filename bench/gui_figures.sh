#!/usr/bin/env bash
# The program's figures for the README, on the offscreen platform:
#   start-up to the main window shown   median of 5 runs after a warm-up run; from just before
#                                       the process starts to the window shown and painted
#   resident memory after start         peak resident set of a run that starts and ends
#   Open of a data file                 median of 51 runs, up to the grid filled
#   language switch of every window     median of 51 runs, with the data file opened
#   paste of 128 channels               median of 51 runs of the Paste command, grid shown
#
#   bench/gui_figures.sh [BIN_DIR] [FILE.dat]   (defaults: build/bin, docs/example.dat)
set -euo pipefail

BIN=${1:-build/bin}
FILE=${2:-docs/example.dat}
PROG="$BIN/gui_figures"
[[ -x $PROG ]] || { echo "gui_figures.sh: no gui_figures in $BIN (-DBUILD_BENCHMARKS=ON)" >&2; exit 2; }
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
startup() { "$PROG" startup "$(date +%s%N)" 2>/dev/null; }

startup > /dev/null
start_ms=$(for _ in 1 2 3 4 5; do startup; done | median)
rss_kb=$(/usr/bin/time -f %M "$PROG" startup "$(date +%s%N)" 2>&1 >/dev/null | tail -n 1)
open_ms=$("$PROG" open "$FILE" 2>/dev/null)
language_ms=$("$PROG" language "$FILE" 2>/dev/null)
paste_ms=$("$PROG" paste "$FILE" 2>/dev/null)

echo "| What | Measured | Goal |"
echo "|---|---|---|"
echo "| start-up to the main window shown (median of 5 warm runs) | $start_ms ms | < 150 ms |"
echo "| resident memory after start | $((rss_kb / 1024)) MB | < 50 MB |"
echo "| Open of a data file to the filled grid | $open_ms ms | < 20 ms |"
echo "| language switch of every window | $language_ms ms | < 50 ms |"
echo "| paste of 128 channels through the Paste command | $paste_ms ms | < 20 ms |"
