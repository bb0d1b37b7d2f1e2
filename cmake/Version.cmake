# The one check that the version is one: project(VERSION) in CMakeLists.txt, the Debian
# changelog's upstream version and the AppStream metainfo's latest <release> must agree.
# Configuring includes it; tools/make-deb.sh runs it on its own (`cmake -P cmake/Version.cmake`)
# before it builds anything, where the project's version is read from CMakeLists.txt.
if(NOT DEFINED PROJECT_VERSION)
    get_filename_component(PROJECT_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)
    file(STRINGS ${PROJECT_SOURCE_DIR}/CMakeLists.txt project_line
         REGEX "^project\\(ChromattaZududo VERSION " LIMIT_COUNT 1)
    string(REGEX MATCH "VERSION ([^ ]+)" _ "${project_line}")
    set(PROJECT_VERSION ${CMAKE_MATCH_1})
endif()

file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/debian/changelog changelog_top LIMIT_COUNT 1)
string(REGEX MATCH "^chromatta-zududo \\(([^)-]+)" _ "${changelog_top}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "packaging/debian/changelog is at version '${CMAKE_MATCH_1}', "
                        "CMakeLists.txt at ${PROJECT_VERSION}: add an entry (dch -v ${PROJECT_VERSION}-1)")
endif()
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/org.chromatta_zududo.ChromattaZududo.metainfo.xml
     release REGEX "<release " LIMIT_COUNT 1)
string(REGEX MATCH "version=\"([^\"]*)\"" _ "${release}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "the metainfo's latest <release> is '${CMAKE_MATCH_1}', CMakeLists.txt "
                        "at ${PROJECT_VERSION}: add a <release> at the top of its <releases>")
endif()
