#!/usr/bin/env bash
# The idle program loads no DLL that only a form or the update check needs: the common
# controls, COM, bcrypt and Windows Sockets each hold private memory under Wine from the moment
# they load (bench/idle_footprint.sh). The common controls then load with the first form, the
# About box, which opens with its controls.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../tray_lib.sh"
e2e_begin idle_dlls

loaded() {  # <dll>: the program's Wine log names it as loaded
  grep -qi "Loaded L\".*\\\\$1\"" "$E2E_RESULTS/wine-0.log"
}

WINEDEBUG=+loaddll e2e_start_app
e2e_wait_ready
grep -qi 'Loaded L".*\\vireloc.exe"' "$E2E_RESULTS/wine-0.log" ||
  e2e_fail "the Wine log lists no loaded DLL: is +loaddll still its channel?"
sleep 3  # the start-up work: the save folder's check, the tray icon
for dll in comctl32.dll ole32.dll bcrypt.dll ws2_32.dll; do
  loaded "$dll" && e2e_fail "$dll was loaded at start"
done

tray_open_menu
tray_open_submenu h
xdotool key a
tray_wait_menu_closed "pressing H, A"
box=$(e2e_driver wait-window "About Vireloc" 10) || e2e_fail "no About box within 10 s"
e2e_driver window-children "$box" | grep -q $'\tButton\t' || e2e_fail "the About box has no button"
loaded comctl32.dll || e2e_fail "comctl32.dll did not load with the first form"
e2e_log "no common controls, COM, bcrypt or sockets at start; the common controls came with the About box"
