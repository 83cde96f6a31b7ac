# Cross-builds for 64-bit Windows with Debian's MinGW-w64 (POSIX threads).
# Everything links statically, so the programs need no DLLs beside them.
# AMORQUANT_WIN_DEPS names the prefix of the cross-built libraries
# (scripts/windows-deps.sh prints it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_triple}-windres)

# Passed on to try_compile projects, which see the toolchain file anew.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES AMORQUANT_WIN_DEPS)
set(CMAKE_FIND_ROOT_PATH /usr/${_triple} ${AMORQUANT_WIN_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Static archives only: zlib also ships an import library for its DLL.
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Tests and other programs run at build time go through Wine, in the prefix
# that WINEPREFIX names (tests/windows/run.sh makes one per test run).
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
