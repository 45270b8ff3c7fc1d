#!/bin/sh
# Builds the host tree in build/bench and runs the image writer benchmark on the stored
# screenshots, printing markdown tables (bench/RESULTS.md holds a copy of one run).
# --wine: the MinGW build under Wine against this host build instead, on the 1080p frame
# (bench/image_bench_wine.sh; needs what scripts/setup installs).
# Usage: bench/run_image_bench.sh [--reps N] [--no-variants]
#        bench/run_image_bench.sh --wine [--reps N] [--rounds N]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)

# What a fresh Debian 12 machine lacks for this: compilers, the image libraries and the two
# command-line encoders compared against (libdeflate-dev for the program itself). The Wine
# comparison makes do with what scripts/setup installed.
missing=""
for p in g++ cmake ninja-build libpng-dev libjpeg-dev zlib1g-dev libgtest-dev libdeflate-dev \
         libjpeg-turbo-progs imagemagick; do
  dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
if [ -n "$missing" ] && [ "${1:-}" != --wine ]; then
  apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q $missing
fi

cmake -S "$root" -B "$root/build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C "$root/build/bench" image_bench
if [ "${1:-}" = --wine ]; then
  shift
  exec "$root/bench/image_bench_wine.sh" "$root/build/bench/bench/image_bench" "$@"
fi
"$root/build/bench/bench/image_bench" "$@" \
  "$root/bench/fixtures/desktop_1920x1080.png" "$root/bench/fixtures/desktop_3840x2160.png"
