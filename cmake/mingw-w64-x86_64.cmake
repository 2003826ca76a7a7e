# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix threads, for
# std::thread). Used to build Qt and the test libraries for Windows and, through
# the toolchain file Qt installs, the programs themselves.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(TLCALC_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TLCALC_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TLCALC_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TLCALC_MINGW_PREFIX}-windres)

# Libraries and headers come from the MinGW sysroot and from the cache that holds
# Qt and the test libraries for Windows, never from the build machine's /usr.
set(CMAKE_FIND_ROOT_PATH /usr/${TLCALC_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs carry GCC's and the C++ runtime in them, so no MinGW DLL need ship
# beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
# 64-bit Windows aligns the stack to 16 bytes only, and GCC does not realign it
# for spilled 32-byte AVX values; unaligned moves are as fast on aligned data
# and cannot fault on a misaligned spill.
set(CMAKE_C_FLAGS_INIT "-Wa,-muse-unaligned-vector-move")
set(CMAKE_CXX_FLAGS_INIT "-Wa,-muse-unaligned-vector-move")
