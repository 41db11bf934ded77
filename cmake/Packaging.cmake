# Plodway as a desktop application: hardened release builds, the desktop
# entry, launcher icons and AppStream metainfo installed beside the binary,
# and a Debian package made by CPack.
include(GNUInstallDirs)

set(PLODWAY_APP_ID io.github.plodway.Plodway)
set(PLODWAY_ICON_SIZES 32 64 128 256)

# --- Hardening --------------------------------------------------------------
# The targets already exist when this file is read, so the flags go on them
# directly; the libraries get them too, since their code ends up in the game.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  include(CheckPIESupported)
  check_pie_supported()
  foreach(target plodway plodway_ui plodway_rules)
    set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
    target_compile_options(${target} PRIVATE -fstack-protector-strong)
    # _FORTIFY_SOURCE only works with optimisation, and some toolchains
    # predefine it, hence the undefine first. Under AddressSanitizer the
    # checked copies would bypass its own, finer checks.
    if(NOT PLODWAY_SANITIZE)
      target_compile_options(${target} PRIVATE
        "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
    endif()
  endforeach()
  target_link_options(plodway PRIVATE LINKER:-z,relro LINKER:-z,now)
endif()

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

# --- Installed files --------------------------------------------------------
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
set(CPACK_PACKAGE_CONTACT "The Plodway developers <plodway@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game: steer a turtle across busy roads")
set(CPACK_PACKAGE_DESCRIPTION
  "Steer the turtle with the arrow keys from the bottom of the field to the top, across roads where vehicles drive sideways at fixed speeds. Three levels: Country Highway, The Big City and Desert Frenzy.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/plodway/plodway)
# Depends comes from the binary's own libraries (libqt6widgets6 and the rest)
# through dpkg-shlibdeps, so it follows whatever Qt the build used.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A source package must not sweep up build trees or the repository itself.
set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/" "/shots/")
include(CPack)
