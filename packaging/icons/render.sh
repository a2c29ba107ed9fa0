#!/usr/bin/env bash
# Renders the program's icon (org.varel.wavesmith.svg) into the PNG sizes the desktop wants, into
# FOLDER/<size>/ (default: next to this script). Needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="${1:-$here}"
for size in 48 128 256; do
  mkdir -p "$out/$size"
  rsvg-convert -w "$size" -h "$size" "$here/org.varel.wavesmith.svg" -o "$out/$size/org.varel.wavesmith.png"
done
