#!/usr/bin/env bash
# Endurance: plays the README's whole skirmish (scripts/partie.txt) and whole campaign
# (scripts/campagne.txt) headless, in a loop, on the sanitizer build of the game (build-tests/game,
# as ./test.sh builds it), for the given number of seconds (60 by default; at least one round of
# each kind of the skirmish). Rounds go in pairs, a clean round then a damaged one:
#   - clean skirmish: a fresh copy of the sample game plays the skirmish 1, 2, 3, then 4 times in a
#     row in one process (from the main menu back to it), then quits; it must end with 0, with no
#     sanitizer report (leaks included), and its peak memory must not grow with the number of
#     games beyond a small margin;
#   - clean campaign: a fresh copy plays the whole campaign once; it must end with 0, with no
#     sanitizer report (leaks included) and no error file, its trace must show the campaign's
#     results in order (the hunter's battle won, the farm's battle won, the tutorial won, the
#     Empire's first region begun) and no defeat, and its peak memory must not grow from the first
#     clean campaign round beyond the same margin;
#   - damaged: a copy with one random data file damaged (a byte changed, the file cut short, or the
#     file removed) plays one game or campaign; it may end with the game's own error report and
#     exit code, but not with a signal, a hang or a sanitizer report.
# The campaign pairs alternate with the skirmish pairs once the first minute is past
# (MORVANE_ENDURANCE_CAMPAGNE, in seconds): a run of a minute, as ./test.sh's, plays the skirmish
# only, as it did before.
# Fails (exit 1) at the first fault, keeping its copy, script and output in the work folder.
# Usage: scripts/endurance.sh [SECONDS] [GAME_TREE]
set -euo pipefail
cd "$(dirname "$0")/.."
secondes="${1:-60}"
jeu="$(realpath "${2:-build-tests/game}")"
[ -x "$jeu/bin/morvane" ] || { echo "endurance: no game at $jeu (build it with ./test.sh)" >&2; exit 2; }
travail="$(mktemp -d /tmp/morvane-endurance-XXXXXX)"
bilan="$travail/bilan.txt"
# Each game ends at the main menu 192.5 s of script time after it began; a process hangs when it
# runs for more than this many seconds a game (MORVANE_ENDURANCE_DELAI). A game of the sanitizer
# build takes about three minutes of processor time, which a host loaded many times over stretches
# to a quarter of an hour.
delai_partie="${MORVANE_ENDURANCE_DELAI:-1200}"
# Peak memory may grow by this much per extra game in one process (kB) before it is a fault.
marge_ko=$(( ${MORVANE_ENDURANCE_MARGE_MO:-8} * 1024 ))

# The script of n games in a row: the first from the intro, each next one from the menu where the
# last left, then quit. Captures are dropped but the last menu's.
script_parties() {
  local n="$1" sortie="$2"
  awk -v n="$n" '
    /^[[:space:]]*(#|$)/ { next }
    { t = $1 + 0; if ($2 == "capture") next
      if (t < 8500) debut[++nd] = $0
      else if (t < 171000) {
        # A later game follows the earlier draws and may end later than the script expects: the
        # click that leaves its results screen comes 30 s later than in the README script.
        if (t >= 165000) { $1 = t + 30000 }
        jeu[++nj] = $0
      } }
    END {
      for (i = 1; i <= nd; ++i) print debut[i]
      for (k = 0; k < n; ++k)
        for (i = 1; i <= nj; ++i) { split(jeu[i], c, " "); d = k * 192500; $0 = jeu[i]; $1 = c[1] + d; print }
      f = (n - 1) * 192500
      print (200000 + f) " capture menu"
      print (201000 + f) " key ESCAPE"
      print (204000 + f) " key RETURN"
    }' scripts/partie.txt >"$sortie"
}

# A copy of the game: the big read-only folders linked, the rest copied (the game writes there).
copier_jeu() {
  local vers="$1"
  mkdir -p "$vers"
  for e in "$jeu"/*; do
    case "$(basename "$e")" in
      rvf|sprite|spredit|Musique|ScreenShots) ln -s "$e" "$vers/" ;;
      *) cp -r "$e" "$vers/" ;;
    esac
  done
}

# Damages one random data file of the copy (not the program, not the linked folders).
abimer() {
  local racine="$1" fichier taille facon
  fichier=$(cd "$racine" && find . -path ./bin -prune -o -type f -print | shuf -n 1)
  taille=$(stat -c %s "$racine/$fichier")
  facon=$(( RANDOM % 3 ))
  if [ "$taille" -eq 0 ] || [ "$facon" -eq 2 ]; then
    rm -f "$racine/$fichier"
    echo "removed $fichier"
  elif [ "$facon" -eq 1 ]; then
    local garde=$(( (RANDOM * 32768 + RANDOM) % taille ))
    truncate -s "$garde" "$racine/$fichier"
    echo "cut $fichier to $garde of $taille bytes"
  else
    local place=$(( (RANDOM * 32768 + RANDOM) % taille )) ancien nouveau
    ancien=$(od -An -tu1 -j "$place" -N1 "$racine/$fichier" | tr -d ' ')
    nouveau=$(( (ancien + 1 + RANDOM % 255) % 256 ))
    printf "$(printf '\\%03o' "$nouveau")" | dd of="$racine/$fichier" bs=1 seek="$place" count=1 conv=notrunc 2>/dev/null
    echo "byte $place of $fichier changed from $ancien to $nouveau"
  fi
}

faute() {
  echo "endurance: FAULT in round $1: $2 (see $3)" | tee -a "$bilan" >&2
  exit 1
}

# One game process; prints "<exit code> <peak kB>".
jouer() {
  local dossier="$1" script="$2" fuites="$3" parties="$4"
  mkdir -p "$dossier/sortie"
  local code=0
  (cd "$dossier/jeu/bin" && MORVANE_HEADLESS=1 MORVANE_SCRIPT="$script" MORVANE_CAPTURE="$dossier/sortie" \
    MORVANE_TRACE=1 ASAN_OPTIONS="detect_leaks=$fuites:quarantine_size_mb=16" \
    UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
    timeout -k 10 $((delai_partie * parties)) /usr/bin/time -f "%M" -o "$dossier/memoire.txt" ./morvane \
    2>"$dossier/stderr.txt") || code=$?
  echo "$code $(tail -n 1 "$dossier/memoire.txt" 2>/dev/null | grep -Eo '^[0-9]+$' || echo 0)"
}

rapport_sanitizer() {
  grep -Eq "ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:|SUMMARY: UndefinedBehaviorSanitizer" "$1"
}

# The campaign's results, in order, as the trace gives them: both battles won, the tutorial won,
# the Empire's first region begun. Prints the first one missing, or nothing.
resultats_campagne() {
  awk '
    BEGIN { n = split("Conditions_Verification(): victoire|Conditions_Verification(): victoire|" \
                      "Campagne__etapeRegion(): campagne 0, etape 0, resultat 1|" \
                      "Campagne__etapeRegion(): campagne 3, etape 0, resultat 0", attendu, "|"); k = 1 }
    k <= n && index($0, attendu[k]) { ++k }
    END { if (k <= n) print attendu[k] }' "$1"
}

# Damages a copy and plays the script once on it (with `fois` times the delay of a game).
manche_abimee() {
  local dossier="$1" script="$2" fois="$3" quoi
  cp "$script" "$dossier/script.txt"
  quoi=$(abimer "$dossier/jeu")
  read -r code pic < <(jouer "$dossier" "$dossier/script.txt" 0 "$fois")
  echo "$quoi" >"$dossier/abime.txt"
  if rapport_sanitizer "$dossier/stderr.txt"; then faute "$manche" "sanitizer report with $quoi" "$dossier/stderr.txt"; fi
  if [ "$code" -eq 124 ] || [ "$code" -eq 137 ]; then faute "$manche" "hang with $quoi" "$dossier/stderr.txt"; fi
  if [ "$code" -gt 128 ]; then faute "$manche" "signal $((code - 128)) with $quoi" "$dossier/stderr.txt"; fi
  abime="$quoi"
  case "$quoi" in
    byte*) octets=$((octets + 1)) ;;
    cut*) coupes=$((coupes + 1)) ;;
    *) otes=$((otes + 1)) ;;
  esac
}

# The campaign is given twice a skirmish game's delay: it plays two battles and three region maps.
fois_campagne=2
apres_campagne="${MORVANE_ENDURANCE_CAMPAGNE:-60}"
debut=$(date +%s)
manche=0 propres=0 abimees=0 parties=0 pic_debut=0 pic_fin=0 parties_fin=0
campagnes=0 campagnes_propres=0 campagnes_abimees=0 pic_campagne_debut=0 pic_campagne_fin=0
octets=0 coupes=0 otes=0
genre=partie
while :; do
  manche=$((manche + 1))
  dossier="$travail/manche$manche"
  copier_jeu "$dossier/jeu"
  # Each pair of rounds is of one kind: the skirmish until the first minute is past, then the
  # campaign and the skirmish in turn.
  if [ $((manche % 2)) -eq 1 ] && [ $(( $(date +%s) - debut )) -ge "$apres_campagne" ]; then
    if [ "$genre" = partie ]; then genre=campagne; else genre=partie; fi
  fi
  if [ "$genre" = campagne ] && [ $((manche % 2)) -eq 1 ]; then
    cp scripts/campagne.txt "$dossier/script.txt"
    read -r code pic < <(jouer "$dossier" "$dossier/script.txt" 1 "$fois_campagne")
    if rapport_sanitizer "$dossier/stderr.txt"; then faute "$manche" "sanitizer report in a clean campaign" "$dossier/stderr.txt"; fi
    [ "$code" -eq 0 ] || faute "$manche" "clean campaign ended with $code" "$dossier/stderr.txt"
    [ ! -e "$dossier/jeu/Erreur.txt" ] || faute "$manche" "clean campaign wrote an error file" "$dossier/jeu/Erreur.txt"
    manque=$(resultats_campagne "$dossier/stderr.txt")
    [ -z "$manque" ] || faute "$manche" "clean campaign without \"$manque\" in order" "$dossier/stderr.txt"
    if grep -q "Conditions_Verification(): defaite" "$dossier/stderr.txt"; then faute "$manche" "a battle of the clean campaign was lost" "$dossier/stderr.txt"; fi
    campagnes_propres=$((campagnes_propres + 1))
    campagnes=$((campagnes + 1))
    if [ "$pic_campagne_debut" -eq 0 ]; then pic_campagne_debut=$pic; fi
    pic_campagne_fin=$pic
    echo "round $manche ($(( $(date +%s) - debut )) s): clean campaign, results in order, exit 0, peak $((pic / 1024)) MB" | tee -a "$bilan"
    if [ "$pic" -gt $((pic_campagne_debut + marge_ko)) ]; then
      faute "$manche" "peak memory $((pic / 1024)) MB in a campaign, $((pic_campagne_debut / 1024)) MB in the first" "$bilan"
    fi
  elif [ "$genre" = campagne ]; then
    manche_abimee "$dossier" scripts/campagne.txt "$fois_campagne"
    campagnes_abimees=$((campagnes_abimees + 1))
    campagnes=$((campagnes + 1))
    echo "round $manche ($(( $(date +%s) - debut )) s): damaged campaign ($abime), exit $code, peak $((pic / 1024)) MB" | tee -a "$bilan"
  elif [ $((manche % 2)) -eq 1 ]; then
    n=$(( propres < 3 ? propres + 1 : 4 ))
    script_parties "$n" "$dossier/script.txt"
    read -r code pic < <(jouer "$dossier" "$dossier/script.txt" 1 "$n")
    if rapport_sanitizer "$dossier/stderr.txt"; then faute "$manche" "sanitizer report in a clean run" "$dossier/stderr.txt"; fi
    [ "$code" -eq 0 ] || faute "$manche" "clean run of $n games ended with $code" "$dossier/stderr.txt"
    # The first game, from a fresh start, is the script's victory. The rules' draws go on from one
    # game to the next, so a later game may be lost, or still be fought when its part of the script
    # is used up (the script leaves it through the in-game menu): its result is not required.
    fins=$(grep -cE "Conditions_Verification\(\): (victoire|defaite)" "$dossier/stderr.txt" || true)
    [ "$fins" -ge 1 ] || faute "$manche" "no result in $n games" "$dossier/stderr.txt"
    premiere=$(grep -m 1 -oE "Conditions_Verification\(\): [a-z]+" "$dossier/stderr.txt" || true)
    [ "$premiere" = "Conditions_Verification(): victoire" ] || faute "$manche" "the first game was not won" "$dossier/stderr.txt"
    propres=$((propres + 1))
    parties=$((parties + n))
    if [ "$pic_debut" -eq 0 ]; then pic_debut=$pic; fi
    pic_fin=$pic
    parties_fin=$n
    echo "round $manche ($(( $(date +%s) - debut )) s): clean skirmish, $n games in a row ($fins results), exit 0, peak $((pic / 1024)) MB" | tee -a "$bilan"
    if [ "$n" -gt 1 ] && [ "$pic" -gt $((pic_debut + (n - 1) * marge_ko)) ]; then
      faute "$manche" "peak memory $((pic / 1024)) MB after $n games, $((pic_debut / 1024)) MB after one" "$bilan"
    fi
  else
    manche_abimee "$dossier" scripts/partie.txt 1
    abimees=$((abimees + 1))
    parties=$((parties + 1))
    echo "round $manche ($(( $(date +%s) - debut )) s): damaged skirmish ($abime), exit $code, peak $((pic / 1024)) MB" | tee -a "$bilan"
  fi
  rm -rf "$dossier"
  if [ $(( $(date +%s) - debut )) -ge "$secondes" ] && [ "$propres" -ge 1 ] && [ "$abimees" -ge 1 ]; then break; fi
done
echo "endurance: $parties skirmish games and $campagnes campaigns in $manche rounds" \
     "($propres clean skirmish, $abimees damaged skirmish, $campagnes_propres clean campaign, $campagnes_abimees damaged campaign)" \
     "in $(( $(date +%s) - debut )) s; $((abimees + campagnes_abimees)) damaged files ($octets with a byte changed," \
     "$coupes cut short, $otes removed); skirmish peak memory $((pic_debut / 1024)) MB for the first game," \
     "$((pic_fin / 1024)) MB for the last clean round (of $parties_fin games)$(
       [ "$campagnes_propres" -eq 0 ] || echo "; campaign peak memory $((pic_campagne_debut / 1024)) MB for the first" \
         "clean one, $((pic_campagne_fin / 1024)) MB for the last")" | tee -a "$bilan"
rm -rf "$travail"
