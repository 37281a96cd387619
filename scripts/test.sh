#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
#  1. the program and all its tests (gcc), through ctest;
#  2. the core and its tests again with AddressSanitizer and UBSan (clang);
#  3. each fuzz target for FUZZ_SECONDS (default 60) seconds, built with clang.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
scripts/install-deps.sh

passed=0
failed=0
# Runs ctest in a build folder and adds its counts to the totals.
run_ctest() {
  local dir=$1 log
  log=$(mktemp)
  local rc=0
  (cd "$dir" && ctest --output-on-failure -j "$jobs" --timeout 300) 2>&1 | tee "$log" || rc=$?
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1 || true)
  if [ -n "$line" ]; then
    local bad total
    bad=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$line")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  fi
  rm -f "$log"
  return "$rc"
}

status=0
echo "== build and test (gcc)"
scripts/build.sh
run_ctest build || status=1

echo "== core with AddressSanitizer and UndefinedBehaviorSanitizer (clang)"
cmake -S . -B build-asan -DZARNEK_CORE_ONLY=ON -DZARNEK_SANITIZE=ON \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_ctest build-asan || status=1

echo "== fuzz"
if scripts/fuzz.sh "${FUZZ_SECONDS:-60}"; then
  passed=$((passed + 1))
else
  failed=$((failed + 1)); status=1
fi

echo
echo "tests: $passed passed, $failed failed"
exit "$status"
