#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan + UBSan), replays the saved
# findings, then runs each target for a bounded time from a copy of its committed
# corpus; any finding or failure fails the run.
#   tests/fuzz/run.sh [SECONDS]     default 30 per target
set -u
cd "$(dirname "$0")/../.."
seconds=${1:-30}
here=tests/fuzz
bin=build/fuzz/tests/fuzz
cmake --preset fuzz >/dev/null || { echo "fuzz: configure failed" >&2; exit 1; }
cmake --build --preset fuzz || { echo "fuzz: build failed" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
findings=build/fuzz/findings
rm -rf "$findings"
failed=0

# target:max_len:dictionary
for entry in fuzz_text_ops:1024: fuzz_page_cursor:4096:markers.dict fuzz_scrapers:4096:markers.dict; do
  IFS=: read -r target max_len dict <<<"$entry"
  exe=$bin/$target
  [ -x "$exe" ] || { echo "$target: FAILED, $exe was not built"; failed=1; continue; }

  # Inputs that once failed must keep passing.
  saved=("$here/regressions/$target"/*)
  if [ -e "${saved[0]}" ] && ! "$exe" "${saved[@]}" >"$work/$target.replay.log" 2>&1; then
    echo "$target: FAILED on a saved finding"
    tail -n 40 "$work/$target.replay.log"
    failed=1
    continue
  fi

  corpus=$work/corpus-$target artifacts=$work/artifacts-$target
  mkdir -p "$corpus" "$artifacts"
  cp "$here/corpus/$target"/* "$corpus"/ || { echo "$target: FAILED, no corpus in $here/corpus/$target"; failed=1; continue; }
  options=(-max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048
           -print_final_stats=1 -artifact_prefix="$artifacts/")
  [ -n "$dict" ] && options+=(-dict="$here/$dict")
  "$exe" "${options[@]}" "$corpus" >"$work/$target.log" 2>&1
  status=$?
  if [ $status -eq 0 ] && [ -z "$(ls -A "$artifacts")" ]; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/$target.log" | grep -o '[0-9]*$')
    echo "$target: ${runs:-?} runs, no findings"
  else
    echo "$target: FINDING (exit $status)"
    tail -n 40 "$work/$target.log"
    mkdir -p "$findings/$target" && cp -r "$artifacts"/. "$findings/$target"/
    echo "$target: findings kept in $findings/$target: $(ls "$findings/$target" | tr '\n' ' ')"
    failed=1
  fi
done

[ $failed -eq 0 ] && echo "fuzz: no findings" || echo "fuzz: FAILED" >&2
exit $failed
