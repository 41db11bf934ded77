# SPDX-License-Identifier: MIT
# The site's files, named once for the build (CMakeLists.txt) and the
# staging (stage.cmake).
# The page's own, from this folder:
set(plodway_page_files index.html style.css main.js page.js layout.js keys.js download.js site.js touch.js pause.js
    manifest.webmanifest service-worker.js)
# The game's, from the build: the game itself, it and its JavaScript
# compressed, Qt's loader, and the page's layout from the game's own code.
set(plodway_game_files plodway.js plodway.js.br plodway.js.gz plodway.wasm plodway.wasm.br plodway.wasm.gz qtloader.js
    page-layout.wasm)
# Made at staging: the game's numbers and names as a module, and the icons,
# one a line of words, made by plodway-icons with the words after the
# file's name (a maskable one on the page's colour; so is Safari's
# home-screen icon, as it must be opaque and iOS rounds its corners).
set(plodway_facts_file game-facts.js)
set(plodway_icons "--ico favicon.ico 16 32 48 64" "--png icon-192.png 192" "--png icon-512.png 512"
    "--maskable icon-maskable-512.png 512 PAGE_COLOUR" "--maskable apple-touch-icon.png 180 PAGE_COLOUR")
set(plodway_icon_files)
foreach(icon IN LISTS plodway_icons)
  string(REGEX MATCH "^[^ ]+ ([^ ]+)" name "${icon}")
  list(APPEND plodway_icon_files ${CMAKE_MATCH_1})
endforeach()
