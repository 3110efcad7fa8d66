#!/usr/bin/env bash
# The LibreOffice Calc extension in a real, headless LibreOffice: installs the build's
# VelmoraCorvane.oxt into a throwaway profile, then compares a table of calls of every
# function and every add-in cell of the example workbooks (examples/*.ods) with sheethost,
# bit for bit (libreoffice/tests/test_calc.py). Puts the extension in the release folder
# when they agree.
#
#   scripts/test-libreoffice.sh [BUILD_DIR]
#
# BUILD_DIR (default $BUILD_DIR or build) holds the normal build, which makes the extension
# when LibreOffice's SDK is installed (scripts/install-deps.sh installs it).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-${BUILD_DIR:-build}}
oxt=$build/libreoffice/VelmoraCorvane.oxt
if [ ! -f "$oxt" ] || [ ! -x "$build/addins/sheethost" ]; then
    echo "No $oxt or sheethost in $build: build with LibreOffice's SDK installed first" >&2
    exit 1
fi

scripts/with-soffice.sh libreoffice/tests/test_calc.py "$oxt" "$build/addins/sheethost" examples \
    "$build/libreoffice/pages"

cmake --install "$build" --prefix release-windows --component libreoffice >/dev/null
echo "release-windows/: $(cd release-windows && ls -d libreoffice-*/*.oxt)"
