#!/usr/bin/env bash
# The update check against our own server, from the tray menu of the real program: the same
# version (M2, nothing downloaded), a new version and Yes (downloaded beside the old archive,
# its digest, then it replaces the old one, M6), a lower-case digest and a 404 download (M7,
# the archive kept, the download gone), Esc at the question (no file), five relocations followed and the sixth not (M1), 401 (M1), 404 (the reason
# phrase in the error report). The server checks every request line and header.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../tray_lib.sh"
e2e_begin update_check_main
source "$E2E_ROOT/tests/e2e/capture_lib.sh"
source "$E2E_ROOT/tests/e2e/update_lib.sh"

app=$E2E_WORK/app
archive=$UPD_ARCHIVE payload=$UPD_PAYLOAD
upd_make_payload 300000
DIGEST=$UPD_DIGEST digest=${UPD_DIGEST,,}
info_route() {  # <info text as JSON string>
  echo "{\"/vrl/info.txt\": {\"body\": $1}, \"/vrl/vireloc.lzh\": {\"body_file\": \"$payload\"}}"
}
upd_start_server "$(info_route '"0.1.0.0\n'"$DIGEST"'\n"')"
upd_start_app

# Same version: M2 with the version between its parentheses, nothing downloaded.
upd_check
upd_expect_box Dovrant none '現在のバージョン(0.1.0.0)が' '最新バージョンです'
e2e_assert_eq "$(upd_expected_request /vrl/info.txt)" "$(upd_requests 1)" "the information request"
upd_answer Return
[[ ! -e $archive ]] || e2e_fail "an archive was written although the version is the same"

# A new version and Yes: downloaded beside the old archive, M5 shows its digest, and only then
# does it replace the old archive: M6.
head -c 500000 /dev/zero >"$archive"
old_archive=$(md5sum <"$archive")
upd_routes "$(info_route '"0.2.0.0\n'"$DIGEST"'\n"')"
upd_check
upd_box 15 "the question M3"
e2e_assert_eq 確認 "$(e2e_driver window-text "$UPD_BOX")" "caption of the question"
e2e_assert_eq icon "$(e2e_driver message-box-icon "$UPD_BOX")" "the question's icon"
e2e_assert_eq "$(printf '%s\n' 'Button	はい(&Y)' 'Button	いいえ(&N)' 'Static	新バージョン0.2.0.0が見つかりました' '最新版をダウンロードしますか？')" \
  "$(upd_box_texts)" "controls of the question"
upd_answer Return  # はい is the default button
upd_expect_box Dovrant none "$DIGEST"
cmp -s "$payload" "$(upd_download)" || e2e_fail "the download differs from what the server sent"
e2e_assert_eq "$old_archive" "$(md5sum <"$archive")" "the old archive while M5 is open"
e2e_assert_eq "$(upd_expected_request /vrl/vireloc.lzh)" "$(upd_requests 1)" "the archive request"
upd_answer Return
upd_expect_box Dovrant none 'アプリフォルダにダウンロードが正常終了しました。'
cmp -s "$payload" "$archive" || e2e_fail "the verified download did not replace the archive"
[[ -z $(upd_download) ]] || e2e_fail "the download file stayed beside the archive"
upd_answer Return

# The digest written in lower case never matches: M5, M7; the download is gone and the
# archive the user had stays. So it does through a download the server answers with 404.
upd_routes "$(info_route '"0.2.0.0\n'"$digest"'\n"')"
upd_check
upd_box 15 "the question M3"; upd_answer Return
upd_expect_box Dovrant none "$DIGEST"; upd_answer Return
upd_expect_box Dovrant none 'ダウンロードに失敗しました。(ファイル破損)'
upd_answer Return
e2e_wait_until 15 test -z "$(upd_download)" || e2e_fail "the download stayed after M7"
cmp -s "$payload" "$archive" || e2e_fail "the archive did not stay through a damaged download"
upd_routes "{\"/vrl/info.txt\": {\"body\": \"0.2.0.0\\n$DIGEST\"}, \"/vrl/vireloc.lzh\": {\"status\": 404}}"
upd_check
upd_box 15 "the question M3"; upd_answer Return
upd_expect_box Dovrant none 'ダウンロードに失敗しました。'; upd_answer Return
upd_expect_box Dovrant none D41D8CD98F00B204E9800998ECF8427E; upd_answer Return
upd_expect_box Dovrant none 'ダウンロードに失敗しました。(ファイル破損)'; upd_answer Return
e2e_wait_until 15 test -z "$(upd_download)" || e2e_fail "the download stayed after the 404"
cmp -s "$payload" "$archive" || e2e_fail "the archive did not stay through a 404"
rm -f "$archive"

# Esc at the question: nothing is created.
upd_check
upd_box 15 "the question M3"; upd_answer Escape
upd_no_box 2
[[ ! -e $archive ]] || e2e_fail "an archive was created after Esc"

# Five relocations are followed to the information file; a sixth answer ends it: M1.
hops='"/vrl/info.txt": {"status": 302, "location": "/r1"}, "/r1": {"status": 302, "location": "/r2"},
  "/r2": {"status": 302, "location": "/r3"}, "/r3": {"status": 302, "location": "/r4"},
  "/r4": {"status": 302, "location": "/r5"}'
upd_routes "{$hops, \"/r5\": {\"body\": \"0.1.0.0\\n\"}}"
upd_check
upd_expect_box Dovrant none '現在のバージョン(0.1.0.0)が' '最新バージョンです'
e2e_assert_eq "$(upd_expected_request /r5)" "$(upd_requests 1)" "the fifth relocation's request"
upd_answer Return
upd_routes "{$hops, \"/r5\": {\"status\": 302, \"location\": \"/r6\"}}"
upd_check
upd_expect_box Dovrant none 'サーバへのアクセスが確立できませんでした'
e2e_assert_eq "GET /r5 HTTP/1.0" "$(upd_requests 1 | cut -d'|' -f1)" "the last request (six answers)"
upd_answer Return

# 401 is an answer (M1); 404 is an error with the server's reason phrase.
upd_routes '{"/vrl/info.txt": {"status": 401, "reason": "Unauthorized"}}'
upd_check
upd_expect_box Dovrant none 'サーバへのアクセスが確立できませんでした'
upd_answer Return
upd_routes '{"/vrl/info.txt": {"status": 404, "reason": "Gone Fishing"}}'
upd_check
upd_expect_box Dovrant icon 'Gone Fishing.'
upd_answer Return
cap_stop_app
