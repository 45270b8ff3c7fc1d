#!/usr/bin/env bash
# SaveClip=1: each capture also goes on the clipboard as CF_BITMAP, the same size and pixels
# as the saved file. SaveClip=0 leaves the clipboard alone.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
e2e_begin capture_clipboard
source "$E2E_ROOT/tests/e2e/capture_lib.sh"

shots=$E2E_WORK/shots
mkdir -p "$shots"
cap_window pattern-window 200 150 320 224
pattern=$CAP_WINDOW

start_with() {  # <SaveClip>
  cap_settings "ClipAddr=$(e2e_winpath "$shots/")" SaveFormat=2 "SaveClip=$1"
  cap_start_app
}

# clipboard_matches <what>: CF_BITMAP has the saved file's size and pixels.
clipboard_matches() {
  local info size
  info=$(e2e_driver clipboard-bitmap-info) || e2e_fail "$1: no bitmap on the clipboard"
  size=$(cap_size "$CAP_FILE")
  e2e_assert_eq "$size" "$(cut -d' ' -f1,2 <<<"$info")" "$1: clipboard bitmap size"
  e2e_driver clipboard-save-bitmap "$(e2e_winpath "$E2E_RESULTS/clipboard.bmp")" >/dev/null ||
    e2e_fail "$1: could not read the clipboard bitmap's pixels"
  cap_same_pixels "$CAP_FILE" "$E2E_RESULTS/clipboard.bmp" "$1: clipboard bitmap against the file"
}

start_with 0
e2e_driver clipboard-set-text "kept" || e2e_fail "could not put text on the clipboard"
cap_press Print "$shots" PNG
sleep 0.5
e2e_assert_eq kept "$(e2e_driver clipboard-get-text)" "clipboard text after a capture with SaveClip=0"
! e2e_driver clipboard-bitmap-info >/dev/null 2>&1 || e2e_fail "SaveClip=0 put a bitmap on the clipboard"
cap_stop_app

start_with 1
e2e_driver clipboard-set-text "replaced" || e2e_fail "could not put text on the clipboard"
cap_press Print "$shots" PNG
clipboard_matches "PrintScreen"
! e2e_driver clipboard-get-text >/dev/null 2>&1 || e2e_fail "the earlier text is still on the clipboard"
# A smaller area replaces the bitmap.
e2e_driver foreground "$pattern" || e2e_fail "could not make the pattern window foreground"
cap_press alt+Print "$shots" PNG
e2e_assert_eq "320 224" "$(cap_size "$CAP_FILE")" "Alt capture size"
clipboard_matches "Alt+PrintScreen"
cap_expect_pattern "$E2E_RESULTS/clipboard.bmp" 0 0 320 224 "clipboard bitmap pattern"
cap_stop_app
