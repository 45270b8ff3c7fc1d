#!/usr/bin/env bash
# First start in a folder without settings: the program runs hidden with its tray window,
# writes nothing while starting, and leaves all nineteen settings behind when it ends.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
e2e_begin first_start
ini=$E2E_WORK/app/vireloc.ini
[[ ! -e $ini ]] || e2e_fail "the fresh folder already holds vireloc.ini"

e2e_start_app
e2e_wait_ready
windows=$(e2e_driver list-windows)
app_line=$(awk -F'\t' '$5 == "Dovrant"' <<<"$windows")
e2e_assert_eq 1 "$(grep -c . <<<"$app_line" || true)" "number of windows titled Dovrant"
e2e_assert_eq "TApplication" "$(cut -f2 <<<"$app_line")" "class of the Dovrant window"
e2e_assert_eq "0" "$(cut -f3 <<<"$app_line")" "Dovrant window visible"
awk -F'\t' '$2 == "TTrayIconWindow"' <<<"$windows" | grep -q . ||
  e2e_fail "no window of class TTrayIconWindow; windows:
$windows"

sleep 2  # anything start-up might still write lands by now
[[ ! -e $ini ]] || e2e_fail "vireloc.ini was written during start-up: $(cat "$ini")"
e2e_alive "$E2E_APP_PID" || e2e_fail "the program ended by itself"

e2e_stop_app
e2e_assert_default_ini "$ini"
