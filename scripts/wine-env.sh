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

# Starts an Xvfb of our own unless a display already answers. Xvfb picks a free display number
# itself and reports it once it listens (-displayfd): lock files in /tmp cannot tell when
# another server in a shared network namespace holds the number. Fails, saying so, when our
# server did not start or does not answer.
kivo_start_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return 0
    fi
    local numberFile n=""
    numberFile="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 &
    KIVO_XVFB_PID=$!
    for _ in $(seq 150); do
        n="$(head -n 1 "$numberFile")"
        [ -n "$n" ] && break
        kill -0 "$KIVO_XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$numberFile"
    if [ -z "$n" ]; then
        echo "Xvfb did not start, so Wine has no display: nothing was run" >&2
        return 1
    fi
    export DISPLAY=":$n"
    if ! xdpyinfo >/dev/null 2>&1; then
        echo "our Xvfb on $DISPLAY does not answer, so Wine has no display: nothing was run" >&2
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
