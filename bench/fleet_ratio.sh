#!/usr/bin/env bash
# Times varel-cli write to several virtual radios at once against the write to one, all paced at
# 9600 bit/s (varel-sim --pace), and prints the ratio of each to the one-radio time.
#
#   bench/fleet_ratio.sh [BIN_DIR] [FILE.dat]   (default: build/bin, docs/example.dat;
#                                                RUNS=n sets the repetitions, default 3)
#
# Each radio has its own port and transfer, so N radios should take about the time of one:
# the writes wait on the wire, not on the computer. Every time includes starting varel-cli and
# the backups of the radios (into a temporary folder).
set -euo pipefail

BIN=${1:-build/bin}
FILE=${2:-docs/example.dat}
RUNS=${RUNS:-3}
COUNTS=(1 3 8)
CLI="$BIN/varel-cli"
SIM="$BIN/varel-sim"
[[ -x $CLI && -x $SIM ]] || { echo "fleet_ratio: no varel-cli/varel-sim in $BIN" >&2; exit 2; }
[[ -r $FILE ]] || { echo "fleet_ratio: cannot read $FILE" >&2; exit 2; }

WORK=$(mktemp -d /tmp/varel-fleet-bench-XXXXXX)
PIDS=()
cleanup() {
    for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
    rm -rf "$WORK"
}
trap cleanup EXIT

now() { date +%s.%N; }

# Starts the paced virtual radios, as many as the largest count; DEVS holds their devices.
DEVS=()
for i in $(seq "${COUNTS[-1]}"); do
    mkfifo "$WORK/sim$i.out"
    "$SIM" --pace > "$WORK/sim$i.out" &
    PIDS+=($!)
    read -r dev < "$WORK/sim$i.out"
    rm -f "$WORK/sim$i.out"
    DEVS+=("$dev")
done

# The mean seconds of RUNS writes to the first n radios.
time_write() {
    local n=$1 total=0 ports=()
    for dev in "${DEVS[@]:0:$n}"; do ports+=(--port "$dev"); done
    for _ in $(seq "$RUNS"); do
        local t0 t1
        t0=$(now)
        if ! XDG_DATA_HOME="$WORK/data" "$CLI" write "${ports[@]}" "$FILE" > /dev/null 2>&1; then
            echo "fleet_ratio: the write to $n radios failed" >&2
            exit 1
        fi
        t1=$(now)
        total=$(awk -v s="$total" -v a="$t0" -v b="$t1" 'BEGIN { printf "%.6f", s + b - a }')
    done
    awk -v s="$total" -v n="$RUNS" 'BEGIN { printf "%.3f", s / n }'
}

printf "%-7s %10s %8s\n" radios seconds ratio
one=
for n in "${COUNTS[@]}"; do
    t=$(time_write "$n")
    [[ -z $one ]] && one=$t
    printf "%-7s %10s %8s\n" "$n" "$t" "$(awk -v a="$t" -v b="$one" 'BEGIN { printf "%.3f", a / b }')"
done
