#!/usr/bin/env bash
# Builds Qt 6.4.2 for Windows x86-64 (qtbase and qtsvg, shared, Release) with
# the MinGW-w64 cross compilers, from Debian's own Qt source packages, and
# installs it into a cache folder outside the repository:
#
#   ${PINAKOS_WIN_QT:-$HOME/.cache/pinakos/qt-6.4.2-mingw}
#
# Programs then configure with
#   -DCMAKE_TOOLCHAIN_FILE=<that folder>/lib/cmake/Qt6/qt.toolchain.cmake
#
# The host tools (moc, rcc, uic) are Debian's qt6-base-dev ones, of the same
# version. The sources and build trees live beside the install, in
# <that folder>-work; an interrupted run picks up where it stopped. A run that
# finds a complete install (the stamp file written last) returns at once.
#
#   PINAKOS_WIN_QT            install prefix (see above)
#   PINAKOS_WIN_QT_WORK       sources and build trees (default <prefix>-work)
#   PINAKOS_WIN_QT_KEEP_BUILD=1  keep the build trees after a successful install
#
# The build takes about 1,200 compile steps: 20 minutes or more on two cores.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

qt_version=6.4.2
prefix="${PINAKOS_WIN_QT:-$HOME/.cache/pinakos/qt-$qt_version-mingw}"
work="${PINAKOS_WIN_QT_WORK:-$prefix-work}"
stamp="$prefix/.pinakos-qt-complete"
host_cmake_dir=/usr/lib/x86_64-linux-gnu/cmake
jobs="$(nproc)"

# Qt's own Italian texts for its dialogs, where Qt's programs look for them
# (Debian's qt6-translations-l10n; the files are the same on Windows).
install_translations() {
  local f=/usr/share/qt6/translations/qtbase_it.qm
  if [ -f "$f" ] && [ ! -f "$prefix/translations/qtbase_it.qm" ]; then
    install -D -m 644 "$f" "$prefix/translations/qtbase_it.qm"
  fi
}

if [ -f "$stamp" ]; then
  install_translations
  echo "Qt $qt_version for Windows is already installed in $prefix"
  exit 0
fi

. "$here/scripts/debian-source.sh"
install_windows_packages
enable_deb_src qt6-base

step "qtbase source (apt-get source qt6-base) into $work/src"
base_src="$(fetch_source qt6-base "qt6-base-$qt_version*")"
echo "$base_src"

# Qt keeps the path of the toolchain file it was configured with, so give it a
# copy inside the prefix: the install then does not depend on this checkout.
mkdir -p "$prefix/lib/cmake"
toolchain="$prefix/lib/cmake/pinakos-mingw-w64.cmake"
cp "$here/cmake/mingw-w64.cmake" "$toolchain"

step "Configuring qtbase for Windows"
base_build="$work/build-qtbase"
nice -n 19 cmake -S "$base_src" -B "$base_build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DBUILD_SHARED_LIBS=ON \
  -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR="$host_cmake_dir" \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
  -DFEATURE_tabletevent=OFF \
  -DFEATURE_system_zlib=OFF -DINPUT_libpng=qt -DINPUT_libjpeg=qt -DINPUT_pcre=qt \
  -DINPUT_freetype=qt -DINPUT_harfbuzz=qt -DINPUT_doubleconversion=qt \
  -DFEATURE_jpeg=ON -DFEATURE_png=ON -DFEATURE_testlib=ON \
  -DFEATURE_printsupport=ON \
  > "$work/configure-qtbase.log" 2>&1 ||
  { tail -n 60 "$work/configure-qtbase.log" >&2; echo "configure failed: $work/configure-qtbase.log" >&2; exit 1; }
sed -n '/^Configure summary:/,$p' "$work/configure-qtbase.log" | head -n 200

step "Building qtbase ($jobs jobs, nice 19)"
nice -n 19 cmake --build "$base_build" --parallel "$jobs"

step "Installing qtbase into $prefix"
nice -n 19 cmake --install "$base_build" >/dev/null

step "qtsvg source (apt-get source qt6-svg) into $work/src"
# Debian's archive mirrors do not always serve the qt6-svg source; then Qt Svg
# is made from Debian's Qt 5.15 qtsvg source moved to Qt 6 (scripts/qtsvg-qt6).
if svg_src="$(try_fetch_source qt6-svg "qt6-svg-$qt_version*")"; then
  svg_origin="$(basename "$svg_src")"
else
  echo "The qt6-svg $qt_version source is not available; using qtsvg-opensource-src 5.15 with scripts/qtsvg-qt6"
  svg5_src="$(fetch_source qtsvg-opensource-src "qtsvg-opensource-src-5.15*")"
  svg_src="$work/src/qtsvg-qt6"
  rm -rf "$svg_src"
  cp -a "$svg5_src" "$svg_src"
  rm -f "$svg_src"/src/svg/qsvgwidget.* "$svg_src"/src/svg/qgraphicssvgitem.*
  (cd "$here/scripts/qtsvg-qt6" && find . -name CMakeLists.txt -o -name .cmake.conf) |
    while read -r f; do cp "$here/scripts/qtsvg-qt6/$f" "$svg_src/$f"; done
  # The font-size parser's argument goes by a plainer name first, as the
  # port's patch expects.
  sed -i -E 's/\b(s)pec\b/\1izeName/g' "$svg_src/src/svg/qsvghandler.cpp"
  patch -d "$svg_src" -p1 --quiet --forward < "$here/scripts/qtsvg-qt6/qt6-port.patch"
  svg_origin="$(basename "$svg5_src") with scripts/qtsvg-qt6"
fi
echo "$svg_src"

step "Configuring qtsvg"
svg_build="$work/build-qtsvg"
rm -rf "$svg_build"
nice -n 19 cmake -S "$svg_src" -B "$svg_build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
  > "$work/configure-qtsvg.log" 2>&1 ||
  { tail -n 60 "$work/configure-qtsvg.log" >&2; echo "configure failed: $work/configure-qtsvg.log" >&2; exit 1; }

step "Building qtsvg ($jobs jobs, nice 19)"
nice -n 19 cmake --build "$svg_build" --parallel "$jobs"

step "Installing qtsvg into $prefix"
nice -n 19 cmake --install "$svg_build" >/dev/null

install_translations

# The pieces a Windows program of this project loads; missing any is a failure.
missing=0
for f in bin/Qt6Core.dll bin/Qt6Gui.dll bin/Qt6Widgets.dll bin/Qt6PrintSupport.dll \
         bin/Qt6Svg.dll bin/Qt6Test.dll \
         plugins/platforms/qwindows.dll plugins/platforms/qoffscreen.dll \
         plugins/imageformats/qjpeg.dll plugins/imageformats/qsvg.dll \
         plugins/iconengines/qsvgicon.dll \
         lib/cmake/Qt6/qt.toolchain.cmake; do
  if [ ! -e "$prefix/$f" ]; then echo "missing from the install: $f" >&2; missing=1; fi
done
[ "$missing" -eq 0 ] || exit 1

if [ "${PINAKOS_WIN_QT_KEEP_BUILD:-0}" != 1 ]; then
  rm -rf "$base_build" "$svg_build"
fi

elapsed=$(( $(date +%s) - start ))
printf 'Qt %s for Windows (qtbase, qtsvg) from %s and %s\nbuilt %s in %dm%02ds\n' \
  "$qt_version" "$(basename "$base_src")" "$svg_origin" "$(date -u +%FT%TZ)" \
  $((elapsed / 60)) $((elapsed % 60)) > "$stamp"
step "Done: Qt $qt_version for Windows in $prefix ($(du -sh "$prefix" | cut -f1)), total $((elapsed / 60))m$((elapsed % 60))s"
