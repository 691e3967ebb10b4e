#!/usr/bin/env bash
# Installs what is needed, builds Pinakos and starts it from its program folder.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$here/scripts/setup.sh"
bash "$here/scripts/build.sh"
exec "${PINAKOS_BUILD_DIR:-$here/build}/Pinakos/pinakos"
