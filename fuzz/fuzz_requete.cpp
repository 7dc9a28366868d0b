// A requester file: its text as the box reads it, then its events part.
#include <string>

#include "cible.h"
#include "shell/requetes.h"

void Cible_Preparer() {}

void Cible_Lire(const uint8_t* donnees, size_t taille) {
    Cible_Ecrire("Texte/essai.txt", donnees, taille);
    const char* fichier = "..\\Texte\\essai.txt";
    std::string texte;
    if (!RequesterFichier__Lecture(fichier, &texte)) return;
    InitEvennements(fichier);
    Evenements__Liberation();
}
