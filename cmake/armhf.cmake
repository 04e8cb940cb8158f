# 32-bit ARM with hardware floating point (Debian's armhf port).
#   cmake -S . -B build-armhf -DCMAKE_TOOLCHAIN_FILE=cmake/armhf.cmake
set(ASCELON_CROSS_TRIPLET arm-linux-gnueabihf)
set(ASCELON_CROSS_PROCESSOR arm)
set(ASCELON_CROSS_QEMU qemu-arm)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
