#!/usr/bin/env bash
# The Windows add-ins: cross-builds Velmora.xll and Corvane.xll with the stand-in host
# (sheethost.exe, XLCALL32.DLL) for 64-bit and 32-bit Windows and puts the release folder
# together (scripts/build-windows.sh), checks their export and import tables, runs the
# Windows tests under Wine on a virtual display, compares with the Linux build's, bit for bit,
# sheethost.exe's results on a broad sheet of formulas and on every example and the results
# digest (the pinned results, the drug models and those sheets' cells), and checks the
# release folder's listing against what it must hold and LOADING.txt.
#
#   scripts/test-windows.sh [LINUX_BUILD_DIR]
#
# LINUX_BUILD_DIR holds the Linux build's addins/sheethost (default: $BUILD_DIR or build).
# WIN_ARCHS chooses the architectures (default "64 32"); a 32-bit run under Wine needs
# Debian's wine32 (i386) and a kernel that runs 32-bit programs, without which the 32-bit
# build is checked but not run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

# Everything runs inside one virtual display (Wine creates real windows) and one Wine prefix.
if [ -z "${XLF_UNDER_XVFB:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" env XLF_UNDER_XVFB=1 "$0" "$@"
fi

linux=${1:-${BUILD_DIR:-build}}
archs=${WIN_ARCHS:-64 32}

started=$SECONDS
prefix=$(mktemp -d)
release=$(mktemp -d)
# Wine's debugger off: a program that crashes then ends at once with a failing status,
# instead of waiting in the debugger with its output already written.
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES=winedbg.exe=d
cleanup() {
    WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true
    rm -rf "$prefix" "$release"
}
trap cleanup EXIT

if [ ! -x "$linux/addins/sheethost" ]; then
    echo "No Linux sheethost in $linux/addins: build the Linux tree first" >&2
    exit 1
fi

/usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1

WIN_ARCHS=$archs scripts/build-windows.sh release-windows

failed=0
for arch in $archs; do
    case $arch in
    64) loader=/usr/lib/wine/wine64 ;;
    32) loader=/usr/lib/wine/wine ;;
    esac
    build=build-win$arch
    echo "== Windows $arch-bit tests: $build"
    if ! "$loader" --version >/dev/null 2>&1; then
        echo "== $loader is missing or does not run here (a kernel without 32-bit programs):" \
            "the $arch-bit build is checked, not run (scripts/test-digest.sh runs the routines'" \
            "32-bit x86 code under qemu-i386)"
        ctest --test-dir "$build" --output-on-failure -R '^pe_tables\.' || failed=1
        continue
    fi
    ctest --test-dir "$build" --output-on-failure || failed=1

    # The same results as on Linux, bit for bit: a sheet of formulas over every function, and
    # every example; then the digest of the pinned results, the drug models and the same sheets.
    sheets=(host/windows/tests/formulas.csv examples/*.csv)
    out=$(mktemp -d)
    for sheet in "${sheets[@]}"; do
        "$linux/addins/sheethost" "$sheet" >"$out/linux.csv"
        echo -n "$sheet: "
        if ! "$loader" "$build/addins/sheethost.exe" "Z:$root/$sheet" >"$out/windows.csv"; then
            echo "sheethost.exe failed (it may have crashed after its output)"
            failed=1
            continue
        fi
        awk -f scripts/same-results.awk "$out/linux.csv" "$out/windows.csv" || failed=1
    done
    "$linux/addins/results_digest" "${sheets[@]}" >"$out/linux.txt"
    "$loader" "$build/addins/results_digest.exe" "${sheets[@]/#/Z:$root/}" >"$out/windows.raw" ||
        { echo "results_digest.exe failed"; failed=1; }
    tr -d '\r' <"$out/windows.raw" >"$out/windows.txt"
    if cmp -s "$out/linux.txt" "$out/windows.txt"; then
        echo "results digest: the same on Linux and Windows $arch-bit ($(wc -l <"$out/linux.txt") lines)"
    else
        echo "results digest: Linux and Windows $arch-bit differ:"
        diff "$out/linux.txt" "$out/windows.txt" || true
        failed=1
    fi
    rm -rf "$out"
done

# The release folder exactly as the two builds install it.
if [ "$archs" = "64 32" ]; then
    for arch in $archs; do
        cmake --install "build-win$arch" --prefix "$release" >/dev/null
    done
    /usr/bin/python3 host/windows/tests/release_listing.py "$release" || failed=1
fi
echo "== Windows tests: $((SECONDS - started)) s"
exit $failed
