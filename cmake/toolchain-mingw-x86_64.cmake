# 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-x86_64.cmake
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(XLF_MINGW_TRIPLE x86_64-w64-mingw32)
set(XLF_WINE_LOADER wine64)
include(${CMAKE_CURRENT_LIST_DIR}/MingwCommon.cmake)
