#!/usr/bin/env bash
# The same bits on every machine: the results digest (digest/: the pinned results, then every
# example sheet and the sheet of formulas over every function, evaluated through the add-ins)
# of the Linux build, compared with
#   - the same program with glibc's generic paths instead of its FMA and AVX2 variants;
#   - an ARM64 build of the routines under qemu-aarch64 (the pinned results and the drug
#     models: the routines-only build has no stand-in host, whose libffi has no ARM64 build
#     here, so no sheets).
# The Windows builds are compared by scripts/test-windows.sh. Then the portable functions'
# error against MPFR on 10^6 inputs per domain.
#
#   scripts/test-digest.sh [LINUX_BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

linux=${1:-${BUILD_DIR:-build}}
arm64=${ARM64_BUILD_DIR:-build-arm64}
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

echo "== ARM64: $arm64"
cmake -S . -B "$arm64" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-aarch64-linux-gnu.cmake \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVC_ROUTINES_ONLY=ON >/dev/null
cmake --build "$arm64" --parallel "$jobs" --target pinned_digest >"$arm64/build.log" 2>&1 ||
    { tail -n 40 "$arm64/build.log"; exit 1; }
qemu-aarch64 -L /usr/aarch64-linux-gnu "$arm64/digest/pinned_digest" >"$out/arm64.txt"
same "ARM64 under qemu-aarch64" "$out/arm64.txt"

echo "== the portable functions against MPFR"
cmake --build "$linux" --target portablemath_accuracy_full || failed=1

echo "== digests and accuracy: $((SECONDS - started)) s"
exit $failed
