# Cross-compiles Dyvern for 32-bit Windows with Debian's mingw-w64 packages:
#   cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(DYVERN_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_C_COMPILER ${DYVERN_MINGW_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${DYVERN_MINGW_TRIPLET}-g++)
set(CMAKE_RC_COMPILER ${DYVERN_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${DYVERN_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Each .exe stands alone: no libgcc or libstdc++ DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
