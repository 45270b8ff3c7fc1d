# shellcheck shell=bash disable=SC2034 # CAP_FILE and CAP_WINDOW are read by the scenarios
# Helpers of the capture scenarios (tests/e2e/scenarios/capture_*.sh), sourced after lib.sh
# and e2e_begin: settings, real PrintScreen presses, waiting for the file, pixel checks.
# Images are compared as 8-bit PPM crops (ImageMagick converts, capture_image.py counts).

CAP_IMAGE="python3 $E2E_ROOT/tests/e2e/capture_image.py"
CAP_NAME_RE='^[0-9]{17}\.(bmp|jpg|PNG)$'
CAP_FILE=""    # set by cap_press
CAP_WINDOW=""  # set by cap_window

# cap_settings <key=value>...: a fresh vireloc.ini with those [Settings] entries (CRLF).
cap_settings() {
  printf '%s\r\n' '[Settings]' "$@" >"$E2E_WORK/app/vireloc.ini"
}

# Starts the program and returns once its hotkeys are registered. Its windows exist before
# that: between the main form's window and the hotkeys the program hands the tray tip to
# Wine's desktop process and waits for it, however busy that is (a cold prefix, a loaded
# machine). A program waiting for input is past all of it.
cap_start_app() {
  e2e_start_app
  e2e_wait_ready
  e2e_driver wait-idle "$(e2e_driver find-window Dovrant | head -n 1)" 30 >/dev/null ||
    e2e_fail "the program did not finish starting (still busy 30 s after its window appeared)"
}

# cap_message_box <seconds>: prints the handle of the program's message box once it is
# shown with its button and its text, waiting up to that long (0: looks once). Under Wine a
# box can be listed as visible a moment before its controls and texts are all in place.
cap_message_box() {
  local box deadline=$((SECONDS + $1))
  while :; do
    box=$(e2e_driver list-windows 2>/dev/null | awk -F'\t' '$2 == "#32770" && $3 == 1 { print $1; exit }')
    if [[ -n $box ]] && e2e_driver window-children "$box" 2>/dev/null |
      awk -F'\t' '$2 == "Button" { b = 1 } $2 == "Static" && $3 != "" { s = 1 } END { exit !(b && s) }'; then
      echo "$box"
      return 0
    fi
    ((SECONDS >= deadline)) && return 1
    sleep 0.2
  done
}

cap_stop_app() {
  e2e_stop_app
  sleep 0.5  # the server lets the hotkeys go once the process is gone
}

cap_mousemove() {  # <desktop x> <desktop y>
  local ox oy
  read -r ox oy < <(e2e_desktop_origin) || exit 1
  xdotool mousemove $((ox + $1)) $((oy + $2))
  sleep 0.3
}

cap_files() {  # <folder>: capture files in it, sorted
  find "$1" -maxdepth 1 -type f -printf '%f\n' 2>/dev/null | { grep -E "$CAP_NAME_RE" || true; } | sort
}

# cap_press <xdotool keys> <folder> <extension>: presses the keys and sets CAP_FILE to the
# path of the one new capture file, once its size has settled. The name's time stamp must lie between
# the local times just before and just after.
cap_press() {
  local keys=$1 folder=$2 ext=$3 before new after start size=-1 _
  before=$(cap_files "$folder")
  start=$(date +%Y%m%d%H%M%S%3N)
  e2e_hotkey "$keys"
  for _ in $(seq 100); do
    new=$(comm -13 <(echo "$before") <(cap_files "$folder"))
    if [[ -n $new ]]; then
      [[ $(wc -l <<<"$new") == 1 ]] || e2e_fail "$keys made several files: $new"
      [[ $(stat -c %s "$folder/$new") == "$size" && $size -gt 0 ]] && break
      size=$(stat -c %s "$folder/$new")
    fi
    sleep 0.2
  done
  [[ -n $new ]] || e2e_fail "no capture file in $folder within 20 s of $keys"
  after=$(date +%Y%m%d%H%M%S%3N)
  [[ $new == *.$ext ]] || e2e_fail "$keys wrote $new, expected a .$ext file"
  [[ ! ${new:0:17} < $start && ! ${new:0:17} > $after ]] ||
    e2e_fail "time stamp of $new is outside $start..$after"
  CAP_FILE=$folder/$new
}

cap_size() { identify -format '%w %h' "$1"; }  # <image>

# cap_crop <image> <x> <y> <w> <h> <out.ppm>: that part as 8-bit RGB (a 32-bit BMP's fourth
# byte is not alpha).
cap_crop() {
  convert "$1" -alpha off -crop "$4x$5+$2+$3" +repage -depth 8 "ppm:$6" ||
    e2e_fail "could not crop $1"
}

cap_screen() {  # <out.png>: the desktop as the X display shows it (no pointer)
  local ox oy
  read -r ox oy < <(e2e_desktop_origin) || exit 1
  import -display "$DISPLAY" -window root -crop "1024x768+$ox+$oy" +repage "$1" ||
    e2e_fail "could not take a screenshot"
}

# cap_expect_pattern <image> <x> <y> <w> <h> <what> [<x0> <y0>]: the pattern window's
# picture, exactly, at (x, y) of the image; from the pattern's (x0, y0) on when given.
cap_expect_pattern() {
  local name=$E2E_RESULTS/${6// /_} result
  cap_crop "$1" "$2" "$3" "$4" "$5" "$name.ppm"
  $CAP_IMAGE pattern "$4" "$5" "$name.expected.ppm" "${7:-0}" "${8:-0}"
  result=$($CAP_IMAGE diff "$name.expected.ppm" "$name.ppm") || e2e_fail "$6: diff failed"
  [[ $result == 0 ]] ||
    e2e_fail "$6: $result (count left top right bottom) pixels differ from the pattern at $2,$3 (see $name.ppm)"
}

# cap_same_pixels <a> <b> <what>: two images with the same size and pixels.
cap_same_pixels() {
  local size_a size_b result
  size_a=$(cap_size "$1"); size_b=$(cap_size "$2")
  e2e_assert_eq "$size_a" "$size_b" "$3: image size"
  cap_crop "$1" 0 0 "${size_a% *}" "${size_a#* }" "$E2E_RESULTS/same_a.ppm"
  cap_crop "$2" 0 0 "${size_a% *}" "${size_a#* }" "$E2E_RESULTS/same_b.ppm"
  result=$($CAP_IMAGE diff "$E2E_RESULTS/same_a.ppm" "$E2E_RESULTS/same_b.ppm") ||
    e2e_fail "$3: diff failed"
  [[ $result == 0 ]] || e2e_fail "$3: $result (count left top right bottom) pixels differ"
}

# cap_window <driver command> [args]: starts a driver window in the background and sets
# CAP_WINDOW to the handle it reports once the window exists and has been painted.
# (Not in a $(...): the harness must know the process to end it.)
cap_window() {
  local out=$E2E_RESULTS/window-$RANDOM.out window deadline=$((SECONDS + 60))
  e2e_driver_bg "$out" "$@"
  while :; do
    window=$(tr -d '\r' <"$out" 2>/dev/null | head -n 1)
    [[ -n $window ]] && { sleep 0.3; CAP_WINDOW=$window; return 0; }
    e2e_alive "$E2E_BG_PID" || e2e_fail "driver $1 ended without showing its window" \
      "$(tail -n 3 "$E2E_RESULTS/driver.log")"
    ((SECONDS < deadline)) || break
    sleep 0.2
  done
  e2e_fail "driver $1 showed no window within 60 s" "$(e2e_driver list-windows 2>&1 | head -n 20)"
}
