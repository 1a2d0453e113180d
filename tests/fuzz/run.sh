#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan + UBSan) and runs each for a
# bounded time from its committed corpus; any finding fails the run.
#   tests/fuzz/run.sh [SECONDS]     default 30 per target
set -u
cd "$(dirname "$0")/../.."
seconds=${1:-30}
cmake --preset fuzz >/dev/null || exit 1
cmake --build --preset fuzz || exit 1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
findings=build/fuzz/findings
rm -rf "$findings"
failed=0 passed=0
for target in fuzz_text_ops fuzz_page_cursor fuzz_scrapers; do
  corpus=$work/$target
  mkdir -p "$corpus" "$work/findings-$target"
  cp tests/fuzz/corpus/$target/* "$corpus"/ 2>/dev/null
  max_len=4096
  if (cd "$work/findings-$target" && "$OLDPWD/build/fuzz/tests/fuzz/$target" -max_total_time="$seconds" \
        -max_len=$max_len -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$corpus" \
        >"$work/$target.log" 2>&1); then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/$target.log" | grep -o '[0-9]*$')
    echo "$target: ${runs:-?} runs, no findings"
    passed=$((passed + 1))
  else
    echo "$target: FINDING"
    tail -n 40 "$work/$target.log"
    mkdir -p "$findings" && cp -r "$work/findings-$target" "$findings/$target"
    echo "findings kept in $findings/$target: $(ls "$findings/$target")"
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
