#!/usr/bin/env bash
# Installs what is missing, builds, and starts the stand-in host with KIVO.dll and the shipped
# catalogues, the lookup window open:  scripts/run.sh [ERROR-CODE]
# With no display it runs under Xvfb and saves a screenshot of the lookup window.
# KIVO_CATALOGUES=fixtures shows the small test catalogues instead of the shipped ones.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$root/build}"
code="${1:-}"

"$root/scripts/setup.sh"
cmake -S "$root" -B "$BUILD_DIR/win32" \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-mingw32.cmake" >/dev/null
cmake --build "$BUILD_DIR/win32" -j "$(nproc)" >/dev/null

folder="$BUILD_DIR/win32/standin"
if [ "${KIVO_CATALOGUES:-shipped}" = fixtures ]; then
    folder="$BUILD_DIR/win32/tests/windows/fixtures/standard"
    cp "$BUILD_DIR/win32/standin/standin.exe" "$BUILD_DIR/win32/standin/KIVO.dll" "$folder/"
fi

. "$root/scripts/wine-env.sh"
args=()
[ -n "$code" ] && args+=("$code") || args+=(--open)
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    kivo_make_prefix
    exec wine "$folder/standin.exe" "${args[@]}"
fi

trap kivo_stop_display EXIT
kivo_start_display
kivo_make_prefix
mkdir -p "$BUILD_DIR/screenshots"
shot="$BUILD_DIR/screenshots/lookup${code:+-$code}"
rm -f "$shot.bmp" "$shot.png"
timeout 60 wine "$folder/standin.exe" --screenshot "$(winepath -w "$shot.bmp" 2>/dev/null)" "${args[@]}" || true
if [ ! -f "$shot.bmp" ]; then
    echo "no screenshot was taken: the lookup window did not open" >&2
    exit 1
fi
convert "$shot.bmp" "$shot.png" && rm -f "$shot.bmp"
echo "screenshot: $shot.png"
