# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack -G DEB` in the build folder makes tlcalc_<version>_<arch>.deb
# from what `cmake --install` puts under /usr.
set(TLCALC_PACKAGE_MAINTAINER "TL Calculator developers <tlcalc@users.noreply.github.com>"
    CACHE STRING "The Debian package's maintainer, as \"Name <address>\"")

set(CPACK_GENERATOR DEB)
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME tlcalc)
set(CPACK_PACKAGE_VENDOR "TL Calculator developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for the 36-card chain solitaire")
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop calculator for the 36-card chain solitaire (\"TL calculator\").
It reads or deals chains, collapses them and shows what the collapse did to
every card, the balance marks and the four suit hexagrams of the Book of
Changes; it generates chains that meet given conditions, exchanges cards,
builds micro-chains and draws chains as compass walks. The window speaks
Russian.

The command-line twin tlcalc-cli gives the same results to scripts, as text
or JSON.")
set(CPACK_PACKAGE_HOMEPAGE_URL https://github.com/tlcalc/tlcalc)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TLCALC_PACKAGE_MAINTAINER}")
# A calculator: Debian's games section would ask for the programs in /usr/games,
# where no one looks for a calculator or a command for scripts. The desktop entry
# still lists the window with the card games, where a solitaire player looks.
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# dpkg-shlibdeps names the libraries the programs link (Qt's core, gui and widgets,
# the C++ runtime). Qt's JPEG image plugin is loaded at run time, so nothing links it:
# its package is named too, found from the plugin this build was made with, unless it
# is the package of Qt's gui library itself (as on Debian 12, libqt6gui6), which the
# list already holds with its version.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
function(tlcalc_debian_package_of file result)
    set(${result} "" PARENT_SCOPE)
    find_program(DPKG_QUERY dpkg-query)
    if(DPKG_QUERY AND EXISTS "${file}")
        file(REAL_PATH "${file}" file)
        execute_process(COMMAND ${DPKG_QUERY} --search ${file}
                        OUTPUT_VARIABLE owner RESULT_VARIABLE unowned ERROR_QUIET)
        if(NOT unowned AND owner MATCHES "^([^:, ]+)")
            set(${result} ${CMAKE_MATCH_1} PARENT_SCOPE)
        endif()
    endif()
endfunction()
if(NOT TARGET Qt6::QJpegPlugin)
    find_package(Qt6QJpegPlugin CONFIG QUIET HINTS ${Qt6Gui_DIR})
endif()
set(jpeg_plugin_package libqt6gui6)
if(TARGET Qt6::QJpegPlugin)
    get_target_property(jpeg_plugin Qt6::QJpegPlugin LOCATION)
    tlcalc_debian_package_of("${jpeg_plugin}" jpeg_plugin_package)
endif()
get_target_property(qt_gui_library Qt6::Gui LOCATION)
tlcalc_debian_package_of("${qt_gui_library}" qt_gui_package)
if(jpeg_plugin_package AND NOT jpeg_plugin_package STREQUAL qt_gui_package)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS ${jpeg_plugin_package})
endif()
# The about window's title is set in Calibri, whose metrics Carlito shares; the
# windows' captions are sized for Tahoma, which Wine's fonts supply with Cyrillic
# letters; Qt's dialogs speak Russian with Qt's translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-crosextra-carlito, fonts-wine, qt6-translations-l10n")

# Debian keeps manual pages compressed; `cmake --install` leaves them plain.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/CompressManPages.cmake)

include(CPack)
