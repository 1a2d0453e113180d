#!/usr/bin/env bash
# Runs one Windows program under Wine, in an Xvfb display (1024x768x24) of its own
# with openbox as its window manager, and passes the program's exit code through.
#   tests/wine_run.sh --prepare              initialise $WINEPREFIX once (about 7 s)
#   tests/wine_run.sh TIMEOUT EXE [ARGS...]  run EXE for at most TIMEOUT seconds
# Everything it starts (Xvfb, openbox, the wineserver) it stops again by PID.
set -u
: "${WINEPREFIX:?WINEPREFIX must name the private Wine prefix}"
export WINEPREFIX WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || { echo "wine_run: $wine is missing (apt-get install wine64)" >&2; exit 2; }

prepare_prefix() {
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.quennix-ready" ]; then
      "$wine" wineboot -i >/dev/null 2>&1
      wineserver -w
      touch "$WINEPREFIX/.quennix-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
}

if [ "${1:-}" = "--prepare" ]; then
  prepare_prefix
  [ -f "$WINEPREFIX/.quennix-ready" ] || { echo "wine_run: could not initialise $WINEPREFIX" >&2; exit 1; }
  echo "wine prefix ready: $WINEPREFIX"
  exit 0
fi

[ $# -ge 2 ] || { echo "usage: $0 --prepare | $0 TIMEOUT EXE [ARGS...]" >&2; exit 2; }
limit=$1; shift
[ -f "$1" ] || { echo "wine_run: no such program: $1" >&2; exit 2; }
prepare_prefix

work=$(mktemp -d)
xvfb_pid= openbox_pid=
cleanup() {
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.05
done
[ -s "$work/display" ] || { echo "wine_run: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 2; }
export DISPLAY=":$(head -n1 "$work/display")"
if command -v openbox >/dev/null; then
  openbox --sm-disable >/dev/null 2>&1 &
  openbox_pid=$!
fi

timeout --kill-after=5 "$limit" "$wine" "$@"
status=$?
[ $status -eq 124 ] && echo "wine_run: $1 did not finish within $limit s" >&2
exit $status
