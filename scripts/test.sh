#!/usr/bin/env bash
# Installs what is needed, builds, and runs the whole test suite through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh -DBUILD_TESTING=ON -DBUILD_BENCHMARKS=ON -DVAREL_WERROR=ON "$@"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j2
