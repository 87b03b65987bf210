#!/usr/bin/env bash
# Prints the non-blank lines of product code (C++ under src/), of test code
# (C++ and Python under tests/, helpers included) and their ratio.
#   scripts/code_ratio.sh [REV]    counts REV's files instead of the work tree
set -euo pipefail
cd "$(dirname "$0")/.."

count() {
    local rev=$1 pattern=$2 dir=$3 total=0 file
    while IFS= read -r file; do
        if [ -n "$rev" ]; then
            total=$((total + $(git show "$rev:$file" | grep -c '[^[:space:]]' || true)))
        elif [ -f "$file" ]; then
            total=$((total + $(grep -c '[^[:space:]]' "$file" || true)))
        fi
    done < <(if [ -n "$rev" ]; then git ls-tree -r --name-only "$rev" -- "$dir"; else
                 git ls-files --cached --others --exclude-standard -- "$dir"; fi |
             grep -E "$pattern" || true)
    echo "$total"
}

rev=${1:-}
product=$(count "$rev" '\.(cpp|h)$' src)
tests=$(count "$rev" '\.(cpp|h|py)$' tests)
awk -v p="$product" -v t="$tests" \
    'BEGIN { printf "product code %d lines, test code %d lines, ratio %.2f\n", p, t, t / p }'
