#!/usr/bin/env bash
# The reader's find dialog on a real X display (Xvfb): "جستجو در متن" opens a real window
# titled "Find", xdotool types a word the answer does not hold into it and presses Enter, the
# reader answers with its "Error" report, Enter closes the report and Escape the dialog, and
# the main window is still there.
set -euo pipefail
program=$(realpath "$1")
database=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xvfb.sh"

for tool in Xvfb xdotool; do
  if ! command -v "$tool" >/dev/null; then
    echo "find_dialog_xvfb: $tool is missing (tools/setup.sh installs it)" >&2
    exit 1
  fi
done

work=$(mktemp -d)
xvfb_pid=""
program_pid=""
cleanup() {
  [[ -n "$program_pid" ]] && kill "$program_pid" 2>/dev/null || true
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "find_dialog_xvfb: $1" >&2
  cat "$work/program.log" >&2
  exit 1
}

# The visible window whose title is exactly $1, waited for; empty when it never comes.
wait_window() {
  local window=""
  for _ in $(seq 50); do
    window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -1 || true)
    [[ -n "$window" ]] && break
    sleep 0.2
  done
  echo "$window"
}

# Waits until no visible window is titled exactly $1; false when one stays.
wait_gone() {
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.2
  done
  return 1
}

# With no window manager the keyboard goes where the server's focus is.
focus() {
  for _ in $(seq 20); do
    xdotool windowfocus --sync "$1" 2>/dev/null && return 0
    sleep 0.2
  done
  return 1
}

if ! start_xvfb "$work/xvfb.log" 181 220; then
  echo "find_dialog_xvfb: no X server would start" >&2
  exit 1
fi
cp "$database" "$work/tarsilo.mdb"
(cd "$work" && exec "$program") >"$work/program.log" 2>&1 &
program_pid=$!

main=$(wait_window Velmora)
[[ -n "$main" ]] || fail "the reader's window never appeared"
focus "$main" || fail "the reader's window would not take the focus"
sleep 1
# SpeedButton6 lies at (763, 424) in the window, 89 x 31.
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + 763 + 44)) $((Y + 424 + 15)) click 1

find=$(wait_window Find)
[[ -n "$find" ]] || fail "no window titled Find appeared"
focus "$find" || fail "the Find window would not take the focus"
sleep 0.5
xdotool type --delay 50 "zqzqz"
xdotool key Return

error=$(wait_window Error)
[[ -n "$error" ]] || fail "typing and Enter in the Find window brought no Error report"
focus "$error" || true
xdotool key Return
wait_gone Error || fail "Enter did not close the Error report"

focus "$find" || fail "the Find window would not take the focus back"
xdotool key Escape
wait_gone Find || fail "Escape did not close the Find window"
kill -0 "$program_pid" 2>/dev/null || fail "the reader ended"
[[ -n "$(wait_window Velmora)" ]] || fail "the reader's window went away"
echo "find_dialog_xvfb: the Find window took typing, Enter and Escape from xdotool"
