#!/usr/bin/env bash
# A settings file that cannot be written at Exit or at the end of the session: the error box
# stays until the user answers it, and only then does the program end.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
e2e_begin exit_refused_write
source "$E2E_ROOT/tests/e2e/capture_lib.sh"
ini=$E2E_WORK/app/vireloc.ini
ini_win=$(e2e_winpath "$ini")

# <how the end was asked for>: the box says why, stays, and the program ends once answered.
expect_box_until_answered() {
  local box
  box=$(cap_message_box 15) || e2e_fail "$1: no error box about the settings file"
  e2e_assert_eq Dovrant "$(e2e_driver window-text "$box")" "$1: box caption"
  e2e_assert_eq icon "$(e2e_driver message-box-icon "$box")" "$1: box icon"
  e2e_driver window-children "$box" | grep -qF "$ini_win に書き込めません." ||
    e2e_fail "$1: the box does not name the settings file: $(e2e_driver window-children "$box")"
  sleep 3
  cap_message_box 0 >/dev/null || e2e_fail "$1: the box closed by itself"
  e2e_alive "$E2E_APP_PID" || e2e_fail "$1: the program ended before the box was answered"
  e2e_driver post "$box" 0x0111 1 0 >/dev/null  # OK
  e2e_wait_exit "$E2E_APP_PID" 15 || e2e_fail "$1: the program still runs 15 s after OK"
}

# Only once the program has read its settings: a file unreadable at the start is another case.
refuse_settings_writes() { rm -f "$ini"; mkdir "$ini"; }

cap_start_app
refuse_settings_writes
form=$(e2e_driver find-class TForm1 | head -n 1)
e2e_driver post "$form" "$E2E_WM_CLOSE" 0 0 >/dev/null
expect_box_until_answered Exit

rmdir "$ini"
cap_start_app
refuse_settings_writes
e2e_wine wineboot --end-session >>"$E2E_RESULTS/wineboot.log" 2>&1 &
expect_box_until_answered "end of session"
wait || true  # wineboot's own status does not matter here
