#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and its tests need, when any is
# missing. Runs as root (as on the project's machines) or through sudo.
#   --fuzz  also clang with its libFuzzer and sanitizer runtimes and llvm-symbolizer,
#           for scripts/fuzz.sh
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev
  libsqlite3-dev libgtest-dev
  libpq-dev postgresql-15
  libcurl4-openssl-dev
  fonts-liberation2 fonts-crosextra-carlito qt6-translations-l10n
  cups cups-client cups-bsd printer-driver-cups-pdf
  python3-aiosmtpd
  poppler-utils
  xvfb xauth
  lintian desktop-file-utils dpkg-dev file
  systemd
)
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang libclang-rt-14-dev llvm)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
