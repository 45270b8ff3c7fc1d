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
  for _ in $(seq 50); do [[ -s $log ]] && break; sleep 0.1; done
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

# Caption of the bold item of the tray menu, opened with a right press and closed with Escape.
bold_item() {
  local items
  # Keys reach the X window with the input focus. Once another program of the session has
  # ended, that is Wine's taskbar and the menu never sees them; a user would click the desktop.
  xdotool windowfocus --sync "$(xdotool search --name '^shell - ' | head -n 1)"
  e2e_driver tray-callback 0x204 || e2e_fail "could not send the right press"
  for _ in $(seq 50); do items=$(e2e_driver menu-items 2>/dev/null) && break; sleep 0.1; done
  [[ -n $items ]] || e2e_fail "no menu opened after the right press"
  xdotool key Escape
  for _ in $(seq 50); do
    e2e_driver find-class '#32768' >/dev/null 2>&1 || break
    sleep 0.1
  done
  ! e2e_driver find-class '#32768' >/dev/null 2>&1 || e2e_fail "the menu is still open after Escape"
  awk -F'\t' '$2 ~ /default/ { print $3 }' <<<"$items"
}

start_with Dovrant
check_keys "$win_m" "with Dovrant"
check_keys "$win_m" "with Dovrant, again"
e2e_assert_eq "App最小化(&N)" "$(bold_item)" "bold item with Dovrant"
e2e_stop_app

start_with DovrantRe
e2e_assert_eq "App最小化(&N)" "$(bold_item)" "bold item with DovrantRe before any minimise"
check_keys "$win_m" "with DovrantRe (minimise)"
e2e_assert_eq "App元サイズ化(&R)" "$(bold_item)" "bold item with DovrantRe after a minimise"
check_keys "$win_shift_m" "with DovrantRe after a minimise (restore)"
e2e_assert_eq "App最小化(&N)" "$(bold_item)" "bold item with DovrantRe after the restore"
e2e_stop_app

start_with WindowSmall
check_keys "$win_d" "with WindowSmall"
e2e_assert_eq "全窓最小化/復元(&D)" "$(bold_item)" "bold item with WindowSmall"
e2e_stop_app

start_with Minimise
sleep 1  # anything start-up writes lands by now
e2e_assert_eq Minimise "$(e2e_ini_value "$ini" Settings.DefaultClick)" "unknown DefaultClick before the first press"
check_keys "$win_m" "with an unknown DefaultClick"
e2e_assert_eq Dovrant "$(e2e_ini_value "$ini" Settings.DefaultClick)" "DefaultClick right after the first press"
e2e_assert_eq "App最小化(&N)" "$(bold_item)" "bold item after an unknown DefaultClick was reset"
e2e_stop_app
