#!/usr/bin/env bash
# PrintScreen saves the whole 1024x768 screen as BMP, PNG and JPEG (SaveFormat 0, 2, 1):
# the pattern window is found where the window is, pixel for pixel in BMP and PNG and
# closely in the JPEG; each file has the layout the program writes (32-bit BMP with pixels
# at 54, PNG truecolour 8-bit with critical chunks only, baseline JPEG at quality 100).
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
e2e_begin capture_formats
source "$E2E_ROOT/tests/e2e/capture_lib.sh"

shots=$E2E_WORK/shots
mkdir -p "$shots"
cap_window pattern-window 200 150 320 224
pattern=$CAP_WINDOW
read -r px py < <(e2e_driver client-origin "$pattern")
e2e_assert_eq "200 150" "$px $py" "pattern window's client origin"

capture_as() {  # <SaveFormat> <extension>: one PrintScreen with that format, into CAP_FILE
  cap_settings "ClipAddr=$(e2e_winpath "$shots/")" "SaveFormat=$1"
  cap_start_app
  cap_press Print "$shots" "$2"
  cap_stop_app
}

# BMP: 32 bits per pixel, bottom-up, uncompressed, pixels right after the 54-byte headers.
capture_as 0 bmp; bmp=$CAP_FILE
e2e_assert_eq "1024 768 32 54 0" "$($CAP_IMAGE bmp-header "$bmp")" "BMP width height bits offset compression"
e2e_assert_eq $((54 + 1024 * 768 * 4)) "$(stat -c %s "$bmp")" "BMP file size"
cap_expect_pattern "$bmp" "$px" "$py" 320 224 "BMP pattern"

# PNG: IHDR 8-bit colour type 2, then image data and the end, nothing ancillary.
capture_as 2 PNG; png=$CAP_FILE
chunks=$($CAP_IMAGE png-chunks "$png") || e2e_fail "PNG chunks unreadable"
e2e_assert_eq "IHDR 1024 768 8 2" "$(head -n 1 <<<"$chunks")" "PNG header (w h depth colour type)"
e2e_assert_eq "IHDR IDAT IEND" "$(tail -n +2 <<<"$chunks" | uniq | tr '\n' ' ' | sed 's/ $//')" "PNG chunk order"
cap_expect_pattern "$png" "$px" "$py" 320 224 "PNG pattern"

# JPEG: one baseline frame (SOF0), three components, quality 100.
capture_as 1 jpg; jpg=$CAP_FILE
e2e_assert_eq "SOF0 8 1024 768 3" "$($CAP_IMAGE jpeg-frames "$jpg")" "JPEG frame header"
e2e_assert_eq 100 "$(identify -format %Q "$jpg")" "JPEG quality"
# Lossy, so compared by RMSE (0..1 of full scale). The file keeps chroma at half resolution
# (2x2), which blurs colour at every cell edge: about 0.03 over RGB. Luma is kept whole with
# quantiser steps of 1 at quality 100, so only rounding remains (about 0.003), while the same
# crop one pixel off cuts every cell edge (0.02 and more). Bounds: luma 0.01, RGB 0.04.
$CAP_IMAGE pattern 320 224 "$E2E_RESULTS/jpeg.expected.ppm"
rmse() {  # <x> <y> <colorspace>: of the JPEG crop at (x, y) against the pattern
  convert "$jpg" -crop "320x224+$1+$2" +repage -colorspace "$3" -depth 8 "ppm:$E2E_RESULTS/jpeg.ppm"
  convert "$E2E_RESULTS/jpeg.expected.ppm" -colorspace "$3" -depth 8 "ppm:$E2E_RESULTS/jpeg.expected.$3.ppm"
  { compare -metric RMSE "$E2E_RESULTS/jpeg.ppm" "$E2E_RESULTS/jpeg.expected.$3.ppm" null: 2>&1 || true; } |
    sed -n 's/.*(\([0-9.e-]*\)).*/\1/p'
}
below() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a != "" && a < b) }'; }
rgb=$(rmse "$px" "$py" sRGB); luma=$(rmse "$px" "$py" Rec601Luma)
shifted_x=$(rmse $((px + 1)) "$py" Rec601Luma); shifted_y=$(rmse "$px" $((py + 1)) Rec601Luma)
e2e_log "JPEG RMSE: RGB $rgb, luma $luma; luma one pixel off: $shifted_x (x) $shifted_y (y)"
below "$luma" 0.01 || e2e_fail "JPEG luma RMSE against the pattern is '$luma', not below 0.01"
below "$rgb" 0.04 || e2e_fail "JPEG RGB RMSE against the pattern is '$rgb', not below 0.04"
if below "$shifted_x" 0.01 || below "$shifted_y" 0.01; then
  e2e_fail "luma RMSE one pixel off is only $shifted_x / $shifted_y: the bound would not see a shift"
fi
e2e_assert_eq "1024 768" "$(cap_size "$jpg")" "JPEG size"
e2e_assert_eq 3 "$(cap_files "$shots" | wc -l)" "capture files after three presses"
