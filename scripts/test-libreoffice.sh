#!/usr/bin/env bash
# The LibreOffice Calc extension in a real, headless LibreOffice: installs the build's
# VelmoraCorvane.oxt into a throwaway profile, then compares a table of calls of every
# function and every formula cell of the example workbooks (examples/*.ods) with sheethost,
# bit for bit, checks what the workbooks' cells show and their layout, and renders their pages
# to BUILD_DIR/libreoffice/pages (libreoffice/tests/test_calc.py); prints a workbook to PDF
# with scripts/workbook-to-pdf.sh. Puts the extension in the release folder when all agree.
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

# A workbook recalculated and printed to PDF by the user's command.
pdf=$build/libreoffice/pages/covariate_check-by-script.pdf
BUILD_DIR=$build scripts/workbook-to-pdf.sh examples/covariate_check.ods "$pdf" >/dev/null
shown=$(pdftotext -layout "$pdf" -)
for expected in "Height 1.75 cm is below 3 cm" "-2.852"; do
    if [[ $shown != *"$expected"* ]]; then
        echo "scripts/workbook-to-pdf.sh: \"$expected\" is not in $pdf" >&2
        exit 1
    fi
done
echo "scripts/workbook-to-pdf.sh: $pdf"

cmake --install "$build" --prefix release-windows --component libreoffice >/dev/null
echo "release-windows/: $(cd release-windows && ls -d libreoffice-*/*.oxt)"
