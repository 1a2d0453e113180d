# Shared pieces of the black-box tests: a display of their own, the draw feed, the
# program under Wine, and looking at it only from outside (X window names, the
# clipboard, screenshots, the exit code). Sourced by the scenario scripts.
set -u
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
wine=/usr/lib/wine/wine64
exe=$repo/build/windows/quennix.exe
feed=$repo/build/native/tools/feed/quennix-feed
# A prefix of their own: the Windows unit tests stop the wineserver of theirs.
export WINEPREFIX=${E2E_WINEPREFIX:-$repo/build/e2e-wineprefix}
export WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml="
e2e_out=${E2E_OUT:-$repo/build/e2e}
mkdir -p "$e2e_out"
work=$(mktemp -d)
xvfb_pid= openbox_pid= feed_pid= program_pid=
failures=0

stop_all() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  [ -n "$feed_pid" ] && kill "$feed_pid" 2>/dev/null && wait "$feed_pid" 2>/dev/null
  [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  program_pid= feed_pid= openbox_pid= xvfb_pid=
}
trap 'stop_all; rm -rf "$work"' EXIT
trap 'exit 130' INT TERM

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
finish() {
  stop_all
  if [ "$failures" -eq 0 ]; then echo "1 passed, 0 failed"; exit 0; fi
  echo "0 passed, 1 failed"; exit 1
}

need() {
  for f in "$@"; do [ -e "$f" ] || { echo "missing $f: build it first (./test.sh windows)"; exit 2; }; done
}

prepare_prefix() { "$repo/tests/wine_run.sh" --prepare >/dev/null; }

start_display() {
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -n1 "$work/display")"
  openbox --sm-disable >/dev/null 2>&1 &
  openbox_pid=$!
  sleep 0.5
}

# start_feed ARGS...: the feed on the program's ports, 8081 to 8084.
start_feed() {
  "$feed" "$@" >"$work/feed.log" 2>&1 &
  feed_pid=$!
  for _ in $(seq 100); do
    grep -q "source 1" "$work/feed.log" 2>/dev/null && return 0
    grep -q "source 2" "$work/feed.log" 2>/dev/null && return 0
    sleep 0.05
  done
  echo "the feed did not start:"; cat "$work/feed.log"; return 1
}

# The issue and digits the feed serves now for source S: "20100609023 38016".
feed_current() { "$feed" --print-current "$@" ; }

start_program() {
  # A browser stand-in, so the home page opened at start goes nowhere.
  printf '#!/bin/sh\necho "$@" >> %s/opened\n' "$work" > "$work/browser"; chmod +x "$work/browser"
  "$wine" reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$work/browser" /f >/dev/null 2>&1
  "$wine" "$exe" >"$work/program.out" 2>&1 &
  program_pid=$!
  wait_for_window Quennix 20
}

# wait_for_window NAME SECONDS: the X window of that exact name appears.
wait_for_window() {
  local name=$1 limit=$2 i
  for i in $(seq $((limit * 10))); do
    window_id=$(xdotool search --name "^$name\$" 2>/dev/null | head -n1)
    [ -n "$window_id" ] && return 0
    sleep 0.1
  done
  return 1
}

# The program's main window, found by its first caption; the X window stays the same
# when the caption changes.
main_window() { echo "${window_id:-}"; }
caption() { local w; w=$(main_window); [ -n "$w" ] && xdotool getwindowname "$w" 2>/dev/null; }

# wait_for_caption REGEX SECONDS
wait_for_caption() {
  local pattern=$1 limit=$2 i
  for i in $(seq $((limit * 5))); do
    caption | grep -Eq "$pattern" && return 0
    sleep 0.2
  done
  return 1
}

# Clicks at a point given relative to the main window's top-left corner.
click_window() {
  local x=$1 y=$2 left top
  eval "$(xdotool getwindowgeometry --shell "$(main_window)")"
  xdotool mousemove $((X + x)) $((Y + y)) click 1
  sleep 0.3
}

screenshot() { import -window root "$1" 2>/dev/null; }

# wait_exit SECONDS: the program's exit code, or 124 when it did not end in time.
wait_exit() {
  local limit=$1 i
  for i in $(seq $((limit * 10))); do
    if ! kill -0 "$program_pid" 2>/dev/null; then
      wait "$program_pid"; local rc=$?; program_pid=; return $rc
    fi
    sleep 0.1
  done
  return 124
}

# Layout points of the window (see the layout table): spinner arrows, check boxes, close.
point_spin_up="57 193"
point_spin_down="57 205"
point_announce_box="158 199"
point_copy_box="244 199"
point_close="500 9"

probe=$repo/build/windows/quennix_probe.exe
run_probe() ( set -o pipefail; "$wine" "$probe" "$@" 2>/dev/null | tr -d '\r' )

# source_line N: the text of source N's line in the window (UTF-8).
source_line_tops=(60 105 150 195)
source_line() {
  local top=${source_line_tops[$(($1 - 1))]}
  run_probe texts | iconv -f GBK -t UTF-8 2>/dev/null | awk -v top="$top" '$1 == 351 && $2 == top { $1 = ""; $2 = ""; sub(/^ +/, ""); print; exit }'
}

# The program's resident memory in KiB (the Wine process is the program).
program_rss_kib() { awk '/^VmRSS/ { print $2 }' "/proc/$program_pid/status" 2>/dev/null; }

# The text of the interval box (at 20,189 in the window).
interval_text() { run_probe texts | awk '$1 == 20 && $2 == 189 { print $3; exit }'; }

# Sets the interval to one second with the spinner's up arrow. The first click may
# only close the hint balloon where it covers the arrow, so click until the box says 1.
start_refreshing() {
  local x y
  read -r x y <<<"$point_spin_up"
  for _ in 1 2 3 4 5; do
    click_window "$x" "$y"
    [ "$(interval_text)" = 1 ] && return 0
    [ "$(interval_text)" != 0 ] && return 1
  done
  return 1
}
