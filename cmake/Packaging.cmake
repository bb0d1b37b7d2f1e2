# Installing the game as a Linux desktop game, and packaging it for Debian with CPack.
#
# The game plays its sounds from the folder that holds the program file, so the program gets a
# folder of its own with the two wave files beside it: links to the wave data, which lives with
# the other architecture-independent data under share/. games/ only holds a link to the program
# (Qt finds the program's real folder through /proc/self/exe, links resolved). Every link is
# relative, so the tree can be installed under any prefix or staged by a package build.

if(NOT TARGET chromatta-zududo)
    return() # the game window is not part of this build
endif()

# The one id of the game on the desktop: desktop file, metainfo and icons.
set(CHROMATTA_APP_ID org.chromatta_zududo.ChromattaZududo)
set(CHROMATTA_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/chromatta-zududo)
set(CHROMATTA_DATA_DIR ${CMAKE_INSTALL_DATADIR}/chromatta-zududo)
set(CHROMATTA_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/chromatta-zududo)
# Debian keeps games in games/ beside bin/.
set(CHROMATTA_GAMES_DIR games CACHE STRING "Where the link that starts the game is installed")
set(CHROMATTA_SOUNDS clearbox.wav win.wav)
set(CHROMATTA_CONTACT "Chromatta Zududo Team <support@chromatta-zududo.org>")
set(CHROMATTA_HOMEPAGE https://chromatta-zududo.org)

set(links ${CMAKE_CURRENT_BINARY_DIR}/install-links)
file(MAKE_DIRECTORY ${links}/program ${links}/games)
# Makes link NAME in the staging folder SUBDIR, pointing from FROM_DIR to the file TO (both
# relative to the prefix).
function(chromatta_link subdir name from_dir to)
    file(RELATIVE_PATH target /${from_dir} /${to})
    file(CREATE_LINK ${target} ${links}/${subdir}/${name} SYMBOLIC)
endfunction()

install(TARGETS chromatta-zududo RUNTIME DESTINATION ${CHROMATTA_PROGRAM_DIR})
# A stripped install (as CPack's) also drops the compilers' version notes, as Debian's tools do.
install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
        execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CHROMATTA_PROGRAM_DIR}/chromatta-zududo\"
            COMMAND_ERROR_IS_FATAL ANY)
    endif()")
chromatta_link(games chromatta-zududo ${CHROMATTA_GAMES_DIR}
               ${CHROMATTA_PROGRAM_DIR}/chromatta-zududo)
install(FILES ${links}/games/chromatta-zududo DESTINATION ${CHROMATTA_GAMES_DIR})
foreach(sound ${CHROMATTA_SOUNDS})
    install(FILES ${PROJECT_SOURCE_DIR}/assets/${sound} DESTINATION ${CHROMATTA_DATA_DIR})
    chromatta_link(program ${sound} ${CHROMATTA_PROGRAM_DIR} ${CHROMATTA_DATA_DIR}/${sound})
    install(FILES ${links}/program/${sound} DESTINATION ${CHROMATTA_PROGRAM_DIR})
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/packaging/${CHROMATTA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${CHROMATTA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/assets/icon-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${CHROMATTA_APP_ID}.png)
endforeach()

# The changelog names the version being packaged: a new version needs its entry first.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^chromatta-zududo \\(${PROJECT_VERSION}\\) ")
    message(FATAL_ERROR "packaging/changelog starts with '${changelog_top}': "
                        "add an entry for version ${PROJECT_VERSION} at its top")
endif()

# The manual page, the changelog and the copyright file. Compressed without names or time stamps
# (gzip -n), so that the same sources give the same bytes.
set(docs ${CMAKE_CURRENT_BINARY_DIR}/docs)
set(CHROMATTA_FULL_PROGRAM_DIR ${CMAKE_INSTALL_FULL_LIBEXECDIR}/chromatta-zududo)
set(CHROMATTA_FULL_DATA_DIR ${CMAKE_INSTALL_FULL_DATADIR}/chromatta-zududo)
configure_file(${PROJECT_SOURCE_DIR}/packaging/chromatta-zududo.6.in ${docs}/chromatta-zududo.6
               @ONLY)
find_program(GZIP_EXECUTABLE gzip REQUIRED)
add_custom_command(OUTPUT ${docs}/chromatta-zududo.6.gz
    COMMAND sh -c "${GZIP_EXECUTABLE} -9nc \"$1\" >\"$2\"" sh ${docs}/chromatta-zududo.6
            ${docs}/chromatta-zududo.6.gz
    DEPENDS ${docs}/chromatta-zududo.6 VERBATIM)
add_custom_command(OUTPUT ${docs}/changelog.gz
    COMMAND sh -c "${GZIP_EXECUTABLE} -9nc \"$1\" >\"$2\"" sh
            ${PROJECT_SOURCE_DIR}/packaging/changelog ${docs}/changelog.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog VERBATIM)
add_custom_command(OUTPUT ${docs}/copyright
    COMMAND ${CMAKE_COMMAND} -DLICENSE=${PROJECT_SOURCE_DIR}/LICENSE -DOUTPUT=${docs}/copyright
            "-DNAME=Chromatta Zududo" "-DCONTACT=${CHROMATTA_CONTACT}"
            -DSOURCE=${CHROMATTA_HOMEPAGE} -P ${PROJECT_SOURCE_DIR}/cmake/DebianCopyright.cmake
    DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/cmake/DebianCopyright.cmake
    VERBATIM)
add_custom_target(chromatta_docs ALL
    DEPENDS ${docs}/chromatta-zududo.6.gz ${docs}/changelog.gz ${docs}/copyright)
install(FILES ${docs}/chromatta-zududo.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${docs}/changelog.gz ${docs}/copyright DESTINATION ${CHROMATTA_DOC_DIR})

set(CPACK_PACKAGE_NAME chromatta-zududo)
set(CPACK_PACKAGE_VENDOR "Chromatta Zududo Team")
set(CPACK_PACKAGE_CONTACT ${CHROMATTA_CONTACT})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "puzzle game of coloured boxes")
# Debian shows the lines as they are: kept within 80 columns by hand. (CPack does not escape
# double quotes in it.)
set(CPACK_PACKAGE_DESCRIPTION "\
Chromatta Zududo fills a board of 7 rows by 13 columns with boxes in four
colours. Press a group of touching boxes of one colour to see its value,
n x n x 500 points for n boxes, press it again to clear it, and watch the
boxes above fall and the emptied columns close up.
.
Bank enough points and the next level deals a fresh board, up to level 10;
ask too early and the game starts over. Stuck? A reshuffle recolours part of
the board, at a price that rises every time. Two sounds, no settings, nothing
saved: every start is a new game.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Folders made while staging the package do not depend on the umask of the one who builds it.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${CHROMATTA_HOMEPAGE})
# Libraries are found by dpkg-shlibdeps; the fonts the window's design families map to are not.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-dejavu-core")
# Native on Wayland desktops; without it the game runs through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)
