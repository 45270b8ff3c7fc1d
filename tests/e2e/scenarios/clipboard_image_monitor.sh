#!/usr/bin/env bash
# ImageClipSave=0: an image another program puts on the clipboard becomes exactly one file in
# ClipAddr with that image's pixels, for the whole run: a PrintScreen capture with SaveClip=1
# leaves only its own file, and the next image is saved again. With ImageAppDraw=1 the file is
# a fresh capture of the screen, also put on the clipboard, and still just one. ImageClipSave=1
# saves nothing.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../clipboard_lib.sh"
e2e_begin clipboard_image_monitor
source "$E2E_ROOT/tests/e2e/capture_lib.sh"
shots=$E2E_WORK/shots
mkdir -p "$shots"

start_with() {  # <[Settings] key=value>...
  clip_start_app "ClipAddr=$(e2e_winpath "$shots/")" SaveFormat=2 SaveClip=1 "$@"
}

# new_file <files before> <what>: the one file added since, which the program has written
# before it passed the change on.
new_file() {
  local new
  new=$(comm -13 <(echo "$1") <(cap_files "$shots"))
  [[ -n $new ]] || e2e_fail "$2: no file in ClipAddr"
  e2e_assert_eq 1 "$(wc -l <<<"$new")" "$2: number of new files ($(paste -sd' ' <<<"$new"))"
  echo "$shots/$new"
}

# put_pattern <w> <h> <what>: the pattern on the clipboard; prints the file it became.
put_pattern() {
  local before
  before=$(cap_files "$shots")
  clip_change no-text e2e_driver clipboard-set-pattern "$1" "$2"
  new_file "$before" "$3"
}

start_with ImageClipSave=0
file=$(put_pattern 96 64 "first image")
cap_expect_pattern "$file" 0 0 96 64 "first image's file"

before=$(cap_files "$shots")
seen=$(clip_seen viewer | wc -l)
cap_press Print "$shots" PNG
clip_wait_seen viewer $((seen + 1)) no-text "the capture put on the clipboard"
e2e_assert_eq "$CAP_FILE" "$(new_file "$before" "PrintScreen with SaveClip=1")" "the one file after PrintScreen"

file=$(put_pattern 64 32 "image after a PrintScreen capture")
cap_expect_pattern "$file" 0 0 64 32 "later image's file"
cap_stop_app

start_with ImageClipSave=0 ImageAppDraw=1
before=$(cap_files "$shots")
seen=$(clip_seen viewer | wc -l)
e2e_driver clipboard-set-pattern 96 64 || e2e_fail "could not put an image on the clipboard"
# The capture's own clipboard write is told of inside the handling of the driver's image.
clip_wait_seen viewer $((seen + 2)) no-text "the image and the screen capture that replaced it"
file=$(new_file "$before" "ImageAppDraw=1")
e2e_assert_eq "1024 768" "$(cap_size "$file")" "ImageAppDraw=1 file size (the whole screen)"
e2e_assert_eq "1024 768" "$(e2e_driver clipboard-bitmap-info | cut -d' ' -f1,2)" "bitmap on the clipboard"
cap_stop_app

start_with ImageClipSave=1
before=$(cap_files "$shots")
clip_change no-text e2e_driver clipboard-set-pattern 96 64
e2e_assert_eq "$before" "$(cap_files "$shots")" "files after an image with ImageClipSave=1"
cap_stop_app
