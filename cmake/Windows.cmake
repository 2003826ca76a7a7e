# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build, cross-compiled on Debian (scripts/windows/build.sh): the
# windowed program starts without a console, and the tests and benchmarks run
# under Wine through a small wrapper that keeps Wine's own files in the build
# folder, so a test run needs neither a display nor a Wine set up beforehand.
if(NOT WIN32)
    return()
endif()

if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    find_program(TLCALC_WINE wine)
    if(TLCALC_WINE)
        set(wine_run ${CMAKE_BINARY_DIR}/wine-run)
        file(CONFIGURE OUTPUT ${wine_run} @ONLY CONTENT [[#!/bin/sh
# Runs a Windows program of this build under Wine, in the build's own prefix.
export WINEPREFIX="${TLCALC_WINEPREFIX:-@CMAKE_BINARY_DIR@/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko: nothing here needs .NET or a browser engine.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEARCH=win64
exec "@TLCALC_WINE@" "$@"
]])
        file(CHMOD ${wine_run} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
             GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
        set(CMAKE_CROSSCOMPILING_EMULATOR ${wine_run})
    endif()
endif()
