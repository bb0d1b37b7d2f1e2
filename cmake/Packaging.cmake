# Installing the game as a Linux desktop game, and packaging it for Debian with CPack.
#
# The game plays its sounds from the folder that holds the program file, so the program and its
# two wave files get a folder of their own; bin/ only holds a link to the program (Qt finds the
# program's real folder through /proc/self/exe, links resolved).

if(NOT TARGET chromatta-zududo)
    return() # the game window is not part of this build
endif()

# The one id of the game on the desktop: desktop file, metainfo and icons.
set(CHROMATTA_APP_ID org.chromatta_zududo.ChromattaZududo)
set(CHROMATTA_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/chromatta-zududo)
set(CHROMATTA_SOUNDS ${PROJECT_SOURCE_DIR}/assets/clearbox.wav ${PROJECT_SOURCE_DIR}/assets/win.wav)

install(TARGETS chromatta-zududo RUNTIME DESTINATION ${CHROMATTA_PROGRAM_DIR})
install(FILES ${CHROMATTA_SOUNDS} DESTINATION ${CHROMATTA_PROGRAM_DIR})

# A relative link, so the tree can be installed under any prefix or staged by a package build.
file(RELATIVE_PATH chromatta_link_target /${CMAKE_INSTALL_BINDIR}
     /${CHROMATTA_PROGRAM_DIR}/chromatta-zududo)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/install-link)
file(CREATE_LINK ${chromatta_link_target} ${CMAKE_CURRENT_BINARY_DIR}/install-link/chromatta-zududo
     SYMBOLIC)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/install-link/chromatta-zududo
        DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${PROJECT_SOURCE_DIR}/packaging/${CHROMATTA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${CHROMATTA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/assets/icon-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${CHROMATTA_APP_ID}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/chromatta-zududo
        RENAME copyright)

set(CPACK_PACKAGE_NAME chromatta-zududo)
set(CPACK_PACKAGE_VENDOR "Chromatta Zududo Team")
set(CPACK_PACKAGE_CONTACT "Chromatta Zududo Team <support@chromatta-zududo.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "puzzle game of coloured boxes")
set(CPACK_PACKAGE_DESCRIPTION "Press a group of touching boxes of one colour to see its value, \
press it again to clear it, and watch the rest fall and close up. Climb ten levels on the points \
you bank.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://chromatta-zududo.org)
# Libraries are found by dpkg-shlibdeps; the fonts the window's design families map to are not.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-dejavu-core")
# Native on Wayland desktops; without it the game runs through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)
