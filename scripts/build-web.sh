#!/usr/bin/env bash
# Builds the web page from the add-ins' sources with Debian's Emscripten:
#   build-web/velmora-corvane.mjs  the engine, an ES module with its WebAssembly embedded,
#                                  for the page and for node (the routines, the framework
#                                  and the stand-in host's call path, with the compile flags
#                                  of every other build);
#   build-web/index.html           the page, one self-contained file (HTML, style, script,
#                                  WebAssembly) that works from file:// with no network.
# Installs the page's npm packages from the lock file (web/package-lock.json) when missing.
# WEB_BUILD_DIR chooses the folder (default build-web).
set -euo pipefail
cd "$(dirname "$0")/.."

out=${WEB_BUILD_DIR:-build-web}
mkdir -p "$out"
out=$(cd "$out" && pwd)
jobs=$(nproc)
[ "$jobs" -gt 2 ] && jobs=2

# Debian's emcc runs under the machine's node, which must find Debian's node modules.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
if command -v ccache >/dev/null; then
    export EM_COMPILER_WRAPPER=ccache CCACHE_BASEDIR=$PWD
fi

scripts/install-web-packages.sh

emcmake cmake -S . -B "$out/engine" -DCMAKE_BUILD_TYPE=Release \
    -DVC_WEB_MODULE="$out/velmora-corvane.mjs" >"$out/configure.log" 2>&1
if ! cmake --build "$out/engine" --parallel "$jobs" >"$out/build.log" 2>&1; then
    tail -n 60 "$out/build.log"
    exit 1
fi
if grep -q "warning:" "$out/build.log"; then
    grep -B2 -A4 "warning:" "$out/build.log"
    echo "build-web.sh: the engine's build has warnings" >&2
    exit 1
fi

node web/tools/build-page.mjs "$out/velmora-corvane.mjs" "$out/index.html"
