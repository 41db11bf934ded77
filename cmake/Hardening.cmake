# SPDX-License-Identifier: MIT
# Hardened builds, on Linux and Windows alike.
include(CheckCXXCompilerFlag)
include(CheckCXXSourceCompiles)

# Our defaults apply only where the build flags (a distribution's CXXFLAGS and
# CPPFLAGS, or the build type's) do not choose already: a distribution may
# want _FORTIFY_SOURCE=3 or a protector of its own. The flags go on the
# game's targets, the libraries included, since their code ends up in it.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  include(CheckPIESupported)
  check_pie_supported()
  string(TOUPPER "${CMAKE_BUILD_TYPE}" build_type)
  set(build_flags "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${build_type}}")
  set(hardening "")
  if(NOT build_flags MATCHES "-f(no-)?stack-protector")
    list(APPEND hardening -fstack-protector-strong)
  endif()
  if(NOT build_flags MATCHES "-f(no-)?stack-clash-protection")
    check_cxx_compiler_flag(-fstack-clash-protection PLODWAY_HAVE_STACK_CLASH_PROTECTION)
    if(PLODWAY_HAVE_STACK_CLASH_PROTECTION)
      list(APPEND hardening -fstack-clash-protection)
    endif()
  endif()
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64)$" AND NOT build_flags MATCHES "-f(no-)?cf-protection")
    list(APPEND hardening -fcf-protection)
  endif()
  # _FORTIFY_SOURCE only works with optimisation, and some compilers define
  # it themselves when optimising. Under AddressSanitizer the checked copies
  # would bypass its own, finer checks.
  if(NOT PLODWAY_SANITIZE AND NOT build_flags MATCHES "_FORTIFY_SOURCE")
    set(CMAKE_REQUIRED_FLAGS -O2)
    check_cxx_source_compiles("#ifndef _FORTIFY_SOURCE\n#error not fortified\n#endif\nint main() {}"
                              PLODWAY_COMPILER_FORTIFIES)
    unset(CMAKE_REQUIRED_FLAGS)
    if(NOT PLODWAY_COMPILER_FORTIFIES)
      list(APPEND hardening "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-D_FORTIFY_SOURCE=2>")
    endif()
  endif()
  foreach(target plodway plodway_ui plodway_rules)
    set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
    target_compile_options(${target} PRIVATE ${hardening})
  endforeach()
  if(WIN32)
    # MinGW's C runtime has neither the stack protector's nor the fortified
    # functions' checks: libssp has both. Windows has no RELRO; its loader
    # maps the import table read-only itself.
    if(hardening MATCHES "stack-protector|_FORTIFY_SOURCE" OR build_flags MATCHES "stack-protector|_FORTIFY_SOURCE")
      target_link_libraries(plodway_rules PUBLIC ssp)
    endif()
  else()
    target_link_options(plodway PRIVATE LINKER:-z,relro LINKER:-z,now)
  endif()
endif()
