# Sourced by the scripts: the build's own Wine prefix (made once) and a display.
# Expects BUILD_DIR to be set.
export KIVO_WINEPREFIX="${KIVO_WINEPREFIX:-$BUILD_DIR/wine-prefix}"
export WINEPREFIX="$KIVO_WINEPREFIX"
export WINEDEBUG=-all
# Wine spells Windows file names in the Unix locale's character set: with UTF-8 every name,
# "\u03a9" included, can be a file name, and the 8-bit code page stays Windows-1252.
export LC_ALL=C.UTF-8
# No debugger on a crash: a crashing test must fail at once, not wait for one.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

kivo_start_display() {
    if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
        local n
        for n in $(seq 90 120); do
            [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
            Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
            KIVO_XVFB_PID=$!
            export DISPLAY=":$n"
            for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
            return 0
        done
        echo "no free display number for Xvfb" >&2
        return 1
    fi
}

kivo_stop_display() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "${KIVO_XVFB_PID:-}" ]; then
        kill "$KIVO_XVFB_PID" 2>/dev/null || true
        wait "$KIVO_XVFB_PID" 2>/dev/null || true
    fi
}

kivo_make_prefix() {
    if [ ! -f "$KIVO_WINEPREFIX/.kivo-ready" ]; then
        kivo_new_prefix
    fi
    # Debian's 32-bit Wine does not find its own fonts (Marlett draws the caption buttons):
    # give the prefix a copy.
    if [ -d /usr/share/wine/fonts ]; then
        cp -n /usr/share/wine/fonts/*.ttf "$KIVO_WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    fi
}

kivo_new_prefix() {
    mkdir -p "$KIVO_WINEPREFIX"
    wineboot -i >/dev/null 2>&1
    # Without a window manager Wine waits for managed windows to hide; unmanaged is faster.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$KIVO_WINEPREFIX/.kivo-ready"
}
