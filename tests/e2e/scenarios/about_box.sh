#!/usr/bin/env bash
# About(&A) in the tray menu's help submenu opens "About Vireloc": a 221x134 client area at
# (193, 146) with a close box only and a taskbar button of its own; labels and the 32x32 icon
# are static controls, the version is the executable's own. Each command opens another box;
# Esc closes the active one, OK the other. Leaves test-results/e2e/about_box/about_box.png for
# review (docs/screenshots holds one from a run).
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../tray_lib.sh"
source "$(dirname "$0")/../dialog_lib.sh"
e2e_begin about_box
caption="About Vireloc"

open_about() {
  tray_open_menu
  tray_open_submenu h
  xdotool key a
  tray_wait_menu_closed "pressing H, A"
}

boxes() { { e2e_driver find-window "$caption" 2>/dev/null || true; } | grep -c . || true; }

wait_count() {  # <boxes>
  local _
  for _ in $(seq 50); do
    (($(boxes) == $1)) && return 0
    sleep 0.2
  done
  e2e_fail "not $1 About boxes within 10 s but $(boxes)"
}

e2e_start_app
e2e_wait_ready
open_about
box=$(e2e_driver wait-window "$caption" 10) || e2e_fail "no window $caption within 10 s"

dlg_assert_frame "$box" 221 134
read -r x y _ < <(e2e_driver window-rect "$box")
e2e_assert_eq "193 146" "$x $y" "place"

children=$(e2e_driver window-children "$box")
read -r cx cy < <(e2e_driver client-origin "$box")
place() {  # <class> <text>: left top width height in the client area
  local handle
  handle=$(CLASS=$1 TEXT=$2 awk -F'\t' '$2 == ENVIRON["CLASS"] && $3 == ENVIRON["TEXT"] {print $1; exit}' <<<"$children")
  [[ -n $handle ]] || e2e_fail "no $1 '$2' in the box: $children"
  read -r x y w h < <(e2e_driver window-rect "$handle")
  echo "$((x - cx)) $((y - cy)) $w $h"
}
e2e_assert_eq "16 16 32 32" "$(place Static "")" "the icon"
read -r x y _ < <(place Static Vireloc)
e2e_assert_eq "88 16" "$x $y" "place of Vireloc"
read -r x y _ < <(place Static "Version 0.1.0.0")
e2e_assert_eq "88 40" "$x $y" "place of the version"
e2e_assert_eq "168 96 33 25" "$(place Button "&OK")" "the OK button"
icon=$(awk -F'\t' '$2 == "Static" && $3 == "" {print $1; exit}' <<<"$children")
(($(e2e_driver window-info "$icon" | awk '$1 == "style" {print $2}') & 0x3)) ||
  e2e_fail "the picture is no icon control (SS_ICON)"

dlg_screenshot "$box" "$E2E_RESULTS/about_box.png"

open_about
wait_count 2
second=$(e2e_driver find-window "$caption" | grep -vx "$box" | head -n 1)
e2e_driver foreground "$second" >/dev/null
xdotool key Escape
wait_count 1
e2e_assert_eq "$box" "$(e2e_driver find-window "$caption")" "the box left after Esc"
e2e_driver foreground "$box" >/dev/null
xdotool key Return
wait_count 0
e2e_alive "$E2E_APP_PID" || e2e_fail "the program ended"
e2e_stop_app
