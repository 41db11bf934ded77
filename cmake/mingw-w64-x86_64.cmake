# SPDX-License-Identifier: MIT
# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (the posix
# thread model, which Qt needs). Used for the cross-built Qt and for the game.
# PLODWAY_QT_PREFIX, from the cache or the environment, is where that Qt is
# installed; its packages are looked for there and in the mingw sysroot only.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

if(NOT PLODWAY_QT_PREFIX AND DEFINED ENV{PLODWAY_QT_PREFIX})
  set(PLODWAY_QT_PREFIX $ENV{PLODWAY_QT_PREFIX})
endif()
# try_compile projects read this file again: hand them the prefix too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES PLODWAY_QT_PREFIX)
set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${PLODWAY_QT_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Qt's build tools (moc, uic, rcc) run on the build machine: Debian's own.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

# One .exe that needs no DLL beside it: libstdc++, libgcc and winpthread
# linked in, as the static Qt is.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
