#!/usr/bin/env bash
# Installs the Debian packages that are missing, of one of two sets:
#
#   scripts/install-deps.sh          everything scripts/test.sh runs
#   scripts/install-deps.sh --main   only the main job's: the Linux build of sheethost and
#                                    the add-ins (GoogleTest too: the tree configures its
#                                    tests by default)
#
# The full set adds Google Benchmark, clang and its fuzzer runtime (the fuzz build),
# Valgrind (memcheck), and the Windows build's mingw-w64 cross compilers, 64-bit and 32-bit
# Wine and a virtual display for Wine's windows, LibreOffice with its SDK (the Calc
# extension and its tests in a headless LibreOffice), the Python modules' pybind11 and
# Debian's Python with numpy, matplotlib, pytest, venv, setuptools and wheel, Pillow (the
# example workbooks' column widths from the font, their pictures cut to what they show),
# python3-markdown (the reference pages of the Windows release folder as HTML), MPFR (the
# accuracy test of the portable mathematics), the ARM64 and 32-bit x86 cross compilers
# with qemu-user (the results digest on ARM64 and 32-bit x86), the web page's
# Emscripten, node with npm and the page's npm packages as web/package-lock.json pins
# them, Chromium for its tests (poppler-utils reads its printed PDF), and R with
# testthat and ggplot2 (the R packages, their tests and plots).
set -euo pipefail

main=(cmake g++ make pkg-config libffi-dev libgtest-dev libgmock-dev)
tests=(libbenchmark-dev clang libclang-rt-14-dev valgrind
       g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix wine64 wine32:i386 xvfb xauth
       libreoffice-calc-nogui libreoffice-dev python3-uno poppler-utils fonts-dejavu-core
       pybind11-dev python3-dev python3-numpy python3-matplotlib python3-pytest python3-venv
       python3-setuptools python3-wheel python3-pil python3-markdown
       libmpfr-dev qemu-user g++-aarch64-linux-gnu g++-i686-linux-gnu
       emscripten nodejs chromium r-base-dev r-cran-testthat r-cran-ggplot2)

case ${1:-} in
--main) packages=("${main[@]}") ;;
"") packages=("${main[@]}" "${tests[@]}") ;;
*)
    echo "usage: $0 [--main]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# Debian's nodejs comes without npm, which another node (NodeSource's) brings along.
if [ -z "${1:-}" ] && ! command -v npm >/dev/null; then
    missing+=(npm)
fi
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages need root: apt-get install ${missing[*]}" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    # 32-bit Wine comes from the i386 architecture.
    if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    # A mirror in the middle of a sync refuses an index now and then: try again, and go on
    # with the indexes there are (a package they lack still stops the install below).
    for attempt in 1 2 3; do
        apt-get update -q && break
        echo "apt-get update failed (attempt $attempt)" >&2
        sleep $((attempt * 20))
    done
    native=() foreign=()
    for p in "${missing[@]}"; do
        if [[ $p == *:i386 ]]; then foreign+=("$p"); else native+=("$p"); fi
    done
    if ((${#native[@]})); then
        apt-get install -y -q --no-install-recommends "${native[@]}"
    fi
    # 32-bit Wine alone: an i386 index the mirror refuses, or a kernel without 32-bit
    # programs, leaves the 32-bit Windows test to say what it could not do.
    if ((${#foreign[@]})); then
        apt-get install -y -q --no-install-recommends "${foreign[@]}" ||
            echo "Could not install ${foreign[*]}: the 32-bit Windows add-ins go untested" >&2
    fi
fi
# The web page's npm packages, from the lock file.
if [ -z "${1:-}" ]; then
    "$(dirname "$0")/install-web-packages.sh"
fi
