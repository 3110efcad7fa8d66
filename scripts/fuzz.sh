#!/usr/bin/env bash
# Runs each fuzz target for a bounded time from its seed corpus in fuzz/corpus/<target>.
#
#   scripts/fuzz.sh [seconds per target] [build folder] [seed]
#
# Builds the targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer in the
# build folder (default build-fuzz). New inputs go to a scratch folder, not to the seed
# corpus; a crash, a leak, a time-out (10 s) or a result the host cannot show fails, and
# the input is kept in the build folder as crash-*, leak-* or timeout-*. Prints the
# executions of each target. The seed is fixed (1) unless given, so that a run that fails
# fails again on the same machine; the nightly run passes 0 for a new seed each time.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-20}
build=${2:-build-fuzz}
seed=${3:-1}
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVC_SANITIZE=address,undefined -DVC_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --parallel 2 --target fuzz_velmora fuzz_corvane fuzz_formula >/dev/null

status=0
for target in fuzz_velmora fuzz_corvane fuzz_formula; do
    scratch=$(mktemp -d)
    log="$build/$target.log"
    if "$build/fuzz/$target" -max_total_time="$seconds" -seed="$seed" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/" "$scratch" "fuzz/corpus/$target" \
        >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "$target: $runs executions in $seconds s, no crash"
    else
        tail -n 40 "$log"
        echo "$target: FAILED (see $log)"
        status=1
    fi
    rm -rf "$scratch"
done
exit $status
