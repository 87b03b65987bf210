#!/usr/bin/env bash
# Builds the Windows programs twice from copies of the work tree at two
# different paths and compares the bytes: a reproducible build gives the same
# tarvelin.exe whatever the path and the time. Usage: bench/reproducible_build.sh
# [PRESET...] (default: windows windows-x86). Status 1 when any differs.
set -euo pipefail
cd "$(dirname "$0")/.."
presets=("$@")
[ $# -gt 0 ] || presets=(windows windows-x86)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for copy in first second-copy; do
    mkdir "$work/$copy"
    git ls-files -z --cached --others --exclude-standard |
        xargs -0 sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' sh |
        tar --null -T - -cf - | tar -xf - -C "$work/$copy"
done

differ=0
for preset in "${presets[@]}"; do
    for copy in first second-copy; do
        (cd "$work/$copy" && cmake --preset "$preset" >/dev/null &&
            cmake --build --preset "$preset" --target tarvelin >/dev/null)
        sleep 1 # a time stamp that slipped in would now differ
    done
    first=$work/first/build/$preset/tarvelin.exe
    second=$work/second-copy/build/$preset/tarvelin.exe
    if cmp -s "$first" "$second"; then
        echo "$preset: identical, sha256 $(sha256sum "$first" | cut -d' ' -f1)"
    else
        echo "$preset: DIFFERENT"
        sha256sum "$first" "$second"
        cmp -l "$first" "$second" | head -5
        differ=1
    fi
done
exit $differ
