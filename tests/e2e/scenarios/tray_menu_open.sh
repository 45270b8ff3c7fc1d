#!/usr/bin/env bash
# A right press on the tray icon opens the menu at the pointer: every caption in order, the
# Help submenu, the separators and one bold item; Help is only available with vrl.chm (a
# file, not a folder) beside the program. Escape closes the menu and the program runs on.
# Leaves menu.png, a picture of the open menu, for review even when passing.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
e2e_begin tray_menu_open

# Right press with the pointer at desktop (300, 200), as the shell reports it; prints the
# handle of the menu window.
open_menu() {
  local origin menu
  origin=$(xdotool search --name '^shell - ' getwindowgeometry %@ 2>/dev/null | awk '/Position/ {print $2; exit}')
  xdotool mousemove $((${origin%,*} + 300)) $((${origin#*,} + 200))
  # Keys reach the X window with the input focus. Once another program of the session has
  # ended, that is Wine's taskbar and the menu never sees them; a user would click the desktop.
  xdotool windowfocus --sync "$(xdotool search --name '^shell - ' | head -n 1)"
  e2e_driver tray-callback 0x204 || e2e_fail "could not send the right press"
  for _ in $(seq 50); do
    menu=$(e2e_driver find-class '#32768' 2>/dev/null) && { echo "$menu"; return 0; }
    sleep 0.1
  done
  e2e_fail "no menu opened after the right press"
}

close_menu_with_escape() {
  xdotool key Escape
  for _ in $(seq 50); do
    e2e_driver find-class '#32768' >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  e2e_fail "the menu is still open after Escape"
}

# Items as menu-items prints them (path, flags, caption) with the Help item's flags given.
expected_items() {
  printf '%s\n' "0	default	App最小化(&N)" "1	-	App元サイズ化(&R)" "2	-	全窓最小化/復元(&D)" \
    "3	-	D＆Dアドレス返し機能(&A)" "4	separator	" "5	grayed	クリップボード消去(&U)" \
    "6	-	クリップボード拡張自動ポップアップ一時有効(&C)" "7	-	クリップボード拡張表示(&S)" \
    "8	separator	" "9	-	設定(&O)" "10	separator	" "11	submenu	ヘルプ(&H)" \
    "11.0	$1	ヘルプ(&H)" "11.1	-	最新版確認(&V)" "11.2	-	About(&A)" "12	separator	" \
    "13	-	終了(&X)"
}

check_items() {  # <flags of the Help item> <when>
  local actual
  actual=$(e2e_driver menu-items) || e2e_fail "menu-items failed $2"
  [[ $actual == "$(expected_items "$1")" ]] || e2e_fail "menu items $2 differ:
$(diff <(expected_items "$1") <(echo "$actual") | sed 's/^/    /')"
}

e2e_driver clipboard-clear || e2e_fail "could not empty the clipboard"
e2e_start_app
e2e_wait_ready

menu=$(open_menu)
check_items grayed "without vrl.chm"
e2e_assert_eq 1 "$(e2e_driver menu-items | grep -c default)" "number of bold items"
e2e_assert_eq "300 200" "$(e2e_driver window-rect "$menu" | cut -d' ' -f1,2)" "menu's top-left corner (the pointer)"
e2e_screenshot "$E2E_RESULTS/menu.png" || e2e_fail "could not take the screenshot of the menu"
close_menu_with_escape
e2e_alive "$E2E_APP_PID" || e2e_fail "the program ended when the menu was closed"

mkdir "$E2E_WORK/app/vrl.chm"
open_menu >/dev/null
check_items grayed "with a folder named vrl.chm"
close_menu_with_escape

rmdir "$E2E_WORK/app/vrl.chm"
echo 'not really help' >"$E2E_WORK/app/vrl.chm"
open_menu >/dev/null
check_items - "with vrl.chm"
close_menu_with_escape

e2e_alive "$E2E_APP_PID" || e2e_fail "the program ended after the menu was closed"
e2e_stop_app
