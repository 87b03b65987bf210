# Linux on 32-bit ARM with hardware floating point (Debian's armhf).
set(CMAKE_SYSTEM_PROCESSOR armv7l)
set(TARVELIN_CROSS_TRIPLET arm-linux-gnueabihf)
set(TARVELIN_QEMU_ARCH arm)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
