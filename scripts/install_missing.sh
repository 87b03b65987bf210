#!/usr/bin/env bash
# Installs those of the given Debian packages that are not installed yet,
# through sudo when not run as root. NAME:arm stands for NAME of each ARM
# architecture (arm64 and armhf). Packages of i386 (wine32:i386) come last
# and may fail: some kernels cannot run their post-install steps, and the
# tests that need them skip, saying why. Any other failure stops the run.
set -euo pipefail

ARM_ARCHITECTURES=(arm64 armhf)

required=()
optional=()
for package in "$@"; do
    if [[ $package == *:arm ]]; then
        names=("${ARM_ARCHITECTURES[@]/#/${package%:arm}:}")
    else
        names=("$package")
    fi
    for name in "${names[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q 'install ok installed'; then
            if [[ $name == *:i386 ]]; then
                optional+=("$name")
            else
                required+=("$name")
            fi
        fi
    done
done
if [ $((${#required[@]} + ${#optional[@]})) -eq 0 ]; then
    exit 0
fi
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
for name in "${required[@]}" "${optional[@]}"; do
    if [[ $name == *:* ]] && ! dpkg --print-foreign-architectures | grep -qx "${name#*:}"; then
        "${sudo[@]}" dpkg --add-architecture "${name#*:}"
    fi
done
"${sudo[@]}" apt-get update -q
if [ ${#required[@]} -gt 0 ]; then
    echo "==> installing ${required[*]}"
    "${sudo[@]}" apt-get install -y -q --no-install-recommends "${required[@]}"
fi
if [ ${#optional[@]} -gt 0 ]; then
    echo "==> installing ${optional[*]}"
    if ! "${sudo[@]}" apt-get install -y -q --no-install-recommends "${optional[@]}"; then
        echo "==> could not install ${optional[*]}: the tests that need them will skip"
        "${sudo[@]}" dpkg --configure -a || true
    fi
fi
