#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine; quiet and idempotent.
set -euo pipefail

packages=(cmake make g++ clang libclang-rt-14-dev googletest
          g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-tools
          wine wine32 fonts-wine xvfb xauth x11-utils imagemagick zip)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

apt_install() {
    echo "setup: installing $*"
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "$@" >/dev/null
}

missing=()
for p in "${packages[@]}"; do
    case "$p" in wine32) q="wine32:i386" ;; *) q="$p" ;; esac
    dpkg-query -W -f='${Status}' "$q" 2>/dev/null | grep -q 'install ok installed' || missing+=("$q")
done
if [ ${#missing[@]} -gt 0 ]; then
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        "${sudo_cmd[@]}" dpkg --add-architecture i386
    fi
    apt_install "${missing[@]}"
fi

# Wine runs the add-in as 32-bit x86 code. A kernel without 32-bit support refuses such
# programs ("Exec format error"); there they run under QEMU's user-mode emulator instead,
# registered for 32-bit x86 programs (slower, but the same Wine).
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    dpkg-query -W -f='${Status}' qemu-user-static 2>/dev/null | grep -q 'install ok installed' ||
        apt_install qemu-user-static
    binfmt=/proc/sys/fs/binfmt_misc
    [ -e "$binfmt/register" ] || "${sudo_cmd[@]}" mount -t binfmt_misc binfmt_misc "$binfmt"
    if [ ! -e "$binfmt/qemu-i386" ]; then
        magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
        mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
        printf '%s' ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386-static:FOC" |
            "${sudo_cmd[@]}" tee "$binfmt/register" >/dev/null
    fi
    if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
        echo "setup: this machine cannot run 32-bit x86 programs, not even emulated" >&2
        exit 1
    fi
    echo "setup: 32-bit x86 programs run under QEMU's emulator on this machine"
fi
