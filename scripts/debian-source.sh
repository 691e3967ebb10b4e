# Sourced by the scripts that build libraries for Windows from Debian's own
# sources. Expects $here (the checkout) and $work (the build's work folder)
# from the caller; gives it `step`, which prints a heading with the time
# taken so far, and $SUDO.

start=$(date +%s)
step() { printf '\n== [%s +%ss] %s\n' "$(date +%H:%M:%S)" "$(($(date +%s) - start))" "$*"; }

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

# The cross compilers and Debian's packages for Windows builds.
install_windows_packages() {
  step "Packages (scripts/setup.sh --windows)"
  bash "$here/scripts/setup.sh" --windows
}

# Adds Debian's source archive to apt unless `apt-cache showsrc` already
# knows the package $1 (Debian's default image has only binary entries).
enable_deb_src() {
  if apt-cache showsrc "$1" 2>/dev/null | grep -q "^Package: $1\$"; then
    return 0
  fi
  step "Adding Debian's source archive to apt"
  $SUDO tee /etc/apt/sources.list.d/pinakos-deb-src.sources >/dev/null <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  $SUDO apt-get update -qq
}

# Fetches and unpacks (with Debian's patches) the source package $1 into
# $work/src unless it is there already, and prints the folder matching the
# pattern $2; fails quietly when the archive does not serve it.
try_fetch_source() {
  local pkg="$1" pattern="$2" dir
  mkdir -p "$work/src"
  dir="$(find "$work/src" -maxdepth 1 -type d -name "$pattern" | head -n1)"
  if [ -z "$dir" ]; then
    (cd "$work/src" && apt-get source -qq "$pkg" >&2) || true
    dir="$(find "$work/src" -maxdepth 1 -type d -name "$pattern" | head -n1)"
  fi
  [ -n "$dir" ] || return 1
  echo "$dir"
}

# The same, ending the script when the source cannot be had.
fetch_source() {
  if ! try_fetch_source "$@"; then
    echo "$(basename "$0"): apt-get source $1 gave no $2 folder in $work/src" >&2
    exit 1
  fi
}
