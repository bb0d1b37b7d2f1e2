# Runs PROGRAM with no display it can reach and expects one line on the error stream, nothing on
# the output, and exit status 1: never Qt's abort.
file(MAKE_DIRECTORY ${RUNTIME_DIR})
set(cases
    "--unset=DISPLAY --unset=QT_QPA_PLATFORM"
    "DISPLAY=:59999 --unset=QT_QPA_PLATFORM"
    "--unset=DISPLAY QT_QPA_PLATFORM=xcb"
    # A Wayland session whose compositor cannot be reached (or whose Qt plugin is missing), and
    # no X server either: Qt would abort after trying both. A Wayland session has its runtime
    # folder, without which the Wayland library says so on the error stream itself.
    "--unset=DISPLAY --unset=QT_QPA_PLATFORM XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=nowhere-0 XDG_RUNTIME_DIR=${RUNTIME_DIR}"
    # A platform Qt does not know: Qt's own start fails, which would abort.
    "QT_QPA_PLATFORM=no-such-platform")
# Runs COMMAND (a list) and expects exit status 1, nothing on the output and one line matching
# PATTERN on the error stream.
function(expect_one_line name pattern)
    execute_process(COMMAND ${ARGN}
        RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE error TIMEOUT 30)
    if(NOT status EQUAL 1)
        message(FATAL_ERROR "[${name}] exit status ${status}, expected 1; stderr: ${error}")
    endif()
    if(NOT output STREQUAL "")
        message(FATAL_ERROR "[${name}] unexpected output: ${output}")
    endif()
    if(NOT error MATCHES "^chromatta-zududo: ${pattern}[^\n]+\n$")
        message(FATAL_ERROR "[${name}] expected one line saying so, got: ${error}")
    endif()
    message(STATUS "[${name}] ${error}")
endfunction()

foreach(case IN LISTS cases)
    separate_arguments(settings UNIX_COMMAND "${case}")
    expect_one_line("${case}" "cannot open a display "
        ${CMAKE_COMMAND} -E env --unset=WAYLAND_DISPLAY --unset=XDG_SESSION_TYPE
        ${settings} ${PROGRAM})
endforeach()

# Too few open files allowed for the toolkit, which would abort: said before the display is
# looked for. A soft limit the hard one lets the program raise is raised, and then the missing
# display is what is said.
set(no_display --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM)
expect_one_line("ulimit -n 8" "too few open files allowed: the limit \\(ulimit -n\\) is 8,"
    ${CMAKE_COMMAND} -E env ${no_display} sh -c "ulimit -n 8 && exec \"$0\"" ${PROGRAM})
expect_one_line("ulimit -Sn 8" "cannot open a display "
    ${CMAKE_COMMAND} -E env ${no_display} sh -c "ulimit -Sn 8 && exec \"$0\"" ${PROGRAM})

# Too few threads allowed, with which Qt would wait for ever in its session bus's set-up: said
# before Qt starts, at once. The limit counts every thread of the user and binds no one but an
# ordinary user, so root runs the program as nobody; the leak checker, which needs a thread of
# its own at the exit, is left out.
# A build under root's home (a fresh root's clone) is out of nobody's reach: nobody runs a copy
# from a folder of its own.
execute_process(COMMAND id -u OUTPUT_VARIABLE uid OUTPUT_STRIP_TRAILING_WHITESPACE)
set(ordinary_user)
set(threads_program ${PROGRAM})
if(uid STREQUAL "0")
    set(ordinary_user setpriv --reuid=nobody --regid=nogroup --clear-groups)
    execute_process(COMMAND mktemp -d OUTPUT_VARIABLE nobody_dir OUTPUT_STRIP_TRAILING_WHITESPACE)
    file(COPY ${PROGRAM} DESTINATION ${nobody_dir})
    file(CHMOD ${nobody_dir} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
         GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    get_filename_component(program_name ${PROGRAM} NAME)
    set(threads_program ${nobody_dir}/${program_name})
endif()
expect_one_line("prlimit --nproc=2:2" "too few threads allowed: the limit on a user's processes and threads \\(ulimit -u\\) is 2,"
    ${CMAKE_COMMAND} -E env ${no_display} ASAN_OPTIONS=detect_leaks=0
    ${ordinary_user} prlimit --nproc=2:2 ${threads_program})
if(nobody_dir)
    file(REMOVE_RECURSE ${nobody_dir})
endif()

# Too little memory to start (at 81 MiB Qt's platform plugin does not load, up to about 115 it
# cannot start its threads and would wait for ever, at 120 its session bus thread aborts on
# std::bad_alloc): memory is said, with the limit, before Qt starts. Under AddressSanitizer,
# whose shadow memory the limit forbids, the program cannot start at all.
foreach(as_limit 100 120)
    math(EXPR as_bytes "${as_limit} << 20")
    set(limited_memory ${CMAKE_COMMAND} -E env ${no_display} prlimit --as=${as_bytes} ${PROGRAM})
    execute_process(COMMAND ${limited_memory} ERROR_VARIABLE error OUTPUT_QUIET TIMEOUT 30)
    if(error MATCHES "AddressSanitizer|error while loading shared libraries")
        message(STATUS "[prlimit --as] skipped: the program cannot start at all under the limit")
    else()
        expect_one_line("prlimit --as=${as_limit} MiB" "not enough memory to start[^\n]*\\(the address-space limit, ulimit -v, is ${as_limit}"
            ${limited_memory})
    endif()
endforeach()
