#!/usr/bin/env bash
# D＆Dアドレス返し機能(&A) in the tray menu opens "D&Dファイルアドレス返し": a fixed 389x40 client
# area with a close box only, a taskbar button of its own and a read-only box, at the saved
# DragWindow place. Three files dropped on it at once (a DROPFILES block the driver writes into
# the program and a posted WM_DROPFILES, as the shell delivers a drop): the box shows the first
# one's full path, longer than 255 bytes and with characters outside code page 932, and with
# D&D=1 that path is the clipboard's text and the history's first row. A real OLE drag of another
# such file from a driver window, carried by the X pointer and dropped on the box, is shown and
# copied likewise (Wine's shell drags by OLE alone). A second command opens a second window;
# the place of the one closed is saved. Leaves
# test-results/e2e/drop_window/drop_window.png for review (docs/screenshots holds one from a run).
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../tray_lib.sh"
source "$(dirname "$0")/../dialog_lib.sh"
e2e_begin drop_window
caption="D&Dファイルアドレス返し"
ini=$E2E_WORK/app/vireloc.ini
printf '%s\r\n' '[Settings]' 'D&D=1' '[DragWindow]' 'Top=150' 'Left=120' >"$ini"

# A real file whose path is long and holds Korean and a snowman, neither of them in CP932.
folder=$E2E_WORK/files/$(printf 'データ%.0s' $(seq 12))/$(printf 'x%.0s' $(seq 200))
mkdir -p "$folder"
touch "$folder/한글 ☃.txt" "$E2E_WORK/files/second.txt"
first=$(e2e_winpath "$folder/한글 ☃.txt")
(($(printf '%s' "$first" | iconv -f UTF-8 -t UTF-16LE | wc -c) / 2 > 255)) || e2e_fail "test path too short"

open_drop_window() {
  tray_open_menu
  xdotool key a
  tray_wait_menu_closed "pressing A"
}

e2e_start_app
e2e_wait_ready
open_drop_window
window=$(e2e_driver wait-window "$caption" 10) || e2e_fail "no window $caption within 10 s of choosing it"

dlg_assert_frame "$window" 389 40
read -r x y _ < <(e2e_driver window-rect "$window")
e2e_assert_eq "120 150" "$x $y" "place from DragWindow"
box=$(e2e_driver window-children "$window" | awk -F'\t' '$2 == "Edit" {print $1; exit}')
[[ -n $box ]] || e2e_fail "no text box in $caption"
((($(e2e_driver window-info "$box" | awk '$1 == "style" {print $2}') & 0x10800) == 0x800)) ||
  e2e_fail "the box is not read-only (ES_READONLY) or is reached by Tab (WS_TABSTOP)"

e2e_driver clipboard-set-text before >/dev/null
e2e_driver drop-files "$window" "$first" "$(e2e_winpath "$E2E_WORK/files/second.txt")" 'C:\windows' ||
  e2e_fail "the driver could not drop the files"
for _ in $(seq 50); do
  shown=$(e2e_driver window-children "$window" | awk -F'\t' '$2 == "Edit" {print $3}')
  [[ -n $shown ]] && break
  sleep 0.2
done
e2e_assert_eq "$first" "$shown" "path in the box"
e2e_assert_eq "$first" "$(e2e_driver clipboard-get-text)" "clipboard text after the drop"

dlg_screenshot "$window" "$E2E_RESULTS/drop_window.png"

# The history heard of the copy like of any text.
tray_open_menu
xdotool key s
tray_wait_menu_closed "pressing S"
history=$(e2e_driver wait-window "クリップボードログ" 10) || e2e_fail "no history window"
list=$(e2e_driver window-children "$history" | awk -F'\t' '$2 == "ListBox" {print $1; exit}')
# A row holds the start of its text (256 UTF-8 bytes, more than the cell shows); this path is longer.
row=$(e2e_driver list-box-items "$list" | sed -n 2p | cut -f2-)
[[ ${#row} -ge 85 && $first == "$row"* ]] ||
  e2e_fail "history row 0 is not the start of the dropped path: '$row'"

# A real OLE drag: a left press on the driver's source window starts DoDragDrop with the file
# as CF_HDROP; the X pointer carries it onto the box and the release drops it there.
dragged="$folder/끌어놓기 ☃.txt"
touch "$dragged"
drag_out=$E2E_RESULTS/drag.out
drag_wait() {  # <line pattern> <what>: waits for the drag's report to print such a line
  for _ in $(seq 100); do
    tr -d '\r' <"$drag_out" | grep -qx "$1" && return 0
    sleep 0.1
  done
  xdotool mouseup 1  # not left held for what comes next
  e2e_fail "$2: the drag reported '$(tr -d '\r' <"$drag_out" | tr '\n' ' ')'"
}
e2e_driver foreground "$window" >/dev/null
e2e_driver_bg "$drag_out" drag-files 30 "$(e2e_winpath "$dragged")"
drag_wait 'source [0-9]* [0-9]*' "no drag source shown"
read -r _ sx sy < <(tr -d '\r' <"$drag_out" | grep '^source ')
read -r bx by bw bh < <(e2e_driver window-rect "$box")
tray_mousemove "$sx" "$sy"
xdotool mousedown 1
drag_wait dragging "no drag after the press"
for step in 1 2 3 4; do
  tray_mousemove $((sx + (bx + bw / 2 - sx) * step / 4)) $((sy + (by + bh / 2 - sy) * step / 4))
  sleep 0.1
done
drag_wait 'feedback copy' "the box did not take the drag as a copy"
xdotool mouseup 1
drag_wait 'dropped copy' "no drop on the box"
for _ in $(seq 50); do
  shown=$(e2e_driver window-children "$window" | awk -F'\t' '$2 == "Edit" {print $3}')
  [[ $shown == "$(e2e_winpath "$dragged")" ]] && break
  sleep 0.2
done
e2e_assert_eq "$(e2e_winpath "$dragged")" "$shown" "path in the box after the OLE drag"
e2e_assert_eq "$(e2e_winpath "$dragged")" "$(e2e_driver clipboard-get-text)" "clipboard text after the OLE drag"

open_drop_window
for _ in $(seq 50); do
  (($(e2e_driver find-window "$caption" | grep -c .) == 2)) && break
  sleep 0.2
done
e2e_assert_eq 2 "$(e2e_driver find-window "$caption" | grep -c .)" "drop windows after a second command"
e2e_driver move-window "$window" 60 70 >/dev/null
e2e_driver post "$window" "$E2E_WM_CLOSE" 0 0 >/dev/null
for _ in $(seq 50); do
  (($(e2e_driver find-window "$caption" | grep -c .) == 1)) && break
  sleep 0.2
done
e2e_assert_eq 1 "$(e2e_driver find-window "$caption" | grep -c .)" "drop windows after closing the first"

e2e_stop_app
e2e_assert_eq "70 60" "$(e2e_ini_value "$ini" DragWindow.Top) $(e2e_ini_value "$ini" DragWindow.Left)" \
  "DragWindow place saved at the close"
