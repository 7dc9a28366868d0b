// The bestiary's three files from the same bytes: the entry list "..\ini\Bestiaire.txt", the
// unlocked flags "..\ini\Bestiaire_Init.txt" and a description file, each page then drawn.
#include <cstdio>
#include <string>

#include "cible.h"
#include "foundation/objetsgfx.h"
#include "frontend/bestiaire.h"
#include "platform/fichiers.h"
#include "world/maitres.h"

void Cible_Preparer() {
    CreationDeLalIsteDesObjetsGfx();
    Maitres__Liste__Creation();
}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    std::string texte(reinterpret_cast<const char*>(donnees), taille);
    // Built with clang, the heading's accent is UTF-8: the sample's Windows-1252 one is turned
    // into that spelling.
    if constexpr (sizeof("é") == 3)
        for (size_t p = texte.find('\xE9'); p != std::string::npos; p = texte.find('\xE9', p + 2)) texte.replace(p, 1, "\xC3\xA9");
    const auto* octets = reinterpret_cast<const uint8_t*>(texte.data());
    Cible_Ecrire("ini/Bestiaire.txt", octets, texte.size());
    Cible_Ecrire("ini/Bestiaire_Init.txt", octets, texte.size());
    Cible_Ecrire("maitres/essai.txt", octets, texte.size());
    struct Fin {
        ~Fin() { BestiaireLiberer(); }
    } fin;
    if (FILE* f = Fichier_Ouvrir("..\\maitres\\essai.txt", "rt")) {
        EntreeBestiaire e{};
        BestiaireLectureDescription(f, &e);
        std::fclose(f);
    }
    BestiaireInitialisation();
    for (int32_t i = 0; i < NbEntreesBestiaire; ++i) {
        BestiaireEntreeCourante = i;
        BestiaireEntreeSuivante();
        BestiaireEntreePrecedente();
    }
}
