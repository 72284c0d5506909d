#!/usr/bin/env bash
# Installs the Debian packages that the build and the tests need, only those still missing.
# With --run, also what the run command needs to photograph the window.
set -euo pipefail

packages=(
    cmake g++ make googletest libbenchmark-dev
    g++-mingw-w64-x86-64-posix
    wine wine64 xvfb x11-utils fonts-wqy-microhei
    # Wine loads these X extensions at run time; they are only recommended by its packages.
    libxrender1 libxrandr2 libxi6 libxcursor1 libxcomposite1 libxinerama1 libxfixes3 libxxf86vm1
)
if [ "${1:-}" = --run ]; then
    packages+=(imagemagick)
fi

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
