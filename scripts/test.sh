#!/usr/bin/env bash
# Builds and runs every test: the full build with warnings as errors (core, GUI
# under the offscreen platform, tools), the core tests again under AddressSanitizer
# and UndefinedBehaviorSanitizer, and each fuzz target for a bounded time.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/deps.sh"
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
fuzz_seconds=${QUARVIN_FUZZ_SECONDS:-20}

echo "== Build and test (warnings are errors)"
cmake -S "$top" -B "$top/build/test" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DQUARVIN_WERROR=ON >/dev/null
cmake --build "$top/build/test" -j "$jobs"
ctest --test-dir "$top/build/test" --output-on-failure -j "$jobs"

echo "== Core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S "$top" -B "$top/build/asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUARVIN_WERROR=ON \
      -DQUARVIN_SANITIZE=ON -DQUARVIN_APP=OFF -DQUARVIN_BENCH=OFF >/dev/null
cmake --build "$top/build/asan" -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$top/build/asan" --output-on-failure -j "$jobs" -L core

echo "== Fuzz targets, ${fuzz_seconds}s each"
cmake -S "$top" -B "$top/build/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++ -DQUARVIN_FUZZ=ON -DQUARVIN_APP=OFF \
      -DQUARVIN_TESTS=OFF -DQUARVIN_BENCH=OFF >/dev/null
cmake --build "$top/build/fuzz" -j "$jobs"
shopt -s nullglob
for f in "$top"/build/fuzz/fuzz/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus="$top/build/fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds=()
  [ -d "$top/fuzz/seeds/${name#fuzz_}" ] && seeds=("$top/fuzz/seeds/${name#fuzz_}")
  echo "-- $name"
  "$f" -max_total_time="$fuzz_seconds" -print_final_stats=0 "$corpus" "${seeds[@]}" 2>"$top/build/fuzz/$name.log" \
    || { tail -50 "$top/build/fuzz/$name.log"; exit 1; }
done
echo "== All tests passed"
