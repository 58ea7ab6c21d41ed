# Cross-compiles Dyvern for 64-bit Windows with Debian's mingw-w64 packages:
#   cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(DYVERN_MINGW_TRIPLET x86_64-w64-mingw32)
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

# Lets ctest run Windows-built programs under Wine's 64-bit loader.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
