#!/usr/bin/env bash
# A release as scripts/package makes it, taken by the update check of an older program: two
# runs give the same bytes (the programs linked anew in between, the help compiled anew); the
# program stamped with an older version, pointed at a server holding exactly dist/update/,
# is offered the packaged version, downloads it, shows its digest and reports success; the
# archive it keeps unpacks to the program, help and library notices of the win32 download.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../tray_lib.sh"
e2e_begin update_to_release
source "$E2E_ROOT/tests/e2e/capture_lib.sh"
source "$E2E_ROOT/tests/e2e/update_lib.sh"

tree=$E2E_ROOT/dist/update/vrl
package() {  # <run>: scripts/package, then the sha256 of everything it made
  "$E2E_ROOT/scripts/package" >"$E2E_RESULTS/package-$1.log" 2>&1 ||
    e2e_fail "scripts/package failed (see package-$1.log)"
  (cd "$E2E_ROOT/dist" && sha256sum vireloc-*.zip update/vrl/*) | tee "$E2E_RESULTS/sha256-$1.txt"
}

first=$(package 1)
rm -f "$E2E_ROOT"/build/win{64,32}/vireloc.exe
second=$(package 2)
e2e_assert_eq "$first" "$second" "the sha256 of a second release of the same commit"
[[ $(wc -l <<<"$first") == 4 ]] || e2e_fail "expected two zips and two update files, got: $first"
version=$(head -n 1 "$tree/info.txt")
[[ $version =~ ^[0-9]+(\.[0-9]+){3}$ ]] || e2e_fail "info.txt's first line is no version: '$version'"
digest=$(md5sum <"$tree/vireloc.lzh" | cut -d' ' -f1)
digest=${digest^^}
cmp -s <(printf '%s\n%s\n' "$version" "$digest") "$tree/info.txt" ||
  e2e_fail "info.txt is not the version, LF, the archive's digest, LF: $(od -c "$tree/info.txt")"

cmake --build "$E2E_ROOT/build/win64" --target vireloc-older >"$E2E_RESULTS/older-build.log" 2>&1 ||
  e2e_fail "the older program did not build (see older-build.log)"
cp "$E2E_ROOT/build/win64/older/vireloc.exe" "$E2E_WORK/app/vireloc.exe"

upd_start_server "{\"/vrl/info.txt\": {\"body_file\": \"$tree/info.txt\"},
  \"/vrl/vireloc.lzh\": {\"body_file\": \"$tree/vireloc.lzh\"}}"
upd_start_app
upd_check
upd_box 15 "the question M3"
e2e_assert_eq "$(printf '%s\n' 'Button	はい(&Y)' 'Button	いいえ(&N)' "Static	新バージョン${version}が見つかりました" '最新版をダウンロードしますか？')" \
  "$(upd_box_texts)" "the question offering the packaged version"
upd_answer Return
upd_expect_box Dovrant none "$digest"
upd_answer Return
upd_expect_box Dovrant none 'アプリフォルダにダウンロードが正常終了しました。'
upd_answer Return
cap_stop_app

cmp -s "$tree/vireloc.lzh" "$UPD_ARCHIVE" || e2e_fail "the kept archive differs from the server's"
mkdir -p "$E2E_WORK/unpacked" "$E2E_WORK/download"
lhasa "xqw=$E2E_WORK/unpacked" "$UPD_ARCHIVE" || e2e_fail "lhasa could not unpack the archive"
unzip -q "$E2E_ROOT/dist/vireloc-$version-win32.zip" -d "$E2E_WORK/download"
e2e_assert_eq "licenses.txt vireloc.exe vrl.chm" "$(cd "$E2E_WORK/unpacked" && echo *)" "the archive's files"
e2e_assert_eq "licenses.txt readme.txt vireloc.exe vrl.chm" "$(cd "$E2E_WORK/download" && echo *)" \
  "the download's files"
grep -q "Independent JPEG Group" "$E2E_WORK/download/readme.txt" ||
  e2e_fail "the readme does not carry the notice libjpeg's licence asks for"
for file in vireloc.exe vrl.chm licenses.txt; do
  cmp -s "$E2E_WORK/download/$file" "$E2E_WORK/unpacked/$file" ||
    e2e_fail "the archive's $file differs from the one in the win32 download"
done
e2e_log "release $version: $(tr '\n' ' ' <<<"$second")"
