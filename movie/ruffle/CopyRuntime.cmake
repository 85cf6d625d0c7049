# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -DFROM=<package folder> -DTO=<ruffle folder> -P CopyRuntime.cmake
# Copies the player's runtime files (ruffle.js, core.ruffle.*.js, *.wasm) and licences, and removes those of an
# earlier version, whose hashed names differ.
file(GLOB _runtime ${FROM}/ruffle.js ${FROM}/core.ruffle.*.js ${FROM}/*.wasm)
list(FILTER _runtime EXCLUDE REGEX "\\.map$")
if(NOT _runtime)
    message(FATAL_ERROR "No Ruffle runtime files in ${FROM}")
endif()
file(MAKE_DIRECTORY ${TO})
file(GLOB _old ${TO}/ruffle.js ${TO}/core.ruffle.*.js ${TO}/*.wasm)
if(_old)
    file(REMOVE ${_old})
endif()
# The licence texts travel with the player.
file(GLOB _licences ${FROM}/LICENSE*)
file(COPY ${_runtime} ${_licences} DESTINATION ${TO})
