#!/usr/bin/env bash
# Runs every end-to-end scenario (tests/e2e/scenarios/*.sh) under one display and one Wine
# server; prints PASS/FAIL per scenario and finally "N passed, M failed".
# Usage: tests/e2e/run_all.sh [name-pattern]   e.g. tests/e2e/run_all.sh 'tray*'
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

pattern=${1:-*}
e2e_environment || { echo "0 passed, 1 failed"; exit 1; }
export E2E_LOCK_HELD=$E2E_LOCK_FD DISPLAY
trap e2e_stop_display EXIT

# A guard against a hung scenario, not a speed goal: a loaded machine runs some ten times slower.
limit=600
passed=0 failed=0
for scenario in "$E2E_ROOT"/tests/e2e/scenarios/$pattern.sh; do
  [[ -f $scenario ]] || continue
  name=$(basename "$scenario" .sh)
  mkdir -p "$E2E_ROOT/test-results/e2e"
  log=$E2E_ROOT/test-results/e2e/$name.log
  start=$SECONDS
  # Each scenario gets its own shell; its log is kept whatever the outcome.
  timeout "$limit" bash "$scenario" >"$log" 2>&1 </dev/null
  status=$?
  # The scenario recreates its own folder; its log goes beside the screenshot.
  if [[ -d $E2E_ROOT/test-results/e2e/$name ]]; then
    mv "$log" "$E2E_ROOT/test-results/e2e/$name/log.txt"
    log=$E2E_ROOT/test-results/e2e/$name/log.txt
  fi
  if ((status == 0)); then
    echo "PASS $name ($((SECONDS - start)) s)"
    passed=$((passed + 1))
  else
    ((status == 124)) && echo "FAIL: timed out after $limit s" >>"$log"
    echo "FAIL $name ($((SECONDS - start)) s), log: ${log#"$E2E_ROOT"/}"
    grep -E '^(FAIL:|e2e: command failed)' "$log" | head -n 5 | sed 's/^/    /'
    failed=$((failed + 1))
  fi
done
echo "$passed passed, $failed failed"
((failed == 0))
