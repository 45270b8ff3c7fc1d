#!/usr/bin/env bash
# Alt+PrintScreen saves the foreground window's rectangle, frame included, cut at the
# screen's left/top and at the work area's right/bottom; Ctrl+PrintScreen saves the
# top-level window under the pointer even when the pointer is on a child control. An empty
# area (the taskbar, which lies below the work area) gives an error box and no file.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
e2e_begin capture_alt_ctrl
source "$E2E_ROOT/tests/e2e/capture_lib.sh"

shots=$E2E_WORK/shots
mkdir -p "$shots"
cap_settings "ClipAddr=$(e2e_winpath "$shots/")" SaveFormat=0
cap_start_app
read -r _ _ work_right work_bottom < <(e2e_driver work-area)
e2e_assert_eq "0 0 1024" "$(e2e_driver work-area | cut -d' ' -f1-3)" "work area left top right"
((work_bottom > 600 && work_bottom < 768)) || e2e_fail "work area bottom $work_bottom: no taskbar below it?"

# cap_expect_screen <image> <x> <y>: the image is what the screen shows at (x, y).
cap_expect_screen() {
  local size
  size=$(cap_size "$1")
  cap_screen "$E2E_RESULTS/screen.png"
  convert "$E2E_RESULTS/screen.png" -crop "${size% *}x${size#* }+$2+$3" +repage "$E2E_RESULTS/screen-part.png"
  cap_same_pixels "$1" "$E2E_RESULTS/screen-part.png" "capture against the screen at $2,$3"
}

close_window() { e2e_driver post "$1" 0x10 0 0 >/dev/null; sleep 0.3; }

# A captioned window fully inside the work area: its whole window rectangle, frame and all.
cap_window framed-pattern-window 150 100 300 220
framed=$CAP_WINDOW
e2e_driver foreground "$framed" || e2e_fail "could not make the framed window foreground"
read -r wx wy ww wh < <(e2e_driver window-rect "$framed")
read -r cx cy < <(e2e_driver client-origin "$framed")
((cx > wx && cy > wy)) || e2e_fail "the framed window has no frame ($wx,$wy client $cx,$cy)"
cap_press alt+Print "$shots" bmp
e2e_assert_eq "$ww $wh" "$(cap_size "$CAP_FILE")" "Alt capture size = window rectangle"
cap_expect_screen "$CAP_FILE" "$wx" "$wy"
cap_expect_pattern "$CAP_FILE" $((cx - wx)) $((cy - wy)) 256 160 "framed client area"
close_window "$framed"

# Beyond the left and top edges: cut at 0.
cap_window framed-pattern-window -40 -30 300 220
framed=$CAP_WINDOW
e2e_driver foreground "$framed" || e2e_fail "could not make the framed window foreground"
e2e_assert_eq "-40 -30 300 220" "$(e2e_driver window-rect "$framed")" "window rectangle beyond the top left"
cap_press alt+Print "$shots" bmp
e2e_assert_eq "260 190" "$(cap_size "$CAP_FILE")" "Alt capture size cut at left/top"
cap_expect_screen "$CAP_FILE" 0 0
close_window "$framed"

# Beyond the work area's right and bottom (into the taskbar and off the screen): cut there.
cap_window pattern-window 900 650 300 200
popup=$CAP_WINDOW
e2e_driver foreground "$popup" || e2e_fail "could not make the pattern window foreground"
cap_press alt+Print "$shots" bmp
e2e_assert_eq "$((work_right - 900)) $((work_bottom - 650))" "$(cap_size "$CAP_FILE")" \
  "Alt capture size cut at the work area"
cap_expect_pattern "$CAP_FILE" 0 0 $((work_right - 900)) $((work_bottom - 650)) "pattern cut at the work area"
close_window "$popup"

# Ctrl: the pointer on a child button gives its top-level window, not the foreground one.
cap_window pattern-window --child-button 400 300 256 192
with_button=$CAP_WINDOW
cap_window framed-pattern-window 60 60 200 150
e2e_driver foreground "$CAP_WINDOW" || e2e_fail "could not make the framed window foreground"
cap_mousemove 440 320  # client (40, 20): on the button at (8, 8) 80x24
cap_press ctrl+Print "$shots" bmp
e2e_assert_eq "256 192" "$(cap_size "$CAP_FILE")" "Ctrl capture size = top-level window under the pointer"
cap_expect_screen "$CAP_FILE" 400 300
cap_expect_pattern "$CAP_FILE" 0 64 256 128 "Ctrl capture below the button" 0 64
close_window "$with_button"
close_window "$CAP_WINDOW"

# The taskbar lies below the work area: nothing to save, an error box, no file.
before=$(cap_files "$shots" | wc -l)
taskbar=$(e2e_driver find-class Shell_TrayWnd) || e2e_fail "no taskbar window"
e2e_driver foreground "$taskbar" || e2e_fail "could not make the taskbar foreground"
e2e_hotkey alt+Print
box=$(cap_message_box 10) || e2e_fail "no error box after Alt+PrintScreen on the taskbar"
e2e_assert_eq Dovrant "$(e2e_driver window-text "$box")" "error box caption"
e2e_assert_eq icon "$(e2e_driver message-box-icon "$box")" "error box icon"
e2e_driver window-children "$box" | grep -q 'キャプチャした範囲が空のため、ファイルを保存しませんでした' ||
  e2e_fail "error box text: $(e2e_driver window-children "$box")"
xdotool key Return
for _ in $(seq 50); do e2e_driver find-class '#32770' >/dev/null 2>&1 || break; sleep 0.2; done
! e2e_driver find-class '#32770' >/dev/null 2>&1 || e2e_fail "the error box is still open after Enter"
sleep 1
e2e_assert_eq "$before" "$(cap_files "$shots" | wc -l)" "capture files after the empty capture"
cap_stop_app
