#!/usr/bin/env bash
# Builds the benchmarks in Release (build-bench) and runs them headless. Figures are reported, not
# checked. Extra arguments go to the benchmark program (e.g. --benchmark_filter=Plan).
set -euo pipefail
cd "$(dirname "$0")"
./scripts/installer.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DMORVANE_BENCH=ON -DMORVANE_TESTS=OFF -DMORVANE_SANITIZE=OFF >/dev/null
cmake --build build-bench -j"${JOBS:-$(nproc)}" --target morvane_bench
cmake --build build-bench -j"${JOBS:-$(nproc)}" --target morvane_bataille
export MORVANE_HEADLESS=1
./build-bench/morvane_bench "$@"
