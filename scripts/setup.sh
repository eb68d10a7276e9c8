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
