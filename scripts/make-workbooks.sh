#!/usr/bin/env bash
# Regenerates the example workbooks (examples/*.ods) from the CSV examples and their
# pictures (examples/pictures/*.png) in a headless LibreOffice with the build's extension.
#
#   scripts/make-workbooks.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-${BUILD_DIR:-build}}
cmake -S . -B "$build" >/dev/null
cmake --build "$build" --parallel 2 --target oxt sheethost Velmora Corvane >/dev/null

scripts/with-soffice.sh libreoffice/python/make_workbooks.py \
    "$build/libreoffice/VelmoraCorvane.oxt" "$build/addins/sheethost" examples
