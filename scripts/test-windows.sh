#!/usr/bin/env bash
# Runs the whole Qt Test suite built for Windows under Wine, through CTest:
# every test executable starts through Wine (CMake's cross-compiling
# emulator, build-windows/wine-run.sh) with a private Wine prefix in the build
# folder and the offscreen platform given on its command line.
#
# Builds first (scripts/build-windows.sh; the first run also builds Qt for
# Windows). Extra arguments go to ctest (say -R test_archive). Afterwards
# every test function that was skipped is printed with its reason: the
# conditions this system cannot make are named in tests/support/core/Unavailable.h.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PINAKOS_WIN_BUILD_DIR:-$here/build-windows}"

PINAKOS_WIN_BUILD_DIR="$build" bash "$here/scripts/build-windows.sh"

status=0
(cd "$build" && nice -n 10 ctest --output-on-failure -j"$(nproc)" "$@") || status=$?

log="$build/Testing/Temporary/LastTest.log"
if [ -f "$log" ]; then
  skips="$(grep -E '^SKIP +: ' "$log" | sed -E 's/^SKIP +: +//' | sort -u || true)"
  if [ -n "$skips" ]; then
    echo
    echo "Skipped under Wine ($(printf '%s\n' "$skips" | wc -l)), each for a reason outside the program:"
    printf '%s\n' "$skips" | sed 's/^/  /'
  fi
fi
exit "$status"
