#!/usr/bin/env bash
# Builds everything and runs every test: the Windows programs (with the
# syntax-only check of the Windows CE path), unit tests (also under Valgrind
# memcheck), the end-to-end tests on Linux and under Wine, the Debian package,
# the ARM builds with their unit tests, X11 table walks and packages under
# qemu-user, the unit tests again under ASan and UBSan, then bounded runs of
# the fuzz targets.
# Installs what is missing from .ci/packages first (Debian 12).
set -euo pipefail
cd "$(dirname "$0")/.."

# Runs a preset's tests, then says why each skipped test did not run.
run_tests() {
    local status=0
    ctest --preset "$1" || status=$?
    grep -h '^skipped: ' "build/$1/Testing/Temporary/LastTest.log" || true
    return $status
}

mapfile -t needed < <(grep -v '^#' .ci/packages)
scripts/install_missing.sh "${needed[@]}"

# The default build's end-to-end tests run build/windows/tarvelin.exe.
cmake --preset windows
cmake --build --preset windows
cmake --preset windows-x86
cmake --build --preset windows-x86

cmake --preset default
cmake --build --preset default
run_tests default

for arch in arm64 armhf; do
    preset=linux-$arch
    # dpkg keeps fcft for one architecture, the host's: the X11 walks under
    # qemu load the target's from the build tree.
    if [ ! -d "build/$preset/fcft" ]; then
        mkdir -p "build/$preset/fcft"
        (cd "build/$preset" && apt-get download -q "libfcft4:$arch" &&
            dpkg-deb -x libfcft4_*.deb fcft)
    fi
    cmake --preset $preset
    cmake --build --preset $preset
    run_tests $preset
done

cmake --preset asan
cmake --build --preset asan
run_tests asan

cmake --preset fuzz
cmake --build --preset fuzz
run_tests fuzz
