#include "frontend/escarmouche.h"

char* CarteEscarmouche = nullptr;
int32_t EscarmoucheConfirmee = 0;

void Escarmouche__Liberation() {}
int ChoixCamp() { return 1; }

int32_t CampEscarmoucheJoueur = -1;
// The armies are not loaded yet.
void Escarmouche__ArmeesVersSections() {}
