# CMake toolchain for building Windows x86-64 programs on Linux with
# MinGW-w64 (the posix thread model, so std::thread and std::mutex work).
# Debian packages: g++-mingw-w64-x86-64-posix, binutils-mingw-w64-x86-64
# (bash scripts/setup.sh --windows).
#
# Qt for Windows (scripts/build-qt-windows.sh) is configured with a copy of
# this file, and the qt.toolchain.cmake it installs loads that copy, so
# programs built against that Qt only need
#   -DCMAKE_TOOLCHAIN_FILE=<qt prefix>/lib/cmake/Qt6/qt.toolchain.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PINAKOS_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${PINAKOS_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PINAKOS_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${PINAKOS_MINGW_TRIPLE}-windres)

# Headers and libraries come from the MinGW-w64 sysroot (and whatever the
# caller appends, such as the Qt prefix); programs run during the build are
# the host's.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${PINAKOS_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
