#!/usr/bin/env bash
# One command to try the Linux program: installs what it needs (Debian 12),
# builds it, runs each action once on a rotating virtual display of its own
# and writes a contact sheet of the screen after each step under out/.
#
#   scripts/demo.sh                    on a virtual display (yours is left alone)
#   scripts/demo.sh --display :0       on that display, turning it for real
set -euo pipefail
cd "$(dirname "$0")/.."

missing=()
while read -r package; do
    [ -n "$package" ] || continue
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done < .ci/packages
if [ ${#missing[@]} -gt 0 ]; then
    echo "==> installing ${missing[*]}"
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -q
    "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

echo "==> building"
cmake --preset default >/dev/null
cmake --build --preset default --target tarvelin

python3 scripts/demo.py build/default/src/platform/x11/tarvelin out "$@"
