#!/usr/bin/env bash
# Builds and runs the lookup window's benchmark under Wine: opening, selecting and looking up
# with no catalogues, the shipped ones and synthetic ones of 1 and 10 times their size; prints
# figures only (in the emulated test machine of scripts/vm.sh where this machine cannot run
# Wine).   scripts/bench.sh [rounds] [openings]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
. "$root/scripts/prelude.sh"
kivo_build_win32 bench_sets >/dev/null
bench=("$root/scripts/with-wine.sh" wine "$BUILD_DIR/win32/bench/lookup_bench.exe" "$@")
. "$root/scripts/vm.sh"
if kivo_vm_needed; then
    echo "(in the emulated test machine: figures are several times those of real Windows)"
    kivo_vm_run "${bench[@]}"
else
    "${bench[@]}"
fi
