#!/usr/bin/env bash
# Builds everything and runs every test: unit tests (also under Valgrind
# memcheck), the C++03 check, the end-to-end tests, then the unit tests again
# under ASan and UBSan, then bounded runs of the fuzz targets.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset default
cmake --build --preset default
ctest --preset default

cmake --preset asan
cmake --build --preset asan
ctest --preset asan

cmake --preset fuzz
cmake --build --preset fuzz
ctest --preset fuzz
