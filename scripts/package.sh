#!/usr/bin/env bash
# Builds the Debian package of the program: build/package/package/quarvin_VERSION_ARCH.deb.
# Usage: scripts/package.sh [BUILD_DIR]
# With BUILD_DIR, packages that already configured build tree (brought up to date
# first) instead of making a release build of its own; the test command packages
# build/test this way.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/deps.sh"
build=${1:-$top/build/package}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DQUARVIN_TESTS=OFF -DQUARVIN_BENCH=OFF >/dev/null
fi
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/package/quarvin_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/package/quarvin_*.deb
