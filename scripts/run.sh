#!/usr/bin/env bash
# Installs what is needed, builds, and starts the program. When no port is configured with
# VAREL_COM1, a virtual radio (varel-sim, paced at 9600 baud) is started and attached as Com1.
# Without a graphical session it says so in one line (and how to use xvfb-run) and stops.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
bin="${BUILD_DIR:-build}/bin"

# Without a screen Qt would abort with a long message; say what to do instead.
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
  echo "run.sh: no graphical session (DISPLAY and WAYLAND_DISPLAY are unset); run it on a virtual screen with: xvfb-run -a scripts/run.sh" >&2
  exit 1
fi

pids=()
log=""
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  [ -z "$log" ] || rm -f "$log"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ -z "${VAREL_COM1:-}" ]; then
  log=$(mktemp)
  "$bin/varel-sim" --pace >"$log" &
  pids+=($!)
  for _ in $(seq 100); do
    [ -s "$log" ] && break
    sleep 0.05
  done
  VAREL_COM1=$(head -n 1 "$log")
  [ -n "$VAREL_COM1" ] || { echo "the virtual radio did not start" >&2; exit 1; }
  export VAREL_COM1
  echo "Virtual radio on $VAREL_COM1 (port Com1)"
fi
# In the background with a wait, so that an interrupt reaches the traps at once.
"$bin/varel" "$@" &
pids+=($!)
wait "${pids[-1]}"
