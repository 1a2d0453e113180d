#!/usr/bin/env bash
# Installs what the build needs (once), builds both builds and runs every test.
#   ./test.sh                 everything
#   ./test.sh native|windows|e2e|asan|tsan|fuzz|bench ...   only those parts
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
install_missing

parts=("$@")
[ ${#parts[@]} -gt 0 ] || parts=(native windows e2e asan tsan fuzz bench)

run_native() {
  cmake --preset native >/dev/null
  cmake --build --preset native
  ctest --preset native
}

run_windows() {
  # The download tests talk to the draw feed, a native program.
  cmake --preset native >/dev/null
  cmake --build --preset native --target quennix-feed
  cmake --preset windows >/dev/null
  cmake --build --preset windows
  ctest --preset windows
}

run_script_part() {
  local script=$1
  if [ -x "$script" ]; then "$script"; else echo "($script not present yet: skipped)"; fi
}

for part in "${parts[@]}"; do
  echo "=== $part"
  case $part in
    native) run_native ;;
    windows) run_windows ;;
    e2e) run_script_part tests/e2e/run.sh ;;
    asan|tsan)
      if grep -q "\"native-$part\"" CMakePresets.json; then
        cmake --preset "native-$part" >/dev/null
        cmake --build --preset "native-$part" --target quennix_tests
        ctest --preset "native-$part"
      else
        echo "(preset native-$part not present yet: skipped)"
      fi ;;
    fuzz) run_script_part tests/fuzz/run.sh ;;
    bench) run_script_part bench/smoke.sh ;;
    *) echo "unknown part: $part (native, windows, e2e, asan, tsan, fuzz, bench)" >&2; exit 2 ;;
  esac
done
