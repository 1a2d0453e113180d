#!/usr/bin/env bash
# As a user would: start the feed and the program, set the interval with the
# spinner, tick the announce and copy boxes, and watch the newest draw arrive in
# the caption and on the clipboard; then the close button ends the program.
#   draw_shown.sh [FEED ARGS...]   e.g. --fault 1=down --lag 2=3
source "$(dirname "$0")/lib.sh"
need "$exe" "$feed" "$probe"
name=${E2E_NAME:-draw_shown}
prepare_prefix
start_display
start_at=$(date +%s)
feed_args=(--draw-seconds 5 --start-at "$start_at" "$@")
start_feed "${feed_args[@]}" || finish
start_program || { fail "no window named Quennix appeared"; finish; }
pass "the window is up"

start_refreshing || fail "the interval box does not read 1 after the up arrow (it reads '$(interval_text)')"
read -r point_x point_y <<<"$point_announce_box"; click_window "$point_x" "$point_y"
read -r point_x point_y <<<"$point_copy_box"; click_window "$point_x" "$point_y"

# The newest draw any source serves; the caption shows it as issue:digits.
newest() { feed_current "${feed_args[@]}" | awk '$2 != "-" {print $2":"$3}' | sort | tail -n1; }
expected=$(newest)
if wait_for_caption '^2010[0-9]{7}:[0-9]{5}$' 20; then
  shown=$(caption)
  # The feed may have moved on by one draw meanwhile.
  now=$(newest)
  if [ "$shown" = "$expected" ] || [ "$shown" = "$now" ]; then pass "caption shows the newest draw $shown"
  else fail "caption '$shown', the feed's newest is '$expected' / '$now'"; fi
else
  fail "the caption never showed a draw (it reads '$(caption)')"
fi

first=$(caption)
changed=
for _ in $(seq 60); do
  c=$(caption)
  if [ -n "$c" ] && [ "$c" != "$first" ]; then changed=$c; break; fi
  sleep 0.25
done
[ -n "$changed" ] && pass "the caption follows the feed: $first -> $changed" || fail "the caption stayed at $first"

sleep 1.5
clip=$(xclip -o -selection clipboard 2>/dev/null)
issue=${changed%%:*} digits=${changed##*:}
want="重庆彩〖${issue}〗期开奖号为【${digits}】"
if [ "$clip" = "$want" ]; then pass "the clipboard holds the announcement"
else
  # A draw may have arrived between reading the caption and the clipboard.
  c=$(caption); issue=${c%%:*} digits=${c##*:}
  [ "$clip" = "重庆彩〖${issue}〗期开奖号为【${digits}】" ] && pass "the clipboard holds the announcement" \
    || fail "clipboard '$clip', expected '$want'"
fi
screenshot "$e2e_out/$name.png"
pass "screenshot $e2e_out/$name.png"

read -r point_x point_y <<<"$point_close"; click_window "$point_x" "$point_y"
wait_exit 10; rc=$?
[ $rc -eq 0 ] && pass "the close button ended the program with exit code 0" || fail "exit code $rc after the close button"
finish
