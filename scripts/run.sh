#!/usr/bin/env bash
# Installs what is needed, builds, and starts the program. When no port is configured with
# VAREL_COM1 a virtual radio is started and attached as port 1.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
bin="${BUILD_DIR:-build}/bin"
if [ -z "${VAREL_COM1:-}" ]; then
  fifo=$(mktemp -u); mkfifo "$fifo"
  "$bin/varel-sim" >"$fifo" &
  sim=$!
  trap 'kill $sim 2>/dev/null || true; rm -f "$fifo"' EXIT
  read -r VAREL_COM1 <"$fifo"
  export VAREL_COM1
  echo "Virtual radio on $VAREL_COM1 (port Com1)"
fi
"$bin/varel" "$@"
