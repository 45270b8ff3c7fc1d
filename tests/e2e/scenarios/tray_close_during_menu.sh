#!/usr/bin/env bash
# A close request that arrives while the tray menu is open (Wine's menu loop swallows WM_QUIT)
# closes the menu and ends the program, with the settings written.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../tray_lib.sh"
e2e_begin tray_close_during_menu
e2e_start_app
e2e_wait_ready
tray_open_menu
e2e_driver tray-callback 0x205 || e2e_fail "could not send the right release"
form=$(e2e_driver find-class TForm1) || e2e_fail "no window of class TForm1"
e2e_driver post "$form" "$E2E_WM_CLOSE" 0 0 || e2e_fail "could not post WM_CLOSE to TForm1"
e2e_wait_exit "$E2E_APP_PID" 10 || e2e_fail "the program still runs after WM_CLOSE with its menu open"
e2e_assert_default_ini "$E2E_WORK/app/vireloc.ini"
