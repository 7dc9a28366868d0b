#include "scene/terrain.h"

#include <algorithm>
#include <cstdlib>

#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/tuiles.h"
#include "scene/eau.h"
#include "scene/meteo.h"
#include "scene/palettes.h"
#include "shell/cycles.h"
#include "shell/saisie.h"
#include "shell/trame.h"
#include "world/grilles.h"
#include "world/niveau.h"
#include "world/objets.h"
#include "world/univers.h"

std::vector<int32_t> GrilleLumiere;
std::vector<int32_t> GrilleLumiereSomme;
const std::array<std::array<int32_t, 5>, 5> TacheLumiere = {{
    {1, 2, 3, 2, 1},
    {2, 3, 4, 3, 2},
    {3, 4, 5, 4, 3},
    {2, 3, 4, 3, 2},
    {1, 2, 3, 2, 1},
}};
int32_t ZoneCurseurX = 0;
int32_t ZoneCurseurY = 0;

namespace {

constexpr int32_t FamilleBatiment = 1;
constexpr int32_t ClasseFortification = 25;
constexpr int32_t LumiereMax = 127;

int32_t Pas() { return CasesVisiblesX + 1; }

// Raises element `indice` of the light grid to v; indices outside [plancher, size) are skipped.
void Elever(int64_t indice, int32_t v, int64_t plancher) {
    if (indice < plancher || indice >= static_cast<int64_t>(GrilleLumiere.size())) return;
    int32_t& e = GrilleLumiere[static_cast<size_t>(indice)];
    if (e < v) e = v;
}

// The stamp of strength s centred on corner (cx, cy).
void Tache(int32_t cx, int32_t cy, int32_t s, int64_t plancher) {
    for (int32_t dy = -2; dy <= 2; ++dy)
        for (int32_t dx = -2; dx <= 2; ++dx)
            Elever(static_cast<int64_t>(cy + dy) * Pas() + cx + dx, TacheLumiere[dy + 2][dx + 2] * s, plancher);
}

uint8_t Matiere(int32_t x, int32_t y) {
    if (x < 0 || x >= 128 || y < 0 || y >= 128) return 0;
    return GrilleMatieres[static_cast<size_t>(y) * 128 + x];
}

void Sources() {
    for (int32_t r = 0; r < CasesVisiblesY; ++r)
        for (int32_t c = 0; c < CasesVisiblesX; ++c) {
            const int32_t x = RepereX + c, y = RepereY + r;
            if (x < 0 || x >= 128 || y < 0 || y >= 128) continue;
            if (Matiere(x, y) == 'L') Lumiere__Source(c, r, 4);
            if (GrilleUnites == nullptr) continue;
            const int32_t n = GrilleUnites[y * 128 + x];
            if (n <= 0 || n >= NOMBRE_OBJETS) continue;
            ObjetCourant = &TableObjets[n];
            Lumiere__Source(c, r,
                            Lumiere__ForceObjet(ObjetCourant->famille, ObjetCourant->classe, ObjetCourant->armee,
                                                ObjetCourant->typeMaitre));
        }
}

// Opaque, transparent or nothing by tile number; the bank tile in *banque.
enum class Rendu { Rien, Opaque, Transparent };
Rendu RenduTuile(int32_t n, int32_t* banque) {
    *banque = n;
    if (n < 0) return Rendu::Rien;
    if (n <= 23) return Rendu::Transparent;
    if (n <= 75) return Rendu::Opaque;
    if (n <= 80) return Rendu::Transparent;
    if (n <= 82) return Rendu::Opaque;
    if (n <= 93) return Rendu::Transparent;
    if (n <= 97) return Rendu::Rien;
    if (n <= 127) return Rendu::Transparent;
    if (n <= 283) return Rendu::Opaque;
    if (n <= 335) return Rendu::Transparent;
    if (n <= 387) return Rendu::Opaque;
    if (n <= 389) return Rendu::Rien;
    *banque = n - 2;
    return Rendu::Opaque;
}

// The tiles drawn at each place of the view in the last frames, in drawing order: most keep their
// texels and corner lights from one frame to the next, and are then copied rather than lit again.
std::vector<TuileMemo> Memos;
uint32_t GenerationMemos = 0;

void DessinerTuile(int32_t n, size_t& place) {
    int32_t banque;
    const Rendu rendu = RenduTuile(n, &banque);
    // A tile number past the bank draws nothing.
    if (rendu == Rendu::Rien || TerrainTuiles == nullptr || banque >= TerrainNombreTuiles) return;
    TuileTexels = TerrainTuiles + static_cast<size_t>(banque) * OctetsTuileTerrain;
    if (place >= Memos.size()) Memos.resize(place + 1);
    Tuile_AffichageGouraudMemo(Memos[place++], rendu == Rendu::Transparent);
}

int32_t Coin(int32_t i, int32_t j) {
    return std::clamp(GrilleLumiereSomme[static_cast<size_t>(j) * CasesVisiblesX + i] + IntensiteLumineuse, 0,
                      LumiereMax);
}

void Carres() {
    if (TableDebutLigne == nullptr || TerrainTableOmbrage == nullptr) return;
    TuileLargeurEcran = LargeurEcran;
    TuileTableOmbrage = TerrainTableOmbrage;
    // A terrain loaded anew may reuse the addresses of the old tiles and table.
    if (GenerationMemos != TerrainGeneration) {
        Memos.clear();
        GenerationMemos = TerrainGeneration;
    }
    size_t place = 0;
    int32_t y = EcranDestination.clipHaut;
    for (int32_t j = 0; j < TuilesVisiblesY; ++j, y += 48) {
        const int32_t ligne = RepereY / 2 + j;
        if (ligne < 0 || ligne >= LIGNES_TUILES) continue;
        const int32_t debut = std::clamp(DebutLigne[ligne], 0, NombreEntreesTuiles);
        const int32_t fin =
            ligne + 1 < LIGNES_TUILES ? std::clamp(DebutLigne[ligne + 1], debut, NombreEntreesTuiles) : NombreEntreesTuiles;
        int32_t p = debut;
        // Entries below 1 before the row's first base tile belong to no square.
        while (p < fin && TableDebutLigne[p] < 1) ++p;
        for (int32_t saut = RepereX / 2; saut > 0 && p < fin; --saut) {
            ++p;
            while (p < fin && TableDebutLigne[p] < 1) ++p;
        }
        int32_t x = EcranDestination.clipGauche;
        for (int32_t i = 0; i < TuilesVisiblesX && p < fin; ++i, x += 48) {
            TuileX = x;
            TuileY = y;
            TuileIntensiteHautGauche = Coin(i, j);
            TuileIntensiteHautDroite = Coin(i + 1, j);
            TuileIntensiteBasGauche = Coin(i, j + 1);
            TuileIntensiteBasDroite = Coin(i + 1, j + 1);
            DessinerTuile(TableDebutLigne[p++], place);
            while (p < fin && TableDebutLigne[p] < 1) DessinerTuile(-TableDebutLigne[p++], place);
        }
    }
}

// Liquid squares: those of the view with at least one cell of the letter; the first of the pass
// advances the animation on even cycles.
void LiquideVisible(uint8_t lettre, void (*animation)(), void (*affichage)(int32_t, int32_t)) {
    bool premier = true;
    for (int32_t j = 0; j < TuilesVisiblesY; ++j)
        for (int32_t i = 0; i < TuilesVisiblesX; ++i) {
            const int32_t x = RepereX + 2 * i, y = RepereY + 2 * j;
            if (Matiere(x, y) != lettre && Matiere(x + 1, y) != lettre && Matiere(x, y + 1) != lettre &&
                Matiere(x + 1, y + 1) != lettre)
                continue;
            if (premier && CompteurCycle20 % 2 == 0) animation();
            premier = false;
            affichage(i * 48, j * 48);
        }
}

}  // namespace

void Lumiere__Dimensionner() {
    const size_t pas = static_cast<size_t>(std::max(CasesVisiblesX, 0)) + 1;
    const size_t lignes = static_cast<size_t>(std::max(CasesVisiblesY, 0));
    GrilleLumiere.assign(pas * (lignes + 2), 0);
    GrilleLumiereSomme.assign((pas - 1) * (lignes + 1), 0);
}

void Lumiere__GrilleRaz() {
    const int32_t v = LumiereActive ? IntensiteLumineuse / 2 + 7 : 96;
    std::fill(GrilleLumiere.begin(), GrilleLumiere.end(), v);
}

void Lumiere__Source(int32_t c, int32_t r, int32_t s) {
    if (s < 1) return;
    Tache(c / 2 + 1, r / 2 + 1, s, 1);
}

void Lumiere__TacheCurseur() { Tache(SourisX / 48 + 1, SourisY / 48 + 1, 12, 0); }

void Lumiere__Moyenne() {
    const int32_t pas = Pas();
    for (int32_t j = 0; j <= CasesVisiblesY; ++j)
        for (int32_t i = 0; i < CasesVisiblesX; ++i) {
            const size_t h = static_cast<size_t>(j) * pas + i, b = h + pas;
            GrilleLumiereSomme[static_cast<size_t>(j) * CasesVisiblesX + i] =
                GrilleLumiere[h] + GrilleLumiere[h + 1] + GrilleLumiere[b] + GrilleLumiere[b + 1];
        }
}

int32_t Lumiere__ForceObjet(int32_t famille, int32_t classe, int32_t armee, int32_t typeMaitre) {
    if (classe == ClasseFortification) return 15;
    if (famille == FamilleBatiment) return typeMaitre == 151 || typeMaitre == 393 ? 15 : 0;
    if (armee == 0) {
        switch (typeMaitre) {
            case 18: return 3;
            case 6: case 7: case 8: case 10: case 11: case 12: return 0;
            case 9: return -1;
            case 21: case 22: case 23: case 24: case 25: case 26: return 5;
            case 340: return 6;
            default: return 3;
        }
    }
    return typeMaitre == 18 ? 3 : 1;
}

void Zone__Affichage() {
    ZoneCurseurX = RepereX + SourisX / 24;
    ZoneCurseurY = RepereY + SourisY / 24;
    const int32_t w = std::max(std::abs(ZoneCurseurX - CadreDebutX), 2);
    const int32_t h = std::max(std::abs(ZoneCurseurY - CadreDebutY), 2);
    const int32_t carreX = (CadreDebutX - RepereX) * 24 / 48;
    const int32_t carreY = (CadreDebutY - RepereY) * 24 / 48;
    const int32_t sensX = CadreDebutX < ZoneCurseurX ? 1 : -1;
    const int32_t sensY = CadreDebutY < ZoneCurseurY ? 1 : -1;
    // Only the corners of the view are lit: the box may start out of view or reach past it.
    for (int32_t a = 0; a < h / 2; ++a)
        for (int32_t b = 0; b < w / 2; ++b) {
            const int32_t cx = carreX + sensX * b + 1, cy = carreY + sensY * a + 1;
            if (cx < 0 || cx > TuilesVisiblesX || cy < 0 || cy > TuilesVisiblesY) continue;
            Elever(static_cast<int64_t>(cy) * Pas() + cx, LumiereMax, 0);
        }
}

void Eau__AffichageVisible() {
    if (EauPresente) LiquideVisible('E', Eau__Animation, Eau__AffichageCase);
}

void Lave__AffichageVisible() {
    if (LavePresente) LiquideVisible('L', Lave__Animation, Lave__AffichageCase);
}

void Terrain__Affichage() {
    if (CasesVisiblesX <= 0 || CasesVisiblesY <= 0) return;
    // The origin stays even, so that the squares and the objects of a cell meet.
    if (RepereX + CasesVisiblesX > 127) RepereX = (127 - CasesVisiblesX) & ~1;
    if (RepereY + CasesVisiblesY > 127) RepereY = (127 - CasesVisiblesY) & ~1;
    if (RepereX < 0) RepereX = 0;
    if (RepereY < 0) RepereY = 0;
    ReperePixelX = RepereX * 24;
    ReperePixelY = RepereY * 24;

    Lumiere__Dimensionner();
    Lumiere__GrilleRaz();
    Neige__CompteCases();
    if (LumiereActive) {
        if (DemandeSelection == 1 && DebutSelectionIcone == 0 &&
            (CadreDebutX != CadreFinX || CadreDebutY != CadreFinY))
            Zone__Affichage();
        else
            Lumiere__TacheCurseur();
        Sources();
    }
    Lumiere__Moyenne();
    Eau__AffichageVisible();
    Lave__AffichageVisible();
    Carres();
}
