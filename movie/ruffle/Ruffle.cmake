# SPDX-License-Identifier: GPL-3.0-or-later
# The Flash player (Ruffle, pinned in package-lock.json) is installed with `npm ci` into the build
# folder; its runtime files and our player page go to ruffle/ beside the program. The source maps
# stay behind: the player does not need them and they are larger than the player itself.
# With VELMORA_NPM_CACHE the build needs no network: npm installs the pinned package from that
# cache folder, offline (fill one with `npm ci --cache DIR` here, or `npm cache add
# @ruffle-rs/ruffle@VERSION --cache DIR`).
find_program(NPM_EXECUTABLE npm REQUIRED)
set(VELMORA_NPM_CACHE "" CACHE PATH "npm cache folder with the pinned Flash player, for an offline build")
set(_ruffle_npm_source)
if(VELMORA_NPM_CACHE)
    set(_ruffle_npm_source --offline --cache ${VELMORA_NPM_CACHE})
endif()

set(_ruffle_src ${CMAKE_CURRENT_LIST_DIR})
set(_ruffle_npm ${CMAKE_CURRENT_BINARY_DIR}/ruffle-npm)
set(_ruffle_out ${VELMORA_APP_DIR}/ruffle)
set(_ruffle_stamp ${_ruffle_npm}/ruffle-installed.stamp)
set(_ruffle_page ${CMAKE_SOURCE_DIR}/platform/web/ShockwaveFlash.html)

file(MAKE_DIRECTORY ${_ruffle_npm})
add_custom_command(
    OUTPUT ${_ruffle_stamp}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_ruffle_src}/package.json ${_ruffle_src}/package-lock.json
            ${_ruffle_npm}/
    COMMAND ${NPM_EXECUTABLE} ci --no-audit --no-fund --ignore-scripts --loglevel=error ${_ruffle_npm_source}
    COMMAND ${CMAKE_COMMAND} -DFROM=${_ruffle_npm}/node_modules/@ruffle-rs/ruffle -DTO=${_ruffle_out}
            -P ${_ruffle_src}/CopyRuntime.cmake
    COMMAND ${CMAKE_COMMAND} -E touch ${_ruffle_stamp}
    DEPENDS ${_ruffle_src}/package.json ${_ruffle_src}/package-lock.json ${_ruffle_src}/CopyRuntime.cmake
    WORKING_DIRECTORY ${_ruffle_npm}
    COMMENT "Installing the Flash player (npm ci)"
    VERBATIM)

add_custom_command(
    OUTPUT ${_ruffle_out}/ShockwaveFlash.html
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_ruffle_page} ${_ruffle_out}/ShockwaveFlash.html
    DEPENDS ${_ruffle_page} ${_ruffle_stamp}
    VERBATIM)

add_custom_target(velmora_ruffle ALL DEPENDS ${_ruffle_stamp} ${_ruffle_out}/ShockwaveFlash.html)

install(DIRECTORY ${_ruffle_out}/ DESTINATION ${VELMORA_INSTALL_APPDIR}/ruffle)
