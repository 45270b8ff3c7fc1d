#!/usr/bin/env bash
# While the archive download waits for a stalled server, the program stays alive: the tray
# menu opens, PrintScreen writes a capture, and a second check is refused with the busy
# error while the first goes on; released, the download ends with M5 and M6. Then Exit
# during another stalled download ends the program at once, removes the partial download
# (the archive the first left stays) and writes the settings, keeping the [Update] section.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../tray_lib.sh"
e2e_begin update_stalled_download
source "$E2E_ROOT/tests/e2e/capture_lib.sh"
source "$E2E_ROOT/tests/e2e/update_lib.sh"

app=$E2E_WORK/app
archive=$UPD_ARCHIVE payload=$UPD_PAYLOAD
upd_make_payload 400000
DIGEST=$UPD_DIGEST
stalled_routes() {  # <release file>
  echo "{\"/vrl/info.txt\": {\"body\": \"0.2.0.0\\n$DIGEST\"},
    \"/vrl/vireloc.lzh\": {\"body_file\": \"$payload\", \"stall_after\": 100000, \"release\": \"$1\"}}"
}
wait_partial_archive() {
  for _ in $(seq 100); do
    download=$(upd_download)
    [[ -n $download && $(stat -c %s "$download") -ge 100000 ]] && return 0
    sleep 0.1
  done
  e2e_fail "the download did not reach the stall (download: ${download:-none})"
}
upd_start_server "$(stalled_routes "$E2E_WORK/release-1")"
upd_start_app

upd_check
upd_box 15 "the question M3"; upd_answer Return
wait_partial_archive

# Alive during the transfer: the tray menu, a capture, a refused second check.
tray_open_menu
e2e_driver tray-callback 0x205 >/dev/null || true
tray_close_menu_with_escape
cap_press Print "$app" bmp
upd_check
upd_expect_box Dovrant icon '前の通信がまだ終わっていないため、通信を始められません.'
upd_answer Return
e2e_assert_eq 100000 "$(stat -c %s "$download")" "download size while stalled (the refused check left it alone)"

touch "$E2E_WORK/release-1"
upd_expect_box Dovrant none "$DIGEST"
cmp -s "$payload" "$download" || e2e_fail "the download differs from what the server sent"
upd_answer Return
upd_expect_box Dovrant none 'アプリフォルダにダウンロードが正常終了しました。'
upd_answer Return

# Exit from the tray menu during a stalled download.
cmp -s "$payload" "$archive" || e2e_fail "the verified download is not the archive"
[[ -z $(e2e_ini_value "$app/vireloc.ini" Settings.ClipAddr) ]] || e2e_fail "the settings were written before Exit"
upd_routes "$(stalled_routes "$E2E_WORK/release-2")"
upd_check
upd_box 15 "the question M3"; upd_answer Return
wait_partial_archive
tray_open_menu
e2e_driver tray-callback 0x205 >/dev/null || true
xdotool key x
e2e_wait_exit "$E2E_APP_PID" 15 || e2e_fail "the program still runs 15 s after Exit during a download"
[[ -z $(upd_download) ]] || e2e_fail "the partial download stayed after Exit"
cmp -s "$payload" "$archive" || e2e_fail "the archive did not stay through Exit during a download"
e2e_assert_eq "$(e2e_winpath "$app/")" "$(e2e_ini_value "$app/vireloc.ini" Settings.ClipAddr)" "ClipAddr written at Exit"
e2e_assert_eq "$UPD_HOST" "$(e2e_ini_value "$app/vireloc.ini" Update.Host)" "[Update] Host kept by the write at Exit"
touch "$E2E_WORK/release-2"
