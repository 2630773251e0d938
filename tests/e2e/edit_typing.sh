#!/usr/bin/env bash
# Types on the Persian keyboard layout into the reader's search box on a real X display
# (Xvfb): the letters, a ZWNJ and a Persian digit reach the box as code page characters, and
# copying the box's text gives other programs the Unicode text (Farsi yeh, ZWNJ, the digit as
# the code page keeps it), read back with xclip.
set -euo pipefail
program=$(realpath "$1")
database=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xvfb.sh"

require_tools edit_typing Xvfb xdotool setxkbmap xclip
make_display_workspace

if ! start_xvfb "$work/xvfb.log" 140 180; then
  echo "edit_typing: no X server would start" >&2
  exit 1
fi
display_pids+=("$xvfb_pid")
cp "$database" "$work/tarsilo.mdb"
setxkbmap us
(cd "$work" && exec "$program") >"$work/program.log" 2>&1 &
program_pid=$!
display_pids=("$program_pid" "${display_pids[@]}")
# With no window manager the keyboard goes where the server's focus is: give it the window,
# once it is there to stay.
if ! await_window Velmora; then
  echo "edit_typing: the reader's window never appeared" >&2
  cat "$work/program.log" >&2
  exit 1
fi
# The layout changes while the program runs, as a reader switches to Persian to type.
sleep 2
setxkbmap ir
# The search box Edit1 lies at (704, 376) in the window, 106 x 19.
box_x=$((X + 704 + 53))
box_y=$((Y + 376 + 9))

# Keys by code: A is sheen, D is Farsi yeh, Shift+Space is ZWNJ, 1 is the Persian one.
expected=$'\u0634\u06cc\u200c1'
for attempt in $(seq 10); do
  # A click in the box, Ctrl+A, and the typing replaces what it held.
  xdotool mousemove "$box_x" "$box_y" click 1
  sleep 0.3
  xdotool keydown Control_L key 38 keyup Control_L
  xdotool key 38 key 40 keydown Shift_L key 65 keyup Shift_L key 10
  sleep 0.3
  # Ctrl+A and Ctrl+C by their keys, which keep their meaning on any layout.
  xdotool keydown Control_L key 38 key 54 keyup Control_L
  sleep 0.3
  got=$(xclip -o -selection clipboard -t UTF8_STRING 2>/dev/null || true)
  [[ "$got" == "$expected" ]] && break
  kill -0 "$program_pid" 2>/dev/null || break
done
if [[ "$got" != "$expected" ]]; then
  printf 'edit_typing: the clipboard holds %q, expected %q\n' "$got" "$expected" >&2
  cat "$work/program.log" >&2
  exit 1
fi
echo "edit_typing: Persian typing reached the search box and its copy reads as Unicode"
