# SPDX-License-Identifier: MIT
# Runs plodway-replay on one input and checks the result.
#   TOOL, INPUT: the program and its standard input
#   EMULATOR:    what runs TOOL when it was cross-built (optional)
#   EXPECTED:    file that standard output must equal byte for byte (exit 0)
#   or
#   EXIT_CODE, ERROR_REGEX: the exit code and a pattern standard error must match
execute_process(COMMAND ${EMULATOR} ${TOOL} INPUT_FILE ${INPUT}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)

if(DEFINED EXPECTED)
  file(READ ${EXPECTED} expected)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "exit code ${rc}, expected 0; stderr:\n${err}")
  endif()
  if(NOT out STREQUAL expected)
    get_filename_component(name ${INPUT} NAME_WE)
    set(actual ${CMAKE_CURRENT_BINARY_DIR}/${name}.actual)
    file(WRITE ${actual} "${out}")
    message(FATAL_ERROR "output differs from ${EXPECTED}\n"
                        "actual output written to ${actual}\n"
                        "compare: diff ${EXPECTED} ${actual}")
  endif()
else()
  if(NOT rc EQUAL EXIT_CODE)
    message(FATAL_ERROR "exit code ${rc}, expected ${EXIT_CODE}; stdout:\n${out}\nstderr:\n${err}")
  endif()
  if(NOT err MATCHES "${ERROR_REGEX}")
    message(FATAL_ERROR "stderr does not match '${ERROR_REGEX}':\n${err}")
  endif()
endif()
