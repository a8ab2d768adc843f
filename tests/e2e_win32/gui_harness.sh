# The harness of the end-to-end tests of patch.exe under Wine (sourced by gui_test.sh).
#
# Each test gets a fresh Wine prefix (a copy of a once-booted template), a private X server and
# a work folder; every wait is bounded, and on exit the prefix's processes are killed, the X
# server stopped and the prefix removed. Screenshots go to $ORVPATCH_E2E_DIR/<scenario>-*.png.
#
# Environment (set by ctest): ORVPATCH_PATCH_EXE, ORVPATCH_E2E_HELPER, ORVPATCH_WINE_RUN,
# ORVPATCH_E2E_DIR, ORVPATCH_VERSION; optional ORVPATCH_NATIVE_CLI (the Linux `orvpatch`).

source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"

readonly wait_seconds=60

scenario=
work=
prefix=
patch_pid=

log() { echo "[$scenario] $*" >&2; }
fail() {
  log "FAILED: $*"
  exit 1
}

# ---- Set-up and clean-up --------------------------------------------------------------------

# begin_test SCENARIO [no-display]: a test of a console program needs no X server.
begin_test() {
  scenario=$1
  work=$ORVPATCH_E2E_DIR/work/$scenario
  prefix=$ORVPATCH_E2E_DIR/prefix-$scenario
  trap end_test EXIT
  rm -rf "$work" "$prefix" "$ORVPATCH_E2E_DIR/$scenario"-*.png
  mkdir -p "$work"
  make_prefix
  [[ ${2:-} == no-display ]] && return
  start_xvfb "$work/xvfb.log" || fail "no X server"
  log "display $DISPLAY, prefix $prefix"
}

end_test() {
  local status=$?
  set +e
  if [[ -n $prefix && -d $prefix ]]; then
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    [[ -n $patch_pid ]] && kill "$patch_pid" 2>/dev/null
    WINEPREFIX=$prefix timeout 10 wineserver -w 2>/dev/null || true
    rm -rf "$prefix"
  fi
  stop_xvfb
  exit "$status"
}

# The template is booted once per build tree, under a lock so that parallel tests wait for it.
# There is no window manager, so Wine draws the window frames itself (Decorated=N) and the
# screenshots show the captions. The windows stay managed: unmanaged ones would be stacked by
# the X server alone, and a click on the main dialog would raise it above its progress dialog.
make_prefix() {
  local template=$ORVPATCH_E2E_DIR/prefix-template
  (
    flock 8
    if [[ ! -f $template/.orvpatch-ready ]]; then
      log "booting the template Wine prefix"
      WINEPREFIX=$template "$ORVPATCH_WINE_RUN" reg add 'HKCU\Software\Wine\X11 Driver' \
        /v Decorated /d N /f >/dev/null 2>&1
      WINEPREFIX=$template wineserver -w
    fi
    cp -a "$template" "$prefix"
  ) 8>"$ORVPATCH_E2E_DIR/prefix-template.lock" || fail "cannot make the Wine prefix"
}

# ---- Wine --------------------------------------------------------------------------------------

wine_run() { WINEPREFIX=$prefix timeout "$wait_seconds" "$ORVPATCH_WINE_RUN" "$@"; }
helper() { wine_run "$ORVPATCH_E2E_HELPER" "$@" 2>>"$work/helper.log" | tr -d '\r'; }

# A Linux path as Wine sees it (drive Z: is the root).
windows_path() {
  local path=${1//\//\\}
  printf 'Z:%s' "$path"
}

set_install_folder() {
  local key=$1 folder=$2
  wine_run reg add "HKCU\\$key" /v Install /t REG_SZ /d "$folder" /f >/dev/null 2>&1 ||
    fail "reg add $key failed"
}

# start_program EXE [ARGUMENT...]
start_program() {
  WINEPREFIX=$prefix "$ORVPATCH_WINE_RUN" "$@" >"$work/program.log" 2>&1 &
  patch_pid=$!
}

# Waits for the program to end and checks its exit code.
expect_exit_code() {
  local expected=$1 i code
  for ((i = 0; i < wait_seconds * 10; i++)); do
    kill -0 "$patch_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$patch_pid" 2>/dev/null && fail "the program did not end"
  code=0
  wait "$patch_pid" || code=$?
  patch_pid=
  [[ $code == "$expected" ]] || fail "exit code $code, expected $expected"
  log "exit code $code"
}

expect_running() { kill -0 "$patch_pid" 2>/dev/null || fail "the program has ended"; }

# Runs the program to its end without touching it; its exit code must be the expected one.
run_to_end() {
  local expected=$1
  shift
  start_program "$@"
  expect_exit_code "$expected"
}

# ---- Windows on the screen ------------------------------------------------------------------
#
# Windows are found and driven through the X server. Whether a window is still shown is asked
# of Wine (the helper's `count`): without a window manager, Wine waits in vain for one to
# confirm that a hidden window is withdrawn, and the X window may stay mapped a while.

title_pattern() { printf '^%s$' "$(sed 's/[][\.*^$+?(){}|]/\\&/g' <<<"$1")"; }

visible_windows() { xdotool search --onlyvisible --name "$(title_pattern "$1")" 2>/dev/null || true; }

shown_count() { helper count "$1" || echo 0; }

# Prints the window's id once it is visible.
wait_window() {
  local title=$1 i ids
  for ((i = 0; i < wait_seconds * 10; i++)); do
    ids=$(visible_windows "$title")
    if [[ -n $ids ]]; then
      head -n 1 <<<"$ids"
      return 0
    fi
    sleep 0.1
  done
  fail "no window \"$title\""
}

wait_gone() {
  local title=$1 i
  for ((i = 0; i < wait_seconds * 2; i++)); do
    [[ $(shown_count "$title") == 0 ]] && return 0
    sleep 0.5
  done
  fail "the window \"$title\" stays"
}

expect_window_count() {
  local title=$1 expected=$2 count
  count=$(shown_count "$title")
  [[ $count == "$expected" ]] || fail "$count windows \"$title\", expected $expected"
}

# Types a key into the window: it gets the keyboard focus, then the key is pressed.
press_key() {
  local title=$1 key=$2 id
  id=$(wait_window "$title")
  timeout 5 xdotool windowfocus --sync "$id" 2>/dev/null || fail "cannot focus \"$title\""
  xdotool key "$key"
}

# Moves the mouse to the middle of a control of a dialog.
point_at_control() {
  local title=$1 control=$2 left top right bottom
  read -r left top right bottom < <(helper rect "$title" "$control") ||
    fail "no control $control in \"$title\""
  xdotool mousemove --sync $(((left + right) / 2)) $(((top + bottom) / 2))
}

# Presses and releases the button as a person does; a program that only pumps its messages now
# and then may otherwise see the release before it has taken the press.
click_control() {
  point_at_control "$1" "$2"
  xdotool mousedown 1
  sleep 0.2
  xdotool mouseup 1
}

screenshot() {
  import -window root "$ORVPATCH_E2E_DIR/$scenario-$1.png" 2>/dev/null ||
    log "no screenshot $1"
}

# Nothing of the program on the screen: no dialog, no message box.
expect_no_window() {
  local shown
  shown=$(helper dialogs)
  [[ $shown == 0 ]] || fail "$shown dialogs shown, expected none"
}

# Waits until the file has a line matching the pattern (grep -E).
wait_line() {
  local file=$1 pattern=$2 i
  for ((i = 0; i < wait_seconds * 10; i++)); do
    grep -qE "$pattern" "$file" 2>/dev/null && return 0
    sleep 0.1
  done
  fail "no line /$pattern/ in $file"
}

# ---- What the dialogs show --------------------------------------------------------------------

control_text() { helper text "$1" "$2"; }

expect_text() {
  local title=$1 control=$2 expected=$3 actual
  actual=$(control_text "$title" "$control") || fail "no control $control in \"$title\""
  [[ $actual == "$expected" ]] ||
    fail "control $control of \"$title\" shows \"$actual\", expected \"$expected\""
}

# A message box's text, once the box is there.
expect_message() {
  local caption=$1 expected=$2
  wait_window "$caption" >/dev/null
  expect_text "$caption" 0xFFFF "$expected"
  log "\"$caption\": $expected"
}

# ---- Folders --------------------------------------------------------------------------------

# One line per file below the folder: path, size, checksum and last-write time. Times after
# `since` (files the test or the run wrote) are shown as "new", so that two runs compare equal.
folder_listing() {
  local folder=$1 since=$2
  (cd "$folder" && find . -type f -printf '%P\t%s\t%T@\n' | sort) |
    while IFS=$'\t' read -r path size time; do
      local stamp=${time%.*}
      ((stamp >= since)) && stamp=new
      printf '%s\t%s\t%s\t%s\n' "$path" "$size" "$(md5sum <"$folder/$path" | cut -c1-32)" "$stamp"
    done
}

# Applies the patch to the folder the way `orvpatch apply` does: with the Linux tool when it
# has been built, else with the same run driver on the Windows side.
reference_apply() {
  local patch=$1 folder=$2
  local native=${ORVPATCH_NATIVE_CLI:-}
  if [[ -n $native && -x $native ]]; then
    log "reference: $native apply"
    "$native" apply --folder "$folder" "$patch" >>"$work/reference.log" 2>&1
  else
    log "reference: the core's run driver under Wine (no native orvpatch)"
    helper apply "$(windows_path "$patch")" "$(windows_path "$folder")" >>"$work/reference.log"
  fi
}
