#!/usr/bin/env bash
# "終了(&X)" in the tray menu ends the program, chosen with a real click and, on a second
# start, with its accelerator key: the tray icon goes and the settings file holds all
# nineteen entries in order.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../tray_lib.sh"
e2e_begin tray_exit
ini=$E2E_WORK/app/vireloc.ini
e2e_keep_desktop

check_ended() {  # <how it was chosen>
  e2e_wait_exit "$E2E_APP_PID" 15 || e2e_fail "the program still runs 15 s after 終了 was chosen by $1"
  tray_wait_icon gone "after-$1"
  e2e_assert_default_ini "$ini"
}

e2e_start_app
e2e_wait_ready
tray_wait_icon shown running
tray_open_menu
[[ $(tail -n 1 <<<"$TRAY_MENU_ITEMS") == $'13\t-\t終了(&X)' ]] || e2e_fail "終了(&X) is not the menu's last item"
# The last item lies along the menu's bottom edge, whatever the font makes the rows.
read -r left top width height < <(e2e_driver window-rect "$TRAY_MENU")
tray_mousemove $((left + width / 3)) $((top + height - 12))
sleep 0.2
xdotool click 1
check_ended click

rm -f "$ini"
e2e_start_app
e2e_wait_ready
tray_wait_icon shown running
tray_open_menu
xdotool key x
check_ended key
