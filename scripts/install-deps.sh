#!/bin/bash
# Installs the Debian packages Zenvar needs, only when some are missing. Uses
# sudo when not run as root.
#   scripts/install-deps.sh play   what building and playing the game needs
#   scripts/install-deps.sh        that, and everything the tests, the fuzzing,
#                                  the benchmark and the headless demo need
set -eu

# The compiler, CMake and Allegro (with Xlib and XFree86-VidMode), XRandR;
# espeak-ng voices the count-down when the assets are generated, and freepats
# gives the music its instruments.
packages=(build-essential cmake pkg-config liballegro4-dev libxrandr-dev espeak-ng freepats)
if [ "${1:-all}" != play ]; then
    packages+=(
        clang libclang-rt-14-dev libgtest-dev libbenchmark-dev
        xvfb xdotool wmctrl x11-utils imagemagick strace gdb libx11-dev
        sox alsa-utils
        xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils weston xwayland
        openbox pulseaudio pulseaudio-utils libasound2-plugins python3 libxfixes-dev
        pipewire wireplumber pipewire-pulse dbus
        lintian desktop-file-utils appstream man-db
    )
fi

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$package")
done

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    "${as_root[@]}" apt-get update
    "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The desktop scenario reaches PipeWire through its ALSA plugin, but the
# pipewire-alsa package conflicts with pulseaudio (and would take over ALSA's
# default device): its plugins are unpacked into /usr/local/lib instead.
pipewire_alsa=/usr/local/lib/pipewire-alsa
if [ "${1:-all}" != play ] && [ ! -e "$pipewire_alsa/libasound_module_ctl_pipewire.so" ]; then
    echo "Unpacking the ALSA plugins of pipewire-alsa into $pipewire_alsa"
    unpack=$(mktemp -d)
    chmod 777 "$unpack"  # apt downloads as its own user
    (cd "$unpack" && apt-get download pipewire-alsa && dpkg-deb -x pipewire-alsa_*.deb tree)
    "${as_root[@]}" mkdir -p "$pipewire_alsa"
    "${as_root[@]}" cp "$unpack"/tree/usr/lib/*/alsa-lib/libasound_module_*_pipewire.so "$pipewire_alsa/"
    rm -rf "$unpack"
fi
