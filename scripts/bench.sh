#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine on the shipped catalogues; prints figures only.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$root/build}"
"$root/scripts/setup.sh"
cmake -S "$root" -B "$BUILD_DIR/win32" \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-mingw32.cmake" >/dev/null
cmake --build "$BUILD_DIR/win32" -j "$(nproc)" >/dev/null
. "$root/scripts/wine-env.sh"
trap kivo_stop_display EXIT
kivo_start_display
kivo_make_prefix
wine "$BUILD_DIR/win32/standin/catalogue_bench.exe"
