# Shared by the run and test commands: installing what is missing, and steps.

# Debian packages the builds and tests need.
TOLVI_PACKAGES=(
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-x86-64-posix wine64
  xvfb xauth x11-utils xdotool imagemagick iproute2 zip
  wixl msitools python3-gi gir1.2-libmsi-1.0
)

# Installs the packages that are missing: as root directly, else through
# sudo; without either, says the one line to run and stops.
require_packages() {
  local missing=() pkg
  for pkg in "$@"; do
    if [ "$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null)" != installed ]; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo=(sudo)
    else
      echo "Tolvi needs these Debian packages. As root, run:" >&2
      echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
      exit 1
    fi
  fi
  echo "== installing ${missing[*]}"
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}

step() {
  echo
  echo "== $*"
}
