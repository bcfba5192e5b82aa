#!/usr/bin/env bash
# Set-up, an optimised build, and the main job.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DZYN_BUILD_TESTS=OFF > build.log
cmake --build build -j"$(nproc)" >> build.log
echo "== zyngeo: the built-in example =="
./build/apps/zyngeo --example
echo "== zyndemo: a generated atlas directory =="
./build/apps/zyndemo build/zyndemo_atlas
