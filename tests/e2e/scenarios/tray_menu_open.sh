#!/usr/bin/env bash
# A right press on the tray icon opens the menu at the pointer: every caption in order, the
# Help submenu, the separators and one bold item; Help is only available with vrl.chm (a
# file, not a folder) beside the program. Escape closes the menu and the program runs on.
# A real right click on the icon in the notification area opens the menu too.
# Leaves menu.png, a picture of the desktop with the open menu, for review even when passing.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../tray_lib.sh"
e2e_begin tray_menu_open

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
  [[ $TRAY_MENU_ITEMS == "$(expected_items "$1")" ]] || e2e_fail "menu items $2 differ:
$(diff <(expected_items "$1") <(echo "$TRAY_MENU_ITEMS") | sed 's/^/    /')"
}

e2e_driver clipboard-clear || e2e_fail "could not empty the clipboard"
rm -f "$E2E_WORK/app/vrl.chm"  # shipped in dist/; its absence is tested first
e2e_start_app
e2e_wait_ready

tray_open_menu
check_items grayed "without vrl.chm"
e2e_assert_eq 1 "$(grep -c default <<<"$TRAY_MENU_ITEMS")" "number of bold items"
e2e_assert_eq "300 200" "$(e2e_driver window-rect "$TRAY_MENU" | cut -d' ' -f1,2)" "menu's top-left corner (the pointer)"
read -r ox oy < <(e2e_desktop_origin) || exit 1
import -display "$DISPLAY" -window root -crop "$E2E_DESKTOP_SIZE+$ox+$oy" +repage "$E2E_RESULTS/menu.png" ||
  e2e_fail "could not take the screenshot of the menu"
tray_close_menu_with_escape
e2e_alive "$E2E_APP_PID" || e2e_fail "the program ended when the menu was closed"

mkdir "$E2E_WORK/app/vrl.chm"
tray_open_menu
check_items grayed "with a folder named vrl.chm"
tray_close_menu_with_escape

rmdir "$E2E_WORK/app/vrl.chm"
echo 'not really help' >"$E2E_WORK/app/vrl.chm"
tray_open_menu
check_items - "with vrl.chm"
tray_close_menu_with_escape

# A real right click on the icon, where the shell shows it, opens the same menu at the pointer:
# the screen's corner and the taskbar push it up and left, so it ends just above the click.
read -r icon_x icon_y < <(tray_icon_middle) || exit 1
tray_click_icon 3
tray_wait_menu "a right click on the icon"
check_items - "opened by a right click on the icon"
read -r left top width height < <(e2e_driver window-rect "$TRAY_MENU")
((left <= icon_x && icon_x <= left + width && top + height <= icon_y && icon_y - (top + height) <= 20)) ||
  e2e_fail "the menu ($left $top ${width}x$height) is not just above the click ($icon_x $icon_y)"
# Under Wine, Escape pressed with the pointer still on the notification area does not reach
# the menu; a user's pointer moves onto the menu first.
tray_mousemove $((left + width / 2)) $((top + height / 2))
tray_close_menu_with_escape

e2e_alive "$E2E_APP_PID" || e2e_fail "the program ended after the menu was closed"
e2e_stop_app
