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

render() {  # <page> <picture> [fontconfig file]
  local profile
  profile=$(mktemp -d "$E2E_WORK/chromium.XXXXXX")
  ${3:+env FONTCONFIG_FILE=$3} timeout 120 chromium --headless --no-sandbox --disable-gpu \
    --hide-scrollbars --user-data-dir="$profile" --window-size=800,1000 --screenshot="$2" \
    "file://$unpacked/$1" >>"$E2E_RESULTS/chromium.log" 2>&1 && [[ -s $2 ]]
}

dark_pixels() { convert "$1" -alpha off -colorspace gray -threshold 90% -negate -format '%[fx:round(mean*w*h)]' info:; }

differing_pixels() {  # compare exits 1 when the pictures differ, which is what is measured
  compare -metric AE -fuzz 10% "$1" "$2" null: 2>&1 || true
}

mkdir -p "$E2E_RESULTS/pages" "$E2E_WORK/boxes"
for page in "${pages[@]}"; do
  picture=$E2E_RESULTS/pages/${page//\//_}.png boxes=$E2E_WORK/boxes/${page//\//_}.png
  # Two cores: the page and its boxes at once.
  render "$page" "$picture" & drawn=$!
  render "$page" "$boxes" "$without_japanese" || e2e_fail "Chromium drew no $page without Japanese fonts"
  wait "$drawn" || e2e_fail "Chromium drew no $page (see chromium.log)"
  ink=$(dark_pixels "$picture")
  ((ink >= 1000)) || e2e_fail "$page is drawn (nearly) blank: $ink dark pixels"
  changed=$(differing_pixels "$picture" "$boxes")
  [[ $changed =~ ^[0-9]+$ ]] || e2e_fail "could not compare the drawings of $page: $changed"
  ((changed >= 1000)) ||
    e2e_fail "$page shows no Japanese glyphs: only $changed pixels differ from its drawing in boxes"
  e2e_log "$page: $ink dark pixels, $changed differ from boxes"
done
e2e_log "${#pages[@]} pages drawn"
