#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds and starts the window. `--demo` starts it on a generated
# history kept in a temporary folder; other arguments go to the program.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTIRAVOL_BUILD_TESTS=OFF -DTIRAVOL_BUILD_BENCH=OFF
cmake --build "$root/build/release" --target tiravol tiravol-cli docs
exec "$root/build/release/src/tiravol" "$@"
