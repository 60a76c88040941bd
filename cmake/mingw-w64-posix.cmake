# Cross-build for 64-bit Windows with MinGW-w64. The posix-threads variant of
# the compiler is the one with std::thread, which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SORVANE_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SORVANE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SORVANE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${SORVANE_MINGW_PREFIX}-windres)

# Libraries cross-built for us (scripts/windows-libs.sh) are named with
# CMAKE_PREFIX_PATH; they count as part of the target system.
set(CMAKE_FIND_ROOT_PATH /usr/${SORVANE_MINGW_PREFIX} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The runtime goes into every executable, so a program runs without the
# compiler's DLLs beside it (and Wine needs no search path for them).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs run under Wine; CTest and test discovery prefix them with it.
find_program(SORVANE_WINE NAMES wine wine64)
if(SORVANE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${SORVANE_WINE})
endif()
