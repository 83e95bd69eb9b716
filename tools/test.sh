#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the suite (GUI tests on Qt's offscreen platform,
# music-player tests against private MPDs that the tests start and stop), the same suite built with
# AddressSanitizer and UndefinedBehaviorSanitizer, and a short run of each fuzz target.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc)
"$root/tools/install-deps.sh"

echo "== Build and test"
"$root/tools/build.sh" "$root/build"
(cd "$root/build" && ctest --output-on-failure -j"$jobs" --timeout 600)

echo "== Sanitizer build (ASan + UBSan) and test"
"$root/tools/build.sh" "$root/build-asan" -DZANDOLIN_SANITIZE=ON -DZANDOLIN_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
(cd "$root/build-asan" &&
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --output-on-failure -j"$jobs" --timeout 900)

echo "== Fuzz targets (short runs)"
"$root/tools/build.sh" "$root/build-fuzz" -DCMAKE_CXX_COMPILER=clang++ -DZANDOLIN_FUZZ=ON \
  -DZANDOLIN_TESTS=OFF -DZANDOLIN_BENCH=OFF
(cd "$root/build-fuzz" && ctest --output-on-failure -j"$jobs" --timeout 900)
