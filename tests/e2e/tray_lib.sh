# shellcheck shell=bash disable=SC2034 # TRAY_MENU and TRAY_MENU_ITEMS are read by the scenarios
# Helpers of the tray scenarios (tests/e2e/scenarios/tray_*.sh), sourced after lib.sh and
# e2e_begin: the desktop kept up, the tray menu (opened with the shell's right press, or a
# real click on the icon; read with the driver's menu-items) and the icon, found by its pink
# (#FF00AA), a colour nothing else on Wine's desktop uses, or by where the shell shows it.

TRAY_MENU=""        # handle of the open menu window, set by tray_open_menu
TRAY_MENU_ITEMS=""  # its items as menu-items prints them (path, flags, caption), likewise

tray_mousemove() {  # <desktop x> <desktop y>
  local ox oy
  read -r ox oy < <(e2e_desktop_origin) || exit 1
  xdotool mousemove $((ox + $1)) $((oy + $2))
}

# tray_open_menu [x y]: right press with the pointer at desktop (x, y), (300, 200) unless
# given; returns once the menu is shown and its items can be read, with TRAY_MENU and
# TRAY_MENU_ITEMS set. A menu window exists a moment before it is shown, and menu-items
# reads only a shown one, so the items themselves are what is waited for.
tray_open_menu() {
  tray_mousemove "${1:-300}" "${2:-200}"
  e2e_focus_desktop
  # The icon's window is made a moment after the program's first window.
  e2e_wait_until 15 e2e_driver tray-callback 0x204 ||
    e2e_fail "could not send the right press" "$(tail -n 2 "$E2E_RESULTS/driver.log")"
  tray_wait_menu "the right press"
}

tray_wait_menu() {  # <after what>: sets TRAY_MENU and TRAY_MENU_ITEMS once the menu is shown
  local _
  for _ in $(seq 50); do
    if TRAY_MENU_ITEMS=$(e2e_driver menu-items 2>/dev/null) && [[ -n $TRAY_MENU_ITEMS ]]; then
      TRAY_MENU=$(e2e_driver find-class '#32768' | tail -n 1) && return 0
    fi
    sleep 0.1
  done
  e2e_fail "no readable menu within 5 s of $1; the driver last said: $(tail -n 1 "$E2E_RESULTS/driver.log")"
}

# The program's icon in the notification area, by its tip (the program's title).
tray_icon_line() { e2e_driver tray-icons | awk -F'\t' '$2 == "Vireloc" { print $1; f = 1 } END { exit !f }'; }

# Prints "x y": the middle of the program's icon on the desktop, as the shell places it.
tray_icon_middle() {
  local line left top width height
  e2e_wait_until 15 tray_icon_line >/dev/null && line=$(tray_icon_line) ||
    e2e_fail "no icon with the tip Vireloc in the notification area within 15 s:
$(e2e_driver tray-icons)"
  read -r left top width height <<<"$line"
  echo "$((left + width / 2)) $((top + height / 2))"
}

# tray_click_icon <xdotool button>: a real click on the icon, as a user gives it.
tray_click_icon() {
  local x y
  read -r x y < <(tray_icon_middle) || exit 1
  tray_mousemove "$x" "$y"
  e2e_focus_desktop  # so the menu it opens takes keys
  xdotool click "$1"
}

tray_item_flags() {  # <caption>: flags of that item in TRAY_MENU_ITEMS
  awk -F'\t' -v caption="$1" '$3 == caption { print $2 }' <<<"$TRAY_MENU_ITEMS"
}

tray_menu_gone() { ! e2e_driver find-class '#32768' >/dev/null 2>&1; }

tray_wait_menu_closed() {  # <after what>
  e2e_wait_until 15 tray_menu_gone ||
    e2e_fail "the menu is still open after $1" "$(e2e_driver menu-items 2>/dev/null)"
}

# tray_open_submenu <key>: opens the submenu of the open menu with that key and returns
# once it is shown; a key pressed before that would go to the parent menu.
tray_open_submenu() {
  xdotool key "$1"
  e2e_wait_until 15 tray_menus_shown 2 ||
    e2e_fail "no submenu shown within 15 s of pressing $1"
}

tray_menus_shown() {  # <count>: at least that many popup menus are shown
  (($(e2e_driver list-windows 2>/dev/null | awk -F'\t' '$2 == "#32768" && $3 == 1' | wc -l) >= $1))
}

tray_close_menu_with_escape() {
  xdotool key Escape
  tray_wait_menu_closed Escape
}

# tray_pink_pixels <picture name>: count of pixels near the icon's pink in the bottom-right
# 240x48 of the desktop (the notification area); the picture stays in the results.
# Checks made after the program has ended need e2e_keep_desktop.
tray_pink_pixels() {
  local ox oy picture=$E2E_RESULTS/$1.png
  read -r ox oy < <(e2e_desktop_origin) || exit 1
  import -display "$DISPLAY" -window root -crop "240x48+$((ox + 1024 - 240))+$((oy + 768 - 48))" \
    +repage "$picture" || e2e_fail "could not take a picture of the notification area"
  convert "$picture" -alpha off -fuzz 12% -fill black +opaque '#FF00AA' \
    -fill white -opaque '#FF00AA' -format '%[fx:round(mean*w*h)]' info:
}

# tray_wait_icon <shown|gone> <picture name>: waits up to 10 s for the shell to draw the
# icon (20 pink pixels or more) or to take it away (none).
tray_wait_icon() {
  local count=0 _
  for _ in $(seq 20); do
    count=$(tray_pink_pixels "$2")
    [[ $1 == shown ]] && ((count >= 20)) && return 0
    [[ $1 == gone ]] && ((count == 0)) && return 0
    sleep 0.5
  done
  e2e_fail "tray icon not $1: $count pink pixels in the notification area (see $2.png)"
}
