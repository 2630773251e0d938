#!/usr/bin/env bash
# The real program on a real X display (Xvfb, sdl screen): its window appears centred, xdotool
# hovers a category label and the screen then matches velmora-shot's picture of the same state;
# a click on the close mark ends the program with status 0.
#
#   xvfb_window.sh VELMORA VELMORA_SHOT SCREEN_COMPARE SAMPLE_DATABASE
set -euo pipefail
velmora="$1" shot="$2" compare="$3" database="$4"

for tool in Xvfb xdotool xwd; do
  if ! command -v "$tool" >/dev/null; then
    echo "xvfb_window: $tool is missing (tools/setup.sh installs it)" >&2
    exit 1
  fi
done

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  [[ -n "$app_pid" ]] && kill "$app_pid" 2>/dev/null || true
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
cp "$database" "$work/tarsilo.mdb"

source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
start_xvfb "$work/xvfb.log" 140 180 || { echo "xvfb_window: Xvfb did not start" >&2; exit 1; }

# The window, 865 x 682, centred on the 1280 x 1024 screen.
left=207 top=171
# Label4 (".: قيامت :.") at 703, 213, 67 x 18 in the window; the close mark Shape2 at 826, 15.
label_x=736 label_y=222

cd "$work"
ASAN_OPTIONS=detect_leaks=0 SDL_VIDEODRIVER=x11 "$velmora" >"$work/app.log" 2>&1 &
app_pid=$!
xdotool search --sync --onlyvisible --name '^Velmora$' >/dev/null
sleep 1
xdotool mousemove $((left + label_x)) $((top + label_y))
# The hover colour is applied at the next idle moment and then painted.
sleep 1
xwd -root -silent >"$work/screen.xwd"

printf 'move %d %d\nwait 100\n' "$label_x" "$label_y" >"$work/hover.txt"
ASAN_OPTIONS=detect_leaks=0 "$shot" --screen 1280x1024 --script "$work/hover.txt" \
  --png "$work/shot.png"
"$compare" "$work/screen.xwd" "$work/shot.png" "$left" "$top" 865 682 0.01

xdotool mousemove $((left + 834)) $((top + 23)) click 1
for _ in $(seq 100); do
  kill -0 "$app_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$app_pid" 2>/dev/null; then
  echo "xvfb_window: the close mark did not end the program" >&2
  cat "$work/app.log" >&2
  exit 1
fi
status=0
wait "$app_pid" || status=$?
app_pid=""
if [[ $status -ne 0 ]]; then
  echo "xvfb_window: the program ended with status $status" >&2
  cat "$work/app.log" >&2
  exit 1
fi
echo "xvfb_window: the window matched velmora-shot's picture and closed with status 0"
