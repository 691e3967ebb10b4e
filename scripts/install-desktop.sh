#!/usr/bin/env bash
# Puts the built Pinakos in the user's application menu, with its icon; with
# --remove takes it away again. The program folder is the one that
# scripts/run.sh builds and starts: $PINAKOS_BUILD_DIR/Pinakos, else build/Pinakos.
# Nothing outside ~/.local/share (or $XDG_DATA_HOME) is touched.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PINAKOS_BUILD_DIR:-$here/build}"
data="${XDG_DATA_HOME:-$HOME/.local/share}"
apps="$data/applications"
theme="$data/icons/hicolor"
entry="$apps/pinakos.desktop"
icons=("scalable/apps/pinakos.svg" "48x48/apps/pinakos.png" "256x256/apps/pinakos.png")

# Lets the menu and the icon theme notice the change, where the tools exist.
refresh() {
  if command -v update-desktop-database >/dev/null 2>&1; then
    update-desktop-database -q "$apps" 2>/dev/null || true
  fi
  if command -v gtk-update-icon-cache >/dev/null 2>&1 && [ -f "$theme/index.theme" ]; then
    gtk-update-icon-cache -q -t "$theme" 2>/dev/null || true
  fi
}

case "${1:-}" in
  --remove)
    rm -f "$entry"
    for i in "${icons[@]}"; do rm -f "$theme/$i"; done
    refresh
    echo "Pinakos removed from the application menu."
    exit 0
    ;;
  "") ;;
  *)
    echo "usage: $(basename "$0") [--remove]" >&2
    exit 2
    ;;
esac

if [ ! -d "$build" ] || [ ! -x "$build/Pinakos/pinakos" ]; then
  echo "Pinakos is not built in $build: run scripts/build.sh first (or set PINAKOS_BUILD_DIR)." >&2
  exit 1
fi
folder="$(cd "$build/Pinakos" && pwd)"
program="$folder/pinakos"

# The program's path as the Exec key wants it: bare when it holds only plain
# characters, else in double quotes with ", `, $ and \ escaped, and every
# backslash doubled again for the desktop file's own string escapes.
exec_value="$program"
if [[ ! "$program" =~ ^[A-Za-z0-9/._+-]+$ ]]; then
  quoted="$(printf '%s' "$program" | sed -e 's/[\\"`$]/\\&/g' -e 's/\\/\\\\/g')"
  exec_value="\"$quoted\""
fi
# String values (TryExec, Path) escape only the backslash.
string_value() { printf '%s' "$1" | sed -e 's/\\/\\\\/g'; }

mkdir -p "$apps"
tmp="$(mktemp "$apps/.pinakos.XXXXXX")"
trap 'rm -f "$tmp"' EXIT
{
  while IFS= read -r line || [ -n "$line" ]; do
    case "$line" in
      Exec=*) printf 'Exec=%s\n' "$exec_value" ;;
      TryExec=*) printf 'TryExec=%s\n' "$(string_value "$program")" ;;
      *) printf '%s\n' "$line" ;;
    esac
  done < "$here/pinakos.desktop"
  # The program keeps its files beside itself; start it there.
  printf 'Path=%s\n' "$(string_value "$folder")"
} > "$tmp"
chmod 644 "$tmp"
mv "$tmp" "$entry"
trap - EXIT

# The icon: the PNGs the build drew, and the SVG they come from.
drawn="$build/icons"
install -D -m 644 "$here/resources/pinakos.svg" "$theme/scalable/apps/pinakos.svg"
for size in 48 256; do
  if [ -f "$drawn/pinakos-$size.png" ]; then
    install -D -m 644 "$drawn/pinakos-$size.png" "$theme/${size}x${size}/apps/pinakos.png"
  else
    echo "warning: $drawn/pinakos-$size.png is missing; build again to draw it" >&2
  fi
done
refresh
echo "Pinakos is in the application menu: $entry"
