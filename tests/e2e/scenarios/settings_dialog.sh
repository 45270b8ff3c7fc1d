#!/usr/bin/env bash
# 設定(&O) in the tray menu opens "Vireloc : 設定": a fixed 421x453 client area with a close box
# only and a taskbar button of its own, every control at its place with its text. The arrow
# keys move among a group's choices and Tab to the next group. Real clicks change every
# setting, Enter presses OK, and the settings file holds them all; a second 設定 command while
# the dialog is open opens no second one. Leaves
# test-results/e2e/settings_dialog/settings_dialog.png for review (docs/screenshots holds one from a run).
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../tray_lib.sh"
source "$(dirname "$0")/../dialog_lib.sh"
e2e_begin settings_dialog
source "$E2E_ROOT/tests/e2e/settings_lib.sh"
ini=$E2E_WORK/app/vireloc.ini
other=$E2E_WORK/other
mkdir -p "$other"
printf '%s\r\n' '[Settings]' "ClipAddr=$(e2e_winpath "$other/")" '[VRLClipboard]' 'AutoPopup=1' >"$ini"

e2e_start_app
e2e_wait_ready
set_open_dialog

dlg_assert_frame "$SET_DIALOG" 421 453

children=$(e2e_driver window-children "$SET_DIALOG")
e2e_assert_eq 36 "$(grep -c . <<<"$children")" "number of controls"
e2e_assert_eq "33 2 1" "$(for class in Button Edit Static; do awk -F'\t' -v c="$class" '$2 == c' <<<"$children" | grep -c .; done | xargs)" \
  "buttons, edit boxes and labels"
read -r cx cy < <(e2e_driver client-origin "$SET_DIALOG")
# text, occurrence, then left top width height in the client area
while IFS='|' read -r text n expected; do
  read -r x y w h < <(e2e_driver window-rect "$(set_control "$text" "$n")")
  e2e_assert_eq "$expected" "$((x - cx)) $((y - cy)) $w $h" "place of '$text' (#$n)"
done <<END
Default Click|1|8 8 177 89
全App最小化|1|16 24 161 17
全App最小化/復元|1|16 48 161 17
全窓最小化/復元|1|16 72 161 17
Drag And Drop設定|1|8 104 177 73
PrintScreenKeyの自動保存|1|8 184 177 65
クリップボード画像監視保存|1|8 256 177 57
PrintScreen設定|1|192 8 217 265
カーソル描画|1|200 24 201 49
保存形式|1|200 80 201 73
クリップボードにも保存|1|200 160 201 49
$(e2e_winpath "$other/")|1|200 216 201 20
アプリPath|1|200 240 81 25
ディレクトリ選択|1|296 240 105 25
手動でクリップボードにコピー|1|16 120 167 27
クリップボード拡張機能|1|232 280 177 73
言語設定|1|8 320 217 73
|1|16 336 201 20
言語ファイル選択|1|120 360 99 25
OK|1|160 408 57 25
Cancel|1|224 408 57 25
END
read -r x y w h < <(e2e_driver window-rect "$(set_control 日本語)")
e2e_assert_eq "16 360" "$((x - cx)) $((y - cy))" "place of the label 日本語 (sized to its text: $w x $h)"
e2e_assert_eq "unchecked disabled" "$(e2e_driver control-state "$(set_control 言語ファイル選択)")" "言語ファイル選択"
set_wait_state 自動ポップアップ有効 1 "checked enabled"

dlg_screenshot "$SET_DIALOG" "$E2E_RESULTS/settings_dialog.png"

tray_open_menu
xdotool key o
tray_wait_menu_closed "pressing O a second time"
sleep 1  # a second dialog would have been made by now
e2e_assert_eq 1 "$(e2e_driver find-class TForm2 | grep -c .)" "settings dialogs after a second 設定(&O)"

# The arrow keys move the choice within a group, Tab goes on to the next group.
set_click 手動でクリップボードにコピー
set_wait_state 手動でクリップボードにコピー 1 "checked enabled"
xdotool key Down
set_wait_state 自動でクリップボードにコピー 1 "checked enabled"
set_wait_state 手動でクリップボードにコピー 1 "unchecked enabled"
xdotool key Up
set_wait_state 手動でクリップボードにコピー 1 "checked enabled"
set_wait_state 自動でクリップボードにコピー 1 "unchecked enabled"
xdotool key Tab
set_wait_focus 有効 1

# The folder button first: a focused push button would take the Enter meant for OK.
set_click アプリPath
for choice in "全App最小化/復元 1" "自動でクリップボードにコピー 1" "有 1" "PNG 1" "有 2" "有効 2" "自動ポップアップ無効 1"; do
  read -r text n <<<"$choice"
  set_click "$text" "$n"
  set_wait_state "$text" "$n" "checked enabled"
done
e2e_driver foreground "$SET_DIALOG" >/dev/null
xdotool key Return
e2e_driver wait-no-window "$SET_CAPTION" 10 || e2e_fail "Enter did not close the dialog with OK"

saved=$(for key in Settings.DefaultClick Settings.D\&D Settings.ClipAddr Settings.ClipCpCursor \
  Settings.SaveFormat Settings.SaveClip Settings.ClipEnable Settings.ImageClipSave VRLClipboard.AutoPopup; do
  e2e_ini_value "$ini" "$key"; done | paste -sd " ")
e2e_assert_eq "DovrantRe 1 $(e2e_winpath "$E2E_WORK/app/") 1 2 1 0 0 0" "$saved" \
  "DefaultClick D&D ClipAddr ClipCpCursor SaveFormat SaveClip ClipEnable ImageClipSave AutoPopup"

e2e_alive "$E2E_APP_PID" || e2e_fail "the program ended"
e2e_stop_app
