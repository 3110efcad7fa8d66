#!/usr/bin/env bash
# The routines' speed with their portable exp, log, pow, cos, acos and asin against the
# platform's library: two Release builds of vc_bench, the second with
# -DVC_BENCHMARK_PLATFORM_LIBRARY=ON (the functions forward to the library), run in turn
# ROUNDS times; prints each case's least processor time with each over all the rounds and
# repetitions, and the ratio portable / platform of those minima. On a shared, loaded
# machine the other work only ever adds time, so the minimum of rounds run in turn is
# steadier than a median. With CALLGRIND=1, also the instructions of one iteration of each
# case under callgrind, which a loaded machine does not disturb.
#
#   bench/compare-libm.sh [ROUNDS]          (default 5; folders build-bench-{portable,platform})
set -euo pipefail
cd "$(dirname "$0")/.."

rounds=${1:-5}
jobs=$(($(nproc) < 2 ? $(nproc) : 2))
cases='^(S0_.*|S1_TciCe_routine|S1b_TciCe_routine|S2_TciCp_routine|S3_CsDtCp_routine|S4_CsDtCe_routine|S5_PredCe_routine|S6_PredCp_routine/8641|S7_.*_routine)$'
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

for variant in portable platform; do
    option=OFF
    [ $variant = platform ] && option=ON
    cmake -S . -B build-bench-$variant -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
        -DVC_LIBREOFFICE=OFF -DVC_PYTHON=OFF -DVC_BENCHMARK_PLATFORM_LIBRARY=$option >/dev/null 2>&1
    cmake --build build-bench-$variant --parallel "$jobs" --target vc_bench >/dev/null
done

for round in $(seq "$rounds"); do
    for variant in portable platform; do
        build-bench-$variant/bench/vc_bench --benchmark_filter="$cases" --benchmark_repetitions=3 \
            --benchmark_format=json \
            >"$out/$variant-$round.json" 2>/dev/null
    done
done

if [ "${CALLGRIND:-0}" = 1 ]; then
    for variant in portable platform; do
        for name in $(build-bench-$variant/bench/vc_bench --benchmark_list_tests --benchmark_filter="$cases"); do
            function=${name%%/*}
            # Symbols bound at start-up: the platform variant's first call into the library
            # would otherwise count the dynamic linker's lookup.
            LD_BIND_NOW=1 valgrind --tool=callgrind --callgrind-out-file="$out/cg" --toggle-collect="*$function*" \
                build-bench-$variant/bench/vc_bench --benchmark_filter="^$name\$" \
                --benchmark_min_time=0 >/dev/null 2>&1
            echo "$variant $name $(awk '/^(summary|totals):/ {print $2; exit}' "$out/cg")"
        done
    done >"$out/callgrind.txt"
fi

/usr/bin/python3 - "$out" "$rounds" <<'PY'
import json, sys, os
folder, rounds = sys.argv[1], int(sys.argv[2])
times = {}
for variant in ("portable", "platform"):
    for r in range(1, rounds + 1):
        for b in json.load(open(f"{folder}/{variant}-{r}.json"))["benchmarks"]:
            if b.get("run_type") == "iteration":
                times.setdefault(b["run_name"], {}).setdefault(variant, []).append(b["cpu_time"])
counts = {}
path = f"{folder}/callgrind.txt"
if os.path.exists(path):
    for line in open(path):
        fields = line.split()
        if len(fields) == 3 and fields[2].isdigit():
            counts.setdefault(fields[1], {})[fields[0]] = int(fields[2])
print(f"{'case':34} {'portable':>12} {'platform':>12} {'ratio':>7}" +
      (f" {'instructions portable':>22} {'platform':>12} {'ratio':>7}" if counts else ""))
for name, t in times.items():
    p, q = min(t["portable"]), min(t["platform"])
    line = f"{name:34} {p:9.1f} ns {q:9.1f} ns {p / q:7.3f}"
    if name in counts and len(counts[name]) == 2:
        a, b = counts[name]["portable"], counts[name]["platform"]
        line += f" {a:22d} {b:12d} {a / b:7.3f}"
    print(line)
print(f"(least of {rounds} rounds of 3 repetitions, the builds run in turn)")
PY
