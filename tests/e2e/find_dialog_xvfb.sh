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

require_tools find_dialog_xvfb Xvfb xdotool
make_display_workspace

fail() {
  echo "find_dialog_xvfb: $1" >&2
  cat "$work/program.log" >&2
  exit 1
}

# The visible window whose title is exactly $1, waited for up to $2 tenths of a second (50 by
# default); empty when it never comes.
wait_window() {
  local window=""
  for _ in $(seq "${2:-50}"); do
    window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -1 || true)
    [[ -n "$window" ]] && break
    sleep 0.1
  done
  echo "$window"
}

# Waits until no visible window is titled exactly $1; false when one stays.
wait_gone() {
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}

# Gives the keyboard to the visible window titled exactly $1 and prints its id; empty when no
# such window would take it.
focus_window() {
  await_window "$1" && echo "$window"
}

if ! start_xvfb "$work/xvfb.log" 181 220; then
  echo "find_dialog_xvfb: no X server would start" >&2
  exit 1
fi
display_pids+=("$xvfb_pid")
cp "$database" "$work/tarsilo.mdb"
(cd "$work" && exec "$program") >"$work/program.log" 2>&1 &
program_pid=$!
display_pids=("$program_pid" "${display_pids[@]}")

await_window Velmora || fail "the reader's window never appeared or would not take the focus"
# SpeedButton6 lies at (763, 424) in the window, 89 x 31.
find=""
for _ in $(seq 5); do
  xdotool mousemove $((X + 763 + 44)) $((Y + 424 + 15)) click 1
  find=$(wait_window Find 30)
  [[ -n "$find" ]] && break
done
[[ -n "$find" ]] || fail "no window titled Find appeared"

# A loaded machine may take a while to hand the new window the keyboard: type again until
# the report comes (the word stays one the answer does not hold).
error=""
for _ in $(seq 5); do
  [[ -n "$(focus_window Find)" ]] || fail "the Find window would not take the focus"
  sleep 0.5
  xdotool type --delay 50 "zqzqz"
  xdotool key Return
  error=$(wait_window Error 40)
  [[ -n "$error" ]] && break
done
[[ -n "$error" ]] || fail "typing and Enter in the Find window brought no Error report"
focus_window Error >/dev/null || true
xdotool key Return
wait_gone Error || fail "Enter did not close the Error report"

[[ -n "$(focus_window Find)" ]] || fail "the Find window would not take the focus back"
xdotool key Escape
wait_gone Find || fail "Escape did not close the Find window"
kill -0 "$program_pid" 2>/dev/null || fail "the reader ended"
[[ -n "$(wait_window Velmora)" ]] || fail "the reader's window went away"
echo "find_dialog_xvfb: the Find window took typing, Enter and Escape from xdotool"
