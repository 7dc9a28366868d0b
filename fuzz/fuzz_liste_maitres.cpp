// The master list of "..\ini\mv.ini" as the catalogues read it (each master's name and file), then
// searched for a few masters' files as the section importers and the event editor search it.
#include <cstdio>
#include <memory>

#include "campaign/catalogue.h"
#include "cible.h"
#include "platform/fichiers.h"
#include "world/jetons.h"

void Cible_Preparer() {}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_EcrireListe(donnees, taille);
    ObjetsMaitres__liberer(ObjetsMaitres__charger());
    std::unique_ptr<FILE, int (*)(FILE*)> f(Fichier_Ouvrir("..\\ini\\mv.ini", "rt"), std::fclose);
    if (f == nullptr) return;
    for (int code : {0, 20, 338, 599}) {
        std::rewind(f.get());
        LecteurJetons l(f.get());
        if (!l.Jusqua("//liste_des_objets_maîtres.")) return;
        LecteurJetons_ChercheMaitre(l, code);
    }
}
