#!/usr/bin/env bash
# OK in the folder picker before its tree has opened down to the save folder keeps that folder:
# the save folder lies below a folder of 20,000 subfolders, so the picker's walk there takes a
# while, and Enter is pressed as soon as the picker shows. The settings dialog's folder box still
# holds the save folder, no "no folder selected" box appears, and the next capture lands there.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../capture_lib.sh"
source "$(dirname "$0")/../tray_lib.sh"
source "$(dirname "$0")/../settings_lib.sh"
e2e_begin folder_picker_early_ok
caption="ディレクトリ選択"
crowd=$E2E_WORK/crowd
mkdir -p "$crowd/zz_shots"
(cd "$crowd" && seq -f "d%05g" 1 20000 | xargs mkdir)
shots_win=$(e2e_winpath "$crowd/zz_shots/")
cap_settings "ClipAddr=$shots_win"

cap_start_app
set_open_dialog
set_click "$caption"
PICKER=$(e2e_driver wait-window "$caption" 10) || e2e_fail "no window $caption within 10 s"
TREE=$(e2e_driver window-children "$PICKER" | awk -F'\t' '$2 == "SysTreeView32" {print $1}')
# Proof that Enter comes first: the tree has not reached the save folder yet.
if tree_items | awk -F'\t' '$4 == "zz_shots" {f = 1} END {exit !f}'; then
  e2e_fail "the tree had reached zz_shots before Enter; the scenario proves nothing"
fi
e2e_driver foreground "$PICKER" >/dev/null
xdotool key Return
e2e_driver wait-no-window "$caption" 60 || e2e_fail "Enter did not close the picker within 60 s"
! cap_message_box 2 >/dev/null || e2e_fail "a message box after Enter: $(e2e_driver window-children "$(cap_message_box 0)")"
e2e_driver window-children "$SET_DIALOG" | cut -f3 | grep -qxF "$shots_win" ||
  e2e_fail "the dialog's folder box lost the save folder: $(e2e_driver window-children "$SET_DIALOG" | cut -f2,3 | grep Edit)"
e2e_driver post "$SET_DIALOG" 0x0010 0 0 >/dev/null
e2e_driver wait-no-window "$SET_CAPTION" 10 || e2e_fail "the settings dialog did not close"

cap_press Print "$crowd/zz_shots" bmp
cap_stop_app
e2e_assert_eq "$shots_win" "$(e2e_ini_value "$E2E_WORK/app/vireloc.ini" Settings.ClipAddr)" "ClipAddr after exit"
