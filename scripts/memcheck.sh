#!/usr/bin/env bash
# Valgrind's memcheck over every GoogleTest program of a build (default: build), as CTest
# lists them: both add-ins loaded by the stand-in host and called through their entries
# (sheethost's tests), the add-ins' wrappers called through the frame, the framework
# against the host, the host itself, the sheet, and the routines. Asking CTest, not a list
# written here, keeps a renamed or new test program in. Any error, or any leak definitely or
# indirectly lost, fails. The hostile-input table and the call patterns (many threads,
# 100000 calls) are left to the sanitizer builds: memcheck runs one thread at a time, and
# they take many minutes there.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-${BUILD_DIR:-build}}
skip='*Hostile*:*CallPatterns*'

# Each test of a GoogleTest program runs the program on its own name.
mapfile -t programs < <(ctest --test-dir "$build" -N -V |
    sed -n 's/^[0-9]*: Test command: \(.*\) "--gtest_filter=.*$/\1/p' | sort -u)
if ((${#programs[@]} == 0)); then
    echo "memcheck: CTest lists no GoogleTest program in $build (build it first)" >&2
    exit 1
fi

status=0
for program in "${programs[@]}"; do
    name=$(basename "$program")
    echo "memcheck: ${program#"$PWD/"}"
    if ! valgrind --tool=memcheck --error-exitcode=99 --leak-check=full \
        --errors-for-leak-kinds=definite,indirect --show-leak-kinds=definite,indirect \
        --track-origins=no --quiet "$program" --gtest_filter="-$skip" --gtest_brief=1 \
        >"$build/memcheck-$name.log" 2>&1; then
        tail -n 40 "$build/memcheck-$name.log"
        status=1
    fi
done
exit $status
