#!/usr/bin/env bash
# Installs every build and test dependency from Debian's packages, when missing.
# Idempotent; runs as root or through sudo.
set -euo pipefail

packages=(
  cmake ninja-build make g++ clang
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
  libz-mingw-w64-dev zlib1g-dev
  wine64 wine xvfb xauth x11-utils
  doctest-dev imagemagick
  osslsigncode wixl
  fonts-wine
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
