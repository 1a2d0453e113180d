#!/usr/bin/env bash
# Measures the cutting code: builds the benchmarks in Release (build/native-release),
# runs every benchmark nine times, the runs of all benchmarks shuffled together so
# that a busy spell of the machine falls on all of them alike, and prints the medians,
# the ratios, the size of quennix.exe and one GOAL line per performance goal.
#   bench/run.sh [extra benchmark flags, e.g. --benchmark_filter=scrape]
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset native-release >/dev/null
cmake --build build/native-release --target quennix_bench >/dev/null

out=build/native-release/bench
echo "running the benchmarks (a few minutes; log in $out/console.txt)"
"$out/quennix_bench" --benchmark_repetitions=9 --benchmark_enable_random_interleaving=true \
    --benchmark_min_time=0.1 --benchmark_report_aggregates_only=true \
    --benchmark_out="$out/results.json" --benchmark_out_format=json "$@" >"$out/console.txt"

# The program's size: the Windows build's quennix.exe, built when it is missing.
exe=build/windows/quennix.exe
if [ ! -f "$exe" ]; then
    echo "building $exe"
    { cmake --preset windows && cmake --build --preset windows --target quennix; } >"$out/windows-build.txt" 2>&1 ||
        echo "the Windows build failed: see $out/windows-build.txt"
fi
size=missing
[ -f "$exe" ] && size=$(stat -c %s "$exe")

python3 bench/report.py "$out/results.json" "$size"
