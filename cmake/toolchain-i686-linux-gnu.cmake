# 32-bit x86 Linux with Debian's g++-i686-linux-gnu, run under qemu-i386 (qemu-user), for the
# routines' 32-bit x86 arithmetic where the kernel runs no 32-bit programs itself (and so no
# 32-bit Wine). cmake/NumericFlags.cmake adds -msse2 -mfpmath=sse. The routines only:
#   cmake -S . -B build-x86 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-linux-gnu.cmake \
#         -DVC_ROUTINES_ONLY=ON
#   cmake --build build-x86 --target pinned_digest
#   qemu-i386 -L /usr/i686-linux-gnu build-x86/digest/pinned_digest
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VC_CROSS_TRIPLE i686-linux-gnu)
set(VC_CROSS_QEMU qemu-i386)
include(${CMAKE_CURRENT_LIST_DIR}/LinuxCrossCommon.cmake)
