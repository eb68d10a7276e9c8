#!/usr/bin/env bash
# Installs what is missing, builds the native and the Windows side, and runs every test:
# native GoogleTest tests of the portable code, then the Windows tests under Wine and Xvfb.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$root/build}"
jobs="$(nproc)"

"$root/scripts/setup.sh"

cmake -S "$root" -B "$BUILD_DIR/native" -DKIVO_WERROR=ON >/dev/null
cmake --build "$BUILD_DIR/native" -j "$jobs" >/dev/null
cmake -S "$root" -B "$BUILD_DIR/win32" -DKIVO_WERROR=ON \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-mingw32.cmake" >/dev/null
# The build reports each catalogue module's size as it makes it.
cmake --build "$BUILD_DIR/win32" -j "$jobs" | { grep -E ' bytes \(' || true; }

. "$root/scripts/wine-env.sh"
trap kivo_stop_display EXIT
kivo_start_display
kivo_make_prefix

status=0
echo "== native tests"
ctest --test-dir "$BUILD_DIR/native" --output-on-failure -j "$jobs" || status=1
echo "== catalogue validation under Wine"
ctest --test-dir "$BUILD_DIR/win32" -R '^catalogue_validation$' --verbose |
    sed -n 's/^[0-9][0-9]*: //p' | grep -vE '^(Test command|Working Directory|Test timeout)' || status=1
echo "== Windows tests under Wine"
ctest --test-dir "$BUILD_DIR/win32" -E '^catalogue_validation$' --output-on-failure || status=1
exit $status
