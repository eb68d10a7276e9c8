#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine on the shipped catalogues; prints figures only
# (in the emulated test machine of scripts/vm.sh where this machine cannot run Wine).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$root/build}"
"$root/scripts/setup.sh"
cmake -S "$root" -B "$BUILD_DIR/win32" \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-mingw32.cmake" >/dev/null
cmake --build "$BUILD_DIR/win32" -j "$(nproc)" >/dev/null
bench=("$root/scripts/with-wine.sh" wine "$BUILD_DIR/win32/standin/catalogue_bench.exe")
. "$root/scripts/vm.sh"
if kivo_vm_needed; then
    echo "(in the emulated test machine: figures are several times those of real Windows)"
    kivo_vm_run "${bench[@]}"
else
    "${bench[@]}"
fi
