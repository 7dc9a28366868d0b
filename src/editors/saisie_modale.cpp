#include "editors/saisie_modale.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "campaign/gestion_armee.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "foundation/texte.h"
#include "world/descriptions.h"

int Saisie__Modale(int inviteX, int inviteY, const char* invite, int texteX, int texteY, char* texte, int maximum) {
    if (texte == nullptr) return 1;
    if (maximum > TAILLE_SAISIE || maximum < 1) maximum = TAILLE_SAISIE;
    const SaisieTexteOuverte saisie;   // the keys typed go to the text only
    SaisieValidee = 0;
    texte[0] = 0;
    ToucheCaractere = 0;
    ToucheRetourArriere = 0;
    // The screen under the entry, drawn again each turn so that a character rubbed out goes.
    const int largeur = LargeurEcran, hauteur = HauteurEcran;
    const size_t pixels = EcranTampon ? static_cast<size_t>(largeur) * static_cast<size_t>(hauteur) : 0;
    const std::vector<uint16_t> dessous(EcranTampon, EcranTampon + pixels);
    auto restaurer = [&] {
        if (pixels && EcranTampon && LargeurEcran == largeur && HauteurEcran == hauteur)
            std::memcpy(EcranTampon, dessous.data(), pixels * 2);
    };
    for (;;) {
        if (SaisieValidee) {
            SaisieValidee = 0;
            Entrees_RAZ();
            restaurer();
            return 1;
        }
        restaurer();
        if (EcranTampon) {
            Texte__AfficheOmbre(inviteX, inviteY, "%s", invite ? invite : "");
            Texte__AfficheOmbre(texteX, texteY, "%s", texte);
        }
        size_t n = std::strlen(texte);
        if (ToucheCaractere) {
            if (n + 1 < static_cast<size_t>(maximum)) {
                texte[n++] = static_cast<char>(ToucheCaractere);
                texte[n] = 0;
            }
            ToucheCaractere = 0;
        }
        int code = 0;
        if (EcranModal__Message(&code) < 0) {
            restaurer();
            return code;
        }
        if (ToucheRetourArriere) {
            ToucheRetourArriere = 0;
            if (n > 0) texte[--n] = 0;
        }
        Ecran_Affichage();
    }
}

int Saisie__Texte(int inviteX, int inviteY, const char* invite, int texteX, int texteY, char* texte) {
    return Saisie__Modale(inviteX, inviteY, invite, texteX, texteY, texte, TAILLE_SAISIE);
}

int32_t Saisie__Conversion(const char* texte) {
    if (texte == nullptr) return 0;
    errno = 0;
    const long long v = std::strtoll(texte, nullptr, 10);
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(v);
}

void Saisie__Entier(const char* invite, int32_t* valeur, int32_t minimum, int32_t maximum) {
    if (valeur == nullptr) return;
    if (maximum < minimum) maximum = minimum;
    for (;;) {
        char question[TAILLE_SAISIE];
        std::snprintf(question, sizeof question, "%s", invite ? invite : "");
        char texte[TAILLE_SAISIE];
        Saisie__Texte(130, 200, question, 350, 200, texte);
        const int32_t v = Saisie__Conversion(texte);
        if (QuitterJeu) {
            *valeur = v < minimum ? minimum : v > maximum ? maximum : v;
            return;
        }
        if (v >= minimum && v <= maximum) {
            *valeur = v;
            return;
        }
        Avertissement("Erreur", "L'entier lu (%d) n'appartient pas à l'intervalle [%d,%d]", v, minimum, maximum);
        if (QuitterJeu) {
            *valeur = v < minimum ? minimum : maximum;
            return;
        }
    }
}

void Saisie__ColonneLigne(const char* libelle, int32_t* colonne, int32_t* ligne) {
    const DescriptionBatiment* d = DescriptionBatimentCourante;
    if (d == nullptr || colonne == nullptr || ligne == nullptr) return;
    char invite[TAILLE_SAISIE];
    std::snprintf(invite, sizeof invite, "%s Colonne", libelle ? libelle : "");
    Saisie__Entier(invite, colonne, 0, d->largeur - 1);
    if (QuitterJeu) return;
    std::snprintf(invite, sizeof invite, "%s Ligne", libelle ? libelle : "");
    Saisie__Entier(invite, ligne, 0, d->hauteur - 1);
}
