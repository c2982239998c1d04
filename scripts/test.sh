#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds from scratch and runs every test: the suite, the suite again
# under address and undefined-behaviour sanitizers, the fuzz targets briefly, the format check,
# the benchmarks once, the window started once offscreen, and the Debian packages built and checked.
set -euo pipefail
set -o pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
jobs="$(nproc)"
# Paths relative to the checkout in the compiler cache: a fresh clone elsewhere reuses it.
export CCACHE_BASEDIR="$root"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$(mktemp -d)"
chmod 700 "$XDG_RUNTIME_DIR"
out="$root/build/ci"
rm -rf "$out"

echo "== Format"
files=$(cd "$root" && git ls-files '*.cpp' '*.h' 2>/dev/null || find src tests bench fuzz -name '*.cpp' -o -name '*.h')
(cd "$root" && clang-format --dry-run -Werror $files)

echo "== Build and test"
cmake -S "$root" -B "$out/debug" -G Ninja -DCMAKE_BUILD_TYPE=Debug
cmake --build "$out/debug" -j "$jobs"
ctest --test-dir "$out/debug" --output-on-failure -j "$jobs" | tee "$out/ctest-debug.log"

echo "== Window start-up, offscreen"
home="$(mktemp -d)"
HOME="$home" XDG_CONFIG_HOME="$home/config" timeout 20 "$out/debug/src/tiravol" --demo --quit-after-start

echo "== Benchmarks (one short pass)"
"$out/debug/bench/load_rank_bench" --benchmark_min_time=0.01 >/dev/null

echo "== Package"
# The two packages built as Debian builds them (dpkg-buildpackage; ccache makes it cheap after
# the first run), then the checks Debian and the desktops make of such files.
"$root/scripts/package.sh"
debs=("$root"/build/package/tiravol_*_amd64.deb "$root"/build/package/tiravol-cli_*_amd64.deb)
lintian -I --pedantic --fail-on error,warning,info,pedantic "${debs[@]}"
for deb in "${debs[@]}"; do dpkg-deb -x "$deb" "$out/package-contents"; done
desktop-file-validate "$out"/package-contents/usr/share/applications/*.desktop
appstreamcli validate --no-net "$out"/package-contents/usr/share/metainfo/*.metainfo.xml
# Debian's hardening in every program: stack protector, fortified functions, read-only
# relocations bound at start, position-independent code. Control-flow protection cannot show
# on Debian 12, whose C library start files lack its ELF note (debian/rules).
hardening-check --nocfprotection "$out"/package-contents/usr/bin/*
# The command line must not drag the graphical libraries in.
if dpkg-deb -f "$root"/build/package/tiravol-cli_*_amd64.deb Depends | grep -E 'libqt6(gui|widgets|printsupport|charts)'; then
  echo "tiravol-cli depends on a graphical library" >&2
  exit 1
fi
zsh -n "$out"/package-contents/usr/share/zsh/vendor-completions/_tiravol-cli

echo "== Sanitizers"
cmake -S "$root" -B "$out/asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTIRAVOL_SANITIZE=ON -DTIRAVOL_BUILD_BENCH=OFF
cmake --build "$out/asan" -j "$jobs"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir "$out/asan" --output-on-failure -j "$jobs" \
  | tee "$out/ctest-asan.log"

echo "== Fuzz targets"
CC=clang CXX=clang++ cmake -S "$root" -B "$out/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTIRAVOL_SANITIZE=ON \
  -DTIRAVOL_BUILD_TESTS=OFF -DTIRAVOL_BUILD_BENCH=OFF -DTIRAVOL_BUILD_FUZZ=ON
cmake --build "$out/fuzz" -j "$jobs" --target fuzz_all
for target in "$out"/fuzz/fuzz/*_fuzz; do
  corpus="$(mktemp -d)"
  seeds="$root/fuzz/corpus/$(basename "$target")"
  [ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/
  ASAN_OPTIONS=detect_leaks=0 "$target" -max_total_time=20 -rss_limit_mb=4096 "$corpus" 2>&1 | tail -n 2
done
total=$(sed -n 's/.* tests failed out of \([0-9]*\).*/\1/p' "$out/ctest-debug.log" "$out/ctest-asan.log" | paste -sd+ | bc)
echo "tests: $total passed, 0 failed"
