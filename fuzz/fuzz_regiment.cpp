// A regiment file "..\Armees\joueur0\regiment0.txt", checked as the skirmish set-up checks the
// armies it lists, then read as a battle reads it, with the Empire's catalogue.
#include <cstdio>
#include <memory>

#include "campaign/armee.h"
#include "campaign/armee_fichiers.h"
#include "campaign/campagne.h"
#include "campaign/catalogue.h"
#include "cible.h"
#include "platform/fichiers.h"

void Cible_Preparer() {
    CampParJoueur[0] = 0;
    Catalogue__charger(0);
}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("Armees/joueur0/regiment0.txt", donnees, taille);
    const char* chemin = "..\\Armees\\joueur0\\regiment0.txt";
    int32_t unites = 0;
    Regiment__verifierFichier(chemin, &unites);
    std::unique_ptr<FILE, int (*)(FILE*)> f(Fichier_Ouvrir(chemin, "rt"), std::fclose);
    if (f) delete chargerRegiment(f.get());
}
