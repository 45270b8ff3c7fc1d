#!/usr/bin/env bash
# The image benchmark as the MinGW build (build/win64/image_bench.exe) runs it under Wine,
# against the host build (build/bench), on the 1080p fixture: for each format the host run and
# the Wine run back to back, in rounds. Prints both tables of each round and every common row's
# time as Wine / host. Called by `bench/run_image_bench.sh --wine`, which builds the host side.
# Usage: bench/image_bench_wine.sh <host image_bench> [--reps N] [--rounds N]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/lib.sh"  # the prefix as the scenarios use it
root=$E2E_ROOT
host=$1; shift
reps=7 rounds=3
while (($#)); do
  case $1 in
    --reps) reps=$2; shift 2 ;;
    --rounds) rounds=$2; shift 2 ;;
    *) echo "usage: bench/run_image_bench.sh --wine [--reps N] [--rounds N]" >&2; exit 2 ;;
  esac
done

if [[ -f $root/build/win64/build.ninja ]]; then
  ninja -C "$root/build/win64" image_bench >/dev/null
else
  "$root/scripts/build" win64 >/dev/null
fi
exe=$root/build/win64/image_bench.exe
frame=$root/bench/fixtures/desktop_1920x1080.png
out=$root/build/bench/wine
rm -rf "$out" && mkdir -p "$out/host" "$out/wine"
e2e_environment || exit 1
trap e2e_stop_display EXIT

# Rows of image_bench's table as "format<TAB>method<TAB>ms".
rows() { tr -d '\r' <"$1" | awk -F' *\\| *' '/^\| [A-Z]+ \|/ { sub(/ \*\*\(ref\)\*\*/, "", $3); print $2 "\t" $3 "\t" $4 }'; }

echo "Wine $(e2e_wine --version 2>/dev/null | tr -d '\r'), $(nproc) cores, best of $reps per row"
for round in $(seq "$rounds"); do
  for format in bmp jpeg png; do
    "$host" --reps "$reps" --no-variants --only "$format" --out "$out/host" "$frame" \
      >"$out/host-$format-$round.md" 2>/dev/null
    # The Windows build reads the frame as the PPM the host run has just saved (it has no libpng).
    e2e_wine "$exe" --reps "$reps" --no-variants --only "$format" --out "$(e2e_winpath "$out/wine")" \
      "$(e2e_winpath "$out/host/frame.ppm")" >"$out/wine-$format-$round.md" 2>/dev/null
  done
  echo
  echo "### Round $round: desktop_1920x1080.png, host build and MinGW build under Wine"
  echo
  echo "| format | method | host ms | Wine ms | Wine / host |"
  echo "|---|---|---:|---:|---:|"
  for format in bmp jpeg png; do
    LC_ALL=C join -t $'\t' <(rows "$out/host-$format-$round.md" | awk -F'\t' '{ print $1 " | " $2 "\t" $3 }' | LC_ALL=C sort) \
      <(rows "$out/wine-$format-$round.md" | awk -F'\t' '{ print $1 " | " $2 "\t" $3 }' | LC_ALL=C sort) |
      awk -F'\t' '{ printf "| %s | %.1f | %.1f | %.2f |\n", $1, $2, $3, $3 / $2 }'
  done
done
