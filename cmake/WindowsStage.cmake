# SPDX-License-Identifier: GPL-3.0-or-later
# Stages the files of the Windows packages in STAGE_DIR and packs them into
# ZIP_FILE under the folder's own name; run by the target windows_packages
# (cmake/WindowsPackaging.cmake) as
#   cmake -DSTAGE_DIR=... -DSTAMP=... -DZIP_FILE=... -DPROGRAMS=<exe;...>
#         -DPICTURE=... -DTEXTS=<file;...> -DSTRIP=... -DZIP=... -DTOUCH=...
#         -DSOURCE_DIR=... -P WindowsStage.cmake
# The programs are stripped; the texts get Windows line ends and a .txt name.
# Two builds of one commit give the same zip: every file carries the same time,
# SOURCE_DATE_EPOCH when set, else the time of the last commit, and the zip
# holds no extra attributes, no folder entries, the files in sorted order and
# its times in UTC.
cmake_minimum_required(VERSION 3.25)

foreach(var STAGE_DIR STAMP ZIP_FILE PROGRAMS PICTURE TEXTS STRIP ZIP TOUCH SOURCE_DIR)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "WindowsStage.cmake needs -D${var}=...")
    endif()
endforeach()

function(run)
    execute_process(COMMAND ${ARGV} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

# The files' time, which strip also writes into the programs' headers.
if(DEFINED ENV{SOURCE_DATE_EPOCH} AND NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
    set(epoch $ENV{SOURCE_DATE_EPOCH})
else()
    execute_process(COMMAND git -C ${SOURCE_DIR} log -1 --format=%ct
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE git_result ERROR_QUIET)
    if(NOT git_result EQUAL 0 OR epoch STREQUAL "")
        # A source tree without its history: the time of its top CMakeLists.txt.
        file(TIMESTAMP ${SOURCE_DIR}/CMakeLists.txt epoch "%s" UTC)
    endif()
endif()
if(NOT epoch MATCHES "^[0-9]+$")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH is not a number of seconds: ${epoch}")
endif()
set(ENV{SOURCE_DATE_EPOCH} ${epoch})

file(REMOVE_RECURSE ${STAGE_DIR})
file(MAKE_DIRECTORY ${STAGE_DIR})

foreach(program ${PROGRAMS})
    get_filename_component(name ${program} NAME)
    run(${STRIP} --strip-all -o ${STAGE_DIR}/${name} ${program})
endforeach()
file(COPY_FILE ${PICTURE} ${STAGE_DIR}/Kompass.jpg)

foreach(text ${TEXTS})
    get_filename_component(name ${text} NAME)
    if(NOT name MATCHES "\\.txt$")
        string(APPEND name .txt)
    endif()
    file(READ ${text} content)
    string(REPLACE "\r\n" "\n" content "${content}")
    string(REPLACE "\n" "\r\n" content "${content}")
    file(WRITE ${STAGE_DIR}/${name} "${content}")
endforeach()

file(GLOB files RELATIVE ${STAGE_DIR} ${STAGE_DIR}/*)
list(SORT files)
set(entries)
foreach(file ${files})
    # The same modes whatever the umask: zip records them.
    if(file MATCHES "\\.exe$")
        file(CHMOD ${STAGE_DIR}/${file} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
             GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    else()
        file(CHMOD ${STAGE_DIR}/${file} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    endif()
    list(APPEND entries ${STAGE_DIR}/${file})
endforeach()
run(${TOUCH} --no-create -d @${epoch} ${entries} ${STAGE_DIR})

get_filename_component(package_name ${STAGE_DIR} NAME)
get_filename_component(parent ${STAGE_DIR} DIRECTORY)
list(TRANSFORM files PREPEND ${package_name}/)
file(REMOVE ${ZIP_FILE})
set(ENV{TZ} UTC0)
execute_process(COMMAND ${ZIP} -X -D -q -9 ${ZIP_FILE} ${files}
                WORKING_DIRECTORY ${parent} COMMAND_ERROR_IS_FATAL ANY)
file(TOUCH ${STAMP})
