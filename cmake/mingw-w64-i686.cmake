# Cross-compiles Dyvern for 32-bit Windows with Debian's mingw-w64 packages:
#   cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake
set(CMAKE_SYSTEM_PROCESSOR i686)
set(DYVERN_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
# SSE2 arithmetic, not the x87 unit: doubles are rounded to 64 bits at every
# step, so the 32-bit program computes the numbers the 64-bit one does.
# Windows calls back with stacks aligned to 4 bytes only; realign them.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
