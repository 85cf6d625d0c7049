# SPDX-License-Identifier: GPL-3.0-or-later
# The program's libraries and, for each, the libraries of ours it may link: the layer graph.
# velmora_check_layers() fails the configuration when a library links another one of ours that its
# row does not name, or when it exports an include folder other than its own, so a layer cannot
# quietly reach past the one below it.
set(VELMORA_LAYERS
    "datecn:"
    "readingsdb_source:"
    "velmora_seam:"
    "velmora_hive:velmora_seam"
    "velmora_runtime:velmora_seam"
    "velmora_linux:velmora_seam,velmora_runtime,velmora_hive"
    "velmora_web:" # loaded by velmora_linux at run time; binds to the program's seam and runtime
    "vwidgets:"
    "vresources:"
    "vpromo:velmora_seam,velmora_runtime"
    "velmora_reading:velmora_seam,velmora_runtime,vresources"
    "velmora_calwin:datecn,velmora_seam,velmora_runtime,vwidgets"
    "velmora_movie:velmora_seam,velmora_runtime"
    "velmora_app:vpromo,velmora_seam,velmora_runtime,velmora_reading,velmora_calwin,velmora_movie,vwidgets,vresources"
)

function(velmora_check_layers)
    set(ours)
    foreach(row IN LISTS VELMORA_LAYERS)
        string(REGEX REPLACE ":.*" "" name "${row}")
        list(APPEND ours ${name})
    endforeach()
    foreach(row IN LISTS VELMORA_LAYERS)
        string(REGEX REPLACE ":.*" "" name "${row}")
        string(REGEX REPLACE "^[^:]*:" "" allowed "${row}")
        string(REPLACE "," ";" allowed "${allowed}")
        if(NOT TARGET ${name})
            continue() # a library of the Qt program in a build without it
        endif()
        get_target_property(links ${name} LINK_LIBRARIES)
        get_target_property(interface ${name} INTERFACE_LINK_LIBRARIES)
        foreach(link IN LISTS links interface)
            string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" link "${link}")
            if(link IN_LIST ours AND NOT link IN_LIST allowed)
                message(FATAL_ERROR "Layering: ${name} may not link ${link} (see cmake/Layers.cmake)")
            endif()
        endforeach()
        get_target_property(dir ${name} SOURCE_DIR)
        get_target_property(includes ${name} INTERFACE_INCLUDE_DIRECTORIES)
        foreach(include IN LISTS includes)
            if(include AND NOT include STREQUAL dir)
                message(FATAL_ERROR "Layering: ${name} exports ${include}; it may export only ${dir}")
            endif()
        endforeach()
    endforeach()
endfunction()

# Every production library of the table, the program and the web module compile strictly: no
# implicit conversion between 8-bit strings and QString (the program's texts are GB2312 or UTF-8
# by choice, never by accident) and no connect() without a context object (from Qt 6.7 on; Qt 6.4
# ignores the last one).
function(velmora_strict_production)
    set(targets velmora velmora_web)
    foreach(row IN LISTS VELMORA_LAYERS)
        string(REGEX REPLACE ":.*" "" name "${row}")
        list(APPEND targets ${name})
    endforeach()
    foreach(target IN LISTS targets)
        if(TARGET ${target})
            target_compile_definitions(${target} PRIVATE
                QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CONTEXTLESS_CONNECT)
        endif()
    endforeach()
endfunction()
