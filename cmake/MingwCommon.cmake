# Shared by the mingw-w64 toolchain files: the caller sets XLF_MINGW_TRIPLE
# (x86_64-w64-mingw32 or i686-w64-mingw32) and XLF_WINE_LOADER (the Wine loader that runs
# that architecture's programs).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_VERSION 6.1)

# The "posix" flavour of Debian's compilers: std::thread and std::mutex work.
set(CMAKE_C_COMPILER ${XLF_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${XLF_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${XLF_MINGW_TRIPLE}-windres)
set(CMAKE_ASM_COMPILER ${XLF_MINGW_TRIPLE}-gcc-posix)

set(CMAKE_FIND_ROOT_PATH /usr/${XLF_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No interprocedural register allocation: mingw-w64's GCC 12 let a caller keep pointers in
# registers across its call of an inline function (a template's COMDAT copy) on what it knew
# of its own copy, while the linker kept another translation unit's copy, which uses those
# registers: TciCe wrote its decay factors through a clobbered pointer. Which registers hold
# what moves no bit of a result.
set(CMAKE_C_FLAGS_INIT "-fno-ipa-ra")
set(CMAKE_CXX_FLAGS_INIT "-fno-ipa-ra")

# The C and C++ runtimes and the threads library go into every module, so that an add-in
# imports nothing but the system's own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# Tests run their programs under Wine.
find_program(XLF_WINE NAMES ${XLF_WINE_LOADER} PATHS /usr/lib/wine /usr/bin NO_DEFAULT_PATH)
if(XLF_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${XLF_WINE})
endif()
