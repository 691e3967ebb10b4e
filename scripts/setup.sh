#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Pinakos needs.
# Idempotent: when everything is present it returns at once without touching apt.
#   --fuzz   also clang with its fuzzer and sanitizer runtimes (scripts/fuzz.sh)
#   --bench  also the tools the benchmarks compare with (enscript, ghostscript, openssl)
#   --check  also what the layer and format checks run (python3, clang-format)
#   --tests  also what the tests read the program's files back with (LibreOffice
#            Calc without its interface, Python with openpyxl)
#   --windows  also the MinGW-w64 cross compilers (posix threads), Wine, NSIS,
#            zip, Ninja, Xvfb, dpkg-dev and patch (apt-get source) and zlib for
#            Windows (libz-mingw-w64-dev), for the Windows build
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 libgl-dev
  libbenchmark-dev libjpeg-turbo-progs
  libssl-dev libzip-dev libxlsxwriter-dev
  fonts-dejavu-core fonts-liberation2
  poppler-utils
  qt6-translations-l10n desktop-file-utils
)
for arg in "$@"; do
  case "$arg" in
    --fuzz) PACKAGES+=(clang libclang-rt-dev llvm) ;;
    --bench) PACKAGES+=(enscript ghostscript openssl) ;;
    --check) PACKAGES+=(python3 clang-format) ;;
    --tests) PACKAGES+=(python3 libreoffice-calc-nogui python3-openpyxl) ;;
    --windows)
      PACKAGES+=(
        g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
        binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev mingw-w64-tools
        wine64 wine nsis zip locales ninja-build xvfb x11-utils dpkg-dev xz-utils patch
        libz-mingw-w64-dev
      ) ;;
    *) echo "setup.sh: unknown option $arg" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
