#!/usr/bin/env bash
# A close request that arrives while the tray menu is open (Wine's menu loop swallows WM_QUIT)
# closes the menu and ends the program, with the settings written.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
e2e_begin tray_close_during_menu
e2e_start_app
e2e_wait_ready
e2e_driver tray-callback 0x204 >/dev/null
e2e_driver tray-callback 0x205 >/dev/null
for _ in $(seq 20); do
  e2e_driver find-class '#32768' >/dev/null 2>&1 && break
  sleep 0.25
done
e2e_driver find-class '#32768' >/dev/null 2>&1 || e2e_fail "the tray menu did not open"
e2e_driver post "$(e2e_driver find-class TForm1)" 0x10 0 0 >/dev/null
e2e_wait_exit "$E2E_APP_PID" 10 || e2e_fail "the program still runs after WM_CLOSE with its menu open"
e2e_assert_default_ini "$E2E_WORK/app/vireloc.ini"
