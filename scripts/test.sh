#!/usr/bin/env bash
# Builds everything and runs every test: installs what is missing, then
#   1. the normal build and CTest;
#   2. the same suite built with AddressSanitizer and UndefinedBehaviorSanitizer;
#   3. the same suite built with ThreadSanitizer;
#   4. Valgrind's memcheck over the test programs of the normal build;
#   5. each fuzz target for FUZZ_SECONDS (default 20) seconds;
#   6. the Windows add-ins, cross-built for 64 and 32 bits and tested under Wine, their
#      results compared with Linux's bit for bit;
#   7. the LibreOffice Calc extension in a headless LibreOffice, against sheethost;
#   8. the Python modules, installed into a venv of Debian's /usr/bin/python3 and tested;
#   9. the results digest on x86-64 with glibc's generic paths, on ARM64 and 32-bit x86 under
#      qemu and in WebAssembly under node, the same as the normal build's; the portable
#      functions against MPFR on 10^6 inputs each.
#  10. the web page, built with Emscripten, tested in node and in a headless Chromium.
#  11. the R packages, built, installed, checked and tested with Debian's R.
# Any sanitizer report, memcheck error or fuzz finding fails. BUILD_DIR chooses the build
# folder (default build); the others are its name with -asan, -tsan and -fuzz.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=${BUILD_DIR:-build}
jobs=$(nproc)
[ "$jobs" -gt 2 ] && jobs=2

suite() { # <folder> <cmake options...>
    local folder=$1
    shift
    cmake -S . -B "$folder" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    # The build's own output only when it fails: four builds would bury the test results.
    if ! cmake --build "$folder" --parallel "$jobs" >"$folder/build.log" 2>&1; then
        tail -n 80 "$folder/build.log"
        return 1
    fi
    ctest --test-dir "$folder" --output-on-failure --parallel "$jobs"
}

echo "== normal build"
suite "$build" -DVC_SANITIZE=

echo "== AddressSanitizer and UndefinedBehaviorSanitizer"
# The leak checker does not follow the dynamic thread-local storage of a library that the
# stand-in host has unloaded (it read a stale block and crashed at exit after some calls):
# intercept_tls_get_addr=0 keeps it to the storage that is still there.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:intercept_tls_get_addr=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    suite "$build-asan" -DVC_SANITIZE=address,undefined

echo "== ThreadSanitizer"
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 suite "$build-tsan" -DVC_SANITIZE=thread

echo "== Valgrind memcheck"
scripts/memcheck.sh "$build"

echo "== fuzzing"
scripts/fuzz.sh "${FUZZ_SECONDS:-20}" "$build-fuzz"

echo "== Windows: Velmora.xll and Corvane.xll, 64-bit and 32-bit, under Wine"
scripts/test-windows.sh "$build"

echo "== LibreOffice Calc: the extension and the example workbooks against sheethost"
scripts/test-libreoffice.sh "$build"

echo "== Python modules (Debian's /usr/bin/python3, venv, pip, pytest, wheel)"
scripts/test-python.sh "$build"

echo "== The same bits: results digest on x86-64 (glibc's generic paths), ARM64, 32-bit x86 and WebAssembly; accuracy"
scripts/test-digest.sh "$build"

echo "== Web page (Emscripten, node, headless Chromium)"
scripts/test-web.sh "$build"

echo "== R packages (Debian's R, R CMD check, testthat)"
scripts/test-r.sh "$build"
