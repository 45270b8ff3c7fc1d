#!/usr/bin/env bash
# A save folder named in letters the Japanese code page lacks (캡처), picked in the folder
# picker, outlives a restart: the exit turns the settings file into UTF-16 (it starts with
# FF FE) keeping its other sections and keys, the next start keeps the folder and PrintScreen
# writes into it.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../capture_lib.sh"
source "$(dirname "$0")/../tray_lib.sh"
source "$(dirname "$0")/../settings_lib.sh"
e2e_begin settings_unicode_folder
picker_caption="ディレクトリ選択"
app=$E2E_WORK/app
ini=$app/vireloc.ini
folder=$app/캡처
folder_win=$(e2e_winpath "$folder/")
mkdir -p "$folder"
cap_settings "ClipAddr=$(e2e_winpath "$app/")" SaveFormat=0 Extra=x
printf '%s\r\n' '[Update]' 'Host=updates.invalid:8080' >>"$ini"

file_mark() { head -c 2 "$ini" | od -An -tx1 | tr -d ' '; }

cap_start_app
set_open_dialog
set_click "$picker_caption"
PICKER=$(e2e_driver wait-window "$picker_caption" 10) || e2e_fail "no window $picker_caption within 10 s"
TREE=$(e2e_driver window-children "$PICKER" | awk -F'\t' '$2 == "SysTreeView32" {print $1}')
[[ -n $TREE ]] || e2e_fail "no tree view in the folder picker"
wait_tree '$2 ~ /^selected/ && $4 == "app"' "app is not selected"
e2e_driver foreground "$PICKER" >/dev/null
xdotool key Right
wait_tree '$4 == "캡처"' "app's subfolder 캡처 did not appear after the Right key"
xdotool key Down
wait_tree '$2 ~ /^selected/ && $4 == "캡처"' "캡처 is not selected after the Down key"
read -r cx cy < <(e2e_driver client-origin "$PICKER")
read -r ox oy < <(e2e_desktop_origin) || exit 1
xdotool mousemove $((ox + cx + 112 + 32)) $((oy + cy + 392 + 12)) click 1  # OK
e2e_driver wait-no-window "$picker_caption" 10 || e2e_fail "OK did not close the picker"
e2e_driver window-children "$SET_DIALOG" | cut -f3 | grep -qxF "$folder_win" ||
  e2e_fail "the dialog's folder box does not show $folder_win"
e2e_driver post "$SET_DIALOG" 0x0010 0 0 >/dev/null  # closed without OK: the pick stays
e2e_driver wait-no-window "$SET_CAPTION" 10 || e2e_fail "the settings dialog did not close"
cap_stop_app

e2e_assert_eq fffe "$(file_mark)" "first two bytes of the settings file after exit"
e2e_assert_eq "$folder_win" "$(e2e_ini_value "$ini" Settings.ClipAddr)" "ClipAddr after exit"
e2e_assert_eq x "$(e2e_ini_value "$ini" Settings.Extra)" "an unknown key after exit"
e2e_assert_eq updates.invalid:8080 "$(e2e_ini_value "$ini" Update.Host)" "[Update] Host after exit"
iconv -f UTF-16 -t UTF-8 "$ini" | grep -qv $'\r$' && e2e_fail "a line without CR LF: $(od -c "$ini" | head)"

cap_start_app
e2e_assert_eq "$folder_win" "$(e2e_ini_value "$ini" Settings.ClipAddr)" "ClipAddr after the restart"
cap_press Print "$folder" bmp
e2e_log "capture after the restart: $CAP_FILE"
e2e_assert_eq 0 "$(cap_files "$app" | wc -l)" "captures in the program's folder"
cap_stop_app
e2e_assert_eq fffe "$(file_mark)" "first two bytes of the settings file after the second exit"
e2e_assert_eq "$folder_win" "$(e2e_ini_value "$ini" Settings.ClipAddr)" "ClipAddr after the second exit"
