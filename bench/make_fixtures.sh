#!/bin/sh
# Makes the benchmark frames: screenshots of a virtual X display with real programs on it
# (text in terminals, a clock, a photo region), stored as PNG under bench/fixtures/.
# Usage: bench/make_fixtures.sh   (needs no running X server; starts its own Xvfb)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out="$here/fixtures"
mkdir -p "$out"

need() { command -v "$1" >/dev/null 2>&1 || missing="$missing $2"; }
missing=""
need Xvfb xvfb; need xterm xterm; need xclock x11-apps; need import imagemagick
if [ -n "$missing" ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q $missing
fi

# A free display number: Xvfb refuses one that is taken.
pick_display() {
  n=87
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  echo "$n"
}

shoot() {  # width height file
  w=$1; h=$2; file=$3
  num=$(pick_display)
  Xvfb ":$num" -screen 0 "${w}x${h}x24" -nolisten tcp >/dev/null 2>&1 &
  xpid=$!
  trap 'kill $xpid 2>/dev/null || true' EXIT
  sleep 1
  export DISPLAY=":$num"
  pids=""
  # A dark desktop like most people's, not Xvfb's stipple.
  convert -size "${w}x${h}" gradient:'#1d3557-#457b9d' /tmp/vireloc_bg_$$.png
  display -window root /tmp/vireloc_bg_$$.png & pids="$pids $!"
  cols=$((w / 14)); rows=$((h / 30))
  xterm -geometry "${cols}x${rows}+10+10" -fa Monospace -fs 10 \
    -e sh -c 'ls -la /usr/bin | head -400; dpkg -l | head -300; sleep 60' & pids="$pids $!"
  xterm -geometry "90x40+$((w / 2))+$((h / 3))" -bg white -fg black \
    -e sh -c 'man -P cat ls 2>/dev/null || cat /usr/share/common-licenses/GPL-3; sleep 60' & pids="$pids $!"
  xclock -analog -update 1 -geometry "240x240+$((w - 260))+20" & pids="$pids $!"
  photo=$((h / 3))
  convert rose: -resize "${photo}x${photo}" /tmp/vireloc_rose_$$.png
  display -geometry "+$((w / 8))+$((h / 2))" /tmp/vireloc_rose_$$.png & pids="$pids $!"
  convert logo: -resize "x$((h / 3))" /tmp/vireloc_logo_$$.png
  display -geometry "+$((w / 2 + 40))+10" /tmp/vireloc_logo_$$.png & pids="$pids $!"
  sleep 4
  import -window root "$file"
  for p in $pids; do kill "$p" 2>/dev/null || true; done
  kill "$xpid" 2>/dev/null || true
  trap - EXIT
  rm -f /tmp/vireloc_bg_$$.png /tmp/vireloc_rose_$$.png /tmp/vireloc_logo_$$.png
  wait 2>/dev/null || true
}

shoot 1920 1080 "$out/desktop_1920x1080.png"
shoot 3840 2160 "$out/desktop_3840x2160.png"
ls -l "$out"
