#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main job on the example program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
build=${KORVEN_BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target korven-info
"$build/tools/korven-info" "${1:-examples/bracket.nc}"
