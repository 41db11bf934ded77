# SPDX-License-Identifier: MIT
# Stages the site afresh in SITE (web/CMakeLists.txt): the page from PAGE,
# its layout filled in from the game's numbers (the LAYOUT tool) and the
# .wasm's size; the game from GAME, its .wasm compressed beside it; the
# favicon and the web app's icons from the ICONS tool; the service worker
# with the build's name and files filled in.
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
foreach(file index.html style.css layout.js touch.js plodway-site.js manifest.webmanifest)
  file(COPY_FILE ${PAGE}/${file} ${SITE}/${file})
endforeach()
foreach(file plodway.js plodway.wasm plodway.wasm.br plodway.wasm.gz qtloader.js)
  file(COPY_FILE ${GAME}/${file} ${SITE}/${file})
endforeach()
# The maskable icon on the page's background (style.css), which the
# manifest names as the theme colour too; Safari's home-screen icon the same,
# as it must be opaque and iOS rounds its corners.
foreach(icon "--ico;favicon.ico;16;32;48;64" "--png;icon-192.png;192" "--png;icon-512.png;512"
             "--maskable;icon-maskable-512.png;512;#c9c2ae" "--maskable;apple-touch-icon.png;180;#c9c2ae")
  list(GET icon 0 kind)
  list(GET icon 1 name)
  list(SUBLIST icon 2 -1 rest)
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
list(FILTER files EXCLUDE REGEX "\\.(br|gz)$")
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
file(READ ${PAGE}/service-worker.js worker)
foreach(placeholder "@PLODWAY_BUILD@" "\"@PLODWAY_FILES@\"")
  string(FIND "${worker}" "${placeholder}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${PAGE}/service-worker.js has no ${placeholder} to fill in")
  endif()
endforeach()
string(REPLACE "@PLODWAY_BUILD@" "${build}" worker "${worker}")
string(REPLACE "\"@PLODWAY_FILES@\"" "\"${quoted}\"" worker "${worker}")
file(WRITE ${SITE}/service-worker.js "${worker}")
