#!/usr/bin/env bash
# Opens the platform demo on a real X display (Xvfb) through the SDL screen, clicks into its
# child windows with xdotool and types on the Persian keyboard layout, and checks that the
# clicks arrived where they were aimed and the letters as code page 1256 characters.
set -euo pipefail
demo="$1"

for tool in Xvfb xdotool setxkbmap; do
  if ! command -v "$tool" >/dev/null; then
    echo "platform_demo_click: $tool is missing (tools/setup.sh installs it)" >&2
    exit 1
  fi
done

work=$(mktemp -d)
xvfb_pid=""
demo_pid=""
cleanup() {
  [[ -n "$demo_pid" ]] && kill "$demo_pid" 2>/dev/null || true
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
start_xvfb "$work/xvfb.log" 90 130 || { echo "platform_demo_click: Xvfb did not start" >&2; exit 1; }

# Font and display libraries keep caches for the life of the process; this test is about input.
ASAN_OPTIONS=detect_leaks=0 SDL_VIDEODRIVER=x11 "$demo" >"$work/demo.log" 2>"$work/demo.err" &
demo_pid=$!

wait_for() {
  for _ in $(seq 300); do
    grep -q "$1" "$work/demo.log" && return 0
    kill -0 "$demo_pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "platform_demo_click: no '$1' from the demo" >&2
  cat "$work/demo.log" "$work/demo.err" >&2
  return 1
}

# Clicks at a screen point until the demo reports the expected line: the first ones may come
# before the server has mapped the window where it belongs.
click_until() {
  local x=$1 y=$2 expected=$3
  for _ in $(seq 10); do
    xdotool mousemove "$x" "$y" click 1
    for _ in $(seq 30); do
      grep -q "$expected" "$work/demo.log" && return 0
      sleep 0.1
    done
    kill -0 "$demo_pid" 2>/dev/null || break
  done
  echo "platform_demo_click: no '$expected' from the demo" >&2
  cat "$work/demo.log" "$work/demo.err" >&2
  return 1
}

xdotool search --sync --onlyvisible --name '^main$' >/dev/null
wait_for '^ready'
# The main window is at (40, 40) with a one-pixel border; the shapes window sits at (12, 12) in
# its client area with a two-pixel sunken edge, so screen (100, 100) is (45, 45) in it.
click_until 100 100 '^click shapes 45 45$'
click_until 450 300 '^click list '

# On the Persian layout the A key types sheen (0xD4 in 1256) and the 1 key a Persian one,
# which arrives as its best fit, the digit '1'.
setxkbmap ir
xdotool key 38
wait_for '^char main D4$'
xdotool key 10
wait_for '^char main 31$'
echo "platform_demo_click: clicks and Persian typing arrived"
