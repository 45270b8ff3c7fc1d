#!/usr/bin/env bash
# The folder picker "ディレクトリ選択", opened by the settings dialog's button of that name: a
# 324x431 client area at (303, 115) with no title-bar buttons and no taskbar button, a real shell
# folder tree with both scroll bars, open down to ClipAddr with that folder selected and the
# keyboard focus in the tree. The shell's context menu opens on a right click. Opening the
# selected folder with the Right key and moving down with the Down key, then clicking OK, makes
# its subfolder the save folder at once and fills the dialog's folder box: the next PrintScreen
# lands there (the dialog cancelled), and the settings file has it after the program's exit.
# Leaves test-results/e2e/folder_picker/folder_picker.png for review (docs/screenshots holds one
# from a run).
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../capture_lib.sh"
source "$(dirname "$0")/../tray_lib.sh"
source "$(dirname "$0")/../settings_lib.sh"
e2e_begin folder_picker
caption="ディレクトリ選択"
app=$E2E_WORK/app
mkdir -p "$app/shots"
cap_settings "ClipAddr=$(e2e_winpath "$app/")"

selected_item() { awk -F'\t' '$2 ~ /^selected/ {print $1 "\t" $4}' <<<"$(tree_items)"; }

click_control() {  # <window> <control left top width height in its client area>
  local cx cy ox oy
  read -r cx cy < <(e2e_driver client-origin "$1")
  read -r ox oy < <(e2e_desktop_origin) || exit 1
  xdotool mousemove $((ox + cx + $2 + $4 / 2)) $((oy + cy + $3 + $5 / 2)) click "${6:-1}"
}

cap_start_app
app_window=$(e2e_driver find-window Dovrant | head -n 1)
set_open_dialog
set_click "$caption"
PICKER=$(e2e_driver wait-window "$caption" 10) || e2e_fail "no window $caption within 10 s"

info=$(e2e_driver window-info "$PICKER")
e2e_assert_eq "client 324 431" "$(sed -n 1p <<<"$info")" "client area"
style=$(awk '$1 == "style" {print $2}' <<<"$info")
exstyle=$(awk '$1 == "exstyle" {print $2}' <<<"$info")
((style & 0x80000)) && e2e_fail "the title bar has buttons (WS_SYSMENU): style $style"
((style & 0x40000)) && e2e_fail "the window can be resized (WS_THICKFRAME): style $style"
((exstyle & 0x40000)) && e2e_fail "a taskbar button of its own (WS_EX_APPWINDOW): exstyle $exstyle"
owner=$(e2e_driver list-windows | awk -F'\t' -v w="$PICKER" '$1 == w {print $4}')
e2e_assert_eq "$app_window" "$owner" "owner (the hidden application window: no taskbar button)"
e2e_assert_eq "303 115" "$(e2e_driver window-rect "$PICKER" | cut -d' ' -f1,2)" "place"

children=$(e2e_driver window-children "$PICKER")
TREE=$(awk -F'\t' '$2 == "SysTreeView32" {print $1}' <<<"$children")
[[ -n $TREE ]] || e2e_fail "no tree view among the controls: $children"
read -r cx cy < <(e2e_driver client-origin "$PICKER")
place_of() { local x y w h; read -r x y w h < <(e2e_driver window-rect "$1"); echo "$((x - cx)) $((y - cy)) $w $h"; }
e2e_assert_eq "16 8 289 369" "$(place_of "$TREE")" "tree place and size"
for button in "OK 112 392 65 25" "Cancel 192 392 73 25"; do
  handle=$(awk -F'\t' -v t="${button%% *}" '$2 == "Button" && $3 == t {print $1}' <<<"$children")
  [[ -n $handle ]] || e2e_fail "no button ${button%% *}: $children"
  e2e_assert_eq "${button#* }" "$(place_of "$handle")" "place and size of ${button%% *}"
done
tree_style=$(e2e_driver window-info "$TREE" | awk '$1 == "style" {print $2}')
(((tree_style & 0x300000) == 0x300000)) || e2e_fail "scroll bars hidden: tree style $tree_style"

# Open down to ClipAddr: the desktop, ..., tmp, the scenario's folder, and app selected.
wait_tree '$2 ~ /^selected/ && $4 == "app"' "app is not selected"
rows=$(tree_items)
e2e_assert_eq "0" "$(head -n 1 <<<"$rows" | cut -f1)" "depth of the first row (the desktop)"
awk -F'\t' -v name="${E2E_WORK##*/}" '$2 ~ /expanded/ && $4 == name {found = 1} END {exit !found}' <<<"$rows" ||
  e2e_fail "the scenario's folder ${E2E_WORK##*/} is not open: $rows"
e2e_assert_eq "$(e2e_driver focus)" "$TREE" "keyboard focus after opening"

read -r ox oy < <(e2e_desktop_origin) || exit 1
import -display "$DISPLAY" -window root -crop "340x470+$((ox + 296))+$((oy + 108))" +repage \
  "$E2E_RESULTS/folder_picker.png" || e2e_fail "could not take the screenshot"

# The shell's context menu of the selected folder.
read -r ix iy iw ih < <(awk -F'\t' '$2 ~ /^selected/ {print $3}' <<<"$rows")
read -r tx ty < <(e2e_driver client-origin "$TREE")
xdotool mousemove $((ox + tx + ix + iw / 2)) $((oy + ty + iy + ih / 2)) click 3
for _ in $(seq 50); do menu=$(e2e_driver menu-items 2>/dev/null) && [[ -n $menu ]] && break; sleep 0.2; done
[[ -n ${menu:-} ]] || e2e_fail "no context menu after a right click on app"
e2e_log "context menu of app: $(cut -f3 <<<"$menu" | xargs)"
xdotool key Escape
for _ in $(seq 50); do e2e_driver menu-items >/dev/null 2>&1 || break; sleep 0.2; done
e2e_driver foreground "$PICKER" >/dev/null

xdotool key Right
wait_tree '$4 == "shots"' "app's subfolder shots did not appear after the Right key"
xdotool key Down
wait_tree '$2 ~ /^selected/ && $4 == "shots"' "shots is not selected after the Down key"
click_control "$PICKER" 112 392 65 25
e2e_driver wait-no-window "$caption" 10 || e2e_fail "OK did not close the picker"
e2e_driver window-children "$SET_DIALOG" | cut -f3 | grep -qxF "$(e2e_winpath "$app/shots/")" ||
  e2e_fail "the dialog's folder box does not show the picked folder"
e2e_driver post "$SET_DIALOG" 0x0010 0 0 >/dev/null  # closed without OK: the pick stays
e2e_driver wait-no-window "$SET_CAPTION" 10 || e2e_fail "the settings dialog did not close"

cap_press Print "$app/shots" bmp
e2e_log "capture after the pick: $CAP_FILE"
cap_stop_app
e2e_assert_eq "$(e2e_winpath "$app/shots/")" "$(e2e_ini_value "$app/vireloc.ini" Settings.ClipAddr)" \
  "ClipAddr in the settings file after exit"
