# SPDX-License-Identifier: MIT
# Plodway as a Linux desktop application: the desktop entry, launcher icons,
# AppStream metainfo and manual page installed beside the binary, a Debian
# package and a source tarball made by CPack.
include(GNUInstallDirs)

set(PLODWAY_APP_ID io.github.plodway.Plodway)
set(PLODWAY_ICON_SIZES 32 48 64 128 256)

# --- Launcher icons ---------------------------------------------------------
# Made from the built-in icon at build time, so they cannot drift from it.
add_subdirectory(${PROJECT_SOURCE_DIR}/tools/icons ${PROJECT_BINARY_DIR}/tools/icons)
set(PLODWAY_HICOLOR_DIR ${PROJECT_BINARY_DIR}/icons/hicolor)
set(icon_files "")
foreach(size IN LISTS PLODWAY_ICON_SIZES)
  list(APPEND icon_files ${PLODWAY_HICOLOR_DIR}/${size}x${size}/apps/${PLODWAY_APP_ID}.png)
endforeach()
add_custom_command(OUTPUT ${icon_files}
  COMMAND plodway-icons ${PLODWAY_HICOLOR_DIR} ${PLODWAY_APP_ID} ${PLODWAY_ICON_SIZES}
  DEPENDS plodway-icons
  COMMENT "Making the launcher icons"
  VERBATIM)
add_custom_target(plodway_launcher_icons ALL DEPENDS ${icon_files})

# --- Manual page and the Debian package's documentation ---------------------
set(PLODWAY_DOC_DIR ${PROJECT_BINARY_DIR}/doc)
configure_file(${PROJECT_SOURCE_DIR}/data/plodway.6.in ${PLODWAY_DOC_DIR}/plodway.6 @ONLY)
set(CPACK_PACKAGE_CONTACT "The Plodway developers <plodway@users.noreply.github.com>")
add_custom_command(OUTPUT ${PLODWAY_DOC_DIR}/changelog.gz ${PLODWAY_DOC_DIR}/plodway.6.gz
  COMMAND ${CMAKE_COMMAND} -DNEWS=${PROJECT_SOURCE_DIR}/NEWS -DMANPAGE=${PLODWAY_DOC_DIR}/plodway.6
          -DMAINTAINER=${CPACK_PACKAGE_CONTACT} -DOUTPUT_DIR=${PLODWAY_DOC_DIR}
          -P ${PROJECT_SOURCE_DIR}/cmake/DebianDocs.cmake
  DEPENDS ${PROJECT_SOURCE_DIR}/NEWS ${PLODWAY_DOC_DIR}/plodway.6 ${PROJECT_SOURCE_DIR}/cmake/DebianDocs.cmake
  COMMENT "Making the Debian changelog and compressed manual page"
  VERBATIM)
add_custom_target(plodway_debian_docs ALL DEPENDS ${PLODWAY_DOC_DIR}/changelog.gz)

# --- Installed files --------------------------------------------------------
# `cmake --install` follows GNUInstallDirs. The Debian package is assembled
# from the same files but takes the component "debian" instead of "game":
# Debian puts games in /usr/games and wants the documentation compressed.
# No RUNPATH: the game finds Qt where the system keeps its libraries.
set_target_properties(plodway PROPERTIES INSTALL_RPATH "")
install(TARGETS plodway RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT game)
install(FILES ${PLODWAY_DOC_DIR}/plodway.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT game)

install(TARGETS plodway RUNTIME DESTINATION games COMPONENT debian EXCLUDE_FROM_ALL)
# The toolchain's version stamp is of no use in a package (lintian asks).
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
                            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/games/plodway\")
  endif()" COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${PLODWAY_DOC_DIR}/plodway.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6
        COMPONENT debian EXCLUDE_FROM_ALL)
install(FILES ${PLODWAY_DOC_DIR}/changelog.gz ${PROJECT_SOURCE_DIR}/data/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT debian EXCLUDE_FROM_ALL)

install(FILES ${PROJECT_SOURCE_DIR}/data/${PLODWAY_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/${PLODWAY_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size IN LISTS PLODWAY_ICON_SIZES)
  install(FILES ${PLODWAY_HICOLOR_DIR}/${size}x${size}/apps/${PLODWAY_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# --- Debian package ---------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME plodway)
set(CPACK_PACKAGE_VENDOR "The Plodway developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game: steer a turtle across busy roads")
set(CPACK_PACKAGE_DESCRIPTION [[
Steer the turtle with the arrow keys from the bottom of the field to the
top, across roads where vehicles drive sideways at fixed speeds. Three
levels: Country Highway, The Big City and Desert Frenzy.]])
set(CPACK_INSTALL_CMAKE_PROJECTS
    ${PROJECT_BINARY_DIR} ${PROJECT_NAME} Unspecified /
    ${PROJECT_BINARY_DIR} ${PROJECT_NAME} debian /)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/plodway/plodway)
# Depends comes from the binary's own libraries (libqt6widgets6 and the rest)
# through dpkg-shlibdeps, so it follows whatever Qt the build used.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Without it Qt runs under Wayland through XWayland only.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)

# --- Source tarball ---------------------------------------------------------
# plodway-VERSION.tar.xz unpacks to plodway-VERSION/ with CMakeLists.txt at
# its top. Only the source tree's own build trees and repository data are
# left out: the patterns are anchored there, since the source tree itself
# may well lie under a directory called build.
set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION})
# The patterns pass through CPackSourceConfig.cmake, hence the doubled escapes.
# In a git worktree .git is a file.
string(REGEX REPLACE "([][+.*()^$?|\\])" "\\\\\\\\\\1" source_dir_regex "${PROJECT_SOURCE_DIR}")
set(CPACK_SOURCE_IGNORE_FILES
    "^${source_dir_regex}/\\\\.git(/|$)" "^${source_dir_regex}/build[^/]*/" "^${source_dir_regex}/shots/"
    "/__pycache__/")
include(CPack)
