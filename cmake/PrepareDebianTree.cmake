# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack on the staged install tree, doing what Debian's dh_strip and
# dh_compress would: programs stripped of their symbols and of the compiler's
# .comment and .note sections (no program reads them), manual pages compressed
# with gzip -9n, which leaves out the name and time so that a rebuild gives the
# same bytes.
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")

set(programs ${staged})
list(FILTER programs INCLUDE REGEX "/bin/[^/]+$")
foreach(program IN LISTS programs)
    file(READ ${program} magic LIMIT 4 HEX)
    if(magic STREQUAL "7f454c46")
        execute_process(COMMAND ${CPACK_TLCALC_STRIP} --remove-section=.comment
                                --remove-section=.note ${program}
                        COMMAND_ERROR_IS_FATAL ANY)
    endif()
endforeach()

set(pages ${staged})
list(FILTER pages INCLUDE REGEX "/man/man[1-9]/[^/]+\\.[1-9]$")
foreach(page IN LISTS pages)
    execute_process(COMMAND gzip -9nf ${page} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
