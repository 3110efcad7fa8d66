# 32-bit Windows with Debian's mingw-w64 (g++-mingw-w64-i686-posix):
#   cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake
set(CMAKE_SYSTEM_PROCESSOR x86)
set(XLF_MINGW_TRIPLE i686-w64-mingw32)
set(XLF_WINE_LOADER wine)
include(${CMAKE_CURRENT_LIST_DIR}/MingwCommon.cmake)
# Floating point in SSE2 registers, as on x86_64: cmake/NumericFlags.cmake adds the flags
# for every 32-bit x86 target.
