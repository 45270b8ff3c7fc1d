#!/usr/bin/env bash
# "クリップボード拡張表示(&S)" in the tray menu opens the history window "クリップボードログ": a 133x129
# client area filled by one list of five 24-pixel rows with their grid lines, a taskbar button
# of its own, no sizing frame, the menu 機能(&F). The first time it stands in the lower-right
# corner of the work area and the settings file holds that place at once; the tray item is
# greyed while it is open. Closed from its own menu and reopened, it stands where it was left.
# Leaves test-results/e2e/history_window/history_window.png for review (docs/screenshots holds one from a run).
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../tray_lib.sh"
e2e_begin history_window
show_caption="クリップボード拡張表示(&S)"
caption="クリップボードログ"
ini=$E2E_WORK/app/vireloc.ini
WINDOW=""

open_history_window() {
  tray_open_menu
  e2e_assert_eq - "$(tray_item_flags "$show_caption")" "flags of $show_caption with no history window"
  xdotool key s
  tray_wait_menu_closed "pressing S"
  WINDOW=$(e2e_driver wait-window "$caption" 10) ||
    e2e_fail "no window $caption within 10 s of choosing $show_caption"
}

assert_saved_place() {  # <left> <top> <width> <height> <when>
  local saved
  saved=$(for key in Left Top Width Height; do e2e_ini_value "$ini" "VRLClipboard.$key"; done | xargs)
  e2e_assert_eq "$1 $2 $3 $4" "$saved" "VRLClipboard Left Top Width Height $5"
}

e2e_start_app
e2e_wait_ready
open_history_window

info=$(e2e_driver window-info "$WINDOW")
e2e_assert_eq "client 133 129" "$(sed -n 1p <<<"$info")" "client area"
style=$(awk '$1 == "style" {print $2}' <<<"$info")
exstyle=$(awk '$1 == "exstyle" {print $2}' <<<"$info")
((exstyle & 0x40000)) || e2e_fail "no taskbar button of its own (WS_EX_APPWINDOW): exstyle $exstyle"
((style & 0x40000)) && e2e_fail "the window can be resized (WS_THICKFRAME): style $style"
((style & 0x10000)) && e2e_fail "the window has a maximise box: style $style"
((style & 0x20000)) || e2e_fail "the window has no minimise box: style $style"

children=$(e2e_driver window-children "$WINDOW")
e2e_assert_eq 1 "$(grep -c . <<<"$children")" "number of controls (they are: $children)"
list=$(awk -F'\t' '$2 == "ListBox" {print $1}' <<<"$children")
[[ -n $list ]] || e2e_fail "the control is no list box: $children"
read -r cx cy < <(e2e_driver client-origin "$WINDOW")
read -r lx ly lw lh < <(e2e_driver window-rect "$list")
e2e_assert_eq "0 0 133 129" "$((lx - cx)) $((ly - cy)) $lw $lh" "list box place and size in the client area"
items=$(e2e_driver list-box-items "$list")
e2e_assert_eq "item-height 25" "$(sed -n 1p <<<"$items")" "row height with its grid line"
e2e_assert_eq "0 1 2 3 4" "$(sed 1d <<<"$items" | cut -f1 | xargs)" "rows of the list"

read -r _ _ right bottom < <(e2e_driver work-area)
read -r left top width height < <(e2e_driver window-rect "$WINDOW")
e2e_assert_eq "$((right - width)) $((bottom - height))" "$left $top" "first place (lower-right corner of the work area $right x $bottom)"
assert_saved_place "$left" "$top" "$width" "$height" "right after the first opening"

read -r ox oy < <(e2e_desktop_origin) || exit 1
import -display "$DISPLAY" -window root -crop "1024x300+$ox+$((oy + 768 - 300))" +repage \
  "$E2E_RESULTS/history_window.png" || e2e_fail "could not take the screenshot"

tray_open_menu
e2e_assert_eq grayed "$(tray_item_flags "$show_caption")" "flags of $show_caption while the window is open"
tray_close_menu_with_escape

# Moved by the user, closed from its own menu with the keyboard.
e2e_driver move-window "$WINDOW" 200 150
e2e_driver foreground "$WINDOW" >/dev/null
xdotool key alt+f
for _ in $(seq 50); do menu=$(e2e_driver menu-items 2>/dev/null) && [[ -n $menu ]] && break; sleep 0.1; done
e2e_assert_eq "$(printf '%s\n' "0	grayed	オプション(&O)" "1	grayed	クリップボードログ消去(&E)" "2	separator	" "3	-	閉じる(&C)")" \
  "${menu:-}" "items of 機能(&F) with an empty history"
xdotool key c
e2e_driver wait-no-window "$caption" 10 || e2e_fail "閉じる(&C) did not close the window"
assert_saved_place "$left" "$top" "$width" "$height" "after closing (kept in memory until the next write)"

open_history_window
e2e_assert_eq "200 150 $width $height" "$(e2e_driver window-rect "$WINDOW")" "place when reopened"
assert_saved_place 200 150 "$width" "$height" "after reopening"

e2e_alive "$E2E_APP_PID" || e2e_fail "the program ended"
e2e_stop_app
