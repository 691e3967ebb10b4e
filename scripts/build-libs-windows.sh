#!/usr/bin/env bash
# Builds the libraries the program links besides Qt for Windows x86-64 with
# the MinGW-w64 cross compilers, from Debian's own source packages, and
# installs them (shared, Release) into a cache folder outside the repository:
#
#   ${PINAKOS_WIN_LIBS:-$HOME/.cache/pinakos/libs-mingw}
#
#   libzip         (apt-get source libzip)          the OpenDocument workbooks
#   libxlsxwriter  (apt-get source libxlsxwriter)   the Excel workbooks
#
# Both link Debian's zlib for Windows (libz-mingw-w64-dev, whose zlib1.dll the
# program folder carries). The cross build then finds them with pkg-config
# through <that folder>/lib/pkgconfig (cmake/Windows.cmake sets
# PKG_CONFIG_LIBDIR). Sources and build trees live in <that folder>-work. A run
# that finds a complete install (the stamp file written last) returns at once.
#
#   PINAKOS_WIN_LIBS       install prefix (see above)
#   PINAKOS_WIN_LIBS_WORK  sources and build trees (default <prefix>-work)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

prefix="${PINAKOS_WIN_LIBS:-$HOME/.cache/pinakos/libs-mingw}"
work="${PINAKOS_WIN_LIBS_WORK:-$prefix-work}"
stamp="$prefix/.pinakos-libs-complete"
triple=x86_64-w64-mingw32
sysroot=/usr/$triple

if [ -f "$stamp" ]; then
  echo "libzip and libxlsxwriter for Windows are already installed in $prefix"
  exit 0
fi

. "$here/scripts/debian-source.sh"
install_windows_packages
enable_deb_src libzip

if [ ! -f "$sysroot/lib/libz.dll.a" ] || [ ! -f "$sysroot/lib/zlib1.dll" ]; then
  echo "build-libs-windows.sh: zlib for Windows is missing (libz-mingw-w64-dev)" >&2
  exit 1
fi

common=(
  -G Ninja
  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake"
  -DCMAKE_BUILD_TYPE=Release
  -DCMAKE_INSTALL_PREFIX="$prefix"
  -DCMAKE_INSTALL_LIBDIR=lib
  -DBUILD_SHARED_LIBS=ON
)

# Configures, builds and installs the CMake project in $2, logging as $1.
build_one() {
  local name="$1" src="$2"
  shift 2
  local build="$work/build-$name"
  rm -rf "$build"
  nice -n 10 cmake -S "$src" -B "$build" "${common[@]}" "$@" >"$work/configure-$name.log" 2>&1 ||
    {
      tail -n 40 "$work/configure-$name.log" >&2
      echo "configure failed: $work/configure-$name.log" >&2
      exit 1
    }
  nice -n 10 cmake --build "$build" --parallel "$(nproc)" >"$work/build-$name.log" 2>&1 ||
    {
      tail -n 40 "$work/build-$name.log" >&2
      echo "build failed: $work/build-$name.log" >&2
      exit 1
    }
  cmake --install "$build" >/dev/null
}

step "libzip source (apt-get source libzip) into $work/src"
zip_src="$(fetch_source libzip "libzip-[0-9]*")"
echo "$zip_src"
step "Building libzip"
# Deflate only: no encryption, bzip2 or xz, none of the tools, tests or manuals.
build_one libzip "$zip_src" \
  -DENABLE_COMMONCRYPTO=OFF -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF \
  -DENABLE_WINDOWS_CRYPTO=OFF -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF \
  -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF

step "libxlsxwriter source (apt-get source libxlsxwriter) into $work/src"
xlsx_src="$(fetch_source libxlsxwriter "libxlsxwriter-[0-9]*")"
echo "$xlsx_src"
step "Building libxlsxwriter"
build_one libxlsxwriter "$xlsx_src" -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF

missing=0
for f in bin/libzip.dll lib/libzip.dll.a lib/pkgconfig/libzip.pc include/zip.h \
  bin/libxlsxwriter.dll lib/libxlsxwriter.dll.a lib/pkgconfig/xlsxwriter.pc include/xlsxwriter.h; do
  if [ ! -e "$prefix/$f" ]; then
    echo "missing from the install: $f" >&2
    missing=1
  fi
done
[ "$missing" -eq 0 ] || exit 1
rm -rf "$work/build-libzip" "$work/build-libxlsxwriter"

elapsed=$(($(date +%s) - start))
printf 'libzip and libxlsxwriter for Windows from %s and %s\nbuilt %s in %dm%02ds\n' \
  "$(basename "$zip_src")" "$(basename "$xlsx_src")" "$(date -u +%FT%TZ)" \
  $((elapsed / 60)) $((elapsed % 60)) >"$stamp"
step "Done: libzip and libxlsxwriter for Windows in $prefix, total $((elapsed / 60))m$((elapsed % 60))s"
