#!/usr/bin/env bash
# The save folder's disk fills up part-way through a capture: the user is told why, no
# cut-off image is left under a capture's name (nor a temporary file), and what the folder
# held before is untouched. With room again, the next capture is whole.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
e2e_begin capture_disk_full
source "$E2E_ROOT/tests/e2e/capture_lib.sh"

shots=$(mktemp -d /tmp/vireloc-tinyfs.XXXXXX)
# A tiny file system of our own; unmounted whatever the outcome.
trap 'status=$?; umount "$shots" 2>/dev/null; rmdir "$shots" 2>/dev/null; (exit $status); e2e_end' EXIT
mount -t tmpfs -o size=256k tmpfs "$shots" || e2e_fail "cannot mount a 256 KiB tmpfs (needs root)"
printf 'earlier capture' >"$shots/20000101000000000.bmp"
cap_settings "ClipAddr=$(e2e_winpath "$shots/")" SaveFormat=0
cap_start_app

e2e_hotkey Print
box=$(cap_message_box 15) || e2e_fail "no error box after a capture that cannot fit on the disk"
text=$(e2e_driver window-children "$box" | cut -f2- | grep -v '^Static	$' | grep -v '^Button')
[[ $text == *"$(e2e_winpath "$shots/")"*".bmp\" に書き込めません。"* ]] ||
  e2e_fail "the box does not say which capture could not be written: $text"
e2e_assert_eq "20000101000000000.bmp" "$(ls "$shots")" "the folder after the failed capture"
e2e_assert_eq "earlier capture" "$(cat "$shots/20000101000000000.bmp")" "the earlier file"
e2e_driver post "$box" 0x0111 1 0 >/dev/null

mount -o remount,size=8m "$shots"
cap_press Print "$shots" bmp
e2e_assert_eq $((54 + 1024 * 768 * 4)) "$(stat -c %s "$CAP_FILE")" "size of the capture made with room"
e2e_assert_eq 2 "$(find "$shots" -type f | wc -l)" "files in the folder"
cap_stop_app
