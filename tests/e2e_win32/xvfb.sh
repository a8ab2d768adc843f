# A private X server for tests that show windows (sourced by the scripts here).
#
#   start_xvfb LOGFILE     starts Xvfb on a free display number and exports DISPLAY
#   stop_xvfb              stops it again (safe to call twice)
#
# Xvfb picks the display number itself (-displayfd), so parallel tests never collide.

xvfb_pid=
xvfb_display_file=

start_xvfb() {
  local log=$1 i
  xvfb_display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$xvfb_display_file" >"$log" 2>&1 &
  xvfb_pid=$!
  for ((i = 0; i < 100; i++)); do
    if [[ -s $xvfb_display_file ]]; then
      export DISPLAY=:$(tr -d '[:space:]' <"$xvfb_display_file")
      return 0
    fi
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "Xvfb did not start; see $log" >&2
  return 1
}

stop_xvfb() {
  if [[ -n $xvfb_pid ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
  fi
  [[ -n $xvfb_display_file ]] && rm -f "$xvfb_display_file"
  xvfb_display_file=
}
