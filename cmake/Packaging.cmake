# SPDX-License-Identifier: GPL-3.0-or-later
# The files a desktop system needs beside the program (AppStream metainfo, man pages, copyright and
# changelog) and the Debian package made by CPack:
#   cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF
#   cmake --build build-deb && cpack --config build-deb/CPackConfig.cmake -B build-deb
# scripts/package.sh does both, with Debian's hardening flags.

set(_pkg_src ${CMAKE_SOURCE_DIR}/packaging)
set(_pkg_out ${CMAKE_BINARY_DIR}/packaging)
set(_pkg_docdir ${CMAKE_INSTALL_DATADIR}/doc/velmora)

# Man pages and the changelog are installed compressed, with no time stamp in the gzip header.
set(_pkg_gz)
foreach(_pair docs/man/velmora.1:velmora.1 docs/man/datecn-dump.1:datecn-dump.1 packaging/changelog:changelog)
    string(REPLACE ":" ";" _pair ${_pair})
    list(GET _pair 0 _from)
    list(GET _pair 1 _name)
    add_custom_command(
        OUTPUT ${_pkg_out}/${_name}.gz
        COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/${_from} ${_pkg_out}/${_name}
        COMMAND gzip -9nf ${_pkg_out}/${_name}
        DEPENDS ${CMAKE_SOURCE_DIR}/${_from}
        VERBATIM)
    list(APPEND _pkg_gz ${_pkg_out}/${_name}.gz)
endforeach()
add_custom_target(velmora_package_files ALL DEPENDS ${_pkg_gz})

install(FILES ${_pkg_out}/velmora.1.gz ${_pkg_out}/datecn-dump.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${_pkg_src}/${VELMORA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${_pkg_src}/copyright ${_pkg_out}/changelog.gz DESTINATION ${_pkg_docdir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Velmora developers")
set(CPACK_PACKAGE_CONTACT "The Velmora developers <developers@velmora.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Chinese fortune telling and lunar calendar")
# One paragraph line per CMake line: CPack keeps the breaks, Debian wants lines under 80 columns.
set(CPACK_PACKAGE_DESCRIPTION "Velmora is a Chinese-language desktop program: a fingerprint character
reading from the whorls and loops of five fingers, animated palm-reading
movies, and a month calendar for 1901 to 2050 with lunar dates, festivals,
the 24 solar terms, the zodiac animal and the Western constellation. The main
window also shows promotional web pages from the maker's server.

The package also has datecn-dump, which prints the calendar of a range of
days as text.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.velmora.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows' fonts (Chinese text, the brush font), the browser launch and Qt's Chinese texts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-zenhei, fonts-arphic-ukai, xdg-utils, qt6-translations-l10n")
# Qt's Wayland plugin, for -platform wayland and Wayland sessions (without it, X11 through XWayland).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_THREADS 0) # compress on every core
include(CPack)
