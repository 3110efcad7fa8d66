#!/usr/bin/env bash
# The same bits on every machine: the results digest (digest/: the pinned results, then every
# example sheet and the sheet of formulas over every function, evaluated through the add-ins)
# of the Linux build, compared with
#   - the same program with glibc's generic paths instead of its FMA and AVX2 variants;
#   - builds of the routines for ARM64 under qemu-aarch64 and for 32-bit x86 (SSE2) under
#     qemu-i386: the pinned results and the drug models (a routines-only build has no
#     stand-in host, whose libffi has no such build here, so no sheets);
#   - the same routines-only build compiled to WebAssembly, under node.
# The Windows builds are compared by scripts/test-windows.sh. Then the portable functions'
# error against MPFR on 10^6 inputs per domain.
#
#   scripts/test-digest.sh [LINUX_BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

linux=${1:-${BUILD_DIR:-build}}
jobs=$(($(nproc) < 2 ? $(nproc) : 2))
sheets=(host/windows/tests/formulas.csv examples/*.csv)
started=$SECONDS

if [ ! -x "$linux/addins/results_digest" ]; then
    echo "No results_digest in $linux/addins: build the Linux tree first" >&2
    exit 1
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failed=0

# same <name> <digest file>: the digest equals the Linux build's (the ARM64 one, without the
# sheets, its first lines).
same() {
    local expected=$out/expected.txt
    head -n "$(wc -l <"$2")" "$out/linux.txt" >"$expected"
    if cmp -s "$expected" "$2"; then
        echo "$1: the same digest ($(wc -l <"$2") lines)"
    else
        echo "$1: a different digest:"
        diff "$expected" "$2" || true
        failed=1
    fi
}

"$linux/addins/results_digest" "${sheets[@]}" >"$out/linux.txt"
cat "$out/linux.txt"

GLIBC_TUNABLES=glibc.cpu.hwcaps=-FMA,-AVX2 "$linux/addins/results_digest" "${sheets[@]}" >"$out/generic.txt"
same "x86-64, glibc's generic paths" "$out/generic.txt"

# cross <name> <toolchain> <folder> <qemu> <prefix>: the routines-only build's digest.
cross() {
    echo "== $1: $3"
    cmake -S . -B "$3" -DCMAKE_TOOLCHAIN_FILE="$2" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DVC_ROUTINES_ONLY=ON >/dev/null
    cmake --build "$3" --parallel "$jobs" --target pinned_digest >"$3/build.log" 2>&1 ||
        { tail -n 40 "$3/build.log"; return 1; }
    "$4" -L "$5" "$3/digest/pinned_digest" >"$out/$3.txt"
    same "$1 under $4" "$out/$3.txt"
}
cross ARM64 cmake/toolchain-aarch64-linux-gnu.cmake build-arm64 qemu-aarch64 /usr/aarch64-linux-gnu
cross "32-bit x86" cmake/toolchain-i686-linux-gnu.cmake build-x86 qemu-i386 /usr/i686-linux-gnu

# The web page's arithmetic: the routines-only build compiled to WebAssembly by Emscripten,
# run by node.
echo "== WebAssembly: build-wasm"
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
emcmake cmake -S . -B build-wasm -DCMAKE_BUILD_TYPE=Release -DVC_ROUTINES_ONLY=ON >/dev/null
cmake --build build-wasm --parallel "$jobs" --target pinned_digest >build-wasm/build.log 2>&1 ||
    { tail -n 40 build-wasm/build.log; exit 1; }
node build-wasm/digest/pinned_digest.js >"$out/wasm.txt"
same "WebAssembly under node" "$out/wasm.txt"

echo "== the portable functions against MPFR"
cmake --build "$linux" --target portablemath_accuracy_full || failed=1

echo "== digests and accuracy: $((SECONDS - started)) s"
exit $failed
