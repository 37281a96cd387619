#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
#  1. the program and all its tests (gcc), through ctest;
#  2. the core and its tests again with AddressSanitizer and UBSan (clang);
#  3. each fuzz target for FUZZ_SECONDS (default 60) seconds, built with clang.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
scripts/install-deps.sh

echo "== build and test (gcc)"
scripts/build.sh
(cd build && ctest --output-on-failure -j "$jobs" --timeout 300)

echo "== core with AddressSanitizer and UndefinedBehaviorSanitizer (clang)"
cmake -S . -B build-asan -DZARNEK_CORE_ONLY=ON -DZARNEK_SANITIZE=ON \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-asan -j "$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j "$jobs" --timeout 300)

echo "== fuzz"
scripts/fuzz.sh "${FUZZ_SECONDS:-60}"
