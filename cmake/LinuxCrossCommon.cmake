# Shared by the Linux cross toolchain files: the caller sets CMAKE_SYSTEM_PROCESSOR,
# VC_CROSS_TRIPLE (aarch64-linux-gnu, i686-linux-gnu: Debian's g++-<triple> and its
# /usr/<triple>) and VC_CROSS_QEMU (the qemu-user program that runs its programs).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${VC_CROSS_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${VC_CROSS_TRIPLE}-g++)

set(CMAKE_FIND_ROOT_PATH /usr/${VC_CROSS_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

find_program(VC_QEMU_PROGRAM ${VC_CROSS_QEMU})
if(VC_QEMU_PROGRAM)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${VC_QEMU_PROGRAM} -L /usr/${VC_CROSS_TRIPLE})
endif()
