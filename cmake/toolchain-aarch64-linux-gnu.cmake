# ARM64 Linux with Debian's g++-aarch64-linux-gnu, run under qemu-aarch64 (qemu-user). The
# stand-in host needs libffi, which has no ARM64 build here, so configure the routines only:
#   cmake -S . -B build-arm64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-aarch64-linux-gnu.cmake \
#         -DVC_ROUTINES_ONLY=ON
#   cmake --build build-arm64 --target pinned_digest
#   qemu-aarch64 -L /usr/aarch64-linux-gnu build-arm64/digest/pinned_digest
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(VC_CROSS_TRIPLE aarch64-linux-gnu)
set(VC_CROSS_QEMU qemu-aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/LinuxCrossCommon.cmake)
