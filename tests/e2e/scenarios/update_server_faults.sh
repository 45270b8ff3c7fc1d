#!/usr/bin/env bash
# A hostile or broken update server, and a host setting that is more than a host: a host
# with a user name is refused, naming the setting, before anything is sent; an information
# file over 64 KiB fails with a clear error; an offered version with a NUL and 100 more bytes
# is shown with the NUL visible and cut short; an empty archive shows the digest of empty
# input, then M7; a server that answers nothing is given up after the real 30 seconds of
# silence (not before 29, and the program stays alive meanwhile).
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../tray_lib.sh"
e2e_begin update_server_faults
source "$E2E_ROOT/tests/e2e/capture_lib.sh"
source "$E2E_ROOT/tests/e2e/update_lib.sh"

app=$E2E_WORK/app
big=$E2E_WORK/big-info.txt
{ printf '0.2.0.0\n'; head -c 70000 /dev/zero | tr '\0' 'A'; } >"$big"
upd_start_server "{\"/vrl/info.txt\": {\"body_file\": \"$big\"}}"
upd_start_app

printf '%s\r\n' '[Update]' "Host=user:pass@$UPD_HOST" >"$app/vireloc.ini"
upd_check
upd_expect_box Dovrant icon "設定ファイルの [Update] Host \"user:pass@$UPD_HOST\" はホスト名として使えません (ホスト名かアドレスと、必要なら :ポート番号 だけを書いてください)"
upd_answer Return
[[ ! -s $UPD_DIR/requests.log ]] || e2e_fail "a request went to the refused host: $(upd_requests 1)"
printf '%s\r\n' '[Update]' "Host=$UPD_HOST" >"$app/vireloc.ini"

upd_check
upd_expect_box Dovrant icon 'サーバの更新情報が大きすぎます (64 KiB を超えています)'
upd_answer Return

long_version="0.2\\u0000.0$(printf 'A%.0s' {1..100})"
upd_routes "{\"/vrl/info.txt\": {\"body\": \"$long_version\\nD41D8CD98F00B204E9800998ECF8427F\"}, \"/vrl/vireloc.lzh\": {\"body\": \"\"}}"
upd_check
upd_box 15 "the question M3"
shown='新バージョン0.2\x00.0'$(printf 'A%.0s' {1..58})'...が見つかりました'
upd_box_texts | grep -qxF "Static	$shown" ||
  e2e_fail "the question does not show the version bounded and visible: $(upd_box_texts)"
upd_answer Return
upd_expect_box Dovrant none D41D8CD98F00B204E9800998ECF8427E; upd_answer Return
upd_expect_box Dovrant none 'ダウンロードに失敗しました。(ファイル破損)'; upd_answer Return

upd_routes '{"/vrl/info.txt": {"silent": true}}'
upd_check
cap_press Print "$app" bmp  # alive while it waits
upd_box 120 "the idle time-out's error"
e2e_assert_eq "$(printf 'Button\tOK\nStatic\tサーバからの応答が30秒間ありません.')" "$(upd_box_texts)" "the time-out's error box"
held_log=$UPD_DIR/held.log
e2e_wait_until 15 test -s "$held_log" || e2e_fail "the server saw the silent request never dropped"
held=$(tail -n 1 "$held_log")
[[ $held =~ ^(29|3[0-4])\. ]] || e2e_fail "the request was given up after $held s, not 30"
upd_answer Return
cap_stop_app
