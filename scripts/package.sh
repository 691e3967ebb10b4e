#!/usr/bin/env bash
# Makes the program's packages under dist/.
#
#   bash scripts/package.sh windows
#     dist/Pinakos-<version>-win64.zip   the Windows program folder, to unpack anywhere and run
#     dist/Pinakos-<version>-setup.exe   its Italian installer (per user, no administrator)
#
# The Windows program is cross-built by scripts/build-windows.sh (the first run
# also builds Qt for Windows and the libraries it links, once).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
dist="$here/dist"

usage() { echo "usage: bash scripts/package.sh windows" >&2; exit 2; }
[ $# -eq 1 ] || usage

case "$1" in
  windows)
    build="${PINAKOS_WIN_BUILD_DIR:-$here/build-windows}"
    PINAKOS_WIN_BUILD_DIR="$build" PINAKOS_WIN_TARGETS="pinakos pinakos_manual pinakos_password" \
      bash "$here/scripts/build-windows.sh"
    version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
    [ -n "$version" ] || { echo "package.sh: no version in $build/CMakeCache.txt" >&2; exit 1; }
    folder="$build/Pinakos"
    stage="$build/package/Pinakos"
    rm -rf "$build/package"
    mkdir -p "$stage"

    # The program's own files only: whatever a run of the build left there
    # (catalogs, photos, documents, exports) stays out.
    (cd "$folder" && cp -a pinakos.exe ./*.dll Guida.pdf "$stage/")
    for sub in platforms styles imageformats iconengines translations; do
      if [ -d "$folder/$sub" ]; then cp -a "$folder/$sub" "$stage/"; fi
    done
    for f in pinakos.exe unins000.dll Guida.pdf platforms/qwindows.dll translations/qtbase_it.qm \
             libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll libzip.dll libxlsxwriter.dll zlib1.dll; do
      [ -e "$stage/$f" ] || { echo "package.sh: the program folder lacks $f" >&2; exit 1; }
    done
    # Symbols are not needed to run; the password file is no program.
    find "$stage" \( -name '*.exe' -o -name '*.dll' \) ! -name unins000.dll -print0 |
      xargs -0 x86_64-w64-mingw32-strip --strip-unneeded

    mkdir -p "$dist"
    zip_file="$dist/Pinakos-$version-win64.zip"
    setup_file="$dist/Pinakos-$version-setup.exe"
    rm -f "$zip_file" "$setup_file"
    (cd "$build/package" && zip -q -r -9 "$zip_file" Pinakos)

    # The uninstaller's list: every file installed but the password file,
    # then the folders, deepest first (removed only when empty).
    files="$build/package/files.nsh"
    (
      cd "$stage"
      find . -type f ! -path ./unins000.dll | sed 's|^\./||; s|/|\\|g' | sort |
        while read -r f; do printf 'Delete "$INSTDIR\\%s"\n' "$f"; done
      find . -mindepth 1 -type d | sed 's|^\./||; s|/|\\|g' | sort -r |
        while read -r d; do printf 'RMDir "$INSTDIR\\%s"\n' "$d"; done
    ) > "$files"
    makensis -V2 -INPUTCHARSET UTF8 \
      -DVERSION="$version" -DSOURCE="$stage" -DFILES="$files" \
      -DICON="$build/icons/pinakos.ico" -DOUTFILE="$setup_file" \
      "$here/scripts/windows/pinakos.nsi"

    ls -l "$zip_file" "$setup_file" | awk '{ printf "%s  %d bytes (%.1f MB)\n", $NF, $5, $5 / 1048576 }'
    ;;
  *) usage ;;
esac
