#!/usr/bin/env bash
# A 30 MB text through the clipboard history of vireloc.exe under Wine: another program copies
# it (15 million UTF-16 characters), the history window shows it, a double-click on its row
# puts it back. Prints the time of each step as the driver sees it, the longest time the
# program's message loop kept a message waiting during each, and the program's resident
# memory before, after each step and at its peak. While another program copies that much,
# Wine's server keeps every program waiting: for recording it also prints how long the copy
# took, the longest wait after it, and the longest wait of the taskbar (another process) over
# the same step. Uses the end-to-end harness like
# bench/idle_footprint.sh.
# Usage: bench/clipboard_text_bench.sh [UTF-16 characters, default 15000000]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/lib.sh"
CHARS=${1:-15000000}
[[ $CHARS =~ ^[1-9][0-9]*$ ]] || { echo "the length must be a positive whole number" >&2; exit 1; }

status_kb() {  # <field of /proc/<pid>/status>
  awk -v field="$1:" '$1 == field {print $2}' "/proc/$E2E_APP_PID/status" ||
    e2e_fail "process $E2E_APP_PID is gone"
}

figure() {  # <name> <driver output>
  awk -v name="$1" '$1 == name {print $2}' <<<"$2"
}

e2e_begin clipboard_text_bench
# The history window opens by itself at the first copied text and is refreshed at every other.
printf '%s\r\n' '[VRLClipboard]' 'AutoPopup=1' >"$E2E_WORK/app/vireloc.ini"
e2e_start_app
e2e_wait_ready
command_line=$(tr '\0' ' ' <"/proc/$E2E_APP_PID/cmdline")
[[ $command_line == *vireloc.exe* ]] || e2e_fail "process $E2E_APP_PID is not vireloc.exe: $command_line"
e2e_driver clipboard-set-text "vireloc: a short text first" ||
  e2e_fail "could not put the short text on the clipboard"
window=$(e2e_driver wait-window "クリップボードログ" 15) || e2e_fail "the history window did not open"
list=$(e2e_driver window-children "$window" | awk -F'\t' '$2 == "ListBox" {print $1; exit}')
[[ -n $list ]] || e2e_fail "no list box in the history window"
sleep 3  # let start-up work and the window's first paint settle
rss_before=$(status_kb VmRSS)

recorded=$(e2e_driver large-text-record "$list" "$CHARS") || e2e_fail "the text was not recorded"
sleep 1
rss_recorded=$(status_kb VmRSS)
reused=$(e2e_driver large-text-reuse "$list" "$CHARS") || e2e_fail "the text was not reused"
sleep 1
rss_reused=$(status_kb VmRSS)
rss_peak=$(status_kb VmHWM)

taskbar=$(figure taskbar-longest-wait-ms "$recorded")
taskbar_after=$(figure taskbar-longest-wait-after-copy-ms "$recorded")
utf16_kb=$((CHARS * 2 / 1024))
utf8_kb=$(($(figure utf8-bytes "$recorded") / 1024))
copies() { awk -v kb="$1" -v size="$utf16_kb" 'BEGIN {printf "%.2f", kb / size}'; }
echo "text: $CHARS UTF-16 characters ($utf16_kb kB as UTF-16, $utf8_kb kB as UTF-8)"
echo "record: $(figure record-ms "$recorded") ms until row 0 shows it;" \
  "longest wait of the message loop $(figure longest-wait-ms "$recorded") ms" \
  "($(figure unanswered "$recorded") messages unanswered)"
echo "  the copy handed to Wine in $(figure copy-ms "$recorded") ms;" \
  "longest wait after it $(figure longest-wait-after-copy-ms "$recorded") ms;" \
  "the taskbar's longest wait over the step ${taskbar:-(no taskbar)} ms," \
  "after the copy ${taskbar_after:-(no taskbar)} ms"
echo "reuse: $(figure reuse-ms "$reused") ms from the double-click until the clipboard holds it;" \
  "longest wait of the message loop $(figure longest-wait-ms "$reused") ms"
echo "resident memory (VmRSS): before $rss_before kB; after recording $rss_recorded kB" \
  "(+$(copies $((rss_recorded - rss_before))) x the UTF-16 size); after reuse $rss_reused kB" \
  "(+$(copies $((rss_reused - rss_before))) x)"
echo "peak resident memory (VmHWM): $rss_peak kB (+$(copies $((rss_peak - rss_before))) x)"
e2e_stop_app
