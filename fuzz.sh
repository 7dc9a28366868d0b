#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs them side by side, each for the given number of seconds (60 by default), on every core
# (MORVANE_FUZZ_COEURS to use fewer). Each is seeded with its kept inputs (fuzz/corpus/<target>/)
# and the sample data. Only the targets named after the seconds run, when some are named.
# Inputs that crash land in build-fuzz/trouvailles/<target>/; each run's log in build-fuzz/journaux/;
# build-fuzz/journaux/bilan.txt gives each target's inputs run and inputs per second.
# MORVANE_FUZZ_ENTREES=N stops each target after N inputs (the seconds then bound the run).
# The game's own messages are not kept (the sanitizers' reports are).
set -euo pipefail
cd "$(dirname "$0")"
secondes="${1:-60}"
shift || true
./scripts/installer.sh
if ! command -v clang++ >/dev/null; then
  apt-get update && apt-get install -y clang libclang-rt-14-dev
fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANE_SANITIZE=ON \
  -DMORVANE_TESTS=OFF -DMORVANE_FUZZ=ON -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link >/dev/null
if [ "$#" -gt 0 ]; then
  cibles=("$@")
else
  cibles=()
  for source in fuzz/fuzz_*.cpp; do cibles+=("$(basename "$source" .cpp)"); done
fi
coeurs="${MORVANE_FUZZ_COEURS:-$(nproc)}"
cmake --build build-fuzz -j"$coeurs" --target arbre_jeu "${cibles[@]}"

jeu=build-fuzz/game
# Sample files seeding each target besides its kept inputs (targets whose first byte chooses the
# file, and those whose input holds several files, have their seeds among the kept inputs).
declare -A graines=(
  [fuzz_mvini]="data/ini/mv.ini" [fuzz_maitre]="data/maitres" [fuzz_sprite]="$jeu/sprite"
  [fuzz_tga]="$jeu/images" [fuzz_wav]="$jeu/Son" [fuzz_listeson]="data/Son" [fuzz_ini]="data/Son"
  [fuzz_batiment]="data/Batiment" [fuzz_niveau]="data/niveau/essai.mv data/niveau/Chateau/E_Chateau1.mv"
  [fuzz_section]="data/sections" [fuzz_regiment]="data/Armees/Escarmouche data/Armees/joueur0"
  [fuzz_vbat]="data/niveau/essai.VBat data/niveau/Chateau/E_Chateau1.VBat"
  [fuzz_particules]="" [fuzz_rvf6]="$jeu/rvf" [fuzz_rvfpi]="" [fuzz_apc]=""
  [fuzz_region]="$jeu/Campagnes/Tutorial/Region9/Region.txt" [fuzz_uniques]="$jeu/Texte/Tutorial/Region9/Uniques.txt"
  [fuzz_vreg]="$jeu/Campagnes/Tutorial/Region9/region.Vreg" [fuzz_nomcarte]=""
  [fuzz_evenements]="data/maitres/soldat.cfg data/maitres/archer.cfg"
  [fuzz_armee]="data/Armees/joueur0/entete_armee.txt" [fuzz_reserve]="data/Armees/reserve.txt"
  [fuzz_requete]="data/Texte/Tutorial" [fuzz_missions]="data/Campagnes/Missions/ListeDesMissions.txt"
  [fuzz_sauvegardes]="data/Sauvegarde" [fuzz_menus]="data/localisation/menus.txt"
  [fuzz_intensite]="data/ini/intensite.txt"
  [fuzz_regiment_region]="data/Campagnes/Tutorial/armee data/Armees/joueur0"
  [fuzz_ennemis]="$jeu/Campagnes/Tutorial/Region9/Ennemis.txt $jeu/Campagnes/Morvane/Region5/Ennemis.txt"
  [fuzz_zekinfo]="" [fuzz_posreg]="" [fuzz_tutoriel]="")
graines[fuzz_bestiaire]="data/ini/Bestiaire.txt data/ini/Bestiaire_Init.txt data/maitres/fiche_heros.txt"
graines[fuzz_texte_defilant]="data/localisation/credits.txt"
graines[fuzz_chateau]="data/localisation/Empire.txt data/localisation/Morvane.txt"
graines[fuzz_calage]="data/Batiment/0200t.txt data/Batiment/0052d.txt"
graines[fuzz_renfort]="data/sections"
graines[fuzz_liste_maitres]="data/ini/mv.ini"
graines[fuzz_emplacement]=""
graines[fuzz_armee_region]=""
export MORVANE_HEADLESS=1
# A refused file may end the reader mid-way: what it held is not a finding. Fresh memory is not
# filled and the freed one is kept back less long (4 MB, plenty for one reading), the allocator
# keeps its pages rather than giving them back (a page given back costs a fault when used again) and
# each block records the 8 innermost calls that made or freed it: a reading then costs a third as much.
# The allocator keeps, for each size of block, as many as the kept-back memory once held of that
# size: with 16 MB kept back, a long run grew by that much for each size, to hundreds of megabytes.
export ASAN_OPTIONS=detect_leaks=0:max_malloc_fill_size=0:quarantine_size_mb=4:allocator_release_to_os_interval_ms=-1:malloc_context_size=8
mkdir -p build-fuzz/journaux

lancer() {
  local cible="$1"
  local corpus="$PWD/build-fuzz/corpus/$cible" trouvailles="$PWD/build-fuzz/trouvailles/$cible"
  mkdir -p "$corpus" "$trouvailles"
  if [ -d "fuzz/corpus/$cible" ]; then cp fuzz/corpus/"$cible"/* "$corpus/" 2>/dev/null || true; fi
  for g in ${graines[$cible]:-}; do
    if [ -d "$g" ]; then find "$g" -type f -size -200k -exec cp {} "$corpus/" \; ; elif [ -f "$g" ]; then cp "$g" "$corpus/"; fi
  done
  local journal="build-fuzz/journaux/$cible.txt" etat=0
  local entrees=()
  if [ -n "${MORVANE_FUZZ_ENTREES:-}" ]; then entrees=(-runs="$MORVANE_FUZZ_ENTREES"); fi
  "./build-fuzz/$cible" "$corpus" -max_total_time="$secondes" "${entrees[@]}" -detect_leaks=0 -rss_limit_mb=4096 \
      -max_len=65536 -close_fd_mask=3 -artifact_prefix="$trouvailles/" >"$journal" 2>&1 || etat=$?
  local runs
  runs=$(sed -n 's/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\1 \2/p' "$journal" | tail -n 1)
  if [ "$etat" -eq 0 ]; then
    set -- $runs
    echo "$cible: rien trouvé, ${1:-?} entrées en ${2:-?} s, $(( ${1:-0} / (${2:-1} > 0 ? ${2:-1} : 1) )) par seconde"
  else
    echo "$cible: TROUVAILLE, voir $journal et $trouvailles/"
  fi
}
export -f lancer
export secondes
export graines_texte
graines_texte=$(declare -p graines)

printf '%s\n' "${cibles[@]}" | xargs -P "$coeurs" -I{} bash -c 'eval "$graines_texte"; lancer "$1"' _ {} \
  | tee build-fuzz/journaux/bilan.txt
! grep -q TROUVAILLE build-fuzz/journaux/bilan.txt
