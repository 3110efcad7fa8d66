#!/usr/bin/env bash
# Builds everything and runs every test: installs what is missing, configures, builds,
# runs CTest; then the Windows add-ins, cross-built and tested under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=${BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --parallel "$(nproc)"
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"

# ---- Windows: Velmora.xll and Corvane.xll, 64-bit and 32-bit, under Wine
scripts/test-windows.sh "$build"
