# chromatta-script given what is not a script: a stream that never ends a line and a folder each
# get one line naming them and status 2, in bounded memory (an endless line read whole would take
# all memory: AddressSanitizer's RSS limit ends such a run, and the time limit any other);
# --help prints the usage on the output and succeeds.
# Runs chromatta-script with ARGN and expects status 2, nothing on the output and one line on
# the error stream that starts with "chromatta-script: " and the literal text START.
function(expect_refusal name start)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=hard_rss_limit_mb=100
                            ${HARNESS} ${ARGN}
        RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE error TIMEOUT 20)
    string(FIND "${error}" "chromatta-script: ${start}" at)
    if(NOT status EQUAL 2 OR NOT output STREQUAL "" OR NOT at EQUAL 0
       OR NOT error MATCHES "^[^\n]+\n$")
        message(FATAL_ERROR "[${name}] status ${status}, expected 2 and one line; "
                "output: ${output}; error: ${error}")
    endif()
endfunction()

if(EXISTS /dev/zero) # not in every build root
    expect_refusal("/dev/zero" "line 1: longer than" /dev/zero)
endif()
expect_refusal("a folder" "cannot read ${FOLDER}: " ${FOLDER})

execute_process(COMMAND ${HARNESS} --help
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE error TIMEOUT 20)
if(NOT status EQUAL 0 OR NOT output MATCHES "^usage: chromatta-script " OR NOT error STREQUAL "")
    message(FATAL_ERROR "[--help] status ${status}, output: ${output}; error: ${error}")
endif()
