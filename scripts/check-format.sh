#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format (with the
# repository's .clang-format) makes of it; lists those files.
# Fix with: git ls-files '*.cpp' '*.h' | xargs clang-format -i
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
if ! command -v clang-format >/dev/null; then
  echo "check-format: clang-format is missing (bash scripts/setup.sh installs it)" >&2
  exit 1
fi
# One clang-format run over every file; it names each one that differs.
out="$(git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror 2>&1)" || {
  printf '%s\n' "$out" | grep -o '^[^:]*:[0-9]*:[0-9]*: error' | cut -d: -f1 | sort -u | sed 's/^/not formatted: /'
  echo "check-format: run clang-format -i on the files above" >&2
  exit 1
}
echo "check-format: every C++ file is formatted"
