# SPDX-License-Identifier: GPL-3.0-or-later
# What the Windows programs carry and how they travel:
#   - the icon and the version information Explorer shows for tlcalc.exe and
#     tlcalc-cli.exe: an .ico rendered from the SVG icon, and one .rc file per
#     program, which app/ and cli/ add to their programs;
#   - the target windows_packages, which makes in the build folder
#       tlcalc-<version>-windows-x64.zip  a folder tlcalc-<version>/ to unpack
#                                         anywhere and start tlcalc.exe from
#       tlcalc-<version>-setup.exe        an installer into Program Files, with a
#                                         Start-menu entry and an uninstaller
#     Both hold the same files: the two programs, stripped, the drawings
#     window's picture, a read-me, the licence and the notices of the libraries
#     linked into the programs, the texts with Windows line ends.
set(win_dir ${CMAKE_BINARY_DIR}/windows)

# The icon: the sizes Explorer, the taskbar and the Start menu ask for. The
# largest goes in as PNG, as Windows reads it since Vista; the others as bitmaps.
find_program(RSVG_CONVERT rsvg-convert)
find_program(TLCALC_ICOTOOL icotool)
if(NOT RSVG_CONVERT OR NOT TLCALC_ICOTOOL)
    message(FATAL_ERROR "rsvg-convert (librsvg2-bin) and icotool (icoutils) make the programs' "
                        "icon: install them (scripts/install-packages.sh --windows does)")
endif()
set(icon_source ${PROJECT_SOURCE_DIR}/resources/${TLCALC_APP_ID}.svg)
set(TLCALC_WINDOWS_ICON ${win_dir}/tlcalc.ico)
set(icon_bitmaps)
foreach(size 16 24 32 48 64 256)
    set(png ${win_dir}/icon/${size}.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${win_dir}/icon
        COMMAND ${RSVG_CONVERT} --width=${size} --height=${size} --output=${png} ${icon_source}
        DEPENDS ${icon_source}
        COMMENT "Rendering the ${size}x${size} icon for Windows"
        VERBATIM)
    if(size EQUAL 256)
        set(icon_large ${png})
    else()
        list(APPEND icon_bitmaps ${png})
    endif()
endforeach()
add_custom_command(OUTPUT ${TLCALC_WINDOWS_ICON}
    COMMAND ${TLCALC_ICOTOOL} --create --output=${TLCALC_WINDOWS_ICON} ${icon_bitmaps}
            --raw=${icon_large}
    DEPENDS ${icon_bitmaps} ${icon_large}
    COMMENT "Packing the Windows icon"
    VERBATIM)
add_custom_target(windows_icon DEPENDS ${TLCALC_WINDOWS_ICON})

# The version information: the numbers Windows compares, from the project's version.
foreach(part MAJOR MINOR PATCH TWEAK)
    if(PROJECT_VERSION_${part} STREQUAL "")
        list(APPEND rc_version_numbers 0)
    else()
        list(APPEND rc_version_numbers ${PROJECT_VERSION_${part}})
    endif()
endforeach()
list(JOIN rc_version_numbers "," rc_version_numbers)

# One .rc per program, at the path app/ and cli/ name; the build compiles it
# again when the icon changes.
function(tlcalc_windows_resources target description)
    set(rc_program ${target})
    set(rc_description "${description}")
    set(rc ${win_dir}/${target}.rc)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/tlcalc.rc.in ${rc} @ONLY)
    get_target_property(target_dir ${target} SOURCE_DIR)
    set_source_files_properties(${rc} DIRECTORY ${target_dir}
                                PROPERTIES OBJECT_DEPENDS ${TLCALC_WINDOWS_ICON})
    add_dependencies(${target} windows_icon)
endfunction()

tlcalc_windows_resources(tlcalc-cli "ТЛ калькулятор: командная строка")
if(NOT TARGET tlcalc)
    # The headless build has no window to package.
    return()
endif()
tlcalc_windows_resources(tlcalc "ТЛ калькулятор")

# The packages' files, staged in windows/tlcalc-<version>/ by WindowsStage.cmake.
set(package_name tlcalc-${PROJECT_VERSION})
set(stage_dir ${win_dir}/${package_name})
set(stage_stamp ${win_dir}/stage.stamp)
set(TLCALC_WINDOWS_ZIP ${CMAKE_BINARY_DIR}/${package_name}-windows-x64.zip)
set(TLCALC_WINDOWS_SETUP ${CMAKE_BINARY_DIR}/${package_name}-setup.exe)
set(package_files tlcalc.exe tlcalc-cli.exe Kompass.jpg README.txt COPYING.txt NOTICES.txt)

configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt.in ${win_dir}/README.txt @ONLY)
find_program(TLCALC_MINGW_STRIP x86_64-w64-mingw32-strip)
find_program(TLCALC_ZIP zip)
find_program(TLCALC_MAKENSIS makensis)
find_program(TLCALC_TOUCH touch)
if(NOT TLCALC_MINGW_STRIP OR NOT TLCALC_ZIP OR NOT TLCALC_MAKENSIS OR NOT TLCALC_TOUCH)
    message(FATAL_ERROR "The Windows packages need x86_64-w64-mingw32-strip, zip, makensis "
                        "and touch: install them (scripts/install-packages.sh --windows does)")
endif()

set(kompass_picture ${PROJECT_SOURCE_DIR}/resources/Kompass.jpg)
set(texts ${win_dir}/README.txt ${PROJECT_SOURCE_DIR}/COPYING
          ${PROJECT_SOURCE_DIR}/packaging/windows/NOTICES.txt)
add_custom_command(OUTPUT ${stage_stamp} ${TLCALC_WINDOWS_ZIP}
    COMMAND ${CMAKE_COMMAND}
            -DSTAGE_DIR=${stage_dir}
            -DSTAMP=${stage_stamp}
            -DZIP_FILE=${TLCALC_WINDOWS_ZIP}
            -DPROGRAMS=$<TARGET_FILE:tlcalc>$<SEMICOLON>$<TARGET_FILE:tlcalc-cli>
            -DPICTURE=${kompass_picture}
            "-DTEXTS=${texts}"
            -DSTRIP=${TLCALC_MINGW_STRIP}
            -DZIP=${TLCALC_ZIP}
            -DTOUCH=${TLCALC_TOUCH}
            -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
            -P ${PROJECT_SOURCE_DIR}/cmake/WindowsStage.cmake
    DEPENDS tlcalc tlcalc-cli $<TARGET_FILE:tlcalc> $<TARGET_FILE:tlcalc-cli> ${kompass_picture}
            ${texts} ${PROJECT_SOURCE_DIR}/cmake/WindowsStage.cmake
    COMMENT "Staging the Windows programs and packing ${package_name}-windows-x64.zip"
    VERBATIM)

# The installer's script names every file twice, to install it and to remove it.
set(nsis_install_files)
set(nsis_remove_files)
foreach(file ${package_files})
    string(APPEND nsis_install_files "    File \"${stage_dir}/${file}\"\n")
    string(APPEND nsis_remove_files "    Delete \"$INSTDIR\\${file}\"\n")
endforeach()
get_filename_component(TLCALC_WINDOWS_SETUP_NAME ${TLCALC_WINDOWS_SETUP} NAME)
string(REPLACE "," "." nsis_version "${rc_version_numbers}")
set(nsis_script ${win_dir}/tlcalc.nsi)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/tlcalc.nsi.in ${nsis_script} @ONLY)
add_custom_command(OUTPUT ${TLCALC_WINDOWS_SETUP}
    COMMAND ${TLCALC_MAKENSIS} -V2 -INPUTCHARSET UTF8 ${nsis_script}
    DEPENDS ${stage_stamp} ${nsis_script} ${TLCALC_WINDOWS_ICON}
    COMMENT "Making the installer ${package_name}-setup.exe"
    VERBATIM)

add_custom_target(windows_packages DEPENDS ${TLCALC_WINDOWS_ZIP} ${TLCALC_WINDOWS_SETUP})
add_dependencies(windows_packages windows_icon)
