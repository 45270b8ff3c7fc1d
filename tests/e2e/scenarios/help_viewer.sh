#!/usr/bin/env bash
# The help file ships beside the program, so ヘルプ(&H) in the tray menu's help submenu is
# enabled; choosing it starts Wine's HTML Help viewer with vrl.chm from the program's folder,
# and the program goes on. (tray_menu_open covers the greyed item without the file.)
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../tray_lib.sh"
e2e_begin help_viewer
[[ -s $E2E_WORK/app/vrl.chm ]] || e2e_fail "no vrl.chm beside vireloc.exe in dist/"
head -c 4 "$E2E_WORK/app/vrl.chm" | grep -q ITSF || e2e_fail "vrl.chm is no compiled help file"

# hh.exe processes of this prefix (other prefixes on the machine may run their own).
viewers() {
  local pid
  for pid in $(pgrep -f 'hh\.exe' || true); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$pid"
  done
  return 0
}
[[ -z $(viewers) ]] || e2e_fail "a help viewer runs before the test: $(viewers)"

e2e_start_app
e2e_wait_ready
tray_open_menu
flags=$(awk -F'\t' '$1 == "11.0" {print $2}' <<<"$TRAY_MENU_ITEMS")
[[ $flags == - ]] || e2e_fail "the help item is greyed with vrl.chm present: $flags"
tray_open_submenu h
xdotool key h
tray_wait_menu_closed "pressing H, H"
for _ in $(seq 50); do
  [[ -n $(viewers) ]] && break
  sleep 0.2
done
pid=$(viewers | head -n 1)
[[ -n $pid ]] || e2e_fail "no hh.exe process within 10 s of choosing ヘルプ(&H)"
cmdline=$(tr '\0' ' ' <"/proc/$pid/cmdline")
[[ $cmdline == *"$(e2e_winpath "$E2E_WORK/app/vrl.chm")"* ]] || e2e_fail "hh.exe was not given the help file: $cmdline"
e2e_alive "$E2E_APP_PID" || e2e_fail "the program ended"
kill "$pid"  # the viewer outlives the program; the next scenario must not find it
e2e_stop_app
