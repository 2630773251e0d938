#!/usr/bin/env bash
# A whole reading session with the real program on a real X display (Xvfb), driven by xdotool
# with the Persian keyboard layout as a reader would use it: another category, a Persian search
# in titles, the next record, the advanced search in the answers, find in the answer, a bold
# answer font, and the close mark. Screenshots of each step are kept as PNG files in OUT_DIR;
# the clipboard checks that what the program shows is Unicode Persian (Farsi yeh U+06CC).
#
#   xvfb_session.sh VELMORA SCREEN_COMPARE SAMPLE_DATABASE OUT_DIR
set -euo pipefail
program=$(realpath "$1")
compare=$(realpath "$2")
database=$(realpath "$3")
out=$4
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xvfb.sh"

require_tools xvfb_session Xvfb xdotool setxkbmap xclip xwd
make_display_workspace
fail() {
  echo "xvfb_session: $*" >&2
  cat "$work/program.log" >&2 || true
  exit 1
}

start_xvfb "$work/xvfb.log" 181 220 || fail "no X server would start"
display_pids+=("$xvfb_pid")
mkdir -p "$out"
rm -f "$out"/*.png
cp "$database" "$work/tarsilo.mdb"
setxkbmap us
(cd "$work" && ASAN_OPTIONS=detect_leaks=0 exec "$program") >"$work/program.log" 2>&1 &
program_pid=$!
display_pids=("$program_pid" "${display_pids[@]}")

# The main window, once it is there to stay, with the keyboard focus (there is no window
# manager to give it).
await_window Velmora || fail "the reader's window never appeared"
left=$X top=$Y

step=0
shot() {
  sleep 0.7
  step=$((step + 1))
  xwd -root -silent >"$work/screen.xwd"
  "$compare" --to-png "$work/screen.xwd" "$(printf '%s/%02d-%s.png' "$out" "$step" "$1")"
}
click() {  # window client coordinates
  xdotool mousemove $((left + $1)) $((top + $2)) click 1
  sleep 0.4
}
# The clipboard as UTF-8 after Ctrl+A, Ctrl+C (keys that keep their meaning on any layout).
copy_all() {
  xdotool keydown Control_L key 38 key 54 keyup Control_L
  sleep 0.4
  xclip -o -selection clipboard -t UTF8_STRING 2>/dev/null || true
}
running() { kill -0 "$program_pid" 2>/dev/null || fail "the program ended early"; }
# The window titled exactly $1, once it shows (five seconds at the most).
visible_window() {
  local found
  for _ in $(seq 25); do
    found=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -1 || true)
    [[ -n "$found" ]] && { echo "$found"; return 0; }
    sleep 0.2
  done
  return 1
}

shot start

# Category 3 (".: برزخ :." at 709, 179), then back to category 1.
click 736 188
shot category-3
click 736 120

# A Persian search typed on the Persian layout into Edit1 (704, 376): meem, ain, alef, dal.
click 757 385
setxkbmap ir
xdotool keydown Control_L key 38 keyup Control_L
xdotool key 46 key 30 key 43 key 57
sleep 0.5
typed=$(copy_all)
[[ "$typed" == $'\u0645\u0639\u0627\u062f' ]] || fail "the search box holds $(printf %q "$typed")"
shot search

# Next record twice (SpeedButton2 at 448, 611).
click 496 625
click 496 625
running
shot next-record

# The advanced search (SpeedButton8 at 632, 424): the panel's box takes the focus with its text
# selected, so the typing replaces it: sheen, feh, alef, ain, teh. In the answers
# (RadioButton2), then run (SpeedButton9).
click 692 439
xdotool key 38 key 28 key 43 key 30 key 44
click 778 459
click 794 484
running
shot advanced-search

# Back to category 1 (SpeedButton10), find in its answer (SpeedButton6 at 763, 424): the dialog
# takes the keyboard, vav is typed and Enter presses Find Next.
click 710 484
click 807 439
finder=$(visible_window Find) || fail "the find dialog did not open"
xdotool windowfocus --sync "$finder"
xdotool key 59
xdotool key Return
sleep 0.5
shot find
# The match is selected in the answer and the focus is there: the whole answer copied reads as
# Unicode Persian with Farsi yeh.
# Under load the match may be selected a moment later: a few tries.
for _ in $(seq 10); do
  xdotool windowfocus --sync "$window"
  answer=$(copy_all)
  [[ "$answer" == *$'\u06cc'* ]] && break
  sleep 0.5
done
[[ "$answer" == *$'\u06cc'* ]] || fail "the answer copied has no Farsi yeh: $(printf %q "${answer:0:80}")"
[[ "$answer" != *$'\u064a'* ]] || fail "the answer copied has an Arabic yeh"
xdotool windowfocus --sync "$finder" key Escape
sleep 0.3

# Settings (SpeedButton7 at 40, 611): the font dialog, Bold in its style box, OK.
setxkbmap us
click 88 625
fonts=$(visible_window Font) || fail "the font dialog did not open"
xdotool windowfocus --sync "$fonts"
xdotool key Tab type Bold
xdotool key Return
sleep 0.5
running
shot bold-answer

# The close mark (Shape2 at 826, 15) ends the program normally.
click 834 23
for _ in $(seq 50); do
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$program_pid" 2>/dev/null && fail "the close mark did not end the program"
status=0
wait "$program_pid" || status=$?
[[ $status -eq 0 ]] || fail "the program ended with status $status"
echo "xvfb_session: a whole session ran; screenshots in $out"
