#!/usr/bin/env bash
# Installs what is missing, builds the game (Release), assembles the sample game tree
# in build/game/ and runs build/game/bin/morvane from its folder.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/installer.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DMORVANE_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"
cd build/game/bin
exec ./morvane "$@"
