#!/usr/bin/env bash
# Runs every black-box scenario, one after another (they share the program's ports).
set -u
here=$(cd "$(dirname "$0")" && pwd)
passed=0 failed=0
run() {
  local label=$1; shift
  echo "--- $label"
  if E2E_NAME=$label timeout 300 "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
}
run draw_shown "$here/draw_shown.sh"
run draw_shown_degraded "$here/draw_shown.sh" --fault 1=down --lag 2=3
for extra in "$here"/scenario_*.sh; do
  [ -x "$extra" ] && run "$(basename "$extra" .sh)" "$extra"
done
echo "e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
