// "..\ini\mv.ini": the graphic object list and the master list, through the keyword reader. Each
// master the list names is read from the same short description, a building's (no animation table,
// no event file): a master's own files are fuzz_maitre's and fuzz_evenements' inputs, and read as
// they are, with their event tables made and freed, a list naming a few hundred masters costs a
// tenth of a second.
#include <filesystem>
#include <fstream>
#include <string>

#include "cible.h"
#include "foundation/objetsgfx.h"
#include "world/maitres.h"

void Cible_Preparer() {
    const std::string batiment = Cible_Original("maitres/caserne.txt");
    for (const auto& e : std::filesystem::directory_iterator("../maitres")) {
        if (e.path().extension() == ".cfg") std::filesystem::remove(e.path());
        else if (e.path().extension() == ".txt") std::ofstream(e.path(), std::ios::binary) << batiment;
    }
}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_EcrireListe(donnees, taille);
    ObjetsGfx_Liberation();
    CreationDeLalIsteDesObjetsGfx();
    Maitres__Liste__Creation();
}
