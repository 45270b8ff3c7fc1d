#!/usr/bin/env bash
# At 144 DPI (150 %) every window grows by half with its fonts and rows: the settings dialog's
# client area is 632x680, the history window's 200x194, the About box's 332x201, the drop
# window's 584x60 and the folder picker's 486x647. No option button or check box is cut off:
# nothing of it touches its top, bottom or right edge in a screenshot. Leaves a screenshot of
# every window in test-results/e2e/high_dpi/ (docs/screenshots holds the settings dialog's).
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../tray_lib.sh"
source "$(dirname "$0")/../dialog_lib.sh"
e2e_begin high_dpi
source "$E2E_ROOT/tests/e2e/settings_lib.sh"

set_dpi() {  # <dpi>: what Wine's programs read at their start
  local key
  for key in 'HKCU\Control Panel\Desktop' 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
    e2e_wine reg add "$key" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 || return 1
  done
}
# Back to 96 before the prefix's server goes, whatever ends the scenario.
trap 'status=$?; set_dpi 96 || echo "e2e: could not set the prefix back to 96 DPI" >&2; (exit $status); e2e_end' EXIT
set_dpi 144 || e2e_fail "could not set the prefix to 144 DPI"

# Placed where the grown windows fit the 1024x768 test desktop.
printf '%s\r\n' '[Settings]' 'SettingWindowLeft=192' 'SettingWindowTop=0' >"$E2E_WORK/app/vireloc.ini"

# check_window <hwnd> <client width> <client height> <name>: the client area, then a screenshot
# of the whole window for review and one of its client area, in which no option button or
# check box touches its top, bottom or right edge; each lies inside a frame. (Wine draws the
# frame at 144 DPI a few pixels wider than the window's rectangle says; the client area is
# where it says.)
check_window() {
  local child class style x y w h fx fy fw fh ox oy cx cy edge colours frame inside checked=0
  local shot=$E2E_RESULTS/$4.png client=$E2E_RESULTS/$4-client.png frames=() choices=()
  e2e_assert_eq "client $2 $3" "$(e2e_driver window-info "$1" | sed -n 1p)" "$4: client area"
  e2e_driver move-window "$1" 8 8 >/dev/null  # on the 1024x768 test desktop
  sleep 0.5  # one repaint after the move; nothing to wait for
  dlg_screenshot "$1" "$shot"
  read -r ox oy < <(e2e_desktop_origin) || exit 1
  read -r cx cy < <(e2e_driver client-origin "$1")
  import -display "$DISPLAY" -window root -crop "$2x$3+$((ox + cx))+$((oy + cy))" +repage "$client" ||
    e2e_fail "could not take the screenshot $client"
  # From descriptor 3: Wine would read up the list from standard input.
  while IFS=$'\t' read -r -u 3 child class _; do
    [[ $class == Button ]] || continue
    style=$(e2e_driver window-info "$child" | awk '$1 == "style" {print $2}')
    case $((style & 0xF)) in
      7) frames+=("$(e2e_driver window-rect "$child")") ;;
      3 | 9) choices+=("$child") ;;  # check box, option button
    esac
  done 3< <(e2e_driver window-children "$1")
  for child in "${choices[@]}"; do
    read -r x y w h < <(e2e_driver window-rect "$child")
    inside=0
    for frame in "${frames[@]}"; do
      read -r fx fy fw fh <<<"$frame"
      ((x >= fx && y >= fy && x + w <= fx + fw && y + h <= fy + fh)) && inside=1
    done
    ((inside)) || e2e_fail "$4: '$(e2e_driver window-text "$child")' lies outside every frame"
    x=$((x - cx)) y=$((y - cy))
    for edge in "${w}x1+$x+$y" "${w}x1+$x+$((y + h - 1))" "1x$h+$((x + w - 1))+$y"; do
      colours=$(convert "$client" -crop "$edge" +repage -format %k info:)
      ((colours == 1)) || e2e_fail "$4: '$(e2e_driver window-text "$child")' is cut off at an edge ($edge of $client)"
    done
    checked=$((checked + 1))
  done
  e2e_log "$4: $checked option buttons and check boxes whole, each inside one of ${#frames[@]} frames"
}

e2e_start_app
e2e_wait_ready
set_open_dialog
check_window "$SET_DIALOG" 632 680 settings_dialog
set_click "ディレクトリ選択"
picker=$(e2e_driver wait-window "ディレクトリ選択" 10) || e2e_fail "no folder picker"
check_window "$picker" 486 647 folder_picker
xdotool key Escape
e2e_driver wait-no-window "ディレクトリ選択" 10 || e2e_fail "Esc did not close the folder picker"
e2e_driver post "$SET_DIALOG" 0x0010 0 0 >/dev/null
e2e_driver wait-no-window "$SET_CAPTION" 10 || e2e_fail "the settings dialog did not close"

# open_and_check <caption> <client width> <client height> <name> [submenu key] <key>: the
# window the tray menu item opens, checked, then closed.
open_and_check() {
  local caption=$1 width=$2 height=$3 name=$4 window
  shift 4
  tray_open_menu
  (($# > 1)) && tray_open_submenu "$1" && shift
  xdotool key "$1"
  tray_wait_menu_closed "choosing $caption"
  window=$(e2e_driver wait-window "$caption" 10) || e2e_fail "no window $caption"
  check_window "$window" "$width" "$height" "$name"
  e2e_driver post "$window" 0x0010 0 0 >/dev/null
  e2e_driver wait-no-window "$caption" 10 || e2e_fail "$caption did not close"
}
open_and_check クリップボードログ 200 194 history_window s
open_and_check "D&Dファイルアドレス返し" 584 60 drop_window a
open_and_check "About Vireloc" 332 201 about_box h a
e2e_stop_app
