# SPDX-License-Identifier: GPL-3.0-or-later
# Run by CPack on the staged install tree: gzip -9n, as dh_compress does, so
# that the page carries no time stamp and the package rebuilds bit for bit.
file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
list(FILTER staged INCLUDE REGEX "/man/man[1-9]/[^/]+\\.[1-9]$")
foreach(page IN LISTS staged)
    execute_process(COMMAND gzip -9nf ${page} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
