# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian packages: `cpack -G DEB` in the build folder (or scripts/package.sh,
# which also fixes their times) makes two from what `cmake --install` puts under
# /usr, one per install component:
#   tlcalc-cli_<version>-<revision>_<arch>.deb  component cli: the command line and
#                                               its manual page, on Qt Core alone
#   tlcalc_<version>-<revision>_<arch>.deb      component gui: the window and all
#                                               a desktop needs to offer it
# Each carries its copyright file and the changelogs made from NEWS.md.
set(TLCALC_PACKAGE_MAINTAINER "TL Calculator developers <tlcalc@users.noreply.github.com>"
    CACHE STRING "The Debian packages' maintainer, as \"Name <address>\"")
set(TLCALC_DEBIAN_REVISION 1
    CACHE STRING "The Debian revision after the version: 1 for the first package of a version")

set(CPACK_GENERATOR DEB)
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME tlcalc)
set(CPACK_PACKAGE_VENDOR "TL Calculator developers")
set(CPACK_PACKAGE_HOMEPAGE_URL https://github.com/tlcalc/tlcalc)
# Stripped in PrepareDebianTree.cmake, as dh_strip does, with the .comment section.
set(CPACK_STRIP_FILES OFF)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL cli gui)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${TLCALC_DEBIAN_REVISION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TLCALC_PACKAGE_MAINTAINER}")
# Both come from one source tree, which Debian names in each binary package.
set(CPACK_DEBIAN_PACKAGE_SOURCE tlcalc)
# A calculator: Debian's games section would ask for the programs in /usr/games,
# where no one looks for a calculator or a command for scripts. The desktop entry
# still lists the window with the card games, where a solitaire player looks.
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# dpkg-shlibdeps names the libraries each package's program links: Qt's core
# library and the C++ runtime for tlcalc-cli, Qt's gui and widgets as well for tlcalc.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

set(CPACK_DEBIAN_CLI_PACKAGE_NAME tlcalc-cli)
set(CPACK_DEBIAN_CLI_DESCRIPTION
    "command line for the 36-card chain solitaire calculator
tlcalc-cli reads, collapses and analyses chains of the 36-card chain
solitaire, deals chains that meet given conditions on every core, exchanges
cards, builds micro-chains and counts how far random chains collapse. It
writes text or one JSON object per chain, for scripts, and needs no display:
it links Qt's core library alone.

The window of the same calculator is in the package tlcalc.")

set(CPACK_DEBIAN_GUI_PACKAGE_NAME tlcalc)
set(CPACK_DEBIAN_GUI_DESCRIPTION
    "calculator for the 36-card chain solitaire
A desktop calculator for the 36-card chain solitaire (\"TL calculator\").
It reads or deals chains, collapses them and shows what the collapse did to
every card, the balance marks and the four suit hexagrams of the Book of
Changes; it generates chains that meet given conditions, exchanges cards,
builds micro-chains and draws chains as compass walks. The window speaks
Russian.

The command-line twin tlcalc-cli, in its own package, gives the same results
to scripts, as text or JSON.")
# Qt's JPEG image plugin, which the drawings window loads at run time, is in a
# package of its own on some systems: named here, found from the plugin this build
# was made with, unless it is the package of Qt's gui library itself (as on Debian
# 12, libqt6gui6), which dpkg-shlibdeps names already with its version.
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
    set(CPACK_DEBIAN_GUI_PACKAGE_DEPENDS ${jpeg_plugin_package})
endif()
# The about window's title is set in Calibri, whose metrics Carlito shares; the
# windows' captions are sized for Tahoma, which Wine's fonts supply with Cyrillic
# letters; Qt's dialogs speak Russian with Qt's translations.
set(CPACK_DEBIAN_GUI_PACKAGE_RECOMMENDS
    "fonts-crosextra-carlito, fonts-wine, qt6-translations-l10n")
set(CPACK_DEBIAN_GUI_PACKAGE_SUGGESTS tlcalc-cli)

# Debian's copyright file and changelogs in each package's doc folder. They are
# Debian's own form, so only the packages install them, not `cmake --install`.
set(debian_dir ${CMAKE_BINARY_DIR}/debian)
configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/copyright.in ${debian_dir}/copyright @ONLY)
add_custom_command(
    OUTPUT ${debian_dir}/changelog.Debian.gz ${debian_dir}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -DNEWS=${PROJECT_SOURCE_DIR}/NEWS.md -DSOURCE=tlcalc
            -DREVISION=${TLCALC_DEBIAN_REVISION} "-DMAINTAINER=${TLCALC_PACKAGE_MAINTAINER}"
            -DOUTPUT_DIR=${debian_dir} -P ${CMAKE_CURRENT_LIST_DIR}/DebianChangelog.cmake
    DEPENDS ${PROJECT_SOURCE_DIR}/NEWS.md ${CMAKE_CURRENT_LIST_DIR}/DebianChangelog.cmake
    COMMENT "Turning NEWS.md into the Debian changelogs"
    VERBATIM)
add_custom_target(debian_changelog ALL
                  DEPENDS ${debian_dir}/changelog.Debian.gz ${debian_dir}/changelog.gz)
# lintian's overrides say why a tag it gives does not apply to these packages.
foreach(component cli gui)
    string(TOUPPER ${component} upper)
    set(package ${CPACK_DEBIAN_${upper}_PACKAGE_NAME})
    install(FILES ${debian_dir}/copyright ${debian_dir}/changelog.Debian.gz ${debian_dir}/changelog.gz
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package}
            COMPONENT ${component} EXCLUDE_FROM_ALL)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/lintian-overrides
            DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME ${package}
            COMPONENT ${component} EXCLUDE_FROM_ALL)
endforeach()

# Debian keeps manual pages compressed and programs stripped; `cmake --install`
# leaves both as they are.
set(CPACK_TLCALC_STRIP ${CMAKE_STRIP})
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PrepareDebianTree.cmake)

include(CPack)
