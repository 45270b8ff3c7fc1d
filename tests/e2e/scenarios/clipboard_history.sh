#!/usr/bin/env bash
# Texts copied by another program fill the five rows of the history window, newest first; a
# sixth drops the oldest. A Japanese text and one outside code page 932 are shown and, when
# their row is double-clicked, put back on the clipboard unchanged and moved to the top. Texts
# marked as not to be kept are not recorded. A clipboard held open by another program during a
# double-click gives the error box, and recording goes on afterwards.
# Leaves test-results/e2e/clipboard_history/clipboard_history.png for review (docs/screenshots holds one from a run).
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../tray_lib.sh"
source "$(dirname "$0")/../clipboard_lib.sh"
source "$E2E_ROOT/tests/e2e/capture_lib.sh"
e2e_begin clipboard_history
japanese="日本語のテキスト「コピー」ｶﾅ"
world="Ελληνικά 한국어 😀"

clip_start_app
clip_copy one two three four five
clip_wait_rows five four three two one
clip_copy six
clip_wait_rows six five four three two

clip_copy "$japanese" "$world" seven
clip_wait_rows seven "$world" "$japanese" six five
clip_change "text $world" clip_double_click_row 1
clip_wait_rows "$world" seven "$japanese" six five
e2e_assert_eq "$world" "$(e2e_driver clipboard-get-text)" "clipboard after a double-click on its row"

read -r ox oy < <(e2e_desktop_origin) || exit 1
read -r left top width height < <(e2e_driver window-rect "$CLIP_WINDOW")
import -display "$DISPLAY" -window root -crop "$((width + 40))x$((height + 40))+$((ox + left - 20))+$((oy + top - 20))" \
  +repage "$E2E_RESULTS/clipboard_history.png" || e2e_fail "could not take the screenshot"

clip_change "text $japanese" clip_double_click_row 2
clip_wait_rows "$japanese" "$world" seven six five
e2e_assert_eq "$japanese" "$(e2e_driver clipboard-get-text)" "clipboard after a double-click on its row"

# Marked as password managers mark them; a DWORD 1 in the history format allows keeping.
clip_change "text secret-1" e2e_driver clipboard-set-marked-text ExcludeClipboardContentFromMonitorProcessing 0 secret-1
clip_change "text secret-2" e2e_driver clipboard-set-marked-text "Clipboard Viewer Ignore" 0 secret-2
clip_change "text secret-3" e2e_driver clipboard-set-marked-text CanIncludeInClipboardHistory 0 secret-3
clip_change "text allowed" e2e_driver clipboard-set-marked-text CanIncludeInClipboardHistory 1 allowed
clip_wait_rows allowed "$japanese" "$world" seven six

hold_out=$E2E_RESULTS/hold.out
# Held until the box has been answered, however slow the machine: a hold that ends first
# would let the reuse succeed.
e2e_driver_bg "$hold_out" clipboard-hold 120000
hold=$E2E_BG_PID
e2e_wait_until 30 grep -q held "$hold_out" || e2e_fail "the driver did not take the clipboard"
clip_double_click_row 3
box=$(cap_message_box 60) || e2e_fail "no error box for a double-click while the clipboard is held"
e2e_assert_eq Dovrant "$(e2e_driver window-text "$box")" "error box caption"
e2e_driver window-children "$box" | grep -qF "クリップボードを開くことができません." ||
  e2e_fail "the box does not say the clipboard cannot be opened: $(e2e_driver window-children "$box")"
e2e_driver post "$box" 0x0111 1 0 >/dev/null  # OK
clip_wait_rows seven allowed "$japanese" "$world" six
kill "$hold"
e2e_wait_exit "$hold" 15 || e2e_fail "the driver still holds the clipboard"
e2e_assert_eq allowed "$(e2e_driver clipboard-get-text)" "clipboard after the failed reuse"
clip_copy eight
clip_wait_rows eight seven allowed "$japanese" "$world"

e2e_alive "$E2E_APP_PID" || e2e_fail "the program ended"
e2e_stop_app
