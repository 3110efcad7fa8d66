# 32-bit x86 Linux with Debian's g++-i686-linux-gnu, run under qemu-i386 (qemu-user), for the
# routines' 32-bit x86 arithmetic where the kernel runs no 32-bit programs itself (and so no
# 32-bit Wine). cmake/NumericFlags.cmake adds -msse2 -mfpmath=sse. The routines only:
#   cmake -S . -B build-x86 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-linux-gnu.cmake \
#         -DVC_ROUTINES_ONLY=ON
#   cmake --build build-x86 --target pinned_digest
#   qemu-i386 -L /usr/i686-linux-gnu build-x86/digest/pinned_digest
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER i686-linux-gnu-g++)

set(CMAKE_FIND_ROOT_PATH /usr/i686-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(VC_QEMU_I386 qemu-i386)
if(VC_QEMU_I386)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${VC_QEMU_I386} -L /usr/i686-linux-gnu)
endif()
