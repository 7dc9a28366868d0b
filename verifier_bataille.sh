#!/usr/bin/env bash
# Checks that speed work leaves the battle unchanged: runs the battle runner (Release, build-bench/)
# on a set of battles, with and without drawing, and compares every line it prints but the timing
# with the references in bench/references_bataille.txt. `--enregistrer` rewrites the references
# (only from code whose battles are known good). Exit 0 when all match, 1 with the differences.
set -euo pipefail
cd "$(dirname "$0")"
REFERENCES=bench/references_bataille.txt
enregistrer=0
[[ "${1:-}" == "--enregistrer" ]] && enregistrer=1
if [[ "${MORVANE_SANS_CONSTRUCTION:-0}" != 1 ]]; then
  ./scripts/installer.sh >/dev/null
  cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DMORVANE_BENCH=ON -DMORVANE_TESTS=OFF -DMORVANE_SANITIZE=OFF >/dev/null
  cmake --build build-bench -j"${JOBS:-2}" --target morvane_bataille >/dev/null
fi
export MORVANE_HEADLESS=1

CAS=()
for graine in 1 2 3; do
  for n in 250 500 1000 2000; do CAS+=("--scenario ouvert --unites $n --passes 1000 --graine $graine"); done
done
CAS+=("--scenario dispersion --passes 1000"
      "--scenario dispersion --passes 300 --graine 7"
      "--scenario breche --passes 2000"
      "--scenario breche --passes 1500 --graine 5"
      "--niveau ..\\niveau\\combat.mv --passes 3000"
      "--niveau ..\\niveau\\grande.mv --passes 6000"
      "--niveau ..\\niveau\\plaine\\plaine001.mv --scenario dispersion --passes 1000"
      "--niveau ..\\niveau\\fort\\plaine\\plaine001.mv --scenario dispersion --passes 1000")

sortie=$(mktemp -d)
trap 'rm -rf "$sortie"' EXIT
i=0
for cas in "${CAS[@]}"; do
  for dessin in "" " --dessin"; do
    i=$((i + 1))
    (
      # shellcheck disable=SC2086
      read -r -a args <<<"$cas$dessin"
      {
        echo "== $cas$dessin"
        ./build-bench/morvane_bataille "${args[@]}" 2>&1 | grep -v '^ms_par_passe' || echo "echec $?"
      } >"$sortie/$(printf %03d $i)"
    ) &
    # At most JOBS runs at once.
    while (( $(jobs -rp | wc -l) >= ${JOBS:-2} )); do wait -n; done
  done
done
wait
cat "$sortie"/* >"$sortie/tout"
if (( enregistrer )); then
  cp "$sortie/tout" "$REFERENCES"
  echo "references written: $REFERENCES ($(grep -c '^==' "$REFERENCES") runs)"
  exit 0
fi
if diff -u "$REFERENCES" "$sortie/tout"; then
  echo "verifier_bataille: $(grep -c '^==' "$REFERENCES") runs identical"
else
  echo "verifier_bataille: DIFFERENT from $REFERENCES"
  exit 1
fi
