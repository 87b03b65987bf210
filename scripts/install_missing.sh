#!/usr/bin/env bash
# Installs those of the given Debian packages that are not installed yet,
# through sudo when not run as root.
set -euo pipefail

missing=()
for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
echo "==> installing ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
# Packages of another architecture (wine32:i386) need it added first.
for package in "${missing[@]}"; do
    if [[ $package == *:* ]] && ! dpkg --print-foreign-architectures | grep -qx "${package#*:}"; then
        "${sudo[@]}" dpkg --add-architecture "${package#*:}"
    fi
done
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
