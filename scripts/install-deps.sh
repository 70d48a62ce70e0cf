#!/usr/bin/env bash
# Installs the Debian packages Kelvaro needs to build, run and test. Quiet when all is present.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config make
    portaudio19-dev libpulse-dev
    qt6-base-dev libgl-dev
    libsqlite3-dev
    libgtest-dev libgmock-dev
    clang libclang-rt-14-dev
    pulseaudio pulseaudio-utils libasound2-plugins alsa-utils
    xvfb xauth x11-utils imagemagick xdotool desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null; then
    sudo=(sudo)
else
    echo "install-deps: need root or sudo to install: ${missing[*]}" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q >/dev/null
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null
