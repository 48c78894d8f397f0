#!/bin/bash
# Installs the Debian packages Zenvar needs to build, play and test, only when
# some are missing. Uses sudo when not run as root.
set -eu

packages=(
    build-essential cmake pkg-config clang libclang-rt-14-dev
    liballegro4-dev libgtest-dev libbenchmark-dev
    xvfb xdotool x11-utils imagemagick strace gdb libx11-dev
    espeak-ng sox timidity freepats alsa-utils
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$package")
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update
"${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
