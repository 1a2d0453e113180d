#!/usr/bin/env bash
# The window thread does no refresh work: with source 1 answering only after 10 s
# and chains due every second, the window answers WM_NULL from another process
# within 100 ms at every probe for 15 s. The threads of the process stay few.
source "$(dirname "$0")/lib.sh"
need "$exe" "$feed" "$probe"
prepare_prefix
start_display
start_feed --draw-seconds 5 --fault 1=slow=10 || finish
start_program || { fail "no window"; finish; }
start_refreshing || fail "the interval box does not read 1 (it reads '$(interval_text)')"
# Let the program settle after its start before measuring.
sleep 3
if run_probe responsive 15 100 >"$work/responsive"; then pass "the window answered every probe: $(cat "$work/responsive")"
else fail "the window was slow: $(cat "$work/responsive")"; fi
threads=$(run_probe threads)
# The window thread, Wine's own few, and one chain's worker with its download watcher.
if [ -n "$threads" ] && [ "$threads" -le 16 ]; then pass "$threads threads in the process"
else fail "${threads:-no} threads in the process"; fi
wait_for_caption '^2010[0-9]{7}:[0-9]{5}$' 30 && pass "the draw arrives behind the slow source: $(caption)" \
  || fail "no draw behind the slow source (caption '$(caption)')"
finish
