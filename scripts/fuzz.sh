#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for the given seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
[ -n "$(ls fuzz/*.cpp 2>/dev/null)" ] || { echo "fuzz: no targets"; exit 0; }

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZYN_SANITIZE=ON -DZYN_BUILD_FUZZ=ON -DZYN_BUILD_TESTS=OFF -DZYN_BUILD_APPS=OFF > /dev/null
targets=()
for src in fuzz/*.cpp; do targets+=("fuzz_$(basename "$src" .cpp)"); done
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"

for t in "${targets[@]}"; do
  corpus="build-fuzz/corpus/$t"
  mkdir -p "$corpus"
  seeds="fuzz/seeds/${t#fuzz_}"
  [ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
  echo "fuzz: $t for ${seconds}s"
  "build-fuzz/fuzz/$t" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=0 "$corpus" 2> "build-fuzz/$t.log" \
    || { tail -n 60 "build-fuzz/$t.log"; echo "fuzz: $t FAILED"; exit 1; }
  grep -E '^#[0-9]+.*DONE' "build-fuzz/$t.log" | tail -n 1 || true
done
echo "fuzz: all targets passed"
