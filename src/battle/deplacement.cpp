#include "battle/deplacement.h"

int32_t GroupesGeres = 0;

int Formation__UniteDansRectangle(int, int, int, int) { return 1; }
void Formation__PasUnite(int, int) {}
void Unite__DeplacementRappel(int, int) {}
int Unite__Pas(int, int, int, int, int) { return 0; }
int Unite__Glisse(int, int) { return 0; }
void Unite__OrdreDeplacement(int, int, int) {}
void Objet__Deplacement() {}
