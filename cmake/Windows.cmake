# SPDX-License-Identifier: MIT
# Plodway as a Windows application: one static .exe for the GUI subsystem
# with the turtle as its icon, a version resource and a manifest, packed as a
# zip and as a per-user installer made by CPack's NSIS generator.
set(windows_dir ${CMAKE_CURRENT_LIST_DIR}/windows)

# No console window opens beside the game.
set_target_properties(plodway PROPERTIES WIN32_EXECUTABLE ON)

# --- Resources --------------------------------------------------------------
# The icon is made from the built-in art at build time, by the icons tool run
# through the cross-compiling emulator (Wine), so it cannot drift from it.
add_subdirectory(${PROJECT_SOURCE_DIR}/tools/icons ${PROJECT_BINARY_DIR}/tools/icons)
set(PLODWAY_ICO ${PROJECT_BINARY_DIR}/plodway.ico)
add_custom_command(OUTPUT ${PLODWAY_ICO}
  COMMAND plodway-icons --ico ${PLODWAY_ICO} 16 32 48 256
  DEPENDS plodway-icons
  COMMENT "Making the Windows icon"
  VERBATIM)
add_custom_target(plodway_windows_icon DEPENDS ${PLODWAY_ICO})

string(SUBSTRING "${PLODWAY_RELEASE_DATE}" 0 4 PLODWAY_YEAR)
set(PLODWAY_MANIFEST ${PROJECT_BINARY_DIR}/plodway.manifest)
configure_file(${windows_dir}/plodway.manifest.in ${PLODWAY_MANIFEST} @ONLY)
configure_file(${windows_dir}/plodway.rc.in ${PROJECT_BINARY_DIR}/plodway.rc @ONLY)
target_sources(plodway PRIVATE ${PROJECT_BINARY_DIR}/plodway.rc)
# The resource compiler does not report the files it includes: name them,
# in the directory of the target that compiles the script (source file
# properties are per directory), or a new icon or manifest never reaches
# the .exe.
set_source_files_properties(${PROJECT_BINARY_DIR}/plodway.rc TARGET_DIRECTORY plodway PROPERTIES
  OBJECT_DEPENDS "${PLODWAY_ICO};${PLODWAY_MANIFEST}")
add_dependencies(plodway plodway_windows_icon)

# --- Installed files --------------------------------------------------------
# Everything in one folder, as Windows programs are installed.
install(TARGETS plodway RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)

# --- Tools ------------------------------------------------------------------
# The replay tool's output is compared byte for byte with the golden traces:
# MinGW's binmode.o keeps the C runtime from writing CR before each LF.
find_file(PLODWAY_MINGW_BINMODE binmode.o PATH_SUFFIXES lib)
if(TARGET plodway-replay AND PLODWAY_MINGW_BINMODE)
  target_link_libraries(plodway-replay PRIVATE ${PLODWAY_MINGW_BINMODE})
endif()

# --- Zip and installer ------------------------------------------------------
set(CPACK_PACKAGE_NAME Plodway)
set(CPACK_PACKAGE_VENDOR "The Plodway developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Steer a turtle across busy roads")
set(CPACK_PACKAGE_FILE_NAME plodway-${PROJECT_VERSION}-windows-x64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Plodway)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Plodway)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# Our own NSIS script: CPack's stock one asks for administrator rights and
# installs for all users; this one installs for the current user only.
set(CPACK_MODULE_PATH ${windows_dir})
set(CPACK_NSIS_MUI_ICON ${PLODWAY_ICO})
set(CPACK_NSIS_MUI_UNIICON ${PLODWAY_ICO})
set(CPACK_NSIS_DISPLAY_NAME Plodway)
set(CPACK_NSIS_PACKAGE_NAME Plodway)
set(CPACK_NSIS_INSTALLED_ICON_NAME plodway.exe)
set(CPACK_NSIS_URL_INFO_ABOUT https://github.com/plodway/plodway)
set(CPACK_PROJECT_CONFIG_FILE ${windows_dir}/CPackPerGenerator.cmake)
include(CPack)
