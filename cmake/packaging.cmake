# SPDX-License-Identifier: GPL-3.0-or-later
# Install rules of the Linux program and its Debian package (CPack DEB): the program, the
# shipped default folder, desktop entry, icons, AppStream metainfo, man page and copyright.
# The files themselves live in packaging/; scripts/package builds the package from here.
include(GNUInstallDirs)

set(VELMORA_APP_ID org.velmora.Velmora)
set(VELMORA_HOMEPAGE "https://velmora.example.org/" CACHE STRING
    "Home page named by the package and the AppStream metainfo (ends with /)")
set(VELMORA_SCREENSHOT_URL "${VELMORA_HOMEPAGE}screenshots/screenshot-entries.png" CACHE STRING
    "Published copy of docs/screenshot-entries.png, named by the AppStream metainfo")
set(VELMORA_MAINTAINER "The Velmora developers <velmora@example.org>" CACHE STRING
    "Maintainer field of the Debian package")
# The build date (or SOURCE_DATE_EPOCH, which scripts/package sets from the last commit).
string(TIMESTAMP VELMORA_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP VELMORA_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)

set(VELMORA_PACKAGING_SOURCE ${PROJECT_SOURCE_DIR}/packaging)
set(VELMORA_PACKAGING_BINARY ${PROJECT_BINARY_DIR}/packaging)
configure_file(${VELMORA_PACKAGING_SOURCE}/${VELMORA_APP_ID}.metainfo.xml.in
    ${VELMORA_PACKAGING_BINARY}/${VELMORA_APP_ID}.metainfo.xml @ONLY)
configure_file(${VELMORA_PACKAGING_SOURCE}/velmora.1.in ${VELMORA_PACKAGING_BINARY}/velmora.1 @ONLY)
configure_file(${VELMORA_PACKAGING_SOURCE}/changelog.in ${VELMORA_PACKAGING_BINARY}/changelog @ONLY)

# Debian keeps manual pages and changelogs compressed, without a time stamp inside.
find_program(VELMORA_GZIP gzip REQUIRED)
set(VELMORA_COMPRESSED "")
foreach(name velmora.1 changelog)
    set(plain ${VELMORA_PACKAGING_BINARY}/${name})
    add_custom_command(OUTPUT ${plain}.gz
        COMMAND ${VELMORA_GZIP} -9 -n -k -f ${plain}
        DEPENDS ${plain}
        COMMENT "Compressing ${name}"
        VERBATIM)
    list(APPEND VELMORA_COMPRESSED ${plain}.gz)
endforeach()
add_custom_target(velmora_package_files ALL DEPENDS ${VELMORA_COMPRESSED})

install(TARGETS velmora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The defaults a new data folder is filled from (units/ is written by the program itself).
install(DIRECTORY ${PROJECT_SOURCE_DIR}/default/lang ${PROJECT_SOURCE_DIR}/default/media
    DESTINATION ${CMAKE_INSTALL_DATADIR}/velmora)
install(FILES ${VELMORA_PACKAGING_SOURCE}/${VELMORA_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VELMORA_PACKAGING_BINARY}/${VELMORA_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${VELMORA_PACKAGING_SOURCE}/velmora.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 48 128 256)
    set(icon ${PROJECT_SOURCE_DIR}/assets/velmora-icon-${size}.png)
    if(size EQUAL 256)
        set(icon ${PROJECT_SOURCE_DIR}/assets/velmora-icon.png)
    endif()
    install(FILES ${icon} RENAME velmora.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${VELMORA_PACKAGING_BINARY}/velmora.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${VELMORA_PACKAGING_SOURCE}/copyright ${VELMORA_PACKAGING_BINARY}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velmora)
install(FILES ${VELMORA_PACKAGING_SOURCE}/velmora.lintian-overrides RENAME velmora
    DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT ${VELMORA_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "week-by-week planner for physical training")
set(CPACK_PACKAGE_DESCRIPTION
    "Velmora keeps a catalogue of training units, such as push-ups 3 x 15 or a
30-minute run, and a plan for every day of the week. Units are added to a
day or deleted from it, new units are created, and everything is saved in
two plain text files in the user's data folder.

A first start creates the data folder with eight common exercises in the
user's language. The program speaks English, Czech, Dutch, French, German,
Italian, Polish, Portuguese (Brazil), Spanish and Swedish.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${VELMORA_HOMEPAGE})
include(CPack)
