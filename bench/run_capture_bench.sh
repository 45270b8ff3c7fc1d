#!/usr/bin/env bash
# PrintScreen to a closed file under Wine, on the end-to-end harness's 1024x768 desktop, per
# format (BMP, JPEG, PNG): capture_bench.exe in-process (the program's grab alone against the
# grab followed by the program's writer up to the closed file), then end to end with
# vireloc.exe running (PrintScreen pressed until the file is there and closed, against the
# bench's own grab). Both in turns rep by rep; prints markdown tables. Needs
# `scripts/build win64` (dist/vireloc.exe, build/win64/capture_bench.exe).
# Usage: bench/run_capture_bench.sh [--reps N]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/lib.sh"
reps=15
if [[ ${1:-} == --reps ]]; then reps=$2; fi
[[ $reps =~ ^[1-9][0-9]*$ ]] || { echo "usage: bench/run_capture_bench.sh [--reps N]" >&2; exit 2; }
[[ -f $E2E_DRIVER_DIR/capture_bench.exe ]] ||
  { echo "no $E2E_DRIVER_DIR/capture_bench.exe (run scripts/build win64)" >&2; exit 1; }

e2e_begin capture_bench
source "$E2E_ROOT/tests/e2e/capture_lib.sh"
cp "$E2E_DRIVER_DIR/capture_bench.exe" "$E2E_WORK/driver/"
shots=$E2E_WORK/shots
mkdir -p "$shots"
folder=$(e2e_winpath "$shots/")
bench() { (cd "$E2E_WORK/driver" && e2e_wine ./capture_bench.exe "$@") | tr -d '\r'; }

bench --reps "$reps" --folder "$folder"
for format in 0:bmp 1:jpg 2:PNG; do
  echo
  cap_settings "ClipAddr=$folder" "SaveFormat=${format%%:*}"
  cap_start_app
  sleep 2  # start-up work done, as a user's PrintScreen would find it
  bench --hotkey "${format#*:}" --reps "$reps" --folder "$folder"
  cap_stop_app
done
