#!/usr/bin/env bash
# Installs what is missing, builds the tests with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs them all headless with ctest; then the movie player's tests
# under ThreadSanitizer (./tsan.sh), and a minute of endurance (scripts/endurance.sh).
set -euo pipefail
cd "$(dirname "$0")"
./scripts/installer.sh
cmake -S . -B build-tests -DCMAKE_BUILD_TYPE=Debug -DMORVANE_SANITIZE=ON -DMORVANE_TESTS=ON >/dev/null
cmake --build build-tests -j"$(nproc)"
export MORVANE_HEADLESS=1
(cd build-tests && ctest --output-on-failure -j"$(nproc)" "$@")
./scripts/tuer_sauvegardes.sh 15
./tsan.sh
# A minute of whole games played in a loop, some on damaged data (scripts/endurance.sh).
./scripts/endurance.sh 60
