#!/usr/bin/env bash
# The settings dialog's PrintScreen auto-save switch acts at once: choosing 無効 greys the
# cursor and clipboard choices and both folder buttons and PrintScreen stops saving before
# OK; Cancel keeps it so while the file still says on; the next opening turns it on again.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../tray_lib.sh"
e2e_begin settings_autosave
source "$E2E_ROOT/tests/e2e/settings_lib.sh"
source "$E2E_ROOT/tests/e2e/capture_lib.sh"
ini=$E2E_WORK/app/vireloc.ini
shots=$E2E_WORK/shots
mkdir -p "$shots"
cap_settings "ClipAddr=$(e2e_winpath "$shots/")" ClipEnable=0

# No capture file within 3 s of Print.
expect_no_capture() {  # <when>
  e2e_hotkey Print
  sleep 3
  [[ -z $(cap_files "$shots") ]] || e2e_fail "PrintScreen saved $(cap_files "$shots") $1"
}

cap_start_app
set_open_dialog
set_click 無効 1
set_wait_state 無効 1 "checked enabled"
while IFS='|' read -r text n state; do
  set_wait_state "$text" "$n" "$state"
done <<END
無|1|checked disabled
有|1|unchecked disabled
無|2|checked disabled
有|2|unchecked disabled
アプリPath|1|unchecked disabled
ディレクトリ選択|1|unchecked disabled
PNG|1|unchecked enabled
END
expect_no_capture "with auto-save switched off, before OK"

e2e_driver foreground "$SET_DIALOG" >/dev/null
xdotool key Escape
e2e_driver wait-no-window "$SET_CAPTION" 10 || e2e_fail "Esc did not close the dialog"
e2e_assert_eq 0 "$(e2e_ini_value "$ini" Settings.ClipEnable)" "ClipEnable after Cancel"
expect_no_capture "after Cancel"

set_open_dialog
set_wait_state 有効 1 "checked enabled"
set_wait_state アプリPath 1 "unchecked enabled"
cap_press Print "$shots" bmp

e2e_alive "$E2E_APP_PID" || e2e_fail "the program ended"
cap_stop_app
