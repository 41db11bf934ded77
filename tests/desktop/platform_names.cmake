# SPDX-License-Identifier: MIT
# cmake -DSRC=<src folder> -P platform_names.cmake: fails where a file
# outside src/desktop/ names a platform or chooses by the preprocessor,
# which is src/desktop/'s business alone, chosen by CMake.
file(GLOB_RECURSE files RELATIVE ${SRC} ${SRC}/*.cpp ${SRC}/*.h)
set(found "")
foreach(file IN LISTS files)
  if(file MATCHES "^desktop/")
    continue()
  endif()
  file(STRINGS ${SRC}/${file} lines
       REGEX "^[ \t]*#[ \t]*(if|ifdef|ifndef|elif)|__EMSCRIPTEN__|_WIN32|Q_OS_|platformName|\"(wasm|windows|xcb|wayland|cocoa)\"")
  foreach(line IN LISTS lines)
    string(APPEND found "\n  src/${file}: ${line}")
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "A platform is named outside src/desktop/:${found}")
endif()
