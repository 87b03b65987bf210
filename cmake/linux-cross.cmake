# Linux on another architecture, with Debian's cross compilers and the
# multiarch -dev packages of that architecture; the tests run under qemu-user,
# which finds the architecture's loader and libraries where multiarch puts them.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${TARVELIN_CROSS_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${TARVELIN_CROSS_TRIPLET}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${TARVELIN_CROSS_TRIPLET})
find_program(TARVELIN_QEMU qemu-${TARVELIN_QEMU_ARCH} REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TARVELIN_QEMU})
set(PKG_CONFIG_EXECUTABLE ${TARVELIN_CROSS_TRIPLET}-pkg-config)
