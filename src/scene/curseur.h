// The mouse cursor, the hover panel and the gold panel of the castle and battle scenes.
#pragma once

#include <cstdint>

// 0 the cursor is drawn; -1 while the debug pages are up.
extern int32_t CurseurMasque;
void Curseur__Affichage();
void InfoBulle__Affichage();
void PanneauInfo__Affichage();
