#!/usr/bin/env bash
# The help as a reader sees it, which Wine's viewer (no Gecko) cannot show: the shipped
# vrl.chm is unpacked by an independent reader (chmlib's extract_chmLib), every link of every
# page and every entry of the contents and index names a file inside it, and every page drawn
# by headless Chromium has ink and Japanese glyphs: it differs from the same page drawn with
# every font that covers Japanese withheld, where each kana and kanji falls to a box.
# Leaves pages/<page>.png, each page as drawn, for review.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
e2e_begin_offline help_rendered

chm=$E2E_DIST/vrl.chm
[[ -s $chm ]] || e2e_fail "no $chm (run scripts/build)"
unpacked=$E2E_WORK/chm
extract_chmLib "$chm" "$unpacked" >"$E2E_RESULTS/extract.log" 2>&1 ||
  e2e_fail "extract_chmLib could not unpack $chm: $(tail -n 3 "$E2E_RESULTS/extract.log")"
mapfile -t pages < <(cd "$unpacked" && find . -name '*.html' -printf '%P\n' | sort)
((${#pages[@]} > 0)) || e2e_fail "no page in $chm"
faults=$(python3 "$E2E_ROOT/tests/e2e/help_links.py" "$unpacked") ||
  e2e_fail "links of the help that do not resolve inside it:
$faults"

japanese_fonts=$(fc-list ':lang=ja' file | sed 's/: *$//')
[[ -n $japanese_fonts ]] || e2e_fail "no font for Japanese on this machine (fc-list :lang=ja)"
# The machine's own font configuration less the Japanese fonts, so only their glyphs change.
without_japanese=$E2E_WORK/fonts-without-japanese.conf
{
  echo '<?xml version="1.0"?><!DOCTYPE fontconfig SYSTEM "fonts.dtd"><fontconfig>'
  echo '<include ignore_missing="yes">/etc/fonts/fonts.conf</include><selectfont><rejectfont>'
  while IFS= read -r font; do echo "<glob>$font</glob>"; done <<<"$japanese_fonts"
  echo '</rejectfont></selectfont></fontconfig>'
} >"$without_japanese"

# Chromium draws a batch of pages as one sheet of frames, each page in an 800x1000 frame of
# its own: a launch costs seconds, a page little. A sheet stays within a picture's limits.
frame_height=1000 sheet_pages=12
draw_sheet() {  # <picture> <fontconfig file or empty> <page>...
  local picture=$1 fonts=$2 sheet profile page
  shift 2
  sheet=$(mktemp "$E2E_WORK/sheet.XXXXXX.html") profile=$(mktemp -d "$E2E_WORK/chromium.XXXXXX")
  {
    echo '<!DOCTYPE html><html><body style="margin:0">'
    for page in "$@"; do
      echo "<iframe src=\"file://$unpacked/$page\" style=\"display:block;border:0;width:800px;height:${frame_height}px\"></iframe>"
    done
    echo '</body></html>'
  } >"$sheet"
  ${fonts:+env FONTCONFIG_FILE=$fonts} timeout 120 chromium --headless --no-sandbox --disable-gpu \
    --hide-scrollbars --user-data-dir="$profile" --window-size="800,$((frame_height * $#))" \
    --screenshot="$picture" "file://$sheet" >>"$E2E_RESULTS/chromium.log" 2>&1 && [[ -s $picture ]]
}

frames() {  # <sheet picture> <folder>: its frames as 0.png, 1.png, ... in page order
  mkdir -p "$2" && convert "$1" -crop "800x$frame_height" +repage "$2/%d.png"
}

dark_pixels() { convert "$1" -alpha off -colorspace gray -threshold 90% -negate -format '%[fx:round(mean*w*h)]' info:; }

differing_pixels() {  # compare exits 1 when the pictures differ, which is what is measured
  compare -metric AE -fuzz 10% "$1" "$2" null: 2>&1 || true
}

mkdir -p "$E2E_RESULTS/pages"
for ((first = 0; first < ${#pages[@]}; first += sheet_pages)); do
  batch=("${pages[@]:first:sheet_pages}")
  # Two cores: the pages and their boxes at once.
  draw_sheet "$E2E_WORK/sheet.png" "" "${batch[@]}" & drawn=$!
  draw_sheet "$E2E_WORK/boxes.png" "$without_japanese" "${batch[@]}" ||
    e2e_fail "Chromium drew no sheet without Japanese fonts (see chromium.log)"
  wait "$drawn" || e2e_fail "Chromium drew no sheet of pages (see chromium.log)"
  rm -rf "$E2E_WORK/frames" "$E2E_WORK/boxes"
  frames "$E2E_WORK/sheet.png" "$E2E_WORK/frames" && frames "$E2E_WORK/boxes.png" "$E2E_WORK/boxes" ||
    e2e_fail "could not cut the sheets into pages"
  for index in "${!batch[@]}"; do
    page=${batch[index]}
    picture=$E2E_RESULTS/pages/${page//\//_}.png boxes=$E2E_WORK/boxes/$index.png
    mv "$E2E_WORK/frames/$index.png" "$picture"
    ink=$(dark_pixels "$picture")
    ((ink >= 1000)) || e2e_fail "$page is drawn (nearly) blank: $ink dark pixels"
    (($(dark_pixels "${picture}[800x40+0+$((frame_height - 40))]") == 0)) ||
      e2e_fail "$page runs past its frame of $frame_height pixels (raise frame_height)"
    changed=$(differing_pixels "$picture" "$boxes")
    [[ $changed =~ ^[0-9]+$ ]] || e2e_fail "could not compare the drawings of $page: $changed"
    ((changed >= 1000)) ||
      e2e_fail "$page shows no Japanese glyphs: only $changed pixels differ from its drawing in boxes"
    e2e_log "$page: $ink dark pixels, $changed differ from boxes"
  done
done
e2e_log "${#pages[@]} pages drawn"
