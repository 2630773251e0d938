# Sourced by the display tests: starts Xvfb on the first free display number in a range.
#
#   start_xvfb LOGFILE FIRST LAST
#
# Sets DISPLAY (exported) and xvfb_pid, or returns 1 when no server would start.
start_xvfb() {
  local log=$1 first=$2 last=$3 n
  for n in $(seq "$first" "$last"); do
    [[ -e "/tmp/.X11-unix/X$n" || -e "/tmp/.X$n-lock" ]] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$log" 2>&1 &
    xvfb_pid=$!
    # Tests start servers side by side: the display is ours only when its lock names our server.
    for _ in $(seq 50); do
      [[ -e "/tmp/.X11-unix/X$n" ]] && break
      sleep 0.1
    done
    if [[ -e "/tmp/.X11-unix/X$n" ]] && kill -0 "$xvfb_pid" 2>/dev/null &&
      [[ "$(tr -d ' \n' <"/tmp/.X$n-lock" 2>/dev/null)" == "$xvfb_pid" ]]; then
      export DISPLAY=":$n"
      return 0
    fi
    kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  done
  return 1
}

# Ends the calling test with a line naming it and the first of the tools that is missing.
#
#   require_tools TEST TOOL...
require_tools() {
  local test=$1 tool
  shift
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null; then
      echo "$test: $tool is missing (tools/setup.sh installs it)" >&2
      exit 1
    fi
  done
}

# Makes a scratch folder (work) and, when the test ends, stops the processes whose ids are in
# the array display_pids (the program's, then Xvfb's, as the test adds them) and removes it.
make_display_workspace() {
  work=$(mktemp -d)
  display_pids=()
  trap 'for pid in "${display_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
        wait 2>/dev/null || true
        rm -rf "$work"' EXIT
}

# Waits for a visible window titled NAME, gives it the keyboard and reads its place. A window
# may be made again while the program starts, so it is asked for until the same window answers
# twice.
#
#   await_window NAME
#
# Sets window and X, Y, WIDTH, HEIGHT, or returns 1 when no such window settled.
await_window() {
  local name=$1 geometry again
  for _ in $(seq 50); do
    window=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | tail -1 || true)
    if [[ -n "$window" ]] && xdotool windowfocus --sync "$window" 2>/dev/null &&
      geometry=$(xdotool getwindowgeometry --shell "$window" 2>/dev/null); then
      sleep 0.5
      again=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | tail -1 || true)
      if [[ "$again" == "$window" ]]; then
        eval "$geometry"
        return 0
      fi
    fi
    sleep 0.2
  done
  window=""
  return 1
}
