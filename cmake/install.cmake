# Installation into the usual places under the prefix, and the Debian package (cpack -G DEB).
include(GNUInstallDirs)

set(TESSAVIEW_APP_ID "org.example.Tessaview" CACHE STRING "Desktop and AppStream identifier")

install(TARGETS tessaview RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

configure_file(resources/linux/tessaview.desktop.in
    ${CMAKE_BINARY_DIR}/linux/${TESSAVIEW_APP_ID}.desktop @ONLY)
configure_file(resources/linux/tessaview.metainfo.xml.in
    ${CMAKE_BINARY_DIR}/linux/${TESSAVIEW_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/linux/${TESSAVIEW_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/linux/${TESSAVIEW_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

install(FILES resources/images/tessaview.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
    RENAME ${TESSAVIEW_APP_ID}.svg)
# The manual page, compressed as Debian keeps them (-n: no time stamp, so rebuilds are equal).
configure_file(resources/linux/tessaview.1.in ${CMAKE_BINARY_DIR}/linux/tessaview.1 @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/linux/tessaview.1.gz
    COMMAND gzip -9nc ${CMAKE_BINARY_DIR}/linux/tessaview.1 > ${CMAKE_BINARY_DIR}/linux/tessaview.1.gz
    DEPENDS ${CMAKE_BINARY_DIR}/linux/tessaview.1
    VERBATIM)
add_custom_target(tessaview_manpage ALL DEPENDS ${CMAKE_BINARY_DIR}/linux/tessaview.1.gz)
install(FILES ${CMAKE_BINARY_DIR}/linux/tessaview.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

foreach(size 16 32 48 64 128 256)
    install(FILES resources/icons/tessaview-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME ${TESSAVIEW_APP_ID}.png)
endforeach()

set(CPACK_PACKAGE_NAME tessaview)
set(CPACK_PACKAGE_VENDOR "Tessaview developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Turns a monitor into a DMX512 display fixture (Art-Net, sACN, RDM)")
set(CPACK_PACKAGE_CONTACT "${TESSAVIEW_MAKER_EMAIL}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_VENDOR} <${TESSAVIEW_MAKER_EMAIL}>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://${TESSAVIEW_MAKER_WEB}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Debian ships stripped programs; the build folder keeps the one with debug information.
set(CPACK_STRIP_FILES ON)
# Qt loads its platform plugins at run time, so no shared-library scan finds them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# One line per line of the package description; CPack indents them as the control file wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tessaview listens for Art-Net and streaming ACN (E1.31) on the local network\nand paints the DMX channel values as a grid of cells. It answers Art-Net polls\nand is an RDM responder reached through Art-Net.")
include(CPack)
