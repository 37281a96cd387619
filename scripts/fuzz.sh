#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for the
# given number of seconds (default 60). Fails on any crash or sanitizer report,
# on an input that takes more than 10 s, on an allocation of more than 256 MB
# and on more than 2 GB in use.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
jobs=$(nproc)
cmake -S . -B build-fuzz -DZARNEK_CORE_ONLY=ON -DZARNEK_FUZZ=ON -DZARNEK_SANITIZE=ON \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j "$jobs"
shopt -s nullglob
targets=(build-fuzz/fuzz/*/fuzz_*)
if [ ${#targets[@]} -eq 0 ]; then
  echo "no fuzz targets"; exit 0
fi
for t in "${targets[@]}"; do
  [ -x "$t" ] || continue
  name=$(basename "$t")
  corpus="build-fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds="fuzz/seeds/${name#fuzz_}"
  args=("$corpus")
  [ -d "$seeds" ] && args+=("$seeds")
  echo "-- $name for ${seconds}s"
  log="build-fuzz/$name.log"
  # Limits make a runaway allocation or a slow input a crash, not a stall.
  if ! "$t" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
      -rss_limit_mb=2048 -malloc_limit_mb=256 -timeout=10 "${args[@]}" >"$log" 2>&1; then
    cat "$log"
    echo "$name: FAILED"
    exit 1
  fi
  grep -E '^stat::number_of_executed_units|^Done ' "$log" || tail -n 3 "$log"
done
