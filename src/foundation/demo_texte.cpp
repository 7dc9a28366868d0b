#include "foundation/demo_texte.h"

#include <cstdio>

#include "foundation/ecran.h"
#include "foundation/erreurs.h"
#include "foundation/journal.h"
#include "foundation/polices.h"
#include "foundation/texte.h"

void Demo_Texte() {
    if (EcranDC == nullptr || EcranTampon == nullptr) return;
    const uint32_t couleurAvant = Texte__LitCouleur();
    const int fonteAvant = Texte__LitFonte();
    PoliceSysteme* policeAvant = EcranDC->police;
    // The six numbered fonts, one colour each.
    const uint32_t couleurs[6] = {0xFFFFFF, 0x91A6AA, 0x00D0FF, 0x4040FF, 0xFFC060, 0x60FF60};
    const char* noms[6] = {"12", "12 gras", "22", "22 gras", "35", "35 gras"};
    int y = 24;
    for (int i = 0; i < 6; ++i) {
        Texte__ChoixFonte(i);
        Texte__Couleur(couleurs[i]);
        TailleTexte t;
        Texte__Taille("Mg", &t);
        y += t.hauteur;
        Texte__Affiche(12, y, "Police %s : Morvane, épée", noms[i]);
    }
    Texte__ChoixFonte(2);
    Texte__Couleur(0x91A6AA);
    Texte__AfficheOmbre(12, y + 30, "Texte ombré sur la ligne de base");
    // Aligned on a marker, in the three sizes.
    const int x = 480;
    for (int j = 0; j < 200; ++j) EcranTampon[(j + 250) * LargeurEcran + x] = 0x7C00;
    Texte__AfficheAligne(x, 270, 255, 255, 255, 0, "à droite");
    Texte__AfficheAligne(x, 300, 255, 255, 255, 1, "centré");
    Texte__AfficheAligne(x, 330, 255, 255, 255, 2, "à gauche");
    Texte__AfficheAligne20(x, 360, 255, 220, 120, 0, 1, "Police 20 centrée");
    Texte__AfficheAligne16(x, 390, 120, 220, 255, 0, 1, "Police 16 gras centrée");
    Texte__AfficheAjuste(x, 440, 255, 128, 64, 1, "Ajusté");
    Texte__AfficheSprite(12, 440, "police sprite : épée_x 0123");
    InfoBulle(200, 470, "Une bulle d'aide");
    // The log, filled once.
    if (ListeMessages == nullptr) Messages_Initialisation();
    if (NombreMessages == 0) {
        for (int i = 1; i <= 6; ++i) {
            char ligne[64];
            std::snprintf(ligne, sizeof ligne, "Ligne %d du journal", i);
            Messages_Ajout(ligne, 4);
        }
    }
    Messages_Affichage(12, 400, 5);
    PoliceChoisie = fonteAvant;
    ContexteTexte_ChoisirPolice(EcranDC, policeAvant);
    Texte__Couleur(couleurAvant);
}

int Demo_Question() {
    return Question_Formatee("Demo_Question()",
                             "Les armées de Morvane approchent. Voulez-vous vraiment quitter la bataille ?");
}
