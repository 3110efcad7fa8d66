#!/usr/bin/env bash
# The main job: installs the Linux build's packages when missing (not the test tools nor
# the Windows toolchain), builds, when needed, the command-line host sheethost with the
# Velmora and Corvane add-ins beside it, then evaluates the typical request of the Overview
# sheet: a Schnider propofol patient, the hybrid constants of its parameter row and an
# effect-site TCI schedule at 10 s steps with a target change, shown as a table.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh --main >&2

build=${BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target sheethost >/dev/null
exec "$build/addins/sheethost" --format table examples/overview_propofol_tci.csv
