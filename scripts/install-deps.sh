#!/usr/bin/env bash
# Installs the Debian packages the build and tests need; skips what is already there. 32-bit
# Wine (wine32:i386) only where this machine runs 32-bit programs: elsewhere it cannot start.
set -euo pipefail
. "$(dirname "$0")/lib/arch.sh"

pkgs=(cmake make g++ clang googletest libgtest-dev libbenchmark-dev
      g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
      g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
      wine wine64 xvfb xauth xdotool x11-utils imagemagick nsis fp-utils-3.2.2 clang-format gnupg
      osslsigncode openssl zip unzip)
can_run_32bit && pkgs+=(wine32:i386)

missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages and not root: install them first: ${missing[*]}" >&2
    exit 1
fi
if can_run_32bit; then
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
