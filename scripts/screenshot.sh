#!/usr/bin/env bash
# Starts the stand-in host inside Xvfb and saves the lookup window as a bitmap:
#   scripts/screenshot.sh FOLDER BITMAP [ARGS...]   (FOLDER holds standin.exe and KIVO.dll)
# scripts/run.sh calls it here, or inside the test machine of scripts/vm.sh.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$root/build}"
folder="$1"; bitmap="$2"; shift 2

. "$root/scripts/wine-env.sh"
trap kivo_stop_display EXIT
kivo_start_display
kivo_make_prefix
timeout $((60 * ${KIVO_TIME_SCALE:-1})) \
    wine "$folder/standin.exe" --screenshot "$(winepath -w "$bitmap" 2>/dev/null)" "$@" || true
