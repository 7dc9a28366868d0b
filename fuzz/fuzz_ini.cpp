// A private-profile (INI) file: a number, a text and the keys of a section.
#include "cible.h"
#include "platform/profil.h"

void Cible_Preparer() {}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("ini/essai.ini", donnees, taille);
    const char* f = "..\\ini\\essai.ini";
    Profil_LireEntier("LIST", "MAXNUMBER", 0, f);
    char texte[64];
    Profil_LireTexte("LIST", "1", "", texte, sizeof texte, f);
    Profil_LireCles("LIST", f);
}
