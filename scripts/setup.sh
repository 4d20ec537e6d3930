#!/usr/bin/env bash
# Installs what building and testing need, from Debian's packages. Quick when all is there.
set -euo pipefail
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format python3 pkg-config
  libgtest-dev googletest libbenchmark-dev libpng-dev zlib1g-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev libz-mingw-w64-dev
  wine wine64 fonts-wine xvfb xauth x11-utils fonts-wqy-microhei imagemagick
  dpkg-dev ca-certificates
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
