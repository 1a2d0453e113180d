#!/usr/bin/env bash
# Takes a screenshot of quennix.exe as it starts: the window with its start-up hint,
# under Wine in a 1024x768 Xvfb display of its own with openbox as window manager.
#   tools/screenshot.sh [OUTPUT.png]     default docs/screenshot-start.png
# Builds nothing: expects build/windows/quennix.exe (or $QUENNIX_EXE). Uses the
# Wine prefix build/windows/wineprefix (or $WINEPREFIX), made on first use.
# Needs Xvfb, openbox, xdotool and ImageMagick (import); stops what it starts by PID.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/docs/screenshot-start.png}
exe=${QUENNIX_EXE:-$root/build/windows/quennix.exe}
export WINEPREFIX=${WINEPREFIX:-$root/build/windows/wineprefix}
export WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64

die() { echo "screenshot.sh: $*" >&2; exit 1; }
[ -f "$exe" ] || die "no program at $exe (build it: cmake --preset windows && cmake --build --preset windows)"
[ -x "$wine" ] || die "$wine is missing (apt-get install wine64)"
for tool in Xvfb openbox xdotool import; do
  command -v "$tool" >/dev/null || die "$tool is missing (see tools/setup.sh)"
done
mkdir -p "$(dirname "$out")"

work=$(mktemp -d)
xvfb_pid= openbox_pid= program_pid=
cleanup() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
  fi
  [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && wait "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ ! -f "$WINEPREFIX/.quennix-ready" ]; then
  "$root/tests/wine_run.sh" --prepare >/dev/null || die "could not prepare $WINEPREFIX"
fi

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.05
done
[ -s "$work/display" ] || die "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"
openbox --sm-disable >/dev/null 2>&1 &
openbox_pid=$!

"$wine" "$exe" >"$work/program.log" 2>&1 &
program_pid=$!

window=
for _ in $(seq 300); do
  window=$(xdotool search --name '^Quennix$' 2>/dev/null | head -n1) || true
  [ -n "$window" ] && break
  kill -0 "$program_pid" 2>/dev/null || die "quennix.exe ended before its window appeared"
  sleep 0.1
done
[ -n "$window" ] || die "no window named Quennix appeared within 30 s"

# The hint balloon pops right after the window; give both a moment to be drawn.
sleep 2
eval "$(xdotool getwindowgeometry --shell "$window")"   # X, Y, WIDTH, HEIGHT
# The window with a margin, and below it the room the hint balloon takes.
left=$(( X > 16 ? X - 16 : 0 )); top=$(( Y > 16 ? Y - 16 : 0 ))
right=$(( X + WIDTH + 16 )); bottom=$(( Y + HEIGHT + 110 ))
(( right > 1024 )) && right=1024
(( bottom > 768 )) && bottom=768
import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$out"
echo "screenshot written to $out"

# Esc in the window ends the program the way a user would.
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
xdotool key --window "$window" Escape >/dev/null 2>&1 || true
for _ in $(seq 50); do
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$program_pid" 2>/dev/null; then
  echo "screenshot.sh: quennix.exe did not end on Esc; stopping it" >&2
else
  wait "$program_pid" 2>/dev/null || true
  program_pid=
fi
