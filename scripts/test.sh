#!/usr/bin/env bash
# Builds and runs every test: the full build with warnings as errors (core, GUI
# under the offscreen platform, tools), the core tests again under AddressSanitizer
# and UndefinedBehaviorSanitizer, and each fuzz target for a bounded time.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/scripts/deps.sh"
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
fuzz_seconds=${QUARVIN_FUZZ_SECONDS:-15}
# Each stage header shows the seconds since the start, so a slow stage stands out.
stage() { echo "== $* (at ${SECONDS}s)"; }

stage "Build and test (warnings are errors)"
# Optimised without debug information: the quickest build whose tests also run fast.
cmake -S "$top" -B "$top/build/test" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" -DQUARVIN_WERROR=ON >/dev/null
cmake --build "$top/build/test" -j "$jobs"
summary="$top/build/ctest-summary.txt"
: > "$summary"
ctest --test-dir "$top/build/test" --output-on-failure -j "$jobs" | tee -a "$summary"

stage "Debian package: built from build/test, installed, used and removed"
bash "$top/scripts/package-test.sh" "$top/build/test"

stage "Core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S "$top" -B "$top/build/asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" -DQUARVIN_WERROR=ON \
      -DQUARVIN_SANITIZE=ON -DQUARVIN_APP=OFF -DQUARVIN_BENCH=OFF >/dev/null
cmake --build "$top/build/asan" -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$top/build/asan" --output-on-failure -j "$jobs" -L core | tee -a "$summary"

stage "Fuzz targets, ${fuzz_seconds}s each"
cmake -S "$top" -B "$top/build/fuzz" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_CXX_FLAGS_RELEASE="-O1 -g1" \
      -DCMAKE_CXX_COMPILER=clang++ -DQUARVIN_FUZZ=ON -DQUARVIN_APP=OFF \
      -DQUARVIN_TESTS=OFF -DQUARVIN_BENCH=OFF >/dev/null
cmake --build "$top/build/fuzz" -j "$jobs" --target fuzzers
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
passed=$(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2 \1/p' "$summary" \
         | awk '{p += $1 - $2; f += $2} END {print p+0, f+0}')
stage "All tests passed"
echo "tests: ${passed% *} passed, ${passed#* } failed"
