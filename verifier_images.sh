#!/usr/bin/env bash
# Checks that drawing speed work leaves every frame as it was: runs the battle runner (Release,
# build-bench/) with drawing on a set of battles, the view left at the scene start or moved over the
# most units, and compares the hash of all frames drawn (`image`) and every other line but the
# timing with bench/references_images.txt. `--enregistrer` rewrites the references (only from code
# whose drawing is known good). Exit 0 when all match, 1 with the differences.
set -euo pipefail
cd "$(dirname "$0")"
REFERENCES=bench/references_images.txt
enregistrer=0
[[ "${1:-}" == "--enregistrer" ]] && enregistrer=1
if [[ "${MORVANE_SANS_CONSTRUCTION:-0}" != 1 ]]; then
  ./scripts/installer.sh >/dev/null
  cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DMORVANE_BENCH=ON -DMORVANE_TESTS=OFF -DMORVANE_SANITIZE=OFF >/dev/null
  cmake --build build-bench -j"${JOBS:-2}" --target morvane_bataille >/dev/null
fi
export MORVANE_HEADLESS=1

CAS=("--scenario dispersion --passes 1000"
     "--scenario dispersion --passes 1000 --vue-chargee"
     "--scenario ouvert --unites 2000 --passes 600 --graine 2 --vue-chargee"
     "--scenario breche --passes 1500 --vue-chargee"
     "--niveau ..\\niveau\\combat.mv --passes 3000"
     "--niveau ..\\niveau\\grande.mv --passes 3000 --vue-chargee"
     "--niveau ..\\niveau\\grande.mv --passes 6000"
     "--niveau ..\\niveau\\plaine\\plaine001.mv --scenario dispersion --passes 1000 --vue-chargee"
     "--niveau ..\\niveau\\fort\\plaine\\plaine001.mv --scenario dispersion --passes 1000 --vue-chargee")

sortie=$(mktemp -d)
trap 'rm -rf "$sortie"' EXIT
i=0
for cas in "${CAS[@]}"; do
  i=$((i + 1))
  (
    # shellcheck disable=SC2086
    read -r -a args <<<"$cas --dessin --empreinte-image"
    {
      echo "== $cas"
      ./build-bench/morvane_bataille "${args[@]}" 2>&1 | grep -v '^ms_par_passe' || echo "echec $?"
    } >"$sortie/$(printf %03d $i)"
  ) &
  # At most JOBS runs at once.
  while (( $(jobs -rp | wc -l) >= ${JOBS:-2} )); do wait -n; done
done
wait
cat "$sortie"/* >"$sortie/tout"
if (( enregistrer )); then
  cp "$sortie/tout" "$REFERENCES"
  echo "references written: $REFERENCES ($(grep -c '^==' "$REFERENCES") runs)"
  exit 0
fi
if diff -u "$REFERENCES" "$sortie/tout"; then
  echo "verifier_images: $(grep -c '^==' "$REFERENCES") runs identical"
else
  echo "verifier_images: DIFFERENT from $REFERENCES"
  exit 1
fi
