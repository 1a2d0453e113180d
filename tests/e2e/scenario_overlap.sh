#!/usr/bin/env bash
# Ticks every second while every source takes 5 s to answer, for a minute: one
# chain at a time (never two downloads open at once), few threads, and every line
# and the caption always one whole text.
source "$(dirname "$0")/lib.sh"
need "$exe" "$feed" "$probe"
prepare_prefix
start_display
start_feed --draw-seconds 5 --fault 1=slow=5 --fault 2=slow=5 --fault 3=slow=5 --fault 4=slow=5 || finish
start_program || { fail "no window"; finish; }
start_refreshing || fail "the interval box does not read 1 (it reads '$(interval_text)')"

most_threads=0 most_connections=0 torn=0 samples=0
end=$((SECONDS + ${E2E_OVERLAP_SECONDS:-60}))
while [ $SECONDS -lt $end ]; do
  connections=$(ss -Htn state established '( dport >= :8081 and dport <= :8084 )' 2>/dev/null | wc -l)
  [ "$connections" -gt "$most_connections" ] && most_connections=$connections
  threads=$(run_probe threads)
  [ -n "$threads" ] && [ "$threads" -gt "$most_threads" ] && most_threads=$threads
  for source in 1 2 3 4; do
    line=$(source_line "$source")
    echo "$line" | grep -Eq '^(|-|2010[0-9]{7}-[0-9]{5})$' || { torn=$((torn + 1)); echo "odd line $source: '$line'"; }
  done
  caption | grep -Eq '^(Quennix|2010[0-9]{7}:[0-9]{5})$' || { torn=$((torn + 1)); echo "odd caption '$(caption)'"; }
  samples=$((samples + 1))
  sleep 1
done
[ "$most_connections" -le 1 ] && pass "at most one download open at a time ($samples samples)" \
  || fail "$most_connections downloads open at once"
[ "$most_threads" -le 16 ] && pass "at most $most_threads threads" || fail "$most_threads threads"
[ "$torn" -eq 0 ] && pass "every line and caption whole" || fail "$torn odd texts"
wait_for_caption '^2010[0-9]{7}:[0-9]{5}$' 30 && pass "a draw is shown: $(caption)" || fail "no draw shown"
kill -0 "$program_pid" 2>/dev/null && pass "still running" || fail "the program ended"
finish
