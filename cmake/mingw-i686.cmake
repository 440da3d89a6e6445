# Cross build of the 32-bit Windows program, which runs on every Windows, with MinGW-w64 from
# Debian (g++-mingw-w64-i686, binutils-mingw-w64-i686).
#   cmake -S . -B build/mingw -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QUILLON_MINGW i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
