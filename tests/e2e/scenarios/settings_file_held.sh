#!/usr/bin/env bash
# A settings file another program holds open (a sync tool, a virus scanner) while the program
# starts is the user's. Still held at Exit, it is left as it was and a box says why; let go
# before Exit, it is read then, and its values are kept beside what the program writes.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
e2e_begin settings_file_held
source "$E2E_ROOT/tests/e2e/capture_lib.sh"
ini=$E2E_WORK/app/vireloc.ini
ini_win=$(e2e_winpath "$ini")
release=$E2E_WORK/release
holder=$E2E_RESULTS/holder.out

printf '%s\r\n' '[Settings]' 'DefaultClick=WindowSmall' 'SaveFormat=2' 'SaveClip=1' \
  '[VRLClipboard]' 'AutoPopup=1' '[Update]' 'Host=updates.test' >"$ini"
users_file=$(md5sum <"$ini")

hold_settings_file() {
  rm -f "$release"
  e2e_driver_bg "$holder" hold-file "$ini_win" "$(e2e_winpath "$release")"
  e2e_wait_until 20 grep -q held "$holder" || e2e_fail "the settings file could not be held"
}
let_go() {
  touch "$release"
  e2e_wait_until 20 grep -q released "$holder" || e2e_fail "the holder did not let the file go"
}
ask_exit() {
  e2e_driver post "$(e2e_driver find-class TForm1 | head -n 1)" "$E2E_WM_CLOSE" 0 0 >/dev/null
}

hold_settings_file
e2e_start_app
e2e_wait_ready
ask_exit
box=$(cap_message_box 15) || e2e_fail "no box about the settings file left unwritten"
e2e_driver window-children "$box" | grep -qF "$ini_win を起動時に読めなかったため、設定を保存しません。" ||
  e2e_fail "the box does not say why: $(e2e_driver window-children "$box")"
e2e_driver post "$box" 0x0111 1 0 >/dev/null  # OK
e2e_wait_exit "$E2E_APP_PID" 15 || e2e_fail "the program still runs 15 s after OK"
let_go
e2e_assert_eq "$users_file" "$(md5sum <"$ini")" "the settings file held until Exit"

hold_settings_file
e2e_start_app
e2e_wait_ready
let_go
ask_exit
e2e_wait_exit "$E2E_APP_PID" 15 || e2e_fail "the program still runs 15 s after Exit"
for line in DefaultClick=WindowSmall SaveFormat=2 SaveClip=1 AutoPopup=1 Host=updates.test 'D&D=0'; do
  tr -d '\r' <"$ini" | grep -qxF "$line" || e2e_fail "no line $line in the file written at Exit"
done
