#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, only when something is missing.
set -euo pipefail
PACKAGES=(cmake ninja-build g++ clang clang-format libclang-rt-14-dev libgtest-dev googletest python3
          zlib1g-dev libz-mingw-w64-dev python3-openpyxl
          g++-mingw-w64-x86-64-posix wine wine64 xvfb xdotool imagemagick fonts-wqy-zenhei fonts-wqy-microhei x11-utils)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  echo "installing: ${missing[*]}"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
