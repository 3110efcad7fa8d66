# ARM64 Linux with Debian's g++-aarch64-linux-gnu, run under qemu-aarch64 (qemu-user). The
# stand-in host needs libffi, which has no ARM64 build here, so configure the routines only:
#   cmake -S . -B build-arm64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-aarch64-linux-gnu.cmake \
#         -DVC_ROUTINES_ONLY=ON
#   cmake --build build-arm64 --target pinned_digest
#   qemu-aarch64 -L /usr/aarch64-linux-gnu build-arm64/digest/pinned_digest
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

set(CMAKE_FIND_ROOT_PATH /usr/aarch64-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(VC_QEMU_AARCH64 qemu-aarch64)
if(VC_QEMU_AARCH64)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${VC_QEMU_AARCH64} -L /usr/aarch64-linux-gnu)
endif()
