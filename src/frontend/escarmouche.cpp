#include "frontend/escarmouche.h"

char* CarteEscarmouche = nullptr;
int32_t EscarmoucheConfirmee = 0;

void Escarmouche__Liberation() {}
int ChoixCamp() { return 1; }
