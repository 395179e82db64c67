#!/usr/bin/env bash
# Installs every Debian package the build, the demo and the tests need. Safe to run again:
# apt-get only acts when something is missing.
set -euo pipefail
packages=(cmake make g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 xvfb xauth googletest
          liblnk-utils fonts-wine fonts-liberation imagemagick x11-utils python3)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "deps: installing ${missing[*]}"
    SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
