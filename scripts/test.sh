#!/usr/bin/env bash
# Set-up, the sanitizer build with warnings as errors, every unit test, and a
# short run of each fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs="$(nproc)"

cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DZYN_SANITIZE=ON -DZYN_WERROR=ON \
      -DZYN_BUILD_BENCH=OFF -DZYN_BUILD_APPS=ON
cmake --build build-test -j"$jobs"
(cd build-test && ctest --output-on-failure -j"$jobs")

bash scripts/fuzz.sh "${ZYN_FUZZ_SECONDS:-20}"
