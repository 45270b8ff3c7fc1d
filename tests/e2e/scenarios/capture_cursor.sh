#!/usr/bin/env bash
# With ClipCpCursor=1 the capture shows the mouse cursor drawn at pointer - hotspot and
# differs from the screen nowhere else; with ClipCpCursor=0 it is the bare screen.
#
# Wine keeps a cursor private to the process that loaded it, and the program draws the
# foreground thread's cursor, so here it can draw only a cursor of its own. Its tray menu
# makes it the foreground and sets its own arrow while the pointer is on the menu; both stay
# after Escape, whatever the pointer moves over next.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
e2e_begin capture_cursor
source "$E2E_ROOT/tests/e2e/capture_lib.sh"

shots=$E2E_WORK/shots
mkdir -p "$shots"
cap_window pattern-window 200 150 320 224

menu_open() { e2e_driver find-class '#32768' >/dev/null 2>&1; }

program_cursor_current() {
  local _
  cap_mousemove 600 300
  e2e_driver tray-callback 0x204 || e2e_fail "could not send the right press"
  for _ in $(seq 50); do menu_open && break; sleep 0.1; done
  menu_open || e2e_fail "the tray menu did not open"
  cap_mousemove 610 310
  # Closed with WM_CANCELMODE to the main form: with another program's window on the desktop
  # Wine does not pass Escape to the menu.
  e2e_driver post "$(e2e_driver find-class TForm1)" 0x1F 0 0 || e2e_fail "could not post WM_CANCELMODE"
  for _ in $(seq 50); do menu_open || break; sleep 0.1; done
  ! menu_open || e2e_fail "the tray menu stays open after WM_CANCELMODE"
  e2e_assert_eq "$(e2e_driver find-class TForm1)" "$(e2e_driver foreground)" "foreground after the tray menu"
}

start_with_cursor_setting() {  # <ClipCpCursor>
  cap_settings "ClipAddr=$(e2e_winpath "$shots/")" SaveFormat=0 "ClipCpCursor=$1"
  cap_start_app
  program_cursor_current
}

# cursor_capture <keys> <x> <y>: pointer there (inside one pattern cell), then the keys;
# sets DIFF to how the capture differs from the pattern in the window and EXPECTED to the box
# the cursor covers there, both as "count-or-blank left top right bottom" in window
# coordinates. Print captures the screen, ctrl+Print the window itself (origin 200,150).
cursor_capture() {
  local keys=$1 px py hx hy bl bt br bb source at=200,150
  [[ $keys == ctrl+Print ]] && at=0,0
  cap_mousemove "$2" "$3"
  read -r px py hx hy bl bt br bb source _ < <(e2e_driver cursor-info)
  e2e_assert_eq "$2 $3" "$px $py" "pointer position"
  e2e_log "cursor: hotspot $hx,$hy, drawn box $bl,$bt-$br,$bb ($source)"
  cap_press "$keys" "$shots" bmp
  cap_crop "$CAP_FILE" "${at%,*}" "${at#*,}" 320 224 "$E2E_RESULTS/window.ppm"
  $CAP_IMAGE pattern 320 224 "$E2E_RESULTS/pattern.ppm"
  DIFF=$($CAP_IMAGE diff "$E2E_RESULTS/pattern.ppm" "$E2E_RESULTS/window.ppm") || e2e_fail "diff failed"
  local ox=$((px - hx - 200)) oy=$((py - hy - 150))
  EXPECTED="$((ox + bl)) $((oy + bt)) $((ox + br)) $((oy + bb))"
  cp "$CAP_FILE" "$E2E_RESULTS/cursor-$2-$3.bmp"
}

# Elsewhere the capture is the screen; the taskbar's clock may have moved on, so the
# comparison stops at the work area. Prints the box of all differences, window coordinates.
differences_from_screen() {  # <x> <y> <w> <h> of the capture on the screen
  local l t r b
  cap_screen "$E2E_RESULTS/screen.png"
  cap_crop "$CAP_FILE" 0 0 "$3" "$4" "$E2E_RESULTS/capture-part.ppm"
  cap_crop "$E2E_RESULTS/screen.png" "$1" "$2" "$3" "$4" "$E2E_RESULTS/screen-part.ppm"
  read -r _ l t r b < <($CAP_IMAGE diff "$E2E_RESULTS/screen-part.ppm" "$E2E_RESULTS/capture-part.ppm")
  echo "$((l + $1 - 200)) $((t + $2 - 150)) $((r + $1 - 200)) $((b + $2 - 150))"
}

start_with_cursor_setting 1
read -r _ _ _ work_bottom < <(e2e_driver work-area)
cursor_capture Print 269 188  # client (69, 38), in cell (2, 1)
[[ $DIFF != 0 ]] || e2e_fail "no cursor in the screen capture"
e2e_assert_eq "$EXPECTED" "${DIFF#* }" "box of the cursor's pixels in the screen capture"
e2e_assert_eq "$EXPECTED" "$(differences_from_screen 0 0 1024 "$work_bottom")" \
  "box of all differences between the screen capture and the screen"
# The window under the pointer: the cursor is placed relative to the capture's origin.
cursor_capture ctrl+Print 395 281  # client (195, 131), in cell (6, 4)
e2e_assert_eq "320 224" "$(cap_size "$CAP_FILE")" "Ctrl capture size"
[[ $DIFF != 0 ]] || e2e_fail "no cursor in the window capture"
e2e_assert_eq "$EXPECTED" "${DIFF#* }" "box of the cursor's pixels in the window capture"
e2e_assert_eq "$EXPECTED" "$(differences_from_screen 200 150 320 224)" \
  "box of all differences between the window capture and the screen"
cap_stop_app

# The same moment without the setting: the window is the bare pattern.
start_with_cursor_setting 0
cursor_capture Print 269 188
e2e_assert_eq 0 "$DIFF" "pixels differing from the pattern with ClipCpCursor=0"
cap_stop_app
