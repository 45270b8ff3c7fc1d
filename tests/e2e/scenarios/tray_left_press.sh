#!/usr/bin/env bash
# A left press on the tray icon runs the quick action DefaultClick names, as synthetic keys:
# Dovrant Win+M, DovrantRe Win+M then Win+Shift+M, WindowSmall Win+D; an unknown value is
# set back to Dovrant (and written) at the first press. The bold menu item follows suit.
#
# The keys are observed with the driver's key-log, a low-level keyboard hook in another
# process: Wine passes keybd_event input through such hooks, flagged LLKHF_INJECTED, so the
# log is the exact sequence the program sent. Wine itself does nothing on these keys (its
# desktop has no Win+M or Win+D), so their effect on other windows is not checked.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../tray_lib.sh"
e2e_begin tray_left_press
ini=$E2E_WORK/app/vireloc.ini

win_m=$'0x5B down injected\n0x4D down injected\n0x4D up injected\n0x5B up injected'
win_shift_m=$'0x5B down injected\n0x10 down injected\n0x4D down injected\n0x4D up injected\n0x10 up injected\n0x5B up injected'
win_d=$'0x5B down injected\n0x44 down injected\n0x44 up injected\n0x5B up injected'

start_with() {  # <DefaultClick value>
  printf '[Settings]\r\nDefaultClick=%s\r\n' "$1" >"$ini"
  e2e_start_app
  e2e_wait_ready
}

# A left press and release as the shell reports them; prints the key events of the next 2 s.
left_press_keys() {  # <log file>
  local log=$1
  e2e_driver_bg "$log" key-log 2
  e2e_wait_until 30 test -s "$log" || e2e_fail "key-log said nothing within 30 s"
  [[ $(head -n 1 "$log" | tr -d '\r') == ready ]] || e2e_fail "key-log did not start: $(cat "$log")"
  e2e_driver tray-callback 0x201 || e2e_fail "could not send the left press"
  e2e_driver tray-callback 0x202 || e2e_fail "could not send the left release"
  e2e_wait_exit "$E2E_BG_PID" 10 || e2e_fail "key-log still running"
  tail -n +2 "$log" | tr -d '\r'
}

presses=0
check_keys() {  # <expected events> <what>
  local actual
  presses=$((presses + 1))
  actual=$(left_press_keys "$E2E_RESULTS/keys-$presses.out")
  [[ $actual == "$1" ]] || e2e_fail "keys sent by a left press $2:
$(diff <(echo "$1") <(echo "$actual") | sed 's/^/    /')"
}

check_bold() {  # <expected caption> <what>: the bold item of the tray menu, closed again
  tray_open_menu
  tray_close_menu_with_escape
  e2e_assert_eq "$1" "$(awk -F'\t' '$2 ~ /default/ { print $3 }' <<<"$TRAY_MENU_ITEMS")" "bold item $2"
}

start_with Dovrant
check_keys "$win_m" "with Dovrant"
check_keys "$win_m" "with Dovrant, again"
check_bold "App最小化(&N)" "with Dovrant"
e2e_stop_app

start_with DovrantRe
check_bold "App最小化(&N)" "with DovrantRe before any minimise"
check_keys "$win_m" "with DovrantRe (minimise)"
check_bold "App元サイズ化(&R)" "with DovrantRe after a minimise"
check_keys "$win_shift_m" "with DovrantRe after a minimise (restore)"
check_bold "App最小化(&N)" "with DovrantRe after the restore"
e2e_stop_app

start_with WindowSmall
check_keys "$win_d" "with WindowSmall"
check_bold "全窓最小化/復元(&D)" "with WindowSmall"
e2e_stop_app

start_with Minimise
sleep 1  # anything start-up writes lands by now
e2e_assert_eq Minimise "$(e2e_ini_value "$ini" Settings.DefaultClick)" "unknown DefaultClick before the first press"
check_keys "$win_m" "with an unknown DefaultClick"
e2e_assert_eq Dovrant "$(e2e_ini_value "$ini" Settings.DefaultClick)" "DefaultClick right after the first press"
check_bold "App最小化(&N)" "after an unknown DefaultClick was reset"
e2e_stop_app
