#!/usr/bin/env bash
# Ending the Windows session ends the program, which keeps its settings on the way out.
set -euo pipefail
source "$(dirname "$0")/../lib.sh"
e2e_begin end_session
ini=$E2E_WORK/app/vireloc.ini

e2e_start_app
e2e_wait_ready
e2e_wine wineboot --end-session >>"$E2E_RESULTS/wineboot.log" 2>&1 ||
  e2e_log "wineboot --end-session returned $?"
e2e_wait_exit "$E2E_APP_PID" 20 || e2e_fail "the program still runs 20 s after the session ended"
e2e_assert_default_ini "$ini"
