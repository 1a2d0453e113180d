#!/usr/bin/env bash
# The README's screenshots of the working program: a draw on display with its
# notice, the window snapped to the bottom-right corner, and the colour palette open.
#   tools/screenshots.sh [FOLDER]     default docs/
# Expects the builds (./test.sh windows, or ./run.sh once); runs the feed and the
# program under Wine in a virtual display of their own, as the black-box tests do.
source "$(dirname "$0")/../tests/e2e/lib.sh"
out=${1:-$repo/docs}
mkdir -p "$out"
need "$exe" "$feed" "$probe"
prepare_prefix
start_display
start_feed --draw-seconds 8 || finish
start_program || { fail "no window"; finish; }
read -r x y <<<"$point_announce_box"; click_window "$x" "$y"
read -r x y <<<"$point_copy_box"; click_window "$x" "$y"
start_refreshing || fail "the interval box does not read 1"
wait_for_caption '^2010[0-9]{7}:[0-9]{5}$' 30 || fail "no draw shown"
sleep 1.5
screenshot "$work/screen.png"
# The window and the notice at the bottom-right corner.
convert "$work/screen.png" -crop 790x548+234+220 +repage "$out/screenshot.png" && pass "$out/screenshot.png"

# Snapped to the bottom-right corner (右下单选框 at 328,10 in the bottom frame).
click_window $((13 + 328 + 8)) $((221 + 10 + 11))
sleep 1
screenshot "$work/corner.png"
convert "$work/corner.png" -resize 50% "$out/screenshot-corner.png" && pass "$out/screenshot-corner.png"

# The colour picker's palette, dropped down below the picker.
click_window 469 243
sleep 1
screenshot "$work/palette.png"
eval "$(xdotool getwindowgeometry --shell "$window_id")"
convert "$work/palette.png" -crop 216x200+$((X + 300))+$((Y + 98)) +repage "$out/screenshot-palette.png" \
  && pass "$out/screenshot-palette.png"
xdotool key Escape
finish
