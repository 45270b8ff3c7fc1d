#!/usr/bin/env bash
# Idle footprint of vireloc.exe under Wine: CPU time used over 10 idle seconds and resident
# memory. Uses the end-to-end harness (same prefix, display and fresh copy of dist/).
# Usage: bench/idle_footprint.sh [idle seconds, default 10]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/lib.sh"
IDLE_SECONDS=${1:-10}
[[ $IDLE_SECONDS =~ ^[1-9][0-9]*$ ]] || { echo "idle seconds must be a positive whole number" >&2; exit 1; }

# utime + stime in clock ticks; the fields are counted after the ")" that ends the name.
cpu_ticks() {
  local stat
  stat=$(<"/proc/$1/stat") || e2e_fail "process $1 is gone"
  stat=${stat##*) }
  awk '{print $12 + $13}' <<<"$stat"
}

e2e_begin idle_footprint
e2e_start_app
e2e_wait_ready
command_line=$(tr '\0' ' ' <"/proc/$E2E_APP_PID/cmdline")
[[ $command_line == *vireloc.exe* ]] || e2e_fail "process $E2E_APP_PID is not vireloc.exe: $command_line"
sleep 5  # let start-up work (prefix services, first paint of the tray) settle

ticks_per_second=$(getconf CLK_TCK)
start=$(cpu_ticks "$E2E_APP_PID")
sleep "$IDLE_SECONDS"
end=$(cpu_ticks "$E2E_APP_PID")
rss_kb=$(awk '/^VmRSS:/ {print $2}' "/proc/$E2E_APP_PID/status")
cpu_ms=$(((end - start) * 1000 / ticks_per_second))

echo "idle CPU time: ${cpu_ms} ms over ${IDLE_SECONDS} s, measured in $((1000 / ticks_per_second)) ms ticks ($(awk -v ms="$cpu_ms" -v s="$IDLE_SECONDS" \
  'BEGIN {printf "%.2f", ms / (s * 10)}') % of one core)"
echo "resident memory (VmRSS): ${rss_kb} kB"
e2e_stop_app
