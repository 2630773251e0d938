#!/usr/bin/env bash
# Without a display the reader says so in one line and ends with a non-zero status.
set -uo pipefail
velmora="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
timeout 60 env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER ASAN_OPTIONS=detect_leaks=0 "$velmora" >"$work/out" 2>"$work/err"
status=$?
if [[ $status -eq 0 ]]; then
  echo "no_display: the program ended with status 0" >&2
  exit 1
fi
lines=$(cat "$work/out" "$work/err" | wc -l)
if [[ $lines -ne 1 ]] || ! grep -q "display" "$work/err"; then
  echo "no_display: expected one line about the display, got:" >&2
  cat "$work/out" "$work/err" >&2
  exit 1
fi
echo "no_display: $(cat "$work/err") (status $status)"
