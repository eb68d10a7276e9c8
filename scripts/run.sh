#!/usr/bin/env bash
# Installs what is missing, builds, and starts the stand-in host with KIVO.dll and the shipped
# catalogues, the lookup window open:  scripts/run.sh [ERROR-CODE]
# With no display it runs under Xvfb and saves a screenshot of the lookup window (in an
# emulated test machine, scripts/vm.sh, where this one cannot run Wine).
# KIVO_CATALOGUES=fixtures shows the small test catalogues instead of the shipped ones.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
code="${1:-}"

# A code is its tool's prefix and the message number, as the tools print it: say so before
# anything is built, rather than report a window that did not open.
if [ -n "$code" ] && ! printf '%s' "$code" | grep -qiE '^(A|CVT|U|LNK|RC|RW|HI|MIDL)-?[0-9]+$'; then
    cat >&2 <<EOF
"$code" is not an error code KIVO can look up. A code is its tool's prefix followed by the
message number, as the tool prints it (A2008, LNK1104). The prefixes are:
  A      ML
  CVT    CVTRES
  U      NMAKE
  LNK    LINK, LIB, DUMPBIN, EDITBIN
  RC     RC, its "C" messages
  RW     RC, its "W" messages
  HI     H2INC
  MIDL   MIDL
EOF
    exit 2
fi

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
# The host exits with 3 when the add-in did not handle the code: no window, so no picture.
status=0
if kivo_vm_needed; then
    # This machine cannot run Wine: the picture is taken in the emulated test machine.
    kivo_vm_run "$root/scripts/with-wine.sh" "${screenshot[@]}" || status=$?
elif [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    . "$root/scripts/wine-env.sh"
    kivo_make_prefix
    exec wine "$folder/standin.exe" "${args[@]}"
else
    "$root/scripts/with-wine.sh" "${screenshot[@]}" || status=$?
fi
if [ "$status" -eq 3 ]; then
    echo "$code is not in the catalogues: none of the eight tools' message lists has it" >&2
    exit 1
fi
if [ ! -f "$shot.bmp" ]; then
    echo "no screenshot was taken: the lookup window did not open" >&2
    exit 1
fi
convert "$shot.bmp" "$shot.png" && rm -f "$shot.bmp"
echo "screenshot: $shot.png"
