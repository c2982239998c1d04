#!/usr/bin/env bash
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
(cd "$root" && git ls-files -z --cached --others --exclude-standard | while IFS= read -r -d '' f; do
  [ -e "$f" ] && printf '%s\0' "$f"
done | tar --null -T - -cf -) | tar -xf - -C "$tree"

# debhelper gives the build a home of its own: the compiler cache is named outright.
if command -v ccache >/dev/null; then
  CCACHE_DIR="${CCACHE_DIR:-$(ccache -k cache_dir)}"
  export CCACHE_DIR
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}"
fi
(cd "$tree" && dpkg-buildpackage -us -uc -b -j"$(nproc)") >"$work/build.log" 2>&1 ||
  { tail -n 40 "$work/build.log" >&2; echo "package: dpkg-buildpackage failed (log: $work/build.log)" >&2; exit 1; }

rm -f "$out"/*.deb
cp "$work"/tiravol_"$version"_*.deb "$work"/tiravol-cli_"$version"_*.deb "$out"/
ls "$out"/*.deb
