#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what Tiravol needs to build, test, run and package on Debian 12: debian/control's
# Build-Depends, the test tools, debhelper to build the packages, and lintian, devscripts
# (hardening-check), desktop-file-utils, appstream and zsh to check them.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
packages=(
  build-essential cmake ninja-build pkg-config ccache clang libclang-rt-14-dev clang-format bc
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n
  libzip-dev zipcmp zipmerge ziptool libfftw3-dev
  libgtest-dev libgmock-dev libbenchmark-dev libboost-math-dev
  libxkbcommon-dev fonts-dejavu-core qt6-qpa-plugins librsvg2-bin xvfb xauth poppler-utils
  dpkg-dev debhelper file lintian devscripts desktop-file-utils appstream zsh
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
