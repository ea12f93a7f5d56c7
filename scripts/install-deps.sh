#!/usr/bin/env bash
# Installs what the build and the tests need from Debian's packages.
# Idempotent and quiet when everything is already there.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ ccache pkg-config
  qt6-base-dev libgl-dev
  libpugixml-dev
  libjpeg62-turbo-dev
  libgtest-dev
  libbenchmark-dev
  fonts-dejavu-core
  clang
  mold
  python3 libxml2-utils smitools
  # database import through ODBC: the driver manager, Qt's ODBC driver, the
  # Access driver, and the SQLite driver the tests create their databases with
  unixodbc libqt6sql6-odbc odbc-mdbtools
  libsqliteodbc
)

install_missing() {
  local missing=()
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -gt 0 ]; then
    local SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    echo "Installing: ${missing[*]}"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
}

install_missing "${PACKAGES[@]}"

# The fuzzing runtime of the clang that is installed, whatever its version.
CLANG_MAJOR="$(clang --version | sed -n 's/.*clang version \([0-9][0-9]*\).*/\1/p' | head -n 1)"
if [ -n "$CLANG_MAJOR" ]; then
  install_missing "libclang-rt-${CLANG_MAJOR}-dev"
fi
