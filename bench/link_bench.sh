#!/usr/bin/env bash
# Times full radio reads and writes of varel-cli against the virtual radio.
#
#   bench/link_bench.sh [BIN_DIR]      (default: build/bin; RUNS=n sets the repetitions)
#
# Paced: varel-sim --pace takes the 9600 bit/s wire time for every byte, so a transfer can
# be compared with the time its bytes need on the line (10 bits a byte):
#   read   976 bytes from the tool + 4064 from the radio = 5040 bytes = 5.250 s
#   write  3832 bytes from the tool +  203 from the radio = 4035 bytes = 4.203 s
# Unpaced: the mean time of one lock-step exchange (frame out, reply back); a read has 390
# exchanges (wake-up, identify, acknowledge, 193 x request and acknowledge, End), a write 197.
# Every time includes starting varel-cli; the start-up alone (a run against a missing port)
# is measured too and shown subtracted.
set -euo pipefail

BIN=${1:-build/bin}
RUNS=${RUNS:-3}
FAST_RUNS=${FAST_RUNS:-20}
CLI="$BIN/varel-cli"
SIM="$BIN/varel-sim"
[[ -x $CLI && -x $SIM ]] || { echo "link_bench: no varel-cli/varel-sim in $BIN" >&2; exit 2; }

WORK=$(mktemp -d /tmp/varel-link-bench-XXXXXX)
SIM_PID=
cleanup() {
    [[ -n $SIM_PID ]] && kill "$SIM_PID" 2>/dev/null && wait "$SIM_PID" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

now() { date +%s.%N; }
# mean of the numbers on standard input
mean() { awk '{ s += $1; n++ } END { printf "%.4f", s / n }'; }

# Starts the virtual radio with the given options; sets DEV to its device.
start_sim() {
    [[ -n $SIM_PID ]] && { kill "$SIM_PID"; wait "$SIM_PID" 2>/dev/null || true; }
    mkfifo "$WORK/sim.out"
    "$SIM" "$@" > "$WORK/sim.out" &
    SIM_PID=$!
    read -r DEV < "$WORK/sim.out"
    rm -f "$WORK/sim.out"
}

# Runs varel-cli COUNT times with the arguments; prints the mean seconds. With MAY_FAIL=1 a
# failing run is timed as well (the start-up measurement runs against a missing port).
time_runs() {
    local count=$1; shift
    for _ in $(seq "$count"); do
        local t0 t1
        t0=$(now)
        if ! "$CLI" "$@" 2>/dev/null && [[ ${MAY_FAIL:-0} != 1 ]]; then
            echo "link_bench: varel-cli $* failed" >&2
            exit 1
        fi
        t1=$(now)
        awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.6f\n", b - a }'
    done | mean
}

# A port number whose device is missing: the run goes as far as trying to open it.
startup=$(VAREL_COM20=/nonexistent/tty MAY_FAIL=1 time_runs "$FAST_RUNS" read --port 20 "$WORK/none.dat")

start_sim --pace
paced_read=$(time_runs "$RUNS" read --port "$DEV" "$WORK/image.dat")
paced_write=$(time_runs "$RUNS" write --port "$DEV" "$WORK/image.dat")

start_sim
fast_read=$(time_runs "$FAST_RUNS" read --port "$DEV" "$WORK/image.dat")
fast_write=$(time_runs "$FAST_RUNS" write --port "$DEV" "$WORK/image.dat")

awk -v s="$startup" -v pr="$paced_read" -v pw="$paced_write" -v fr="$fast_read" \
    -v fw="$fast_write" -v runs="$RUNS" -v fruns="$FAST_RUNS" 'BEGIN {
    wr = 5040 * 10 / 9600; ww = 4035 * 10 / 9600
    printf "start-up of varel-cli (mean of %d):  %.3f s\n", fruns, s
    printf "paced read  (mean of %d): %.3f s  wire %.3f s  ratio %.4f  (without start-up %.4f)\n",
           runs, pr, wr, pr / wr, (pr - s) / wr
    printf "paced write (mean of %d): %.3f s  wire %.3f s  ratio %.4f  (without start-up %.4f)\n",
           runs, pw, ww, pw / ww, (pw - s) / ww
    printf "unpaced read  (mean of %d): %.3f s  per exchange %.3f ms\n", fruns, fr, (fr - s) / 390 * 1000
    printf "unpaced write (mean of %d): %.3f s  per exchange %.3f ms\n", fruns, fw, (fw - s) / 197 * 1000
}'
