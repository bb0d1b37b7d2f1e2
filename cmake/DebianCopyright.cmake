# Writes the machine-readable Debian copyright file from LICENSE, so the licence text has one home.
# Usage: cmake -DLICENSE=<LICENSE> -DOUTPUT=<copyright> -DNAME=<name> -DCONTACT=<contact>
#              -DSOURCE=<web address> -P DebianCopyright.cmake
cmake_minimum_required(VERSION 3.25)

file(READ ${LICENSE} license)
string(REGEX MATCH "^[^\n]*" title "${license}")
# Debian's short names for the licences LICENSE may carry; "MIT" alone is ambiguous to Debian.
if(title STREQUAL "MIT License")
    set(short_name Expat)
else()
    message(FATAL_ERROR "${LICENSE}: no Debian short name known for '${title}'")
endif()

# The notice lines, then the licence text after the last of them.
string(REGEX MATCHALL "\nCopyright \\([cC]\\) [^\n]+" notices "${license}")
if(NOT notices)
    message(FATAL_ERROR "${LICENSE}: no 'Copyright (c) ...' line")
endif()
set(holders)
foreach(notice IN LISTS notices)
    string(REGEX REPLACE "^\nCopyright \\([cC]\\) " "" holder "${notice}")
    list(APPEND holders "${holder}")
endforeach()
list(JOIN holders "\n           " holders)
list(GET notices -1 last_notice)
string(FIND "${license}" "${last_notice}" start REVERSE)
string(LENGTH "${last_notice}" length)
math(EXPR start "${start} + ${length}")
string(SUBSTRING "${license}" ${start} -1 text)
string(STRIP "${text}" text)
# Continuation lines: one space in front, an empty line written as " .".
string(REGEX REPLACE "\n[ \t]*\n" "\n.\n" text "${text}")
string(REPLACE "\n" "\n " text " ${text}")

file(WRITE ${OUTPUT}
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: ${NAME}
Upstream-Contact: ${CONTACT}
Source: ${SOURCE}

Files: *
Copyright: ${holders}
License: ${short_name}

License: ${short_name}
${text}
")
