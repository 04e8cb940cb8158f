# 64-bit ARM (Debian's arm64 port).
#   cmake -S . -B build-arm64 -DCMAKE_TOOLCHAIN_FILE=cmake/arm64.cmake
set(ASCELON_CROSS_TRIPLET aarch64-linux-gnu)
set(ASCELON_CROSS_PROCESSOR aarch64)
set(ASCELON_CROSS_QEMU qemu-aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
