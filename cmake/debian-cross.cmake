# Cross builds for Debian's ARM ports with Debian's cross toolchain, as
# scripts/cross runs them. Included by armhf.cmake and arm64.cmake, which set
# ASCELON_CROSS_TRIPLET, ASCELON_CROSS_PROCESSOR and ASCELON_CROSS_QEMU.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${ASCELON_CROSS_PROCESSOR})
set(CMAKE_C_COMPILER ${ASCELON_CROSS_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${ASCELON_CROSS_TRIPLET}-g++)

# The ARM -dev packages sit beside the host's (multiarch): pkg-config reads
# theirs alone, and CMake finds GoogleTest under the ARM library directory.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/${ASCELON_CROSS_TRIPLET}/pkgconfig:/usr/share/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")
set(CMAKE_LIBRARY_ARCHITECTURE ${ASCELON_CROSS_TRIPLET})

# Programs built for ARM (the packers run by the build, the tests and their
# discovery) run under qemu-user through the emulate script.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/emulate ${ASCELON_CROSS_QEMU})
