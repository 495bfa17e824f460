# Cross build for 64-bit Windows with Debian's mingw-w64 (POSIX threads variant). Everything is linked
# statically, so the executables run on a bare Windows or under Wine without the compiler's DLLs.
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
#
# When Wine is installed, CTest runs the test executables through it, in a Wine prefix of the build
# folder's own (KITVANE_WINEPREFIX), quietly.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KITVANE_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KITVANE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KITVANE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KITVANE_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KITVANE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(KITVANE_WINE NAMES wine wine64)
if(KITVANE_WINE)
  set(KITVANE_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH "Wine prefix in which the tests run")
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/bin/env WINEPREFIX=${KITVANE_WINEPREFIX} WINEDEBUG=-all ${KITVANE_WINE})
endif()
