#!/usr/bin/env bash
# Every PrintScreen hotkey saves in every format: Print and Shift+Print the whole screen,
# Alt+Print the foreground window, Ctrl+Print the window under the pointer, each written as
# BMP, JPEG and PNG. Window captures hold the pattern exactly in the lossless formats.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
e2e_begin capture_hotkeys_formats
source "$E2E_ROOT/tests/e2e/capture_lib.sh"

shots=$E2E_WORK/shots
mkdir -p "$shots"

# expect_capture <keys> <extension> <magick format> <width> <height> [pattern]
expect_capture() {
  cap_press "$1" "$shots" "$2"
  e2e_assert_eq "$3 $4 $5" "$(identify -format '%m %w %h' "$CAP_FILE")" "$1 saved as .$2"
  [[ ${6:-} == pattern ]] && cap_expect_pattern "$CAP_FILE" 0 0 "$4" "$5" "$1 .$2 pattern"
  return 0
}

for format in "0 bmp BMP3" "1 jpg JPEG" "2 PNG PNG"; do
  read -r choice ext magick <<<"$format"
  cap_settings "ClipAddr=$(e2e_winpath "$shots/")" "SaveFormat=$choice"
  cap_start_app
  cap_window pattern-window 200 150 256 192
  e2e_driver foreground "$CAP_WINDOW" || e2e_fail "could not make the pattern window foreground"
  lossless=pattern
  [[ $ext == jpg ]] && lossless=
  expect_capture Print "$ext" "$magick" 1024 768
  expect_capture shift+Print "$ext" "$magick" 1024 768
  expect_capture alt+Print "$ext" "$magick" 256 192 $lossless
  cap_mousemove 300 250
  expect_capture ctrl+Print "$ext" "$magick" 256 192 $lossless
  e2e_driver post "$CAP_WINDOW" 0x10 0 0 >/dev/null || e2e_fail "could not close the pattern window"
  cap_stop_app
done
