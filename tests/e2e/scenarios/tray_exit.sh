#!/usr/bin/env bash
# "終了(&X)" in the tray menu ends the program, chosen with a real click and, on a second
# start, with its accelerator key: the tray icon goes and the settings file holds all
# nineteen entries in order. The icon is found by its pink (#FF00AA), as in tray_icon_present.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
e2e_begin tray_exit
ini=$E2E_WORK/app/vireloc.ini

desktop_origin() {
  xdotool search --name '^shell - ' getwindowgeometry %@ 2>/dev/null | awk '/Position/ {print $2; exit}'
}

pink_pixels() {  # <picture name>: pixels near the icon's pink in the notification area
  local origin ox oy
  origin=$(desktop_origin); ox=${origin%,*}; oy=${origin#*,}
  import -display "$DISPLAY" -window root -crop "240x48+$((${ox:-0} + 1024 - 240))+$((${oy:-0} + 768 - 48))" \
    +repage "$E2E_RESULTS/$1.png"
  convert "$E2E_RESULTS/$1.png" -alpha off -fuzz 12% -fill black +opaque '#FF00AA' \
    -fill white -opaque '#FF00AA' -format '%[fx:round(mean*w*h)]' info:
}

wait_icon_shown() {
  local count=0
  for _ in $(seq 20); do
    count=$(pink_pixels running)
    ((count >= 20)) && return 0
    sleep 0.5
  done
  e2e_fail "tray icon not seen: $count pink pixels in the notification area (see running.png)"
}

# Right press with the pointer at desktop (300, 200); prints the handle of the menu window.
open_menu() {
  local origin menu
  origin=$(desktop_origin)
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

check_ended() {  # <how it was chosen>
  e2e_wait_exit "$E2E_APP_PID" 15 || e2e_fail "the program still runs 15 s after 終了 was chosen by $1"
  sleep 1  # the shell redraws the notification area
  e2e_assert_eq 0 "$(pink_pixels "after-$1")" "pink pixels after 終了 by $1 (see after-$1.png)"
  e2e_assert_default_ini "$ini"
}

e2e_start_app
e2e_wait_ready
wait_icon_shown
menu=$(open_menu)
[[ $(e2e_driver menu-items | tail -n 1) == $'13\t-\t終了(&X)' ]] || e2e_fail "終了(&X) is not the menu's last item"
# The last item lies along the menu's bottom edge, whatever the font makes the rows.
read -r left top width height < <(e2e_driver window-rect "$menu")
origin=$(desktop_origin)
xdotool mousemove $((${origin%,*} + left + width / 3)) $((${origin#*,} + top + height - 12))
sleep 0.2
xdotool click 1
check_ended click

rm -f "$ini"
e2e_start_app
e2e_wait_ready
wait_icon_shown
open_menu >/dev/null
xdotool key x
check_ended key
