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
    for _ in $(seq 50); do
      [[ -e "/tmp/.X11-unix/X$n" ]] && break
      sleep 0.1
    done
    if [[ -e "/tmp/.X11-unix/X$n" ]] && kill -0 "$xvfb_pid" 2>/dev/null; then
      export DISPLAY=":$n"
      return 0
    fi
    kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  done
  return 1
}
