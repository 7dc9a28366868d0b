#!/usr/bin/env bash
# Kills (SIGKILL) a program that saves games without end into a save slot, at random instants,
# and checks after each kill that the slot holds one whole game, the old or the new, and that it
# restores. Usage: scripts/tuer_sauvegardes.sh [kills, 300 by default] [test binary]
# The test binary is build-tests/morvane_tests (./test.sh builds it).
set -euo pipefail
cd "$(dirname "$0")/.."
fois="${1:-300}"
tests="${2:-build-tests/morvane_tests}"
arbre="$(mktemp -d /tmp/morvane-tuer-XXXXXX)"
trap 'rm -rf "$arbre"' EXIT
export MORVANE_HEADLESS=1 MORVANE_TUER_ARBRE="$arbre" ASAN_OPTIONS=detect_leaks=0
lancer() { "$tests" --gtest_also_run_disabled_tests --gtest_filter="TuerSauvegardes.DISABLED_$1" "${@:2}"; }
lancer Preparer >"$arbre/preparer.txt" 2>&1 || { cat "$arbre/preparer.txt"; exit 1; }
tues=0
for ((i = 1; i <= fois; i++)); do
  # Started directly, so that the kill reaches the program itself.
  "$tests" --gtest_also_run_disabled_tests --gtest_filter=TuerSauvegardes.DISABLED_Ecrire >/dev/null 2>&1 &
  pid=$!
  # Up to about a second and a half: the start of the program, then some saves.
  sleep "$(awk -v g=$RANDOM 'BEGIN { srand(g); printf "%.3f", 0.2 + rand() * 1.3 }')"
  if kill -9 "$pid" 2>/dev/null; then tues=$((tues + 1)); fi
  wait "$pid" 2>/dev/null || true
  if ! lancer Verifier >"$arbre/verifier.txt" 2>&1; then
    echo "tuer_sauvegardes: l'emplacement n'est pas entier après l'arrêt $i" >&2
    cat "$arbre/verifier.txt" >&2
    ls -la "$arbre/sauvegarde" >&2 || true
    exit 1
  fi
done
echo "tuer_sauvegardes: $fois arrêts ($tues en pleine écriture), l'emplacement toujours entier"
