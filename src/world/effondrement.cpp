#include "world/effondrement.h"

#include <cstddef>
#include <array>
#include <vector>

#include "battle/impacts.h"
#include "foundation/erreurs.h"
#include "foundation/journal.h"
#include "foundation/son.h"
#include "frontend/localisation.h"
#include "shell/scenario.h"
#include "world/descriptions.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/maitres.h"
#include "world/mort.h"
#include "world/objets.h"
#include "world/codes.h"

int32_t FlashDestruction = 0;

namespace {

constexpr int COTE_MAX = 40;

bool Partie(int famille) {
    return famille == FAMILLE_BATIMENT || famille == FAMILLE_DECORS || famille == FAMILLE_CRENAU;
}

// The first loaded master whose standing picture is the building's death picture.
int MaitreRuine(int gfxMort) {
    for (int m = 0; m < NombreMaitres && m < NOMBRE_TYPES_MAITRES; ++m)
        if (NomsMaitres[static_cast<size_t>(m)] != nullptr && ObjetGfx_ANIM__ARA[static_cast<size_t>(m)] == gfxMort)
            return m;
    return -1;
}

}  // namespace

void BatimentDestruction() {
    Objet* courant = ObjetCourant;
    if (courant == nullptr) return;
    const int b = courant->indice, t = courant->typeMaitre, niveau = courant->niveau, armee = courant->armee;
    const int x = courant->x, y = courant->y, vitesse = courant->vitesse;
    if (t < 0 || t >= NOMBRE_TYPES_MAITRES) return;
    const int gfxMort = ObjetGfx_ANIM__MOR[static_cast<size_t>(t)];
    if (gfxMort == -1) return;

    Objet__Mort(b, 2);
    const DescriptionBatiment* d = Batiment__Description(t, 1);
    const int w = d ? d->largeur : 0, h = d ? d->hauteur : 0;
    if (w >= COTE_MAX) Erreur_Fatale("BatimentDestruction()", "Largeur>40!");
    if (h >= COTE_MAX) Erreur_Fatale("BatimentDestruction()", "hauteur>40!");

    // The units standing on the footprint; cells off the map and the placeholder's are left out.
    std::vector<int32_t> restants(static_cast<size_t>(COTE_MAX * COTE_MAX), 0);
    auto occupant = [&](int i, int j) {
        const int k = Univers__CaseUnites(x + i, y + j);
        return (k > 1 && k < NOMBRE_OBJETS && k != b) ? k : 0;
    };
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (int k = occupant(i, j); k && !Partie(TableObjets[static_cast<size_t>(k)].famille))
                restants[static_cast<size_t>(i + COTE_MAX * j)] = k;
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (int k = occupant(i, j); k && (vitesse != 0 || Partie(TableObjets[static_cast<size_t>(k)].famille)))
                Objet__Mort(k, 2);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (Univers__CaseUnites(x + i, y + j) != 1) Univers__EffaceCaseUnites(x + i, y + j);

    const int ruine = MaitreRuine(gfxMort);
    if (ruine < 0) Erreur_Question("BatimentDestruction()", "Ruine absente pour l'objet m %d", t);
    else Groupe___Creation(ruine, armee, x, y, 1, 1, 1);

    if (vitesse == 0)
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i)
                if (int k = restants[static_cast<size_t>(i + COTE_MAX * j)];
                    k && TableObjets[static_cast<size_t>(k)].noeudListe != nullptr)
                    Univers__PoseCaseUnites(x + i, y + j, k);

    FlashDestruction = 28;
    const int cx = x + w / 2, cy = y + h / 2;
    if (niveau >= 1 && niveau <= 3) {
        char ligne[512];
        Localisation__Texte(ligne, sizeof ligne, TextesDestruction[niveau - 1],
                            NomsMaitres[static_cast<size_t>(t)] ? NomsMaitres[static_cast<size_t>(t)] : "");
        Messages_Ajout(ligne, 0);
        EffetImpactAjouter(nullptr, 15, cx, cy, -1, niveau == 3 ? 60 : 75);
        Son__JoueEnPosition(1999 + niveau, cx, cy);
        if (niveau == 3) BrecheOuverte = 1;
    } else {
        Erreur_Question("DestructionBatiment()", "BatinementNiveau incorrect %d", niveau);
    }
    ObjetCourant = courant;
}
