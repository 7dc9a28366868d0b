#include "scene/palettes.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "foundation/erreurs.h"
#include "platform/fichiers.h"

uint8_t* TerrainPalette = nullptr;
uint8_t* TerrainTuiles = nullptr;
uint16_t* TerrainTableOmbrage = nullptr;
int32_t TerrainNombreTuiles = 0;
uint32_t TerrainGeneration = 0;
uint8_t* TableOmbrageBrute = nullptr;

namespace {

// The raw block of a table is kept just before it, in the gap left by the alignment (at least 16
// bytes, the heap's own alignment), so that each table frees its own block.
uint8_t*& BlocDe(uint16_t* table) {
    return *reinterpret_cast<uint8_t**>(reinterpret_cast<uint8_t*>(table) - sizeof(uint8_t*));
}

FILE* Ouvrir(const char* nom, const char* extension, char* chemin, size_t taille) {
    std::snprintf(chemin, taille, "%s%s", nom, extension);
    FILE* f = Fichier_Ouvrir(chemin, "rb");
    if (f == nullptr) Erreur_Fatale("Lumiere___preparation", "fichier non trouvé : %s", chemin);
    return f;
}

}  // namespace

void Palette__Degrade2(uint16_t* sortie, int r, int g, int b, float n) {
    if (sortie == nullptr) return;
    const auto canal = [](int c, float t) {
        int v = static_cast<int>(static_cast<float>(c) / 255.0f * t * 32.0f);
        return v >= 32 ? 31 : v;
    };
    for (int k = 0; static_cast<float>(k) < n; ++k) {
        const float t = static_cast<float>(k) / n;
        sortie[k] = static_cast<uint16_t>(canal(r, t) << 10 | canal(g, t) << 5 | canal(b, t));
    }
}

void Palette__Degrade(uint16_t* sortie, int r, int g, int b, float n) {
    if (sortie == nullptr) return;
    const auto canal = [](int c, float t, float pas, int plafond) {
        int v = static_cast<int>(static_cast<float>(c) / 255.0f * t * pas);
        return v >= plafond + 1 ? plafond : v;
    };
    for (int k = 0; static_cast<float>(k) < n; ++k) {
        const float t = static_cast<float>(k) / n;
        sortie[k] = static_cast<uint16_t>(canal(r, t, 32.0f, 31) << 11 | canal(g, t, 64.0f, 63) << 5 |
                                          canal(b, t, 32.0f, 31));
    }
}

namespace {

// A shade table of `Degrade`'s format: each palette entry's gradient of PasOmbrage steps, laid
// step by step in a block aligned on 512 bytes.
template <void (*Degrade)(uint16_t*, int, int, int, float)>
uint16_t* CreerTableOmbrage(const uint8_t* palette) {
    auto* bloc = new uint8_t[OctetsBlocOmbrage];
    const uintptr_t adresse = reinterpret_cast<uintptr_t>(bloc);
    auto* table = reinterpret_cast<uint16_t*>(bloc + (((adresse + 512) & ~uintptr_t{511}) - adresse));
    BlocDe(table) = bloc;
    TableOmbrageBrute = bloc;

    uint16_t* degrades[256];
    for (int i = 0; i < 256; ++i) {
        degrades[i] = new uint16_t[PasOmbrage];
        Degrade(degrades[i], palette[i * 3], palette[i * 3 + 1], palette[i * 3 + 2], static_cast<float>(PasOmbrage));
    }
    for (int pas = 0; pas < PasOmbrage; ++pas)
        for (int i = 0; i < 256; ++i) table[pas * 256 + i] = degrades[i][pas];
    for (uint16_t* d : degrades) delete[] d;
    return table;
}

}  // namespace

uint16_t* TableCouleurs__Creation2(const uint8_t* palette) { return CreerTableOmbrage<Palette__Degrade2>(palette); }

uint16_t* TableCouleurs__Creation(const uint8_t* palette) { return CreerTableOmbrage<Palette__Degrade>(palette); }

void TableOmbrage__Liberation(uint16_t* table) {
    if (table == nullptr) return;
    uint8_t* bloc = BlocDe(table);
    if (TableOmbrageBrute == bloc) TableOmbrageBrute = nullptr;
    delete[] bloc;
}

uint16_t* Lumiere___preparation(uint8_t** palette, uint8_t** tuiles, uint16_t** table, const char* nom,
                                int nombre) {
    if (nom == nullptr) nom = "";
    if (nombre < 0) nombre = 0;
    char chemin[1024];

    FILE* f = Ouvrir(nom, ".pal", chemin, sizeof chemin);
    // Zeroed, so that a short palette the player goes on with reads as black.
    std::unique_ptr<uint8_t[]> couleurs(new uint8_t[OctetsPalette]());
    if (std::fread(couleurs.get(), 1, OctetsPalette, f) < static_cast<size_t>(OctetsPalette))
        Erreur_Question("Lumiere___preparation", "Erreur de lecture");
    std::fclose(f);

    f = Ouvrir(nom, ".spr", chemin, sizeof chemin);
    // A short bank leaves its missing tiles at index 0.
    const size_t taille = static_cast<size_t>(nombre) * OctetsTuileTerrain;
    std::unique_ptr<uint8_t[]> banque(new uint8_t[taille > 0 ? taille : 1]());
    if (taille > 0) (void)std::fread(banque.get(), 1, taille, f);
    std::fclose(f);

    uint16_t* ombrage = TableCouleurs__Creation2(couleurs.get());
    if (palette) *palette = couleurs.release();
    if (tuiles) *tuiles = banque.release();
    if (table) *table = ombrage;
    return ombrage;
}

void Terrain__Liberation() {
    ++TerrainGeneration;
    delete[] TerrainPalette;
    delete[] TerrainTuiles;
    TableOmbrage__Liberation(TerrainTableOmbrage);
    TerrainPalette = nullptr;
    TerrainTuiles = nullptr;
    TerrainTableOmbrage = nullptr;
    TerrainNombreTuiles = 0;
}

void Terrain__Chargement(const char* nom, int nombre) {
    Terrain__Liberation();
    Lumiere___preparation(&TerrainPalette, &TerrainTuiles, &TerrainTableOmbrage, nom, nombre);
    TerrainNombreTuiles = nombre > 0 ? nombre : 0;
}
