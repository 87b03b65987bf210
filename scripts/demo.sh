#!/usr/bin/env bash
# One command to try the Linux program: installs what it needs (Debian 12),
# builds it, runs each action once on a rotating virtual display of its own
# and writes a contact sheet of the screen after each step under out/.
#
#   scripts/demo.sh                    on a virtual display (yours is left alone)
#   scripts/demo.sh --display :0       on that display, turning it for real
set -euo pipefail
cd "$(dirname "$0")/.."

# What building and showing the Linux program takes; the tests need more.
needed=(cmake make g++ python3 pkg-config libx11-dev libxrandr-dev libxi-dev libpixman-1-dev
        libxkbcommon-dev libxkbcommon-x11-dev libxcb-xkb-dev libfcft4 libxcb-randr0-dev
        libwayland-dev libsystemd-dev
        plasma-wayland-protocols librust-wayland-protocols-dev fonts-wqy-microhei
        fonts-dejavu-core xvfb xserver-xephyr x11-xserver-utils xdotool imagemagick)
scripts/install_missing.sh "${needed[@]}"

echo "==> building"
cmake -S . -B build/demo -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build/demo --target tarvelin -j 2

python3 scripts/demo.py build/demo/src/entry/tarvelin out "$@"
