#!/usr/bin/env bash
# fileMd5 over a 1 GiB file against md5sum on the same file in the same run, best of
# RUNS each, the file warm in the page cache. The file is made once and kept in
# ${VIRELOC_BENCH_CACHE:-~/.cache/vireloc} (random bytes, so that nothing is sparse).
#
#   bench/run_md5_bench.sh            (after scripts/build host)
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BENCH=$ROOT/build/host/file_md5_bench
CACHE=${VIRELOC_BENCH_CACHE:-$HOME/.cache/vireloc}
FILE=$CACHE/md5-bench-1GiB.bin
RUNS=${RUNS:-5}

[[ -x $BENCH ]] || { echo "run_md5_bench: build the host tree first (scripts/build host)" >&2; exit 1; }
mkdir -p "$CACHE"
if [[ $(stat -c %s "$FILE" 2>/dev/null) != 1073741824 ]]; then
  echo "run_md5_bench: writing $FILE (once)" >&2
  head -c 1073741824 /dev/urandom >"$FILE.tmp" && mv "$FILE.tmp" "$FILE"
fi
cat "$FILE" >/dev/null  # into the page cache

md5sum_best=1e9
for _ in $(seq "$RUNS"); do
  start=$(date +%s%N)
  reference=$(md5sum "$FILE" | cut -d' ' -f1)
  took=$(( $(date +%s%N) - start ))
  md5sum_best=$(awk -v a="$md5sum_best" -v b="$took" 'BEGIN { print (b / 1e9 < a) ? b / 1e9 : a }')
done
read -r ours digest < <("$BENCH" "$FILE" "$RUNS")
[[ $digest == "$reference" ]] || { echo "run_md5_bench: digests differ: $digest / $reference" >&2; exit 1; }

awk -v ours="$ours" -v ref="$md5sum_best" 'BEGIN {
  mib = 1024
  printf "| measure | fileMd5 (host) | md5sum |\n|---|---:|---:|\n"
  printf "| best of '"$RUNS"', 1 GiB | %.3f s | %.3f s |\n", ours, ref
  printf "| throughput | %.0f MiB/s | %.0f MiB/s |\n", mib / ours, mib / ref
  printf "\nfileMd5 runs at %.2f of md5sum'"'"'s speed (goal: at least 0.95).\n", ref / ours
}'
