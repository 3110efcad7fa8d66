#!/usr/bin/env bash
# Recalculates a workbook that uses the Velmora and Corvane functions and exports it as PDF:
# a headless LibreOffice with the build's extension in a throwaway profile (nothing is
# installed for the user) loads the workbook, recalculates every cell and prints it to the
# PDF; the workbook itself is not changed.
#
#   scripts/workbook-to-pdf.sh WORKBOOK.ods [OUT.pdf]     (default: WORKBOOK.pdf beside it)
#
# Builds the extension first when needed, in BUILD_DIR (default build).
set -euo pipefail

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 WORKBOOK.ods [OUT.pdf]" >&2
    exit 2
fi
workbook=$(realpath "$1")
out=$(realpath -m "${2:-${1%.*}.pdf}")
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
if [ ! -f "$build/libreoffice/VelmoraCorvane.oxt" ]; then
    echo "Building the extension (cmake --build $build --target oxt)..." >&2
    cmake -S . -B "$build" >/dev/null
    cmake --build "$build" --parallel 2 --target oxt >/dev/null
fi
scripts/with-soffice.sh libreoffice/python/export_pdf.py "$build/libreoffice/VelmoraCorvane.oxt" \
    "$workbook" "$out"
