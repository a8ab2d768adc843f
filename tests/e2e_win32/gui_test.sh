#!/usr/bin/env bash
# End-to-end tests of the real patch.exe under Wine, driven through the X server as a person
# would drive it, and its unattended runs: gui_test.sh SCENARIO (see the end of the file)
set -euo pipefail
source "$(dirname "$0")/gui_harness.sh"

# Texts of the program, and what tests/e2e_win32/scenario_patches.cpp puts in the patches.
readonly main_title='修正プログラム'
readonly progress_title='修正プログラムの実行'
readonly error_caption='エラー'
readonly default_caption='Orvane　修正プログラム'
readonly completed='修正が完了しました！'
readonly cancelled='キャンセルボタンが押されたので終了します！'
readonly registry_key='Software\Orvane\E2E'
readonly id_run=1 id_cancel=2 id_folder=1000 id_browse=1003 id_title=1004 id_version=1005

# A patch of the scenario (or of the patch scenario given), its installation folder (default
# game) seeded, and the folder in the registry.
prepare_patch() {
  local made=${2:-$scenario}
  game=$work/${1:-game}
  patch=$work/patch-$scenario.exe
  mkdir -p "$game"
  helper make-patch "$made" "$(windows_path "$ORVPATCH_PATCH_EXE")" "$(windows_path "$patch")" ||
    fail "cannot make the patch"
  helper make-folder "$made" "$(windows_path "$game")" || fail "cannot seed the folder"
  set_install_folder "$registry_key" "$(windows_path "$game")"
}

expect_main_dialog() {
  local title=$1 folder=$2
  wait_window "$main_title" >/dev/null
  expect_text "$main_title" $id_folder "$folder"
  expect_text "$main_title" $id_title "$title"
  expect_text "$main_title" $id_version "System  $ORVPATCH_VERSION"
}

test_success() {
  local title='テスト修正 1.0' since
  prepare_patch
  cp -a "$game" "$work/reference"
  since=$(date +%s)
  start_program "$patch"
  expect_main_dialog "$title" "$(windows_path "$game")"
  screenshot main
  press_key "$main_title" Return
  expect_message "$title" "$completed"
  screenshot completed
  expect_window_count "$progress_title" 0
  screenshot completed
  press_key "$title" Return
  expect_exit_code 1
  reference_apply "$patch" "$work/reference" || fail "the reference run failed"
  diff <(folder_listing "$work/reference" "$since") <(folder_listing "$game" "$since") >&2 ||
    fail "the folder differs from what orvpatch apply makes of it"
  [[ -f $game/新データ.txt && ! -e $game/old.dat ]] || fail "the patch was not applied"
}

test_failure() {
  local title='失敗テスト'
  prepare_patch
  start_program "$patch"
  expect_main_dialog "$title" "$(windows_path "$game")"
  press_key "$main_title" Return
  expect_message "$title" 'ARCファイルのOpenに失敗しました！'
  expect_window_count "$progress_title" 0
  screenshot failed
  press_key "$title" Return
  wait_gone "$title"
  expect_window_count "$main_title" 1
  expect_running
  [[ -f $game/readme.txt && -f $game/never.dat ]] ||
    fail "the commands before the failure are not applied, or those after it are"
  click_control "$main_title" $id_cancel
  expect_exit_code 2
}

test_no_container() {
  start_program "$ORVPATCH_PATCH_EXE"
  expect_message "$error_caption" '修正データが見つかりません！'
  screenshot no-data
  press_key "$error_caption" Return
  expect_main_dialog "$default_caption" ''
  screenshot main
  press_key "$main_title" Return
  expect_message "$default_caption" 'インストール先が指定されていません！'
  screenshot no-folder
  press_key "$default_caption" Return
  wait_gone "$default_caption"
  press_key "$main_title" Escape
  expect_exit_code 2
}

# Run, Cancel and Browse on the main dialog during the run are refused: no second progress
# dialog, no end of the program, no folder browser. Cancel on the progress dialog then stops the
# run.
test_cancel() {
  local title='キャンセルテスト' text
  prepare_patch
  start_program "$patch"
  expect_main_dialog "$title" "$(windows_path "$game")"
  press_key "$main_title" Return
  wait_window "$progress_title" >/dev/null
  sleep 1
  click_control "$main_title" $id_run
  sleep 0.5
  click_control "$main_title" $id_cancel
  sleep 0.5
  # The progress dialog covers Browse: move it aside first, as a person would.
  timeout 5 xdotool windowmove --sync "$(wait_window "$progress_title")" 0 0 ||
    fail "cannot move \"$progress_title\""
  sleep 0.5
  click_control "$main_title" $id_browse
  sleep 1
  expect_window_count "$progress_title" 1
  expect_window_count "$main_title" 1
  [[ $(helper dialogs) == 2 ]] || fail "$(helper dialogs) dialogs shown during the run, expected 2"
  expect_running
  screenshot progress
  click_control "$progress_title" $id_cancel
  wait_window "$title" >/dev/null
  text=$(control_text "$title" 0xFFFF)
  log "\"$title\": ${text//$'\n'/ / }"
  [[ $text == *"$cancelled"* ]] || fail "the run ended with \"$text\""
  screenshot cancelled
  press_key "$title" Return
  wait_gone "$title"
  # A Cancel taken during the run would end the dialog at its next message: give it some.
  point_at_control "$main_title" $id_title
  sleep 1
  expect_window_count "$main_title" 1
  expect_running
  [[ -z $(find "$game" -iname 'tmp*') ]] || fail "temporary files are left: $(find "$game" -iname 'tmp*')"
  press_key "$main_title" Escape
  expect_exit_code 2
}

# The folder in the registry ends in 表 (95 5C) and has no backslash: the run deletes and copies
# inside it and leaves "game表a.bin" beside it alone.
test_trail_byte() {
  local title='表テスト'
  prepare_patch 'game表'
  start_program "$patch"
  expect_main_dialog "$title" "$(windows_path "$game")"
  press_key "$main_title" Return
  expect_message "$title" "$completed"
  screenshot completed
  press_key "$title" Return
  expect_exit_code 1
  [[ ! -e $game/a.bin && -f $game/doc/readme.txt ]] || fail "the patch was not applied inside the folder"
  [[ -f ${game}a.bin && ! -e ${game}doc ]] || fail "the run wrote or deleted beside the folder"
}

# ---- Unattended runs ---------------------------------------------------------------------

# The log's lines after "folder:" (the folder line names the test's own path).
log_tail() { sed -n '/^folder: /,$p' "$1" | tail -n +2; }

expect_log_line() {
  grep -qxF -- "$2" "$1" || fail "no line \"$2\" in the log: $(tr '\n' '|' <"$1")"
}

# /VERYSILENT: a wrong command line and a folder code page 932 cannot hold are refused before
# anything changes; then the patch runs on the /DIR folder (not the registry's), shows no window,
# logs every command and leaves the folder as `orvpatch apply` does.
test_verysilent() {
  local log=$work/run.log before since
  prepare_patch game success
  set_install_folder "$registry_key" 'C:\not-this-folder'
  cp -a "$game" "$work/reference"
  before=$(folder_listing "$game" 0)
  run_to_end 5 "$patch" /VERYSILENT /BOGUS "/LOG=$(windows_path "$log")"
  expect_log_line "$log" 'failed: コマンドラインの指定が正しくありません！'
  expect_log_line "$log" '/BOGUS'
  run_to_end 5 "$patch" /VERYSILENT /DIR=
  run_to_end 6 "$patch" /VERYSILENT "/DIR=$(windows_path "$game")é" "/LOG=$(windows_path "$log")"
  expect_log_line "$log" 'failed: 指定されたフォルダ名は使用できません！'
  [[ $(folder_listing "$game" 0) == "$before" ]] || fail "a refused run changed the folder"
  since=$(date +%s)
  start_program "$patch" /VERYSILENT "/DIR=$(windows_path "$game")" "/LOG=$(windows_path "$log")"
  expect_no_window
  expect_exit_code 0
  expect_no_window
  expect_log_line "$log" 'patch: テスト修正 1.0'
  diff <(log_tail "$log") - >&2 <<'EOF' || fail "the log differs"
copied: doc\readme.txt
copied: 新データ.txt
deleted: old.dat
rebuilt to revision 2: data\data.arc
completed: 修正が完了しました！
EOF
  reference_apply "$patch" "$work/reference" || fail "the reference run failed"
  diff <(folder_listing "$work/reference" "$since") <(folder_listing "$game" "$since") >&2 ||
    fail "the folder differs from what orvpatch apply makes of it"
}

# /VERYSILENT with a failing record: exit 3, the log ends with the message box's text. Without
# patch data: exit 4 before anything changes.
test_verysilent_failure() {
  local log=$work/run.log before
  prepare_patch game failure
  run_to_end 3 "$patch" /VERYSILENT "/LOG=$(windows_path "$log")"
  diff <(log_tail "$log") - >&2 <<'EOF' || fail "the log differs"
copied: readme.txt
failed: ARCファイルのOpenに失敗しました！
EOF
  [[ -f $game/readme.txt && -f $game/never.dat ]] || fail "the run did not stop at the failure"
  before=$(folder_listing "$game" 0)
  run_to_end 4 "$ORVPATCH_PATCH_EXE" /verysilent "/dir=$(windows_path "$game")" "/log=$(windows_path "$log")"
  expect_log_line "$log" 'failed: 修正データが見つかりません！'
  [[ $(folder_listing "$game" 0) == "$before" ]] || fail "a refused run changed the folder"
  expect_no_window
}

# A long /VERYSILENT run stopped by a close request (taskkill without /F): exit 2, "cancelled:"
# in the log, no temporary file left. (Wine turns SIGINT into Ctrl+C only for a process with a
# console, which a silent run of the Windows program has not.)
test_verysilent_cancel() {
  local log=$work/run.log
  prepare_patch game cancel
  start_program "$patch" /VERYSILENT "/LOG=$(windows_path "$log")"
  wait_line "$log" '^copied: '
  expect_no_window
  wine_run taskkill /IM "patch-$scenario.exe" >>"$work/taskkill.log" 2>&1 || true
  expect_exit_code 2
  # The copy command's Cancel names the file first: "cancelled: NAME", then its text.
  grep -q '^cancelled: ' "$log" || fail "the log ends with $(tail -n 2 "$log" | tr '\n' '|')"
  [[ -z $(find "$game" -iname 'tmp*') ]] || fail "temporary files are left"
}

# /DIR fills the main dialog's folder box. /SILENT shows the progress dialog alone, which
# completes without a message box.
test_silent() {
  local log=$work/run.log
  prepare_patch game silent
  start_program "$patch" "/DIR=$(windows_path "$work/other")"
  expect_main_dialog 'サイレントテスト' "$(windows_path "$work/other")"
  press_key "$main_title" Escape
  expect_exit_code 2
  start_program "$patch" /SILENT "/LOG=$(windows_path "$log")"
  wait_window "$progress_title" >/dev/null
  screenshot progress
  expect_window_count "$main_title" 0
  expect_exit_code 0
  expect_no_window
  tail -n 1 "$log" | grep -qx 'completed: 修正が完了しました！' || fail "the log ends with $(tail -n 1 "$log")"
}

# A patch signed with a throw-away certificate runs; with one payload byte changed after signing
# it is refused before anything changes, silent (exit 4, the log) and with the dialog (the box).
test_signed() {
  local log=$work/run.log before offset
  prepare_patch game success
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj '/CN=orvpatch e2e' \
    -keyout "$work/key.pem" -out "$work/cert.pem" >/dev/null 2>&1 || fail "no certificate"
  osslsigncode sign -h sha256 -certs "$work/cert.pem" -key "$work/key.pem" \
    -in "$patch" -out "$work/signed.exe" >/dev/null || fail "cannot sign"
  cp "$work/signed.exe" "$work/changed.exe"
  offset=$(grep -obaF 'new data' "$work/changed.exe" | head -n 1 | cut -d: -f1)
  [[ -n $offset ]] || fail "no payload to change"
  printf 'N' | dd of="$work/changed.exe" bs=1 seek="$offset" conv=notrunc status=none
  before=$(folder_listing "$game" 0)
  run_to_end 4 "$work/changed.exe" /VERYSILENT "/LOG=$(windows_path "$log")"
  expect_log_line "$log" 'failed: 修正プログラムの署名が一致しません！ファイルが壊れているか、改変されています。'
  [[ $(folder_listing "$game" 0) == "$before" ]] || fail "the changed patch changed the folder"
  start_program "$work/changed.exe"
  expect_message "$error_caption" '修正プログラムの署名が一致しません！ファイルが壊れているか、改変されています。'
  screenshot signature-broken
  press_key "$error_caption" Return
  press_key "$main_title" Escape
  expect_exit_code 2
  [[ $(folder_listing "$game" 0) == "$before" ]] || fail "the changed patch changed the folder"
  run_to_end 0 "$work/signed.exe" /VERYSILENT "/LOG=$(windows_path "$log")"
  tail -n 1 "$log" | grep -qx 'completed: 修正が完了しました！' || fail "the signed patch did not run"
}

case ${1:-} in
  success | failure | cancel) begin_test "$1" && "test_$1" ;;
  no-container) begin_test no-container && test_no_container ;;
  trail-byte) begin_test trail-byte && test_trail_byte ;;
  verysilent | silent | signed) begin_test "$1" && "test_$1" ;;
  verysilent-failure) begin_test "$1" && test_verysilent_failure ;;
  verysilent-cancel) begin_test "$1" && test_verysilent_cancel ;;
  *) echo "usage: $0 SCENARIO (see the end of $0)" >&2; exit 2 ;;
esac
log passed
