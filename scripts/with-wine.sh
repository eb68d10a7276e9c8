#!/usr/bin/env bash
# Runs a command with Wine ready: the build's prefix and a display (Xvfb when there is none).
#   scripts/with-wine.sh COMMAND [ARGS...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$root/build}"
. "$root/scripts/wine-env.sh"
trap kivo_stop_display EXIT
kivo_start_display
kivo_make_prefix
"$@"
