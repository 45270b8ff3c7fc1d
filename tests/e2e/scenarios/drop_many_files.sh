#!/usr/bin/env bash
# A drop of 60 000 files on "D&Dファイルアドレス返し" (a DROPFILES block the driver writes into
# the program and a posted WM_DROPFILES) shows the first path at once: only that path is read
# out of the drop, so the message loop is not held while the system scans the whole list for
# each of them. Bound: the path shown within 5 s of the drop (reading every path took far longer).
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../tray_lib.sh"
e2e_begin drop_many_files
caption="D&Dファイルアドレス返し"
printf '%s\r\n' '[Settings]' 'D&D=0' >"$E2E_WORK/app/vireloc.ini"

e2e_start_app
e2e_wait_ready
tray_open_menu
xdotool key a
tray_wait_menu_closed "pressing A"
window=$(e2e_driver wait-window "$caption" 10) || e2e_fail "no window $caption within 10 s of choosing it"

first='C:\windows\first of many.txt'
e2e_driver drop-files "$window" --count 60000 "$first" || e2e_fail "the driver could not drop the files"
start=$(date +%s%N)
shown=""
for _ in $(seq 300); do
  shown=$(e2e_driver window-children "$window" | awk -F'\t' '$2 == "Edit" {print $3}')
  [[ -n $shown ]] && break
  sleep 0.1
done
elapsed_ms=$((($(date +%s%N) - start) / 1000000))
e2e_assert_eq "$first" "$shown" "path in the box"
e2e_log "the first of 60000 paths shown after $elapsed_ms ms"
((elapsed_ms < 5000)) || e2e_fail "the drop held the program for $elapsed_ms ms"
e2e_stop_app
