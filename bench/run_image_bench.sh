#!/bin/sh
# Builds the host tree in build/bench and runs the image writer benchmark on the stored
# screenshots, printing markdown tables (bench/RESULTS.md holds a copy of one run).
# Usage: bench/run_image_bench.sh [--reps N] [--no-variants]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)

# What a fresh Debian 12 machine lacks for this: compilers, the image libraries and the two
# command-line encoders compared against (libdeflate-dev for the program itself).
missing=""
for p in g++ cmake ninja-build libpng-dev libjpeg-dev zlib1g-dev libgtest-dev libdeflate-dev \
         libjpeg-turbo-progs imagemagick; do
  dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
if [ -n "$missing" ]; then
  apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q $missing
fi

cmake -S "$root" -B "$root/build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
ninja -C "$root/build/bench" image_bench
"$root/build/bench/bench/image_bench" "$@" \
  "$root/bench/fixtures/desktop_1920x1080.png" "$root/bench/fixtures/desktop_3840x2160.png"
