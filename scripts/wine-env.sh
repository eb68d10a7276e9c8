# Sourced by the scripts: the build's own Wine prefix (made once) and a display.
# Expects BUILD_DIR to be set.
export KIVO_WINEPREFIX="$BUILD_DIR/wine-prefix"
export WINEPREFIX="$KIVO_WINEPREFIX"
export WINEDEBUG=-all
# No debugger on a crash: a crashing test must fail at once, not wait for one.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
# Where 32-bit programs run under QEMU's emulator (scripts/setup.sh), everything takes about
# ten times as long: the tests stretch their waits and watchdogs by this factor.
if grep -qs '^enabled' /proc/sys/fs/binfmt_misc/qemu-i386; then
    export KIVO_TIME_SCALE="${KIVO_TIME_SCALE:-12}"
fi
# A new prefix takes long under emulation: the first one made is kept as a template.
KIVO_PREFIX_TEMPLATE="${XDG_CACHE_HOME:-$HOME/.cache}/kivo/wine-prefix-$(wine --version 2>/dev/null | tr -c 'A-Za-z0-9.\n-' _)"

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
        if [ -f "$KIVO_PREFIX_TEMPLATE/.kivo-ready" ]; then
            rm -rf "$KIVO_WINEPREFIX"
            mkdir -p "$(dirname "$KIVO_WINEPREFIX")"
            cp -a "$KIVO_PREFIX_TEMPLATE" "$KIVO_WINEPREFIX"
        else
            kivo_new_prefix
            rm -rf "$KIVO_PREFIX_TEMPLATE.new"
            mkdir -p "$(dirname "$KIVO_PREFIX_TEMPLATE")"
            cp -a "$KIVO_WINEPREFIX" "$KIVO_PREFIX_TEMPLATE.new" &&
                mv -T "$KIVO_PREFIX_TEMPLATE.new" "$KIVO_PREFIX_TEMPLATE" 2>/dev/null || true
        fi
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
