# Installing the game as a Linux desktop game (`cmake --install`, or a distribution's package
# build: Debian's is in packaging/debian/).
#
# The game plays its sounds from the folder that holds the program file, so the program gets a
# folder of its own with the two wave files beside it: links to the wave data, which lives with
# the other architecture-independent data. games/ only holds a link to the program (Qt finds the
# program's real folder through /proc/self/exe, links resolved). Every link is relative, so the
# tree can be installed under any prefix or staged by a package build.

if(NOT TARGET chromatta-zududo)
    return() # the game window is not part of this build
endif()

# The one id of the game on the desktop: desktop file, metainfo and icons.
set(CHROMATTA_APP_ID org.chromatta_zududo.ChromattaZududo)
set(CHROMATTA_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/chromatta-zududo)
# Debian keeps games in games/ beside bin/, and their data in share/games/.
set(CHROMATTA_GAMES_DIR games CACHE STRING "Where the link that starts the game is installed")
set(CHROMATTA_DATA_DIR ${CMAKE_INSTALL_DATADIR}/chromatta-zududo
    CACHE STRING "Where the game's sounds are installed (the program's folder links to them)")

set(links ${CMAKE_CURRENT_BINARY_DIR}/install-links)
file(MAKE_DIRECTORY ${links}/program ${links}/games)
# Makes link NAME in the staging folder SUBDIR, pointing from FROM_DIR to the file TO (both
# relative to the prefix).
function(chromatta_link subdir name from_dir to)
    file(RELATIVE_PATH target /${from_dir} /${to})
    file(CREATE_LINK ${target} ${links}/${subdir}/${name} SYMBOLIC)
endfunction()

install(TARGETS chromatta-zududo RUNTIME DESTINATION ${CHROMATTA_PROGRAM_DIR})
chromatta_link(games chromatta-zududo ${CHROMATTA_GAMES_DIR}
               ${CHROMATTA_PROGRAM_DIR}/chromatta-zududo)
install(FILES ${links}/games/chromatta-zududo DESTINATION ${CHROMATTA_GAMES_DIR})
foreach(sound_file ${CHROMATTA_SOUNDS})
    cmake_path(GET sound_file FILENAME sound)
    install(FILES ${sound_file} DESTINATION ${CHROMATTA_DATA_DIR})
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

# The manual page names the folders it is installed with.
set(CHROMATTA_FULL_PROGRAM_DIR ${CMAKE_INSTALL_FULL_LIBEXECDIR}/chromatta-zududo)
cmake_path(ABSOLUTE_PATH CHROMATTA_DATA_DIR BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX}
           OUTPUT_VARIABLE CHROMATTA_FULL_DATA_DIR)
configure_file(${PROJECT_SOURCE_DIR}/packaging/chromatta-zududo.6.in
               ${CMAKE_CURRENT_BINARY_DIR}/chromatta-zududo.6 @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/chromatta-zududo.6
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
