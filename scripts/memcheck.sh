#!/usr/bin/env bash
# Valgrind's memcheck over the end-to-end tests of a build (default: build): both add-ins
# loaded by the stand-in host and called through their entries (sheethost's tests), the
# add-ins' wrappers called through the frame, the framework against the host, and the host
# itself. Any error, or any leak definitely or indirectly lost, fails. The
# hostile-input table and the call patterns (many threads, 100000 calls) are left to the
# sanitizer builds: memcheck runs one thread at a time, and they take many minutes there.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-${BUILD_DIR:-build}}
skip='*Hostile*:*CallPatterns*'
status=0
for test in sheethost_addin_tests host/cli/sheethost_tests drugmodels/velmora_tests pktools/corvane_tests framework/framework_tests \
    host/standin_host_tests; do
    [ -x "$build/$test" ] || continue
    echo "memcheck: $test"
    if ! valgrind --tool=memcheck --error-exitcode=99 --leak-check=full \
        --errors-for-leak-kinds=definite,indirect --show-leak-kinds=definite,indirect \
        --track-origins=no --quiet "$build/$test" --gtest_filter="-$skip" --gtest_brief=1 \
        >"$build/memcheck-$(basename "$test").log" 2>&1; then
        tail -n 40 "$build/memcheck-$(basename "$test").log"
        status=1
    fi
done
exit $status
