// The building editor's element and object-code lists.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "editors/editeur_batiment.h"
#include "editors/editeur_batiment_interne.h"
#include "editors/editeur_evenements.h"
#include "editors/saisie_modale.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "world/descriptions.h"

namespace {

const char* const LIBRE = "--- Elèment libre ---";

const char* const NATURES_SLOT[10] = {LIBRE,
                                      "Drapeau, 3 directions",
                                      "Drapeau, 8 directions",
                                      "Sprite fixe, 1 direction",
                                      "Sprite fixe, 8 directions",
                                      "Sprite animé, 1 direction",
                                      "Sprite animé, 8 directions",
                                      "Drapeau, 1 directions",
                                      "Fumee",
                                      "Flamme"};

const char* const NATURES_LISTE[10] = {
    LIBRE,
    "Drapeau, 3 directions (animé 12 frames)",
    "Drapeau, 8 directions (animé 12 frames)",
    "Sprite fixe, 1 direction (non animé)",
    "Sprite fixe, 8 directions (non animé)",
    "Sprite animé, 1 direction (animé 12 frames, idem drapeau 1 direction)",
    "Sprite animé, 8 directions (animé 12 frames)",
    "Drapeau, 1 direction (animé 12 frames)",
    "Fumee",
    "Flamme"};

const char* const CODES_LISTE[5] = {LIBRE, "Téléporteur", "Générateur de monstres", "Porte", "Préplaceur"};

const char* NatureSurvolee(int rang) { return rang == 8 ? "Fumme" : nullptr; }

}  // namespace

int Element__SelectionNature(const char* titre) {
    return EditeurBatiment__Liste(titre, std::vector<std::string>(std::begin(NATURES_LISTE), std::end(NATURES_LISTE)),
                                  207, NatureSurvolee);
}

int Element__Selection(const char* titre) {
    for (;;) {
        DescriptionBatiment* d = DescriptionBatimentCourante;
        if (d == nullptr) return -1;
        std::vector<std::string> lignes;
        for (int e = 0; e < 11; ++e) {
            const int n = d->elementNature[e];
            lignes.emplace_back(n >= 0 && n <= 9 ? NATURES_SLOT[n] : "");
        }
        const int s = EditeurBatiment__Liste(titre, lignes, 223, nullptr);
        if (s < 0 || QuitterJeu) return -1;
        const int nature = Element__SelectionNature("Sélection de la nature de l'élèment");
        if (nature < 0 || QuitterJeu) continue;   // cancelled: the slot stays
        d->elementNature[s] = static_cast<int16_t>(nature);
        if (nature == 0) {
            Batiment__SupprimeElement(s);
            continue;
        }
        const int maitre = EdEvenementChoixObjet("SELECTION DU SPRITE ASSOCIE");
        if (maitre >= 0) d->elementSprite[s] = static_cast<int16_t>(maitre);
    }
}

int CodeObjet__Liste(const char* titre) {
    return EditeurBatiment__Liste(titre, std::vector<std::string>(std::begin(CODES_LISTE), std::end(CODES_LISTE)), 127,
                                  nullptr);
}

void CodeObjet__Description(int s, char* texte, size_t taille) {
    const DescriptionBatiment* d = DescriptionBatimentCourante;
    if (d == nullptr || s < 0 || s >= 12 || texte == nullptr) return;
    const int x = d->codeX[s], y = d->codeY[s], p = d->codeParam1[s], q = d->codeParam2[s];
    switch (d->codeObjet[s]) {
        case 1: std::snprintf(texte, taille, "Téléporteur sur la case (%d,%d)\nà destination de la case (%d,%d)", x, y, p, q); break;
        case 2: std::snprintf(texte, taille, "Générateur de monstres de type %d\nsur la case (%d,%d)", p, x, y); break;
        case 3: std::snprintf(texte, taille, "Porte sur la case (%d,%d)", x, y); break;
        case 4:
            std::snprintf(texte, taille, "Préplaceur de persos de type %d ( direction %d ) sur la case (%d,%d)", p, q, x, y);
            break;
        default: break;
    }
}

void CodeObjet__Trace() {
    const DescriptionBatiment* d = DescriptionBatimentCourante;
    if (d == nullptr) return;
    for (int s = 0; s < 12; ++s) {
        if (d->codeObjet[s] == 0) continue;
        char texte[160] = "";   // an unknown code is reported with no description
        CodeObjet__Description(s, texte, sizeof texte);
        char ou[64];
        std::snprintf(ou, sizeof ou, "Description du code objet n°%d", s);
        Erreur_Question(ou, "%s", texte);
    }
}

bool CodeObjet__Appliquer(int s, int code, int x, int y, int premier, int second) {
    if (DescriptionBatimentCourante == nullptr || s < 0 || s >= 12) return false;
    if (code == 0) {
        Batiment__SupprimeCodeObjet(s);
        return true;
    }
    if (code == 1) {
        // Its return link goes in the next slot: none after the last one.
        if (s + 1 >= 12) {
            Avertissement("Sélection du code objet", "Pas de place pour le retour du téléporteur après le code %d", s);
            return false;
        }
        Batiment__InsereCodeObjet(s + 1, 1, premier, second, x, y);
    }
    Batiment__EcritCodeObjet(s, code, x, y, premier, second);
    return true;
}

int CodeObjet__Selection(const char* titre) {
    int32_t x = 0, y = 0, premier = 0, second = 0;   // the values last entered while the list is open
    for (;;) {
        DescriptionBatiment* d = DescriptionBatimentCourante;
        if (d == nullptr) return -1;
        std::vector<std::string> lignes;
        for (int c = 0; c < 12; ++c) {
            char texte[160] = "";
            if (d->codeObjet[c] == 0) std::snprintf(texte, sizeof texte, "%s", LIBRE);
            else CodeObjet__Description(c, texte, sizeof texte);
            // One line each: the description's line break as a blank.
            for (char* t = texte; *t; ++t)
                if (*t == '\n') *t = ' ';
            lignes.emplace_back(texte);
        }
        const int s = EditeurBatiment__Liste(titre, lignes, 239, nullptr);
        if (s < 0 || QuitterJeu) return -1;
        const int code = CodeObjet__Liste("Sélection de la nature de l'objet");
        if (code < 0 || QuitterJeu) continue;
        switch (code) {
            case 1:
                Saisie__ColonneLigne("Case Origine", &x, &y);
                Saisie__ColonneLigne("Case Dest.", &premier, &second);
                break;
            case 2:
                Saisie__ColonneLigne("Case Gen.", &x, &y);
                Saisie__Entier("Id. des monstres : ", &premier, 0, 600);
                break;
            case 3: Saisie__ColonneLigne("Case Porte", &x, &y); break;
            case 4:
                Saisie__ColonneLigne("Case", &x, &y);
                Saisie__Entier("Id. des persos : ", &premier, 0, 600);
                Saisie__Entier("direction des persos : ", &second, 0, 100);
                break;
            default: break;
        }
        if (QuitterJeu) return -1;
        CodeObjet__Appliquer(s, code, x, y, premier, second);
    }
}
