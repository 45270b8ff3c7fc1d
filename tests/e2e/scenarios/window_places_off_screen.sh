#!/usr/bin/env bash
# Saved places of -32000 (where Windows puts a minimised window) for the history window, the
# settings dialog and the drop window: each opens at its default place on the 1024x768 desktop
# (the history window in the work area's lower-right corner, the dialog at 192,105, the drop
# window at 215,115). The history window, moved, then minimised (standing at -32000) and closed,
# is stored at the place it had on screen and reopens there.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../tray_lib.sh"
e2e_begin window_places_off_screen
ini=$E2E_WORK/app/vireloc.ini
printf '%s\r\n' '[SettingWindow]' 'Top=-32000' 'Left=-32000' '[DragWindow]' 'Top=-32000' 'Left=-32000' \
  '[VRLClipboard]' 'Top=-32000' 'Left=-32000' 'Height=173' 'Width=139' >"$ini"

WINDOW=""
open_from_tray() {  # <menu key> <caption>: sets WINDOW to the window opened
  tray_open_menu
  xdotool key "$1"
  tray_wait_menu_closed "pressing $1"
  WINDOW=$(e2e_driver wait-window "$2" 10) || e2e_fail "no window $2 within 10 s of pressing $1 in the tray menu"
}

assert_on_desktop() {  # <window> <what>
  local left top width height
  read -r left top width height < <(e2e_driver window-rect "$1")
  ((left >= 0 && top >= 0 && left + width <= 1024 && top + height <= 768)) ||
    e2e_fail "$2 stands at $left,$top ($width x $height), not on the 1024x768 desktop"
}

e2e_start_app
e2e_wait_ready

open_from_tray s "クリップボードログ"
history=$WINDOW
assert_on_desktop "$history" "the history window"
read -r _ _ right bottom < <(e2e_driver work-area)
read -r left top width height < <(e2e_driver window-rect "$history")
e2e_assert_eq "$((right - width)) $((bottom - height))" "$left $top" "history window place (work area $right x $bottom)"

open_from_tray o "Vireloc : 設定"
dialog=$WINDOW
assert_on_desktop "$dialog" "the settings dialog"
e2e_assert_eq "192 105" "$(e2e_driver window-rect "$dialog" | cut -d' ' -f1-2)" "settings dialog place"

open_from_tray a "D&Dファイルアドレス返し"
drop=$WINDOW
assert_on_desktop "$drop" "the drop window"
e2e_assert_eq "215 115" "$(e2e_driver window-rect "$drop" | cut -d' ' -f1-2)" "drop window place"

# Minimised by the system command its minimise box sends, then closed from its taskbar button.
e2e_driver move-window "$history" 200 150
e2e_driver post "$history" 0x112 0xF020 0 >/dev/null || e2e_fail "could not minimise the history window"
minimised() { [[ $(e2e_driver window-rect "$history" | cut -d' ' -f1-2) == "-32000 -32000" ]]; }
e2e_wait_until 10 minimised ||
  e2e_fail "the history window did not stand at -32000 when minimised: $(e2e_driver window-rect "$history")"
e2e_driver post "$history" "$E2E_WM_CLOSE" 0 0 >/dev/null || e2e_fail "could not close the history window"
e2e_driver wait-no-window "クリップボードログ" 10 || e2e_fail "the minimised history window did not close"

# Every opening writes the settings file.
open_from_tray s "クリップボードログ"
history=$WINDOW
saved=$(for key in Left Top; do e2e_ini_value "$ini" "VRLClipboard.$key"; done | xargs)
e2e_assert_eq "200 150" "$saved" "VRLClipboard Left Top stored for the window closed while minimised"
e2e_assert_eq "200 150 $width $height" "$(e2e_driver window-rect "$history")" "history window place when reopened"

e2e_alive "$E2E_APP_PID" || e2e_fail "the program ended"
e2e_stop_app
