#!/usr/bin/env bash
# The save folder vanishes while the program runs: the next PrintScreen says so once in a
# plain box, then saves into the program's folder and keeps that folder in the settings;
# the capture after that saves there without a word.
# (A folder missing at start-up is put right silently then; settings_corrected covers it.)
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
e2e_begin capture_missing_folder
source "$E2E_ROOT/tests/e2e/capture_lib.sh"

app=$E2E_WORK/app
ini=$app/vireloc.ini
shots=$E2E_WORK/shots
app_win=$(e2e_winpath "$app/")
mkdir -p "$shots"
cap_settings "ClipAddr=$(e2e_winpath "$shots/")" SaveFormat=0
cap_start_app
e2e_assert_eq "$(e2e_winpath "$shots/")" "$(e2e_ini_value "$ini" Settings.ClipAddr)" "ClipAddr after start-up"
rmdir "$shots"

e2e_hotkey Print
box=$(cap_message_box 10) || e2e_fail "no message box after PrintScreen with the folder gone"
e2e_assert_eq Dovrant "$(e2e_driver window-text "$box")" "message box caption"
e2e_assert_eq none "$(e2e_driver message-box-icon "$box")" "message box icon"
children=$(e2e_driver window-children "$box" | cut -f2-)
expected=$(printf '%s\n' 'Button	OK' 'Static	フォルダが見つからないため保存フォルダを' "$app_win" 'に変更しました')
e2e_assert_eq "$expected" "$(grep -v '^Static	$' <<<"$children")" "message box controls (class, text)"
e2e_assert_eq 0 "$(cap_files "$app" | wc -l)" "capture files before the box is answered"

xdotool key Return
for _ in $(seq 50); do cap_message_box 0 >/dev/null || break; sleep 0.2; done
for _ in $(seq 50); do [[ -n $(cap_files "$app") ]] && break; sleep 0.2; done
first=$(cap_files "$app")
[[ $(wc -l <<<"$first") == 1 && $first == *.bmp ]] || e2e_fail "after OK the program's folder holds '$first', expected one .bmp"
[[ ! -e $shots ]] || e2e_fail "the vanished save folder was created again"
e2e_assert_eq "$app_win" "$(e2e_ini_value "$ini" Settings.ClipAddr)" "ClipAddr after the box"
! cap_message_box 1 >/dev/null || e2e_fail "a second message box followed the first"

# The next capture goes to the program's folder with no message.
cap_press Print "$app" bmp
! cap_message_box 1 >/dev/null || e2e_fail "a message box came with the second capture"
e2e_assert_eq 2 "$(cap_files "$app" | wc -l)" "capture files in the program's folder"
cap_stop_app
e2e_assert_eq "$app_win" "$(e2e_ini_value "$ini" Settings.ClipAddr)" "ClipAddr after exit"
