#!/usr/bin/env bash
# Installs those of the given Debian packages that are not installed yet,
# through sudo when not run as root. Packages of another architecture
# (wine32:i386) come last and may fail: some kernels cannot run their
# post-install steps, and the tests that need them skip, saying why.
set -euo pipefail

native=()
foreign=()
for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        if [[ $package == *:* ]]; then
            foreign+=("$package")
        else
            native+=("$package")
        fi
    fi
done
if [ $((${#native[@]} + ${#foreign[@]})) -eq 0 ]; then
    exit 0
fi
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
for package in "${foreign[@]}"; do
    if ! dpkg --print-foreign-architectures | grep -qx "${package#*:}"; then
        "${sudo[@]}" dpkg --add-architecture "${package#*:}"
    fi
done
"${sudo[@]}" apt-get update -q
if [ ${#native[@]} -gt 0 ]; then
    echo "==> installing ${native[*]}"
    "${sudo[@]}" apt-get install -y -q --no-install-recommends "${native[@]}"
fi
if [ ${#foreign[@]} -gt 0 ]; then
    echo "==> installing ${foreign[*]}"
    if ! "${sudo[@]}" apt-get install -y -q --no-install-recommends "${foreign[@]}"; then
        echo "==> could not install ${foreign[*]}: the tests that need them will skip"
        "${sudo[@]}" dpkg --configure -a || true
    fi
fi
