#!/usr/bin/env bash
# A monitored image that cannot be saved (a save folder where no file can be made) is told by
# a balloon of the tray icon with the reason, and no box stops the user; the next text is
# recorded as ever.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../clipboard_lib.sh"
e2e_begin clipboard_image_not_saved
source "$E2E_ROOT/tests/e2e/capture_lib.sh"
told='クリップボードの画像を保存できませんでした。"Z:\proc\'

balloon_text() {
  e2e_driver list-windows | TOLD=$told \
    awk -F'\t' '$2 == "tooltips_class32" && $3 == 1 && index($5, ENVIRON["TOLD"]) == 1 {print $5}'
}
balloon_shown() { [[ -n $(balloon_text) ]]; }

clip_start_app 'ClipAddr=Z:\proc\' SaveFormat=0 ImageClipSave=0
clip_change no-text e2e_driver clipboard-set-pattern 32 32
e2e_wait_until 20 balloon_shown || e2e_fail "no balloon about the image not saved"
e2e_log "balloon: $(balloon_text)"
[[ $(balloon_text) == *を作成できません* ]] || e2e_fail "the balloon gives no reason: $(balloon_text)"
cap_message_box 0 >/dev/null && e2e_fail "a box about the image not saved"
clip_copy "after the image"
clip_wait_rows "after the image" ready
e2e_stop_app
