#!/usr/bin/env bash
# "クリップボード消去(&U)" in the tray menu: greyed on an empty clipboard, enabled when it holds
# something; chosen with its accelerator key it empties the clipboard. While another program
# holds the clipboard it reports that in a box captioned "Dovrant" and the data stays.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../tray_lib.sh"
source "$E2E_ROOT/tests/e2e/capture_lib.sh"
e2e_begin tray_clear_clipboard
clear_item_caption="クリップボード消去(&U)"

# Puts text on the clipboard and waits until it can be read back: the menu's state must come
# from this text, not from what was there before.
set_clipboard_text() {
  e2e_driver clipboard-set-text "$1" || e2e_fail "could not put text on the clipboard"
  for _ in $(seq 50); do
    [[ $(e2e_driver clipboard-get-text 2>/dev/null) == "$1" ]] && return 0
    sleep 0.1
  done
  e2e_fail "the clipboard does not hold '$1' 5 s after it was set"
}

format_count() { e2e_driver clipboard-formats | head -n 1; }

e2e_driver clipboard-clear || e2e_fail "could not empty the clipboard"
e2e_start_app
e2e_wait_ready

# Empty clipboard: greyed, and its key does nothing but close the menu.
tray_open_menu
e2e_assert_eq grayed "$(tray_item_flags "$clear_item_caption")" "flags of $clear_item_caption on an empty clipboard"
tray_close_menu_with_escape

# Text on the clipboard: enabled; the accelerator U empties the clipboard.
set_clipboard_text "消去される text"
tray_open_menu
e2e_assert_eq - "$(tray_item_flags "$clear_item_caption")" "flags of $clear_item_caption with text on the clipboard"
xdotool key u
tray_wait_menu_closed "pressing U"
for _ in $(seq 30); do [[ $(format_count) == 0 ]] && break; sleep 0.1; done
e2e_assert_eq 0 "$(format_count)" "clipboard formats after clearing"

# Held by another program: the error box, and the text survives.
set_clipboard_text "残る text"
# Held until the box has been answered, however slow the machine.
e2e_driver_bg "$E2E_RESULTS/hold.out" clipboard-hold 120000
holder=$E2E_BG_PID
e2e_wait_until 30 test -s "$E2E_RESULTS/hold.out" || e2e_fail "clipboard-hold said nothing within 30 s"
e2e_assert_eq held "$(tr -d '\r' <"$E2E_RESULTS/hold.out")" "clipboard-hold output"
tray_open_menu
xdotool key u
box=$(cap_message_box 10) || e2e_fail "no message box after クリップボード消去 with the clipboard held"
e2e_assert_eq Dovrant "$(e2e_driver window-text "$box")" "message box caption"
children=$(e2e_driver window-children "$box") || e2e_fail "could not list the message box's controls"
awk -F'\t' '$2 == "Static" && $3 == "クリップボードを開くことができません."' <<<"$children" | grep -q . ||
  e2e_fail "the message box does not say the clipboard cannot be opened; its controls:
$children"
e2e_alive "$holder" || e2e_fail "the clipboard was let go before the box was read; the check proves nothing"
e2e_screenshot "$E2E_RESULTS/error_box.png" || true  # for review
xdotool key Return
for _ in $(seq 50); do e2e_driver window-text "$box" >/dev/null 2>&1 || break; sleep 0.1; done
! e2e_driver window-text "$box" >/dev/null 2>&1 || e2e_fail "the message box is still open after Return"
kill "$holder"
e2e_wait_exit "$holder" 10 || e2e_fail "clipboard-hold still running"
e2e_assert_eq "残る text" "$(e2e_driver clipboard-get-text)" "clipboard text after the failed clear"

e2e_alive "$E2E_APP_PID" || e2e_fail "the program ended after the error"
e2e_stop_app
