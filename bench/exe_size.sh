#!/usr/bin/env bash
# Prints tarvelin.exe's size with and without its resources (.rsrc: the icon,
# nearly all of it, the manifest and the version), its code section size and
# the DLLs it imports, for each Windows build present (goal: under 24 KiB
# without .rsrc). Build first: cmake --build --preset windows (and
# windows-x86).
set -euo pipefail
cd "$(dirname "$0")/.."

size() {
    awk -v label="$1" -v bytes="$2" 'BEGIN { printf "%s %7d bytes (%.1f KiB)\n", label, bytes, bytes / 1024 }'
}

report() {
    local preset=$1 triplet=$2
    local exe=build/$preset/tarvelin.exe
    if [[ ! -f $exe ]]; then
        echo "$preset: no $exe (build the $preset preset)"
        return
    fi
    local bare
    bare=$(mktemp --suffix=.exe)
    trap 'rm -f "$bare"' RETURN
    "$triplet-objcopy" --remove-section=.rsrc "$exe" "$bare"
    local text
    text=$("$triplet-objdump" -h "$exe" | awk '$2 == ".text" { print $3 }')
    echo "$preset ($triplet)"
    size "  with .rsrc:   " "$(stat -c %s "$exe")"
    size "  without .rsrc:" "$(stat -c %s "$bare")"
    size "  .text section:" "$((16#$text))"
    echo "  imports:       $("$triplet-objdump" -p "$exe" | awk '/DLL Name:/ { print $3 }' | xargs)"
}

report windows x86_64-w64-mingw32
report windows-x86 i686-w64-mingw32
