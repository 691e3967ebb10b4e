#!/usr/bin/env bash
# Cross-builds the Windows program and its tests into build-windows/ (the
# ready program folder is build-windows/Pinakos): installs what is needed
# (scripts/setup.sh --windows), builds Qt for Windows once into a cache folder
# (scripts/build-qt-windows.sh) and libzip and libxlsxwriter once into another
# (scripts/build-libs-windows.sh; later runs find both at once), then configures
# with the windows preset and builds. Extra arguments go to CMake's configure.
#
#   PINAKOS_WIN_QT        Qt for Windows (default ~/.cache/pinakos/qt-6.4.2-mingw)
#   PINAKOS_WIN_LIBS      libzip and libxlsxwriter for Windows (default ~/.cache/pinakos/libs-mingw)
#   PINAKOS_WIN_BUILD_DIR the build folder (default build-windows)
#   PINAKOS_WIN_TARGETS   the targets to build (default all: the program and the tests)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
qt="${PINAKOS_WIN_QT:-$HOME/.cache/pinakos/qt-6.4.2-mingw}"
libs="${PINAKOS_WIN_LIBS:-$HOME/.cache/pinakos/libs-mingw}"
build="${PINAKOS_WIN_BUILD_DIR:-$here/build-windows}"

bash "$here/scripts/setup.sh" --windows
# The suite under Wine runs with the regional settings of an Italian Windows,
# which Wine takes from the Linux locale it_IT.UTF-8 (without it Wine also
# loses the UTF-8 file names): made once when missing.
if ! locale -a 2>/dev/null | grep -qix 'it_IT.utf8'; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO localedef -i it_IT -f UTF-8 it_IT.UTF-8
fi
PINAKOS_WIN_QT="$qt" bash "$here/scripts/build-qt-windows.sh"
PINAKOS_WIN_LIBS="$libs" bash "$here/scripts/build-libs-windows.sh"

launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cd "$here"
cmake --preset windows -B "$build" \
  -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" -DPINAKOS_WIN_LIBS="$libs" "${launcher[@]}" "$@" >/dev/null
targets=()
for t in ${PINAKOS_WIN_TARGETS:-}; do targets+=(--target "$t"); done
nice -n 10 cmake --build "$build" -j"$(nproc)" "${targets[@]}"
