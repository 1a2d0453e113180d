#!/usr/bin/env bash
# Ending at any moment: the close button and Esc while a download hangs, while the
# colour dialog is open and right as a draw is announced and copied end the process
# with exit code 0 within 2 s. A clipboard held by another program skips one copy only.
source "$(dirname "$0")/lib.sh"
need "$exe" "$feed" "$probe"
prepare_prefix
start_display

point_neutral="300 280"     # the skin's footer
point_picker="469 243"      # 颜色选择器1
point_more_colours="493 364" # the palette's last entry, below the picker

# end_by WAY: the close button or Esc; the exit code and the time it took.
end_by() {
  local x y started=$(date +%s%N)
  if [ "$1" = close ]; then
    read -r x y <<<"$point_close"; click_window "$x" "$y"
  else
    xdotool windowactivate --sync "$window_id" 2>/dev/null
    read -r x y <<<"$point_neutral"; click_window "$x" "$y"
    xdotool key Escape
  fi
  wait_exit 5; local rc=$?
  local ms=$((($(date +%s%N) - started) / 1000000))
  if [ $rc -eq 0 ] && [ $ms -le 2500 ]; then pass "$2: $1 ended the program with 0 in $ms ms"
  else fail "$2: $1 gave exit code $rc after $ms ms"; fi
  stop_all; start_display
}

for way in close escape; do
  start_feed --draw-seconds 5 --fault 1=slow=60 || finish
  start_program || { fail "no window"; finish; }
  start_refreshing || fail "the interval box does not read 1"
  sleep 2   # the first chain now waits for source 1
  end_by "$way" "while a download hangs"

  start_feed --draw-seconds 5 || finish
  start_program || { fail "no window"; finish; }
  read -r x y <<<"$point_picker"; click_window "$x" "$y"
  read -r x y <<<"$point_more_colours"; click_window "$x" "$y"
  dialog=
  for _ in $(seq 50); do
    dialog=$(xdotool search --name '颜色|Color' 2>/dev/null | head -n1)
    [ -n "$dialog" ] && break
    sleep 0.1
  done
  [ -n "$dialog" ] && pass "the colour dialog is open" || fail "no colour dialog"
  end_by "$way" "while the colour dialog is open"
done

# Right as a draw is announced and put on the clipboard.
start_at=$(date +%s)
start_feed --draw-seconds 2 --start-at "$start_at" || finish
start_program || { fail "no window"; finish; }
read -r x y <<<"$point_announce_box"; click_window "$x" "$y"
read -r x y <<<"$point_copy_box"; click_window "$x" "$y"
start_refreshing || fail "the interval box does not read 1"
wait_for_caption '^2010' 20
first=$(caption)
for _ in $(seq 100); do [ "$(caption)" != "$first" ] && break; sleep 0.05; done
end_by close "as a draw is announced"

# A clipboard held by another program: the notice shows, the copy is skipped, the
# next announcement copies.
start_feed --draw-seconds 4 || finish
start_program || { fail "no window"; finish; }
read -r x y <<<"$point_announce_box"; click_window "$x" "$y"
read -r x y <<<"$point_copy_box"; click_window "$x" "$y"
start_refreshing || fail "the interval box does not read 1"
wait_for_caption '^2010' 20
printf 'before' | xclip -selection clipboard
sleep 0.5
"$wine" "$probe" holdclipboard 12 >"$work/hold" 2>/dev/null &
holder=$!
for _ in $(seq 100); do grep -q holding "$work/hold" 2>/dev/null && break; sleep 0.1; done
held_from=$(caption)
for _ in $(seq 80); do [ "$(caption)" != "$held_from" ] && break; sleep 0.1; done
held_draw=$(caption)
sleep 1
if kill -0 "$holder" 2>/dev/null && [ "$held_draw" != "$held_from" ]; then
  [ "$(run_probe notice)" = visible ] && pass "the notice shows while the clipboard is held"     || fail "no notice while the clipboard is held"
  clip=$(xclip -o -selection clipboard 2>/dev/null)
  [ "$clip" != "重庆彩〖${held_draw%%:*}〗期开奖号为【${held_draw##*:}】" ] \
    && pass "the copy was skipped while held" || fail "clipboard '$clip' while held (draw $held_draw)"
else
  fail "no new draw came while the clipboard was held"
fi
wait "$holder"
next_from=$(caption)
for _ in $(seq 80); do [ "$(caption)" != "$next_from" ] && break; sleep 0.1; done
sleep 1
now=$(caption)
clip=$(xclip -o -selection clipboard 2>/dev/null)
[ "$clip" = "重庆彩〖${now%%:*}〗期开奖号为【${now##*:}】" ] && pass "the next announcement copied" \
  || fail "clipboard '$clip' after the holder let go (draw $now)"
finish
