// An enemy regiments' file "..\tmp\Joueur0\ennemis.txt", read into the table and written back.
#include "cible.h"
#include "campaign/ennemis.h"

void Cible_Preparer() {}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("tmp/Joueur0/ennemis.txt", donnees, taille);
    RegimentsNmi = {};
    NbRegimentsNmi = 0;
    RegimentNmi_Chargement("..\\tmp\\Joueur0\\ennemis.txt");
    RegimentNmi_Sauvegarde("..\\tmp\\Joueur0\\ennemis2.txt");
    for (int i = 0; i < NbRegimentsNmi; ++i) RegimentNmi_NomFichier(RegimentsNmi[static_cast<size_t>(i)].id);
}
