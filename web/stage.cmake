# SPDX-License-Identifier: MIT
# Stages the site afresh in SITE (web/CMakeLists.txt): the page from PAGE,
# its layout filled in from the game's numbers (the LAYOUT tool) and the
# .wasm's size; the game from GAME; the favicon from the ICONS tool.
execute_process(COMMAND ${LAYOUT} OUTPUT_VARIABLE layout RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${LAYOUT} failed: ${failed}")
endif()
# Taken apart and put back together, so that what the tool printed is JSON.
file(SIZE ${GAME}/plodway.wasm wasm_bytes)
string(JSON layout SET "${layout}" wasmBytes ${wasm_bytes})
string(REGEX REPLACE "[\n\t ]+" " " layout "${layout}")

file(REMOVE_RECURSE ${SITE})
file(MAKE_DIRECTORY ${SITE})
set(placeholder "{/* @PLODWAY_LAYOUT@ */}")
file(READ ${PAGE}/plodway-page.js script)
string(FIND "${script}" "${placeholder}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${PAGE}/plodway-page.js has no ${placeholder} to fill in")
endif()
string(REPLACE "${placeholder}" "${layout}" script "${script}")
file(WRITE ${SITE}/plodway-page.js "${script}")
# Copied as new files: their own times would leave the site older than
# what it is staged from, and staged again on every build.
foreach(file ${PAGE}/index.html ${PAGE}/style.css ${PAGE}/touch.js ${GAME}/plodway.js ${GAME}/plodway.wasm ${GAME}/qtloader.js)
  get_filename_component(name ${file} NAME)
  file(COPY_FILE ${file} ${SITE}/${name})
endforeach()
execute_process(COMMAND ${ICONS} --ico ${SITE}/favicon.ico 16 32 48 64 RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${ICONS} failed: ${failed}")
endif()
