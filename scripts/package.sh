#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian packages as Debian does (dpkg-buildpackage, debian/), from a clean copy of
# the source tree: build/package/tiravol_<version>_amd64.deb (the window) and
# build/package/tiravol-cli_<version>_amd64.deb (the command line).
#   ./scripts/package.sh
# The copy holds the files git knows (committed or not) and the new ones it does not ignore.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
out="$root/build/package"
version="$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)"
# Always the same folder, so that a rebuild hits the compiler cache and gives the same bytes.
work="$out/source"
tree="$work/tiravol-$version"
rm -rf "$work"
mkdir -p "$tree"
if git -C "$root" rev-parse --git-dir >/dev/null 2>&1; then
  (cd "$root" && git ls-files -z --cached --others --exclude-standard | while IFS= read -r -d '' f; do
    [ -e "$f" ] && printf '%s\0' "$f"
  done | tar --null -T - -cf -) | tar -xf - -C "$tree"
else
  # An unpacked source tarball: everything but the build folders.
  tar -C "$root" --exclude=./build --exclude='./obj-*' -cf - . | tar -xf - -C "$tree"
fi

# debhelper gives the build a home of its own: the compiler cache is named outright. No base
# folder: ccache would make the sources' paths relative, so the debug information, and with it
# the programs' build IDs, would differ from a build without ccache (Debian's own builders).
if command -v ccache >/dev/null; then
  CCACHE_DIR="${CCACHE_DIR:-$(ccache -k cache_dir)}"
  export CCACHE_DIR
fi
unset CCACHE_BASEDIR
(cd "$tree" && dpkg-buildpackage -us -uc -b -j"$(nproc)") >"$work/build.log" 2>&1 ||
  { tail -n 40 "$work/build.log" >&2; echo "package: dpkg-buildpackage failed (log: $work/build.log)" >&2; exit 1; }

rm -f "$out"/*.deb
cp "$work"/tiravol_"$version"_*.deb "$work"/tiravol-cli_"$version"_*.deb "$out"/
ls "$out"/*.deb
