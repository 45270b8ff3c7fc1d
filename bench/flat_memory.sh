#!/usr/bin/env bash
# A long day of vireloc.exe under Wine, in minutes: 200 PrintScreen captures in each of BMP,
# JPEG and PNG (1024x768), 10,000 short copied texts and five texts of 15 million UTF-16
# characters pushed through the clipboard history and out again, the history window opened
# and closed along the way. Its memory and what it holds of the system must end where they
# started. Uses the end-to-end harness like bench/idle_footprint.sh.
#
# Private memory: Anonymous + Swap of /proc/<pid>/smaps_rollup, the anonymous pages of the
# Wine process, resident or swapped out (the heaps, whatever they keep of freed blocks).
# GDI and USER objects (GetGuiResources) and kernel handles (GetProcessHandleCount) as the
# system reports them to the driver; Wine 8 may not: then "not reported". Open Unix
# descriptors of the Wine process are shown beside them (a kept file handle keeps one).
#
# Usage: bench/flat_memory.sh [rounds, default 1]: each round is the whole day once more.
# Exit status 1 when private memory ends more than 1 MB above its start or a count differs.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/lib.sh"
ROUNDS=${1:-1}
[[ $ROUNDS =~ ^[1-9][0-9]*$ ]] || { echo "rounds must be a positive whole number" >&2; exit 1; }
CAPTURES=$((200 * ROUNDS))   # per format
SHORT_TEXTS=$((10000 * ROUNDS))
LARGE_TEXTS=$((5 * ROUNDS))
LARGE_CHARS=15000000
ALLOWED_GROWTH_KB=1024
SETTLE_SECONDS=3

source "$E2E_ROOT/tests/e2e/tray_lib.sh"
e2e_begin flat_memory
source "$E2E_ROOT/tests/e2e/capture_lib.sh"
source "$E2E_ROOT/tests/e2e/settings_lib.sh"
shots=$E2E_WORK/shots
mkdir -p "$shots"

private_kb() {
  awk '$1 == "Anonymous:" || $1 == "Swap:" { kb += $2 } END { print kb }' \
    "/proc/$E2E_APP_PID/smaps_rollup" || e2e_fail "process $E2E_APP_PID is gone"
}

declare -A figure  # <when>.<what>: private, gdi, user, handles, fds

# measure <when>: the figures, once the program waits for input and has settled.
measure() {
  local form resources what
  form=$(e2e_driver find-window Dovrant | head -n 1)
  e2e_driver wait-idle "$form" 30 >/dev/null || e2e_fail "the program stayed busy"
  sleep "$SETTLE_SECONDS"
  resources=$(e2e_driver process-resources "$form") || e2e_fail "no resource counts"
  figure[$1.private]=$(private_kb)
  for what in gdi-objects user-objects handles; do
    figure[$1.${what%-objects}]=$(awk -v name="$what" '$1 == name {print $2}' <<<"$resources")
  done
  figure[$1.fds]=$(find "/proc/$E2E_APP_PID/fd" -mindepth 1 | grep -c .)
}

# capture_many <count> <extension>: PrintScreen that often, each file waited for (the program
# writes a temporary name and renames it once closed) and deleted.
capture_many() {
  local count=$1 ext=$2 i file deadline
  for ((i = 0; i < count; i++)); do
    e2e_hotkey Print
    deadline=$((SECONDS + 20))
    until compgen -G "$shots/*.$ext" >/dev/null; do
      ((SECONDS < deadline)) || e2e_fail "capture $((i + 1)) of $count: no .$ext file within 20 s"
      sleep 0.02
    done
    # Every file there: on a busy machine more than one has been seen at once.
    for file in "$shots"/*."$ext"; do rm -f -- "$file"; done
  done
}

# save_format <choice>: BMP, JPG or PNG through the settings dialog, as a user changes it.
save_format() {
  set_open_dialog
  set_click "$1"
  set_wait_state "$1" 1 "checked enabled"
  e2e_driver foreground "$SET_DIALOG" >/dev/null
  xdotool key Return
  e2e_driver wait-no-window "$SET_CAPTION" 10 >/dev/null || e2e_fail "the settings dialog did not close"
}

captures() {  # <count per format>
  save_format JPG; capture_many "$1" jpg
  save_format PNG; capture_many "$1" PNG
  save_format BMP; capture_many "$1" bmp
}

burst() {  # <count> <prefix> [close-every]: short texts, each waited for in the history window
  e2e_driver clipboard-text-burst "$@" >/dev/null || e2e_fail "the burst of '$2' texts stopped"
}

history_list() {
  local window
  window=$(e2e_driver wait-window "$CLIP_CAPTION" 15) || e2e_fail "no history window"
  e2e_driver window-children "$window" | awk -F'\t' '$2 == "ListBox" {print $1; exit}'
}

# Large texts, each recorded, then pushed out of the five entries by short ones. Of each five,
# the first three are copied with the history window open and put back on the clipboard
# from their row; the last two are copied with it closed (the copy opens it).
large_texts() {  # <count>
  local k
  for ((k = 1; k <= $1; k++)); do
    if ((k % 5 == 4 || k % 5 == 0)); then
      e2e_driver large-text-record history "$LARGE_CHARS" >/dev/null || e2e_fail "large text $k not recorded"
      burst 5 "large $k out" 5
    else
      e2e_driver large-text-record history "$LARGE_CHARS" >/dev/null || e2e_fail "large text $k not recorded"
      e2e_driver large-text-reuse "$(history_list)" "$LARGE_CHARS" >/dev/null || e2e_fail "large text $k not reused"
      burst 5 "large $k out"
    fi
  done
}

CLIP_CAPTION="クリップボードログ"
printf '%s\r\n' '[Settings]' "ClipAddr=$(e2e_winpath "$shots/")" SaveFormat=0 '[VRLClipboard]' AutoPopup=1 \
  >"$E2E_WORK/app/vireloc.ini"
cap_start_app
command_line=$(tr '\0' ' ' <"/proc/$E2E_APP_PID/cmdline")
[[ $command_line == *vireloc.exe* ]] || e2e_fail "process $E2E_APP_PID is not vireloc.exe: $command_line"

# Morning: each path taken once, so that what is made once per run (libraries loaded,
# encoders' tables, the dialog's and window's classes) is there before the first figure.
e2e_log "morning: one capture per format, the dialog, a few texts"
captures 1
burst 10 morning 5
burst 5 "start of day"
measure start

started=$SECONDS
e2e_log "day: $CAPTURES captures per format"
captures "$CAPTURES"
measure captured
e2e_log "day: $SHORT_TEXTS short texts"
burst "$SHORT_TEXTS" "text" 1000
measure copied
e2e_log "day: $LARGE_TEXTS large texts"
large_texts "$LARGE_TEXTS"
burst 5 "end of day"
measure end
e2e_log "the day took $((SECONDS - started)) s"

verdict=PASS
row() {  # <what> <start> <end> <allowed growth, or "shown">: a count must not fall either
  if [[ $2 == not-reported || $3 == not-reported ]]; then
    printf '%-34s not reported (start %s, end %s)\n' "$1" "$2" "$3"
    return
  fi
  local growth=$(($3 - $2)) note=""
  [[ $4 == shown ]] && note=" (shown, not judged)"
  printf '%-34s start %8s  end %8s  difference %+d%s\n' "$1" "$2" "$3" "$growth" "$note"
  [[ $4 == shown ]] && return
  ((growth <= $4)) || verdict=FAIL
  (($4 > 0 || growth == 0)) || verdict=FAIL
}
echo "rounds: $ROUNDS ($CAPTURES captures per format, $SHORT_TEXTS short texts, $LARGE_TEXTS large texts)"
echo "private memory after captures: ${figure[captured.private]} kB, after short texts: ${figure[copied.private]} kB"
row "private memory (kB)" "${figure[start.private]}" "${figure[end.private]}" "$ALLOWED_GROWTH_KB"
row "GDI objects" "${figure[start.gdi]}" "${figure[end.gdi]}" 0
row "USER objects" "${figure[start.user]}" "${figure[end.user]}" 0
row "handles" "${figure[start.handles]}" "${figure[end.handles]}" 0
row "open Unix descriptors" "${figure[start.fds]}" "${figure[end.fds]}" shown
echo "peak resident memory (VmHWM): $(awk '$1 == "VmHWM:" {print $2}' "/proc/$E2E_APP_PID/status") kB"
echo "$verdict"
e2e_stop_app
[[ $verdict == PASS ]] || exit 1
