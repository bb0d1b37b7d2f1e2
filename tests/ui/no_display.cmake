# Runs PROGRAM with no display it can reach and expects one line on the error stream, nothing on
# the output, and exit status 1: never Qt's abort.
set(cases
    "--unset=DISPLAY --unset=QT_QPA_PLATFORM"
    "DISPLAY=:59999 --unset=QT_QPA_PLATFORM"
    "--unset=DISPLAY QT_QPA_PLATFORM=xcb"
    # A Wayland session whose compositor cannot be reached (or whose Qt plugin is missing), and
    # no X server either: Qt would abort after trying both.
    "--unset=DISPLAY --unset=QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=nowhere-0"
    # A platform Qt does not know: Qt's own start fails, which would abort.
    "QT_QPA_PLATFORM=no-such-platform")
foreach(case IN LISTS cases)
    separate_arguments(settings UNIX_COMMAND "${case}")
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env --unset=WAYLAND_DISPLAY --unset=XDG_SESSION_TYPE
                ${settings} ${PROGRAM}
        RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE error TIMEOUT 30)
    if(NOT status EQUAL 1)
        message(FATAL_ERROR "[${case}] exit status ${status}, expected 1; stderr: ${error}")
    endif()
    if(NOT output STREQUAL "")
        message(FATAL_ERROR "[${case}] unexpected output: ${output}")
    endif()
    if(NOT error MATCHES "^chromatta-zududo: cannot open a display [^\n]+\n$")
        message(FATAL_ERROR "[${case}] expected one line saying so, got: ${error}")
    endif()
    message(STATUS "[${case}] ${error}")
endforeach()
