#!/usr/bin/env bash
# Installs what is needed, builds Pinakos with its tests and runs every test.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PINAKOS_BUILD_DIR:-$here/build}"
bash "$here/scripts/setup.sh" --tests
bash "$here/scripts/build.sh" -DPINAKOS_TESTS=ON "$@"
export QT_QPA_PLATFORM=offscreen
export QT_QPA_PLATFORMTHEME=
cd "$build"
ctest --output-on-failure -j"$(nproc)"
