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

work=$(mktemp -d)
chmod 755 "$work" # the profile inside is nobody's when run as root
cleanup() {
    if [ -s "$work/soffice.pid" ]; then
        kill -KILL "$(cat "$work/soffice.pid")" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

TMPDIR=$work VC_SOFFICE_PID_FILE=$work/soffice.pid \
    timeout --signal=TERM --kill-after=20 300 /usr/bin/python3 libreoffice/python/make_workbooks.py \
    "$build/libreoffice/VelmoraCorvane.oxt" "$build/addins/sheethost" examples
