#!/usr/bin/env bash
# Messages any program can send cannot crash or stop ours: every top-level window of the
# program (the application, the main form, the tray icon's window, the history window, the
# drop window) is sent clipboard chain notices no honest viewer sends (the program itself as
# the viewer following, "no window" removed), and each window of the program private messages
# from the WM_USER and WM_APP ranges with junk parameters. Each is answered, the program runs
# on, records the next text and passes it on to the viewer after it.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../tray_lib.sh"
source "$(dirname "$0")/../clipboard_lib.sh"
e2e_begin clipboard_forged_messages

clip_start_app
viewer=$(tr -d '\r' <"$E2E_RESULTS/viewer.out" | awk '$1 == "joined" {print $2}')
clip_copy "before"
tray_open_menu
xdotool key a
tray_wait_menu_closed "pressing A"
e2e_driver wait-window "D&Dファイルアドレス返し" 10 >/dev/null || e2e_fail "no drop window"

form=$(e2e_driver find-class TForm1 | head -n 1) || e2e_fail "no main form"
# The program's own windows; the system's (IME, tooltips) answer private messages as they will.
windows=$(e2e_driver program-windows "$form" | awk -F'\t' '$2 ~ /^T/ {print $1 " " $2}')
for class in TApplication TForm1 TTrayIconWindow TWClipboard TForm3; do
  grep -q " $class\$" <<<"$windows" || e2e_fail "no window of class $class among: $windows"
done

while read -r window class; do
  for notice in "$viewer $window" "0 $window" "0 0x1234" "$window $window"; do
    # shellcheck disable=SC2086 # two numbers
    e2e_driver send-chain-notice "$window" $notice ||
      e2e_fail "$class: WM_CHANGECBCHAIN $notice was not answered"
  done
done <<<"$windows"
# Private messages to every window of the program, the system's own windows WM_APP and above only:
# the first thousand of WM_USER and the first 256 of WM_APP, where programs put their own, then a
# spread of the rest.
for range in "0x0400 0x07FF 1" "0x8000 0x80FF 1" "0x0800 0x7FFF 7" "0x8100 0xBFFF 13"; do
  # shellcheck disable=SC2086 # three numbers
  report=$(e2e_driver junk-messages "$form" $range) ||
    e2e_fail "a private message was not answered: $report"
  e2e_log "$range: $report"
done

e2e_alive "$E2E_APP_PID" || e2e_fail "the program ended"
clip_copy "after the junk"
clip_wait_rows "after the junk" before ready
e2e_stop_app
