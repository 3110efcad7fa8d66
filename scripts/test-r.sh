#!/usr/bin/env bash
# The R packages as a user installs them: scripts/build-r.sh writes the source packages, then
# `R CMD check --no-manual` installs each (compiling at -j2), runs its examples and its
# testthat tests (corvane's compare every call of the call table, in both packages, with the
# add-ins through the Linux build's sheethost) and checks the package; any error or warning
# fails. Then the README's R example runs on the installed packages and draws its plot
# (build-r/schnider_tci.png).
#
#   scripts/test-r.sh [LINUX_BUILD_DIR]
#
# LINUX_BUILD_DIR holds the Linux build's addins/sheethost (default: $BUILD_DIR or build), or
# SHEETHOST names another.
set -euo pipefail
cd "$(dirname "$0")/.."

linux=${1:-${BUILD_DIR:-build}}
export SHEETHOST=${SHEETHOST:-$PWD/$linux/addins/sheethost}
if [ ! -x "$SHEETHOST" ]; then
    echo "No sheethost at $SHEETHOST: build the Linux tree first" >&2
    exit 1
fi
scripts/build-r.sh "$linux"
version=$(sed -n 's/^project([A-Za-z]* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
out=$PWD/build-r

# check <name>: R CMD check of the package's tarball; its status must have no error or warning.
check() {
    local name=$1
    (cd "$out" && MAKEFLAGS=-j2 R CMD check --no-manual "${name}_$version.tar.gz" \
        >"$name.check.log" 2>&1) || true
    local status
    status=$(grep '^Status:' "$out/$name.check.log" || echo "Status: did not finish")
    echo "$name: $status"
    if [[ $status == *ERROR* || $status == *WARNING* || $status == *finish* ]]; then
        grep -B2 -A20 -E 'ERROR|WARNING' "$out/$name.check.log" | head -n 80
        for log in "$out/$name.Rcheck/00install.out" "$out/$name.Rcheck/tests/testthat.Rout.fail"; do
            [ -f "$log" ] && tail -n 60 "$log"
        done
        return 1
    fi
}

check velmora
# corvane's examples and tests use velmora, as the check installed it.
R_LIBS=$out/velmora.Rcheck check corvane
grep -h 'compared with the add-ins' "$out/corvane.Rcheck/tests/testthat.Rout"

R_LIBS=$out/velmora.Rcheck:$out/corvane.Rcheck Rscript examples/r/schnider_tci.R \
    "$out/schnider_tci.png" >"$out/schnider_tci.out"
echo "README example: $(wc -l <"$out/schnider_tci.out") lines, $out/schnider_tci.png"
