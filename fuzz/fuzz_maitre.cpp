// A master file, "..\maitres\soldat.txt", read as the master list reads it. Once the graphic
// objects are loaded, "..\ini\mv.ini" is cut to the master list up to that master, the others'
// files given as "-", so that each input reads one short list and one master.
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "cible.h"
#include "foundation/objetsgfx.h"
#include "world/maitres.h"

void Cible_Preparer() {
    CreationDeLalIsteDesObjetsGfx();
    std::string texte;
    {
        std::ifstream in("../ini/mv.ini", std::ios::binary);
        texte.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const size_t debut = texte.find("//liste_des_objets_ma");
    std::istringstream lignes(texte.substr(debut));
    std::string reduit, ligne;
    std::getline(lignes, ligne);
    reduit = ligne + "\n";
    while (std::getline(lignes, ligne)) {
        const size_t barres = ligne.rfind("// ");
        if (ligne.rfind("#define ", 0) != 0 || barres == std::string::npos) continue;
        const bool soldat = ligne.substr(barres + 3) == "soldat";
        reduit += (soldat ? ligne : ligne.substr(0, barres + 3) + "-") + "\n";
        if (soldat) break;
    }
    reduit += "//.\n";
    std::ofstream("../ini/mv.ini", std::ios::binary) << reduit;
    Maitres__Liste__Creation();
}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("maitres/soldat.txt", donnees, taille);
    Maitres__Liste__Creation();
}
