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
# The battle runner's scaling: the open battle at growing sizes, and the sample battle level.
for n in 250 500 1000 2000; do
  echo "ouvert $n unites: $(./build-bench/morvane_bataille --scenario ouvert --unites "$n" --passes 1000 --graine 1 | grep ms_par_passe)"
done
echo "combat.mv: $(./build-bench/morvane_bataille --niveau '..\niveau\combat.mv' --passes 3000 | grep ms_par_passe)"
# Full frames: the logic pass and the whole scene display, the view over the most units.
image() { ./build-bench/morvane_bataille "$@" --dessin --vue-chargee | sed -n 's/^ms_par_passe \(p50 [^ ]* p99 [^ ]*\).*/\1/p'; }
echo "image complete dispersion (ms): $(image --scenario dispersion --passes 1000)"
echo "image complete dispersion sur plaine001.mv (ms): $(image --niveau '..\niveau\plaine\plaine001.mv' --scenario dispersion --passes 1000)"
echo "image complete dispersion sur le fort (ms): $(image --niveau '..\niveau\fort\plaine\plaine001.mv' --scenario dispersion --passes 1000)"
echo "image complete grande.mv (ms): $(image --niveau '..\niveau\grande.mv' --passes 3000)"
./build-bench/morvane_bench "$@"
