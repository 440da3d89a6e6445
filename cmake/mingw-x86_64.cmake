# Cross build of the 64-bit Windows program with MinGW-w64 from Debian
# (g++-mingw-w64-x86-64, binutils-mingw-w64-x86-64).
#   cmake -S . -B build/mingw64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QUILLON_MINGW x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
