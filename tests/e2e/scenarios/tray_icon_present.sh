#!/usr/bin/env bash
# The tray icon shows in the shell desktop's notification area while the program runs and
# is gone once it has ended. The icon is found by its pink (#FF00AA), a colour nothing else
# on Wine's desktop uses.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
e2e_begin tray_icon_present

# Pixels near the icon's pink in the bottom-right 240x48 of the desktop.
pink_pixels() {
  local geometry ox oy
  geometry=$(xdotool search --name '^shell - ' getwindowgeometry %@ 2>/dev/null | awk '/Position/ {print $2; exit}')
  ox=${geometry%,*}; oy=${geometry#*,}
  import -display "$DISPLAY" -window root -crop "240x48+$((${ox:-0} + 1024 - 240))+$((${oy:-0} + 768 - 48))" \
    +repage "$E2E_RESULTS/$1.png"
  convert "$E2E_RESULTS/$1.png" -alpha off -fuzz 12% -fill black +opaque '#FF00AA' \
    -fill white -opaque '#FF00AA' -format '%[fx:round(mean*w*h)]' info:
}

e2e_assert_eq 0 "$(pink_pixels before)" "pink pixels in the notification area before start"
e2e_start_app
e2e_wait_ready
count=0
for _ in $(seq 20); do  # the shell draws the icon shortly after it is added
  count=$(pink_pixels running)
  ((count >= 20)) && break
  sleep 0.5
done
((count >= 20)) || e2e_fail "tray icon not seen: $count pink pixels in the notification area (see running.png)"
e2e_stop_app
sleep 1
e2e_assert_eq 0 "$(pink_pixels after)" "pink pixels in the notification area after exit (see after.png)"
