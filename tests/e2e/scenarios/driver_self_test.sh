#!/usr/bin/env bash
# The harness's own check: the driver against windows, menus and clipboard data it makes
# itself, so a failing program scenario is not a broken tool.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
e2e_begin driver_self_test --no-app
e2e_keep_desktop  # the clipboard checks need a desktop that lasts between driver runs

# A window appears in the list with its class and title, and its rectangle is where asked.
e2e_driver_bg "$E2E_RESULTS/pattern.out" pattern-window --child-button 40 50 96 64
window=$(e2e_driver wait-window vireloc-pattern 20) || e2e_fail "pattern window did not appear"
windows=$(e2e_driver list-windows)
grep -q "^$window	ViRelocPattern	1	0x0	vireloc-pattern\$" <<<"$windows" ||
  e2e_fail "list-windows does not show the pattern window as expected"
e2e_assert_eq "$window" "$(e2e_driver find-class ViRelocPattern)" "find-class"
e2e_assert_eq "40 50 96 64" "$(e2e_driver window-rect "$window")" "window-rect"
e2e_assert_eq "vireloc-pattern" "$(e2e_driver window-text "$window")" "window-text"

# The pattern is on screen: the middle of cell (2,1) is at desktop (40+80, 50+48).
read -r ox oy < <(e2e_desktop_origin) || exit 1
pixel=$(import -display "$DISPLAY" -window root -crop "1x1+$((ox + 120))+$((oy + 98))" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -n 1)
e2e_assert_eq "#555228" "$pixel" "pattern cell (2,1) colour on screen"
# The desktop's X window as Wine names it is shown under the desktop's name.
xdotool search --onlyvisible --name '^shell - ' | grep -qxF "$(e2e_driver desktop-x-window)" ||
  e2e_fail "desktop-x-window names no shown desktop window"

# Posting WM_CLOSE ends it; a bad handle and a bad number are refused with a message.
e2e_driver post "$window" 0x10 0 0 || e2e_fail "post WM_CLOSE failed"
e2e_driver wait-no-window vireloc-pattern 10 || e2e_fail "pattern window still there after WM_CLOSE"
! e2e_driver post 0x1 0x10 0 0 || e2e_fail "post to a non-window succeeded"
! e2e_driver post "$window" 12abc 0 0 || e2e_fail "post accepted '12abc' as a number"
! e2e_driver find-window "no such window title" || e2e_fail "find-window found a missing window"

# Clipboard: Japanese text survives a round trip; clearing leaves no formats.
e2e_driver clipboard-set-text "日本語 text" || e2e_fail "clipboard-set-text failed"
e2e_assert_eq "日本語 text" "$(e2e_driver clipboard-get-text)" "clipboard text round trip"
e2e_driver clipboard-clear || e2e_fail "clipboard-clear failed"
e2e_assert_eq "0" "$(e2e_driver clipboard-formats | head -n 1)" "format count after clear"
! e2e_driver clipboard-bitmap-info || e2e_fail "bitmap info reported on an empty clipboard"

# A clipboard held by another program keeps writers out until it is let go.
e2e_driver_bg "$E2E_RESULTS/hold.out" clipboard-hold 120000  # ended below, however slow the machine
e2e_wait_until 30 test -s "$E2E_RESULTS/hold.out" || e2e_fail "clipboard-hold said nothing within 30 s"
e2e_assert_eq held "$(tr -d '\r' <"$E2E_RESULTS/hold.out")" "clipboard-hold output"
! e2e_driver clipboard-set-text blocked || e2e_fail "clipboard-set-text succeeded while the clipboard was held"
kill "$E2E_BG_PID"
e2e_wait_exit "$E2E_BG_PID" 10 || e2e_fail "clipboard-hold still running 10 s after it was ended"
e2e_driver clipboard-set-text free || e2e_fail "clipboard still blocked after the hold ended"

# A bitmap put on the clipboard is described with its size.
e2e_driver clipboard-set-pattern 70 40 || e2e_fail "clipboard-set-pattern failed"
info=$(e2e_driver clipboard-bitmap-info) || e2e_fail "no bitmap info after clipboard-set-pattern"
[[ $info =~ ^70\ 40\ (24|32)$ ]] || e2e_fail "clipboard-bitmap-info gave '$info', expected 70 40 and 24 or 32 bits"

# The same registered name gives the same number in two processes.
a=$(e2e_driver register-message HogeTrayIcon); b=$(e2e_driver register-message HogeTrayIcon)
[[ $a =~ ^[0-9]+$ && $a -ge 49152 ]] || e2e_fail "register-message gave '$a'"
e2e_assert_eq "$a" "$b" "registered message number in a second process"

# A popup menu of another process is read with flags, submenu items and Japanese captions.
e2e_driver_bg "$E2E_RESULTS/demo-menu.out" demo-menu
for _ in $(seq 50); do e2e_driver find-class '#32768' >/dev/null 2>&1 && break; sleep 0.2; done
expected=$(printf '%s\n' "0	default	開く(&O)" "1	grayed	無効" "2	*" "3	submenu	形式" \
  "3.0	checked	BMP" "3.1	-	PNG	Ctrl+P" "4	checked	Checked")
actual=$(e2e_driver menu-items) || e2e_fail "menu-items failed"
while IFS= read -r want && IFS= read -r got <&3; do
  # shellcheck disable=SC2053 # expected lines may hold a * for a part that varies
  [[ $got == $want ]] || e2e_fail "menu-items: expected '$want', got '$got' in:
$actual"
done <<<"$expected" 3<<<"$actual"
e2e_assert_eq 7 "$(wc -l <<<"$actual")" "menu item count"
[[ $(sed -n 3p <<<"$actual") == *separator* ]] || e2e_fail "item 2 is not marked as a separator"
e2e_log "driver self-test passed"
