#!/usr/bin/env bash
# The program's fileMd5 (CNG over a mapped file) gives RFC 1321's answers under Wine, the
# digest of empty input for an empty or a missing file, and the digest of a file larger
# than one mapping granule (64 KiB) in full.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
e2e_begin update_md5_known_answers --no-app

files=$E2E_WORK/md5
mkdir -p "$files"
n=0
while IFS= read -r line; do
  [[ $line == '#'* ]] && continue
  message=${line%$'\t'*} digest=${line##*$'\t'}  # a tab is blank to read: the empty message would vanish
  n=$((n + 1))
  printf '%s' "$message" >"$files/$n"
  e2e_assert_eq "$digest" "$(e2e_driver file-md5 "$(e2e_winpath "$files/$n")")" "MD5 of '$message'"
done <"$E2E_ROOT/tests/data/md5_rfc1321.tsv"
((n == 7)) || e2e_fail "read $n known answers, expected RFC 1321's seven"

empty=d41d8cd98f00b204e9800998ecf8427e
e2e_assert_eq "$empty" "$(e2e_driver file-md5 "$(e2e_winpath "$files/nothing-here")")" "MD5 of a missing file"
head -c 200000 /dev/urandom >"$files/big"
e2e_assert_eq "$(md5sum <"$files/big" | cut -d' ' -f1)" \
  "$(e2e_driver file-md5 "$(e2e_winpath "$files/big")")" "MD5 of a 200 000-byte file"
