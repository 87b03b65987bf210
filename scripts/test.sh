#!/usr/bin/env bash
# Builds everything and runs every test: unit tests, the C++03 check, the
# end-to-end tests, then the unit tests again under ASan and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset default
cmake --build --preset default
ctest --preset default

cmake --preset asan
cmake --build --preset asan
ctest --preset asan
