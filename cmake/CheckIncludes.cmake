cmake_minimum_required(VERSION 3.25)
# Fails when a source file of a library includes a header from a folder the
# library may not depend on. Run as a build step of every library, so that a
# window reaching into the shell or into another window breaks the build.
#   -DFOLDER=weather -DALLOWED=runtime,store,... -DSOURCES=a.cpp,b.h -DSTAMP=file
string(REPLACE "," ";" ALLOWED "${ALLOWED}")
string(REPLACE "," ";" SOURCES "${SOURCES}")
set(_bad "")
foreach(_src ${SOURCES})
  file(STRINGS ${_src} _lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[A-Za-z_]+/")
  foreach(_line ${_lines})
    string(REGEX MATCH "\"([A-Za-z_]+)/" _m "${_line}")
    set(_dir ${CMAKE_MATCH_1})
    if(NOT _dir STREQUAL FOLDER AND NOT _dir IN_LIST ALLOWED)
      string(APPEND _bad "\n  ${_src}: ${_line}")
    endif()
  endforeach()
endforeach()
if(_bad)
  message(FATAL_ERROR "src/${FOLDER} may include only ${FOLDER}/ and ${ALLOWED}:${_bad}")
endif()
file(WRITE ${STAMP} "ok\n")
