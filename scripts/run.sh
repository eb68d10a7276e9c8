#!/usr/bin/env bash
# Installs what is missing, builds, and starts the stand-in host with KIVO.dll and the shipped
# catalogues, the lookup window open:  scripts/run.sh [ERROR-CODE]
# With no display it runs under Xvfb and saves a screenshot of the lookup window (in an
# emulated test machine, scripts/vm.sh, where this one cannot run Wine).
# KIVO_CATALOGUES=fixtures shows the small test catalogues instead of the shipped ones.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
code="${1:-}"
. "$root/scripts/prelude.sh"
kivo_build_win32 >/dev/null

folder="$BUILD_DIR/win32/standin"
if [ "${KIVO_CATALOGUES:-shipped}" = fixtures ]; then
    folder="$BUILD_DIR/win32/tests/windows/fixtures/standard"
    cp "$BUILD_DIR/win32/standin/standin.exe" "$BUILD_DIR/win32/standin/KIVO.dll" "$folder/"
fi

args=()
[ -n "$code" ] && args+=("$code") || args+=(--open)
mkdir -p "$BUILD_DIR/screenshots"
shot="$BUILD_DIR/screenshots/lookup${code:+-$code}"
rm -f "$shot.bmp" "$shot.png"

. "$root/scripts/vm.sh"
# The stand-in host saves the lookup window once it shows, then quits; Z: is Wine's drive for /.
screenshot=(timeout 600 wine "$folder/standin.exe" --screenshot "Z:${shot//\//\\}.bmp" "${args[@]}")
if kivo_vm_needed; then
    # This machine cannot run Wine: the picture is taken in the emulated test machine.
    kivo_vm_run "$root/scripts/with-wine.sh" "${screenshot[@]}" || true
elif [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    . "$root/scripts/wine-env.sh"
    kivo_make_prefix
    exec wine "$folder/standin.exe" "${args[@]}"
else
    "$root/scripts/with-wine.sh" "${screenshot[@]}" || true
fi
if [ ! -f "$shot.bmp" ]; then
    echo "no screenshot was taken: the lookup window did not open" >&2
    exit 1
fi
convert "$shot.bmp" "$shot.png" && rm -f "$shot.bmp"
echo "screenshot: $shot.png"
