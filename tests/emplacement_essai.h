// A save slot written by hand in a test tree: the smallest game a restore accepts (the tutorial's
// first region, an army of no regiment).
#pragma once

#include <cstdio>
#include <string>

#include "dossier_temporaire.h"

inline std::string ZekinfoEssai(int orJoueur = 100) {
    std::string t;
    for (int i = 0; i < 79; ++i) t += (i == 10 ? std::to_string(orJoueur) : std::string(i < 10 ? "-1" : "0")) + "\n";
    return t;
}

// Slot `slot` (0..9) under the tree's root.
inline void EcrireEmplacementEssai(const DossierTemporaire& arbre, int slot, const std::string& variables) {
    char dossier[64];
    // Beside the names file when the tree has one.
    std::snprintf(dossier, sizeof dossier, "%s/sauvegarde%02d/", arbre.Existe("Sauvegarde") ? "Sauvegarde" : "sauvegarde",
                  slot + 1);
    const std::string d = dossier;
    arbre.Ecrire(d + "nomcarte.txt", "..\\Campagnes\\Tutorial\\Region9\\Region.txt\n0 0 1 1\n");
    arbre.Ecrire(d + "entete_armee.txt", "nbRegiments 0\n");
    arbre.Ecrire(d + "posreg.txt", "");
    arbre.Ecrire(d + "zekinfo.txt", ZekinfoEssai());
    arbre.Ecrire(d + "uniques.txt", "Nombre de lieux uniques : 0\n");
    arbre.Ecrire(d + "Ennemis.txt", "REGIMENTSNMI\nNombre de regiments ennemi : 0\n");
    arbre.Ecrire(d + "reserve.txt", "");
    arbre.Ecrire(d + "variables.txt", variables);
}
