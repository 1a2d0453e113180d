#!/usr/bin/env bash
# Builds Quennix and runs it under Wine against the local draw feed (a new draw
# every 30 seconds), on your display, or on a virtual one when there is none.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh
install_missing

cmake --preset native >/dev/null
cmake --build --preset native --target quennix-feed
cmake --preset windows >/dev/null
cmake --build --preset windows --target quennix

export WINEPREFIX="$PWD/build/run-wineprefix" WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
work=$(mktemp -d)
feed_pid= xvfb_pid= openbox_pid= shots_pid=
cleanup() {
  [ -n "$shots_pid" ] && kill "$shots_pid" 2>/dev/null
  wineserver -k 2>/dev/null || true
  [ -n "$feed_pid" ] && kill "$feed_pid" 2>/dev/null
  [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ ! -f "$WINEPREFIX/.quennix-ready" ]; then
  echo "preparing the Wine prefix $WINEPREFIX (once)"
  mkdir -p "$WINEPREFIX"
  "$wine" wineboot -i >/dev/null 2>&1; wineserver -w; touch "$WINEPREFIX/.quennix-ready"
fi

build/native/tools/feed/quennix-feed --draw-seconds 30 &
feed_pid=$!

if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -n1 "$work/display")"
  openbox --sm-disable >/dev/null 2>&1 &
  openbox_pid=$!
  shots="$PWD/build/run-screenshots"
  mkdir -p "$shots"
  echo "no display here: Quennix runs on the virtual display $DISPLAY;"
  echo "a screenshot is written to $shots/latest.png every 10 seconds (Ctrl-C ends it)"
  ( while sleep 10; do import -window root "$shots/latest.png" 2>/dev/null; done ) &
  shots_pid=$!
fi

echo "Quennix is running; set the interval with the arrows beside the box to start the refresh."
status=0
"$wine" build/windows/quennix.exe || status=$?
echo "Quennix ended with exit code $status"
exit $status
