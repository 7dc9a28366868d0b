#include "frontend/escarmouche.h"

#include <cstring>

#include "shell/routeur.h"
#include "world/univers.h"

char* CarteEscarmouche = nullptr;
int32_t EscarmoucheConfirmee = 0;

void Escarmouche__Liberation() {}
int ChoixCamp() { return 1; }

void Escarmouche() {
    static const char Carte[] = "..\\niveau\\essai.mv";
    delete[] CarteEscarmouche;
    CarteEscarmouche = new char[sizeof Carte];
    std::memcpy(CarteEscarmouche, Carte, sizeof Carte);
    ModeSceneCourant = 3;
    ChargeRegion();
    EscarmoucheConfirmee = 1;
    ModeJeuCourant = 3;
}
int32_t CampEscarmoucheJoueur = -1;
// The armies are not loaded yet.
void Escarmouche__ArmeesVersSections() {}
