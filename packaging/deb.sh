#!/usr/bin/env bash
# Builds the Debian package for ARCH (default: this machine's) from a copy of
# the tree in OUT (default: build/deb-ARCH), where dpkg-buildpackage leaves
# the .deb and the .changes, then has lintian check them: any error or
# warning fails.
#   packaging/deb.sh [ARCH [OUT]]
set -euo pipefail
cd "$(dirname "$0")/.."
arch=${1:-$(dpkg --print-architecture)}
out=$(realpath -m "${2:-build/deb-$arch}")
rm -rf "$out"
mkdir -p "$out/tarvelin"
# The files git knows or would add, without build/: the tree as committed
# together with changes not yet committed.
git ls-files -z --cached --others --exclude-standard |
    tar -c --null --ignore-failed-read -T - | tar -x -C "$out/tarvelin"
cd "$out/tarvelin"
dpkg-buildpackage -us -uc -b -a"$arch"
lintian --fail-on error,warning "$out"/tarvelin_*_"$arch".changes
