#!/usr/bin/env bash
# Installs what the build needs (once), builds both builds and runs every test.
#   ./test.sh                 everything
#   ./test.sh native|windows|e2e|asan|tsan|fuzz|bench ...   only those parts
set -uo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
install_missing || { echo "could not install what the build needs" >&2; exit 1; }

parts=("$@")
[ ${#parts[@]} -gt 0 ] || parts=(native windows e2e asan tsan fuzz bench)

# Each step runs only when the one before it succeeded (set -e does not hold inside
# the `if` that runs a part).
run_native() {
  cmake --preset native >/dev/null &&
  cmake --build --preset native &&
  ctest --preset native
}

run_windows() {
  # The black-box tests after these need the draw feed, a native program.
  cmake --preset native >/dev/null &&
  cmake --build --preset native --target quennix-feed &&
  cmake --preset windows >/dev/null &&
  cmake --build --preset windows &&
  ctest --preset windows
}

run_script_part() {
  local script=$1
  [ -x "$script" ] || { echo "$script is missing" >&2; return 1; }
  "$script"
}

run_part() {
  case $1 in
    native) run_native ;;
    windows) run_windows ;;
    e2e) run_script_part tests/e2e/run.sh ;;
    asan|tsan)
      cmake --preset "native-$1" >/dev/null &&
      cmake --build --preset "native-$1" --target quennix_tests &&
      ctest --preset "native-$1" ;;
    fuzz) run_script_part tests/fuzz/run.sh ;;
    bench) run_script_part bench/smoke.sh ;;
    *) echo "unknown part: $1 (native, windows, e2e, asan, tsan, fuzz, bench)" >&2; return 2 ;;
  esac
}

# Every part runs even when an earlier one failed, so one run shows all that is wrong.
passed=0 failed=0 failures=()
for part in "${parts[@]}"; do
  echo "=== $part"
  if run_part "$part"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1)); failures+=("$part")
  fi
done
[ "$failed" -eq 0 ] || echo "failed parts: ${failures[*]}"
echo "test.sh: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
