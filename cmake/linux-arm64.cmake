# Linux on 64-bit ARM (Debian's arm64).
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(TARVELIN_CROSS_TRIPLET aarch64-linux-gnu)
set(TARVELIN_QEMU_ARCH aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
