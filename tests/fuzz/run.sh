#!/usr/bin/env bash
# Builds the fuzz targets (scripts/build fuzz: clang, libFuzzer, ASan and UBSan) and fuzzes
# each for SECONDS, starting from its corpus in tests/fuzz/<target>/.
#
#   tests/fuzz/run.sh SECONDS [TARGET...]     (default: every target)
#
# Prints "NAME: N execs, no crash" per target and exits non-zero when any target crashed,
# hung (a single input over 10 s), leaked or ran out of memory. Inputs it finds on the way are
# kept in build/fuzz/corpus/<target>/ (not committed); a failing input and the log are left in
# build/fuzz/findings/.
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$ROOT" || exit 1

[[ ${1:-} =~ ^[0-9]+$ ]] || { echo "usage: tests/fuzz/run.sh SECONDS [TARGET...]" >&2; exit 2; }
seconds=$1; shift
targets=("$@")
if ((${#targets[@]} == 0)); then
  for dir in tests/fuzz/*/; do targets+=("$(basename "$dir")"); done
fi

scripts/build fuzz >build/fuzz-build.log 2>&1 || { cat build/fuzz-build.log; echo "fuzz build failed"; exit 1; }

status=0
mkdir -p build/fuzz/findings
for target in "${targets[@]}"; do
  [[ -x build/fuzz/$target ]] || { echo "$target: no such fuzz target"; status=1; continue; }
  mkdir -p "build/fuzz/corpus/$target"
  log=build/fuzz/findings/$target.log
  # New inputs go to the first folder; the committed corpus is only read.
  "build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="build/fuzz/findings/$target-" \
    "build/fuzz/corpus/$target" "tests/fuzz/$target" >"$log" 2>&1
  result=$?
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  if ((result == 0)); then
    echo "$target: ${execs:-0} execs, no crash"
  else
    reason=$(grep -Eo 'ERROR: (libFuzzer|AddressSanitizer|LeakSanitizer): [a-z-]+|fuzz check failed: .*|runtime error: .*' "$log" | head -n 1)
    echo "$target: FAILED after ${execs:-?} execs (${reason:-exit $result}); see $log"
    status=1
  fi
done
exit $status
