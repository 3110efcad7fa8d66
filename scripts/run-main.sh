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
# What is built, and how long it takes, on standard error: the table alone on standard output.
started=$SECONDS
echo "Building sheethost with the add-ins Velmora and Corvane in $build/ (a first build takes" \
    "about 3 to 4 minutes on two cores; later runs build only what changed)..." >&2
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if ! cmake --build "$build" --parallel "$(nproc)" --target sheethost >"$build/main-build.log" 2>&1; then
    tail -n 40 "$build/main-build.log" >&2
    exit 1
fi
echo "Built in $((SECONDS - started)) s." >&2
exec "$build/addins/sheethost" --format table examples/overview_propofol_tci.csv
