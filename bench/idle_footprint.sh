#!/usr/bin/env bash
# Idle footprint of vireloc.exe under Wine against a bare tray program (bench/bare_tray: one
# hidden window, one notification-area icon, a message loop) started the same way, under the
# same prefix, display and wineserver, in the same run. For each: CPU time used over the idle
# seconds, private memory and resident memory of the Wine process running the exe; then the
# difference vireloc - bare.
#
# Private memory is "Anonymous" of /proc/PID/smaps_rollup: resident pages no file backs (heaps,
# stacks, and the copied-on-write pages of mapped DLLs and shared objects). Pages that only
# map a file are shared with every other Wine process and left out. Resident memory is "Rss"
# of the same file (equal to VmRSS).
#
# With --text, vireloc starts with a text on the clipboard, as it mostly does on a desktop in
# use: it records that text at start, on the thread that reads clipboard texts.
#
# Usage: bench/idle_footprint.sh [--text] [idle seconds, default 10]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/lib.sh"
TEXT_AT_START=0
[[ ${1:-} == --text ]] && { TEXT_AT_START=1; shift; }
IDLE_SECONDS=${1:-10}
[[ $IDLE_SECONDS =~ ^[1-9][0-9]*$ ]] || { echo "idle seconds must be a positive whole number" >&2; exit 1; }
SETTLE_SECONDS=5  # start-up work (prefix services, first paint of the tray) done by then
BARE_EXE=bare-tray.exe

# utime + stime in clock ticks; the fields are counted after the ")" that ends the name.
cpu_ticks() {
  local stat
  stat=$(<"/proc/$1/stat") || e2e_fail "process $1 is gone"
  stat=${stat##*) }
  awk '{print $12 + $13}' <<<"$stat"
}

rollup_kb() {  # <pid> <field of smaps_rollup>
  awk -v field="$2:" '$1 == field {print $2}' "/proc/$1/smaps_rollup"
}

# measure <exe> <window title>: starts it, waits for its window, lets it settle, and sets
# CPU_MS, PRIVATE_KB and RESIDENT_KB. The program is left running.
measure() {
  local exe=$1 title=$2 command_line start end
  e2e_start_app "$exe"
  e2e_driver wait-window "$title" 30 >/dev/null || e2e_fail "$exe showed no window '$title' within 30 s"
  command_line=$(tr '\0' ' ' <"/proc/$E2E_APP_PID/cmdline")
  [[ $command_line == *"$exe"* ]] || e2e_fail "process $E2E_APP_PID is not $exe: $command_line"
  sleep "$SETTLE_SECONDS"
  start=$(cpu_ticks "$E2E_APP_PID")
  sleep "$IDLE_SECONDS"
  end=$(cpu_ticks "$E2E_APP_PID")
  CPU_MS=$(((end - start) * 1000 / $(getconf CLK_TCK)))
  PRIVATE_KB=$(rollup_kb "$E2E_APP_PID" Anonymous)
  RESIDENT_KB=$(rollup_kb "$E2E_APP_PID" Rss)
}

report() {  # <name>
  printf '%-12s idle CPU %4d ms over %d s   private (Anonymous) %6d kB   resident (Rss) %6d kB\n' \
    "$1" "$CPU_MS" "$IDLE_SECONDS" "$PRIVATE_KB" "$RESIDENT_KB"
}

e2e_begin idle_footprint
cp "$E2E_DRIVER_DIR/$BARE_EXE" "$E2E_WORK/app/" ||
  e2e_fail "no $E2E_DRIVER_DIR/$BARE_EXE (run scripts/build win64)"

measure "$BARE_EXE" BareTray
bare_private=$PRIVATE_KB bare_resident=$RESIDENT_KB
report bare-tray.exe
form=$(e2e_driver find-window BareTray | head -n 1) || e2e_fail "no window BareTray to close"
e2e_driver post "$form" "$E2E_WM_CLOSE" 0 0 || e2e_fail "could not post WM_CLOSE to BareTray"
e2e_wait_exit "$E2E_APP_PID" 15 || e2e_fail "$BARE_EXE did not exit within 15 s of WM_CLOSE"

if ((TEXT_AT_START)); then
  e2e_driver clipboard-set-text "vireloc: there at start" || e2e_fail "could not put a text on the clipboard"
fi
measure vireloc.exe Dovrant
report vireloc.exe
e2e_stop_app

printf '%-12s private %+6d kB   resident %+6d kB   (CPU time: one tick is %d ms)\n' \
  "difference" $((PRIVATE_KB - bare_private)) $((RESIDENT_KB - bare_resident)) \
  $((1000 / $(getconf CLK_TCK)))
