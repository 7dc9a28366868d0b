#!/usr/bin/env bash
# Builds the movie player's tests (tests/media: the player's threads, its sound and its read-ahead)
# with ThreadSanitizer in build-tsan and runs them headless; any report fails its test.
# Arguments go to ctest (e.g. ./tsan.sh -R Lecteur). `cmake --build build-tsan --target arbre_jeu`
# then gives a game tree whose program is built with ThreadSanitizer too.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/installer.sh
cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANE_TSAN=ON -DMORVANE_TESTS=ON >/dev/null
cmake --build build-tsan -j"$(nproc)" --target morvane_tests
export MORVANE_HEADLESS=1
export TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1 suppressions=$PWD/scripts/tsan.supp ${TSAN_OPTIONS:-}"
cd build-tsan
ctest --output-on-failure -j"$(nproc)" "$@"
