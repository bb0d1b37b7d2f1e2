# Runs one golden script and compares what it prints with the committed expectation.
get_filename_component(dir ${SCRIPT} DIRECTORY)
get_filename_component(name ${SCRIPT} NAME_WE)
execute_process(COMMAND ${HARNESS} ${SCRIPT}
                OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
set(actual "${output}exit: ${status}\n")
# A message about a bad line is one short line of printable text, whatever the line held.
string(LENGTH "${errors}" error_length)
if(error_length GREATER 200 OR errors MATCHES "[^ -~\n]" OR errors MATCHES "\n.")
    message(FATAL_ERROR "${name}: the error message is not one short printable line:\n${errors}")
endif()
file(READ ${dir}/${name}.expected expected)
if(NOT actual STREQUAL expected)
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/${name}.actual "${actual}")
    message(FATAL_ERROR "${name}: output differs from ${name}.expected\n"
            "--- expected\n${expected}--- actual\n${actual}--- stderr\n${errors}")
endif()
