#!/usr/bin/env bash
# Installs the Debian packages that the build and the tests need, only those still missing.
set -euo pipefail

packages=(
    cmake g++ make googletest libbenchmark-dev
    g++-mingw-w64-x86-64-posix
    wine wine64 xvfb x11-utils fonts-wqy-microhei
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
        missing+=("$package")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=()
    if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi
