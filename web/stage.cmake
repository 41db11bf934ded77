# SPDX-License-Identifier: MIT
# Stages the site afresh in SITE (web/CMakeLists.txt): the page from PAGE,
# with the page's colour (style.css) filled in where the browser reads it
# before the style sheet; the game from GAME, its .wasm compressed beside
# it; the game's numbers and names (the FACTS tool) and the .wasm's size as
# a module; the favicon and the web app's icons from the ICONS tool; the
# service worker with the build's name and files filled in; and each file of
# text or code compressed beside it, with BROTLI and GZIP.
include(${CMAKE_CURRENT_LIST_DIR}/site-files.cmake)

function(fill_in file placeholder value)
  file(READ ${file} text)
  string(FIND "${text}" "${placeholder}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${file} has no ${placeholder} to fill in")
  endif()
  string(REPLACE "${placeholder}" "${value}" text "${text}")
  file(WRITE ${file} "${text}")
endfunction()

file(REMOVE_RECURSE ${SITE})
file(MAKE_DIRECTORY ${SITE})
# Copied as new files: their own times would leave the site older than
# what it is staged from, and staged again on every build.
foreach(file ${plodway_page_files})
  file(COPY_FILE ${PAGE}/${file} ${SITE}/${file})
endforeach()
foreach(file ${plodway_game_files})
  file(COPY_FILE ${GAME}/${file} ${SITE}/${file})
endforeach()

file(STRINGS ${PAGE}/style.css colour REGEX "--page-colour: *#[0-9a-f]+")
string(REGEX REPLACE ".*--page-colour: *(#[0-9a-f]+).*" "\\1" colour "${colour}")
if(NOT colour MATCHES "^#[0-9a-f]+$")
  message(FATAL_ERROR "${PAGE}/style.css sets no --page-colour")
endif()
fill_in(${SITE}/index.html "@PLODWAY_PAGE_COLOUR@" "${colour}")
fill_in(${SITE}/manifest.webmanifest "@PLODWAY_PAGE_COLOUR@" "${colour}")

execute_process(COMMAND ${FACTS} OUTPUT_FILE ${SITE}/${plodway_facts_file} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${FACTS} failed: ${failed}")
endif()
file(SIZE ${GAME}/plodway.wasm wasm_bytes)
file(APPEND ${SITE}/${plodway_facts_file} "// plodway.wasm's size, for the progress bar when the server compresses it.
export const wasmBytes = ${wasm_bytes};
")

foreach(icon IN LISTS plodway_icons)
  string(REPLACE "PAGE_COLOUR" "${colour}" icon "${icon}")
  string(REPLACE " " ";" arguments "${icon}")
  list(GET arguments 0 kind)
  list(GET arguments 1 name)
  list(SUBLIST arguments 2 -1 rest)
  execute_process(COMMAND ${ICONS} ${kind} ${SITE}/${name} ${rest} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${ICONS} ${kind} ${name} failed: ${failed}")
  endif()
endforeach()

# The worker keeps what a page loads, named by a hash of it all, so that a
# new build is a new worker and a new cache (a browser takes a worker that
# differs by a byte for a new one). The compressed .wasm is the
# plain one as the server sends it: the worker keeps what fetch() unpacked.
file(GLOB files RELATIVE ${SITE} ${SITE}/*)
list(FILTER files EXCLUDE REGEX "\\.(br|gz)$|^service-worker\\.js$")
list(SORT files)
# The worker's own code is part of the build too.
file(SHA256 ${PAGE}/service-worker.js hashes)
foreach(file ${files})
  file(SHA256 ${SITE}/${file} hash)
  string(APPEND hashes "${hash} ${file}\n")
endforeach()
string(SHA256 build "${hashes}")
string(SUBSTRING ${build} 0 16 build)
list(JOIN files "\", \"" quoted)
fill_in(${SITE}/service-worker.js "@PLODWAY_BUILD@" "${build}")
fill_in(${SITE}/service-worker.js "\"@PLODWAY_FILES@\"" "\"${quoted}\"")

# The rest of the page compressed too, as plodway.js and plodway.wasm are
# at their link: a server that sends the compressed copies sends no file as
# it is (README.md, "Serving it"). Pictures are compressed already.
file(GLOB plain RELATIVE ${SITE} ${SITE}/*.html ${SITE}/*.css ${SITE}/*.js ${SITE}/*.wasm ${SITE}/*.webmanifest)
foreach(file ${plain})
  if(NOT EXISTS ${SITE}/${file}.br)
    execute_process(COMMAND ${BROTLI} --best --force --output=${SITE}/${file}.br ${SITE}/${file}
                    COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND ${GZIP} -9 --no-name --force --keep ${SITE}/${file} COMMAND_ERROR_IS_FATAL ANY)
  endif()
endforeach()
