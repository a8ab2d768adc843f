#!/usr/bin/env bash
# End-to-end tests of orvpatch.exe under Wine: cli_test.sh SCENARIO (see the end of the file).
# A patch is made with `diff` from two small releases, read back with `info --json` and applied
# with `apply`; the folder must then hold NEW exactly, and the patch must have the bytes that
# the Linux tool makes from the same releases and stub.
#
# Environment (set by ctest): ORVPATCH_CLI_EXE, ORVPATCH_STUB, ORVPATCH_WINE_RUN, ORVPATCH_E2E_DIR;
# optional ORVPATCH_NATIVE_CLI (the Linux `orvpatch`, the reference of the patch's bytes).
set -euo pipefail
source "$(dirname "$0")/gui_harness.sh"

readonly title='テスト修正 2.0'
readonly registry_key='Software\Orvane\CLI'
# The check's run folder fits below the work folder without a drive alias, which Wine does not
# resolve for files.
readonly path_length=200

orvpatch() { wine_run "$ORVPATCH_CLI_EXE" "$@" 2>>"$work/orvpatch.log" | tr -d '\r'; }

# file PATH TEXT [DATE]: a release file with a fixed time, so both tools read the same times.
file() {
  mkdir -p "$(dirname "$1")"
  printf '%s' "$2" >"$1"
  touch -d "${3:-2024-05-01 12:00:00}" "$1"
}

make_releases() {
  old=$work/old new=$work/new
  file "$old/game.dat" 'old data'
  file "$old/消える.txt" 'removed'
  file "$old/data/same.bin" 'unchanged'
  file "$new/game.dat" 'new data, longer' '2024-06-01 12:00:00'
  file "$new/data/same.bin" 'unchanged'
  file "$new/data/新しい.txt" 'added' '2024-06-01 12:00:00'
}

make_patch() {
  patch=$work/patch.exe
  orvpatch diff "$(windows_path "$old")" "$(windows_path "$new")" -o "$(windows_path "$patch")" \
    --title "$title" --registry-key "$registry_key" --stub "$(windows_path "$ORVPATCH_STUB")" \
    --install-path-length $path_length >"$work/diff.out" || fail "diff failed: $(cat "$work/orvpatch.log")"
}

expect_info() {
  orvpatch info --json "$(windows_path "$patch")" >"$work/info.json" || fail "info failed"
  python3 - "$work/info.json" "$title" <<'PY' || fail "info --json does not describe the patch"
import json, sys
info = json.load(open(sys.argv[1], encoding="utf-8"))
text = json.dumps(info, ensure_ascii=False)
assert sys.argv[2] in text and "新しい.txt" in text and "消える.txt" in text, text
PY
}

expect_applied() {
  diff -r "$new" "$game" >&2 || fail "the folder differs from NEW"
}

# The Linux tool's patch from the same releases and stub is the same file, byte for byte.
expect_same_as_native() {
  if [[ ! -x ${ORVPATCH_NATIVE_CLI:-} ]]; then
    log "no native orvpatch at '${ORVPATCH_NATIVE_CLI:-}': the bytes are not compared"
    return
  fi
  "$ORVPATCH_NATIVE_CLI" diff "$old" "$new" -o "$work/native.exe" --title "$title" \
    --registry-key "$registry_key" --stub "$ORVPATCH_STUB" --install-path-length $path_length \
    >/dev/null || fail "native diff failed"
  cmp "$work/native.exe" "$patch" >&2 || fail "the patch differs from the Linux tool's"
}

test_round-trip() {
  make_releases
  make_patch
  expect_info
  game=$work/game
  cp -a "$old" "$game"
  orvpatch apply --folder "$(windows_path "$game")" "$(windows_path "$patch")" >/dev/null ||
    fail "apply failed: $(cat "$work/orvpatch.log")"
  expect_applied
  expect_same_as_native
}

# Without --folder the folder is the one the registry holds for the patch's key.
test_registry() {
  make_releases
  make_patch
  game=$work/ゲーム
  cp -a "$old" "$game"
  set_install_folder "$registry_key" "$(windows_path "$game")"
  orvpatch apply "$(windows_path "$patch")" >/dev/null ||
    fail "apply failed: $(cat "$work/orvpatch.log")"
  expect_applied
}

begin_test "cli-$1" no-display
"test_$1"
log "passed"
