#include "shell/curseur.h"

#include "platform/affichage.h"

void Curseur__Masquer() { Affichage_CacherCurseur(); }
