#!/usr/bin/env bash
# The main job: builds (when needed) and runs the worked examples, the typical patient's
# parameter row and its hybrid constants.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=${BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel "$(nproc)" >/dev/null
ctest --test-dir "$build" --output-on-failure -R 'PropSchnider|Cl2Hyb|BodySize'
