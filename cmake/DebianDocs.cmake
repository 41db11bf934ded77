# SPDX-License-Identifier: MIT
# cmake -DNEWS=... -DMANPAGE=... -DMAINTAINER=... -DOUTPUT_DIR=... -P DebianDocs.cmake
#
# Writes what the Debian package's documentation needs, compressed as Debian
# policy asks (gzip -9n, so the bytes do not depend on the time of the build):
# changelog.gz, the release notes of NEWS in Debian changelog form, and the
# manual page as plodway.6.gz.

# The day of the week of a date, for the changelog's RFC 5322 time stamp
# (Sakamoto's method).
function(weekday year month day out)
  set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
  math(EXPR index "${month} - 1")
  list(GET offsets ${index} offset)
  if(month LESS 3)
    math(EXPR year "${year} - 1")
  endif()
  math(EXPR n "(${year} + ${year} / 4 - ${year} / 100 + ${year} / 400 + ${offset} + ${day}) % 7")
  set(names Sun Mon Tue Wed Thu Fri Sat)
  list(GET names ${n} name)
  set(${out} ${name} PARENT_SCOPE)
endfunction()

set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)

# Ends the entry being written with its trailer line.
macro(close_entry)
  if(date)
    string(APPEND changelog "\n -- ${MAINTAINER}  ${date}\n")
    set(date "")
  endif()
endmacro()

file(STRINGS "${NEWS}" lines)
set(changelog "")
set(date "")
foreach(line IN LISTS lines)
  if(line MATCHES "^([0-9]+\\.[0-9]+\\.[0-9]+) \\(([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])\\)$")
    set(version ${CMAKE_MATCH_1})
    set(y ${CMAKE_MATCH_2})
    math(EXPR m "1${CMAKE_MATCH_3} - 100")
    math(EXPR d "1${CMAKE_MATCH_4} - 100")
    close_entry()
    if(changelog)
      string(APPEND changelog "\n")
    endif()
    weekday(${y} ${m} ${d} wd)
    math(EXPR month_index "${m} - 1")
    list(GET months ${month_index} month_name)
    set(date "${wd}, ${CMAKE_MATCH_4} ${month_name} ${y} 00:00:00 +0000")
    string(APPEND changelog "plodway (${version}) unstable; urgency=medium\n\n")
  elseif(date AND line MATCHES "^\\* (.*)")
    string(APPEND changelog "  * ${CMAKE_MATCH_1}\n")
  elseif(date AND line MATCHES "^  +([^ ].*)")
    string(APPEND changelog "    ${CMAKE_MATCH_1}\n")
  endif()
endforeach()
close_entry()
if(NOT changelog)
  message(FATAL_ERROR "${NEWS} has no release headed \"VERSION (YYYY-MM-DD)\"")
endif()

file(WRITE "${OUTPUT_DIR}/changelog" "${changelog}")
foreach(pair "changelog;changelog.gz" "${MANPAGE};plodway.6.gz")
  list(GET pair 0 input)
  list(GET pair 1 output)
  get_filename_component(input "${input}" ABSOLUTE BASE_DIR "${OUTPUT_DIR}")
  execute_process(COMMAND gzip -9n -c "${input}" OUTPUT_FILE "${OUTPUT_DIR}/${output}"
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip ${input} failed")
  endif()
endforeach()
