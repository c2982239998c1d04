#!/usr/bin/env bash
# Builds the Debian package in Release: build/package/tiravol_<version>_amd64.deb.
# The build tree is build/release, the one ./scripts/run.sh uses, unless one is given:
#   ./scripts/package.sh [BUILD_DIR]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
build="${1:-$root/build/release}"
out="$root/build/package"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTIRAVOL_BUILD_TESTS=OFF -DTIRAVOL_BUILD_BENCH=OFF \
  -DTIRAVOL_SANITIZE=OFF -DTIRAVOL_BUILD_FUZZ=OFF
cmake --build "$build" -j "$(nproc)"
mkdir -p "$out"
rm -f "$out"/tiravol_*.deb
rm -f "$build"/cpack/tiravol_*.deb
(cd "$build" && cpack -G DEB -B "$build/cpack")
cp "$build"/cpack/tiravol_*.deb "$out"/
ls "$out"/tiravol_*.deb
