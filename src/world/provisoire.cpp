// Stand-ins, defined weak, for the graphic object list, whose module is being written on another
// branch. The real definitions replace them at link time; this file goes once that module is in.
#include <cstdio>
#include <cstring>

#include "foundation/erreurs.h"
#include "foundation/fichier.h"
#include "foundation/objetsgfx.h"

__attribute__((weak)) std::array<ObjetGfx, NOMBRE_OBJETS_GFX> TableObjetsGfx{};
__attribute__((weak)) int32_t NbObjetsGfx = 0;

namespace {

char* Copie(const char* s) {
    size_t n = std::strlen(s);
    char* c = new char[n + 10]();
    std::memcpy(c, s, n);
    return c;
}

}  // namespace

__attribute__((weak)) int CreationDeLalIsteDesObjetsGfx() {
    FILE* f = nullptr;
    Configuration_Position("..\\Ini\\mv.ini", "//liste_des_objets.", &f);
    NbObjetsGfx = 0;
    char mot[512], nom[512], separateur[512], fichier[512];
    int numero = 0;
    while (std::fscanf(f, "%511s", mot) == 1 && std::strcmp(mot, "//.") != 0) {
        if (std::fscanf(f, "%511s %d %511s %511s", nom, &numero, separateur, fichier) != 4) break;
        if (NbObjetsGfx >= NOMBRE_OBJETS_GFX) break;
        TableObjetsGfx[NbObjetsGfx].nom = Copie(nom);
        TableObjetsGfx[NbObjetsGfx].fichierSprite = Copie(fichier);
        ++NbObjetsGfx;
    }
    std::fclose(f);
    return NbObjetsGfx;
}

__attribute__((weak)) int DonneNomObjetGraphique(const char* nom) {
    for (int i = 0; i < NbObjetsGfx; ++i)
        if (TableObjetsGfx[i].nom && std::strcmp(TableObjetsGfx[i].nom, nom) == 0) return i;
    Avertissement("", "DonneNomObjetGraphique: L'objet gfx nontrouvé: %s", nom);
    return 0;
}
