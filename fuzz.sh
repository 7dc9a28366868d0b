#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs each for the given number of seconds (60 by default), seeded with the sample data.
# Inputs that crash land in build-fuzz/trouvailles/<target>/; each run's log in build-fuzz/journaux/.
set -euo pipefail
cd "$(dirname "$0")"
secondes="${1:-60}"
./scripts/installer.sh
if ! command -v clang++ >/dev/null; then
  apt-get update && apt-get install -y clang
fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANE_SANITIZE=ON \
  -DMORVANE_TESTS=OFF -DMORVANE_FUZZ=ON -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link >/dev/null
cibles=(fuzz_mvini fuzz_maitre fuzz_sprite fuzz_tga fuzz_wav fuzz_listeson fuzz_ini fuzz_batiment fuzz_niveau
        fuzz_section fuzz_vbat fuzz_particules fuzz_rvf6 fuzz_rvfpi fuzz_apc fuzz_region fuzz_uniques fuzz_vreg
        fuzz_nomcarte fuzz_regiment
        fuzz_regiment_region fuzz_ennemis fuzz_zekinfo fuzz_posreg)
cibles+=(fuzz_bestiaire fuzz_texte_defilant)
cmake --build build-fuzz -j"$(nproc)" --target arbre_jeu "${cibles[@]}"

jeu=build-fuzz/game
declare -A graines=(
  [fuzz_mvini]="data/ini/mv.ini" [fuzz_maitre]="data/maitres" [fuzz_sprite]="$jeu/sprite"
  [fuzz_tga]="$jeu/images" [fuzz_wav]="$jeu/Son" [fuzz_listeson]="data/Son" [fuzz_ini]="data/Son"
  [fuzz_batiment]="data/Batiment" [fuzz_niveau]="data/niveau/essai.mv data/niveau/Chateau/E_Chateau1.mv"
  [fuzz_section]="data/sections" [fuzz_regiment]="data/Armees/Escarmouche data/Armees/joueur0"
  [fuzz_vbat]="data/niveau/essai.VBat data/niveau/Chateau/E_Chateau1.VBat"
  [fuzz_particules]="data/particules" [fuzz_rvf6]="$jeu/rvf" [fuzz_rvfpi]="" [fuzz_apc]=""
  [fuzz_region]="$jeu/Campagnes/Tutorial/Region9/Region.txt" [fuzz_uniques]="$jeu/Texte/Tutorial/Region9/Uniques.txt"
  [fuzz_vreg]="$jeu/Campagnes/Tutorial/Region9/region.Vreg" [fuzz_nomcarte]=""
  [fuzz_regiment_region]="data/Campagnes/Tutorial/armee data/Armees/joueur0"
  [fuzz_ennemis]="$jeu/Campagnes/Tutorial/Region9/Ennemis.txt $jeu/Campagnes/Morvane/Region5/Ennemis.txt"
  [fuzz_zekinfo]="" [fuzz_posreg]="")
graines[fuzz_bestiaire]="data/ini/Bestiaire.txt data/ini/Bestiaire_Init.txt data/maitres/fiche_heros.txt"
graines[fuzz_texte_defilant]="data/localisation/credits.txt"
export MORVANE_HEADLESS=1
# A refused file may end the reader mid-way: what it held is not a finding.
export ASAN_OPTIONS=detect_leaks=0
mkdir -p build-fuzz/journaux
echecs=0
for cible in "${cibles[@]}"; do
  corpus="$PWD/build-fuzz/corpus/$cible"
  trouvailles="$PWD/build-fuzz/trouvailles/$cible"
  mkdir -p "$corpus" "$trouvailles"
  for g in ${graines[$cible]}; do
    if [ -d "$g" ]; then find "$g" -type f -size -200k -exec cp {} "$corpus/" \; ; else cp "$g" "$corpus/"; fi
  done
  if "./build-fuzz/$cible" "$corpus" -max_total_time="$secondes" -detect_leaks=0 -rss_limit_mb=4096 \
      -max_len=65536 -artifact_prefix="$trouvailles/" >"build-fuzz/journaux/$cible.txt" 2>&1; then
    echo "$cible: rien trouvé"
  else
    echo "$cible: TROUVAILLE, voir build-fuzz/journaux/$cible.txt et $trouvailles/"
    echecs=$((echecs + 1))
  fi
done
exit "$echecs"
