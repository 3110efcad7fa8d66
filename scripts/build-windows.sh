#!/usr/bin/env bash
# Cross-builds the Windows add-ins with Debian's mingw-w64, for 64-bit and for 32-bit
# Windows, and puts the release folder together (host/windows/LOADING.txt describes it):
# x64/ and x86/ with Velmora.xll and Corvane.xll, LOADING.txt, reference/ (the reference
# pages as HTML, made with python3-markdown) and examples/ (the example sheets as CSV files
# with their formulas).
#
#   scripts/build-windows.sh [PREFIX]        (default release-windows)
#
# The builds go to build-win64 and build-win32; WIN_ARCHS chooses the architectures
# (default "64 32"). Each first build takes about 4 minutes on two cores.
set -euo pipefail
cd "$(dirname "$0")/.."

prefix=${1:-release-windows}
jobs=$(($(nproc) < 2 ? $(nproc) : 2))
for arch in ${WIN_ARCHS:-64 32}; do
    case $arch in
    64) toolchain=cmake/toolchain-mingw-x86_64.cmake folder=x64 ;;
    32) toolchain=cmake/toolchain-mingw-i686.cmake folder=x86 ;;
    *) echo "unknown architecture $arch" >&2; exit 2 ;;
    esac
    build=build-win$arch
    echo "== Windows $arch-bit in $build, installed into $prefix/$folder"
    cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" --parallel "$jobs"
    cmake --install "$build" --prefix "$prefix" >/dev/null
done
