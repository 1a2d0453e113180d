#!/usr/bin/env bash
# One broken source at a time while the others work: the window keeps showing the
# newest draw, the broken source's line shows what its page gives, the window keeps
# answering, and memory stays bounded.
source "$(dirname "$0")/lib.sh"
need "$exe" "$feed" "$probe"
prepare_prefix
start_display

# kind, source, what its line must match (an extended regex)
cases=(
  "down 1 ^-$"
  "empty 2 ^-$"
  "status500 3 ^-$"
  "garbage 4 ^-$"
  "nul 1 ^2010[0-9]{7}-[0-9]{5}$"
  "redirect 2 ^2010[0-9]{7}-[0-9]{5}$"
  "slow=3 3 ^2010[0-9]{7}-[0-9]{5}$"
  "huge 4 ^2010[0-9]{7}-[0-9]{5}$"
)
[ "${E2E_QUICK:-}" = 1 ] || cases+=("trickle 1 .")
# E2E_FAULT="kind source regex" runs that one case alone.
[ -n "${E2E_FAULT:-}" ] && cases=("$E2E_FAULT")

for case in "${cases[@]}"; do
  read -r kind source want <<<"$case"
  echo "-- fault $kind on source $source"
  start_feed --draw-seconds 5 --fault "$source=$kind" || { fail "feed with $kind"; continue; }
  start_program || { fail "$kind: no window"; stop_all; start_display; continue; }
  start_refreshing || fail "$kind: the interval box does not read 1 (it reads '$(interval_text)')"
  limit=30
  [ "$kind" = trickle ] && limit=90
  if wait_for_caption '^2010[0-9]{7}:[0-9]{5}$' "$limit"; then
    pass "$kind: the caption shows $(caption)"
  else
    fail "$kind: no draw shown (caption '$(caption)')"
  fi
  # The line of the broken source, once its first chain has passed it.
  line=
  for _ in $(seq $((limit * 2))); do
    line=$(source_line "$source")
    [ -n "$line" ] && echo "$line" | grep -Eq "$want" && break
    sleep 0.5
  done
  echo "$line" | grep -Eq "$want" && pass "$kind: source $source reads '$line'" \
    || fail "$kind: source $source reads '$line', wanted $want"
  # Responsiveness is measured closely in scenario_responsive; here it must not stall.
  if run_probe responsive 3 500 >"$work/responsive" 2>&1; then pass "$kind: the window answers ($(cat "$work/responsive"))"
  else fail "$kind: the window was slow: $(cat "$work/responsive")"; fi
  rss=$(program_rss_kib)
  # 16 MiB of page, its text and a copy or two: far below what 64 MiB would need.
  if [ -n "$rss" ] && [ "$rss" -lt 150000 ]; then pass "$kind: resident memory $rss KiB"
  else fail "$kind: resident memory ${rss:-unknown} KiB"; fi
  kill -0 "$program_pid" 2>/dev/null && pass "$kind: still running" || fail "$kind: the program ended"
  # Keep the display; end the program and the feed.
  kill "$program_pid" 2>/dev/null; wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1; program_pid=
  kill "$feed_pid" 2>/dev/null; wait "$feed_pid" 2>/dev/null; feed_pid=
done
finish
