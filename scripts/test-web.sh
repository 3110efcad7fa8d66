#!/usr/bin/env bash
# The web page: builds the engine and the page (scripts/build-web.sh), runs the node suite
# (every call of the call table through the module against sheethost, bit for bit) and the
# headless-Chromium suite (the page from file:// with the network shut, against sheethost;
# screenshots and a printed PDF in build-web/), reports the benchmarks (page size, redraw
# time, TciCe in WebAssembly against native) and puts the page in the release folder.
#
#   scripts/test-web.sh [LINUX_BUILD_DIR]
#
# LINUX_BUILD_DIR holds the Linux build's addins/sheethost and bench/vc_bench (default:
# $BUILD_DIR or build).
set -euo pipefail
cd "$(dirname "$0")/.."

linux=${1:-${BUILD_DIR:-build}}
if [ ! -x "$linux/addins/sheethost" ]; then
    echo "No Linux sheethost in $linux/addins: build the Linux tree first" >&2
    exit 1
fi
started=$SECONDS
scripts/build-web.sh
export SHEETHOST=$PWD/$linux/addins/sheethost
node --test web/tests/
node web/bench/web_bench.mjs "$linux"
mkdir -p release-windows/web
cp build-web/index.html build-web/velmora-corvane.mjs release-windows/web/
echo "release-windows/web/: $(cd release-windows/web && ls | tr '\n' ' ')"
echo "== web tests: $((SECONDS - started)) s"
