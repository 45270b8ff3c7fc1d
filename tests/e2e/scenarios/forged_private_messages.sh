#!/usr/bin/env bash
# Private messages forged by another program change nothing. With the folder picker open (its
# hidden answer window made and its first answer in), the driver sends WM_APP and, to the
# program's own window classes, WM_USER, timer and notification messages (notifications also
# posted) with request-like ids and pointer-like values to every window of the program, each
# waited for. The program answers them all, runs on, and
# the picker still gets the real answers: opening a folder lists its subfolder, OK takes it,
# and PrintScreen writes into it.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../capture_lib.sh"
source "$(dirname "$0")/../tray_lib.sh"
source "$(dirname "$0")/../settings_lib.sh"
e2e_begin forged_private_messages
caption="ディレクトリ選択"
app=$E2E_WORK/app
mkdir -p "$app/shots"
cap_settings "ClipAddr=$(e2e_winpath "$app/")"


cap_start_app
app_window=$(e2e_driver find-window Dovrant | head -n 1)
set_open_dialog
set_click "$caption"
PICKER=$(e2e_driver wait-window "$caption" 10) || e2e_fail "no window $caption within 10 s"
TREE=$(e2e_driver window-children "$PICKER" | awk -F'\t' '$2 == "SysTreeView32" {print $1}')
[[ -n $TREE ]] || e2e_fail "no tree view in the picker"
wait_tree '$2 ~ /^selected/ && $4 == "app"' "app is not selected"
e2e_driver find-class VirelocShellAnswers >/dev/null || e2e_fail "the picker's answer window is missing"

report=$(e2e_driver junk-messages "$app_window") || e2e_fail "forged messages: $report"
e2e_log "forged: $report"
e2e_driver find-window Dovrant >/dev/null || e2e_fail "the program is gone after the forged messages"

e2e_driver foreground "$PICKER" >/dev/null
xdotool key Right
wait_tree '$4 == "shots"' "app's subfolder shots did not appear after the forged messages"
xdotool key Down
wait_tree '$2 ~ /^selected/ && $4 == "shots"' "shots is not selected after the Down key"
xdotool key Return
e2e_driver wait-no-window "$caption" 10 || e2e_fail "Enter did not close the picker"
e2e_driver post "$SET_DIALOG" 0x0010 0 0 >/dev/null
e2e_driver wait-no-window "$SET_CAPTION" 10 || e2e_fail "the settings dialog did not close"

cap_press Print "$app/shots" bmp
e2e_log "capture after the forged messages: $CAP_FILE"
cap_stop_app
