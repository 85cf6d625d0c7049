# SPDX-License-Identifier: GPL-3.0-or-later
# velmora_add_subfolders([ONLY name...]): adds every sub-folder of the current source folder that
# has a CMakeLists.txt, in name order (tests/<area>, bench/<area>, tools/<tool>). With ONLY, just
# the named ones.
function(velmora_add_subfolders)
    cmake_parse_arguments(arg "" "" "ONLY" ${ARGN})
    file(GLOB entries LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
    list(SORT entries)
    foreach(entry IN LISTS entries)
        if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${entry}/CMakeLists.txt)
            continue()
        endif()
        if(arg_ONLY AND NOT entry IN_LIST arg_ONLY)
            continue()
        endif()
        add_subdirectory(${entry})
    endforeach()
endfunction()
