#!/usr/bin/env bash
# Smoke run of the benchmarks: builds them in the native preset and runs each once
# with a tiny time budget. Fails when a set-up check or a benchmark fails; the
# baseline's slowest sizes are left out (QUENNIX_BENCH_QUICK).
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset native >/dev/null
cmake --build build/native --target quennix_bench
QUENNIX_BENCH_QUICK=1 build/native/bench/quennix_bench --benchmark_min_time=0.01 \
    --benchmark_out=build/native/bench/smoke.json --benchmark_out_format=json
python3 - build/native/bench/smoke.json <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
failed = [r["name"] for r in runs if r.get("error_occurred")]
if failed or not runs:
    sys.exit("benchmarks failed: " + (", ".join(failed) or "none ran"))
print(f"bench smoke: {len(runs)} benchmarks ran")
PY
