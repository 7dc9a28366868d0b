// The mouse cursor and the busy animation of a loading scene, the lower panel with the portrait of
// what stands under the mouse, the building names of the castle, the gold panel, and the text
// colours the panels share.
#pragma once

#include <cstdint>

// The busy animation's frame 0..32 while a scene loads, -1 otherwise.
extern int32_t CurseurAttenteImage;
// 0 the cursor and the lower panel are drawn; -1 while the debug pages are up.
extern int32_t CurseurMasque;

// One busy frame: the next frame of the animation at the mouse on a cleared screen, presented.
void Curseur__Animation();
void Curseur__Affichage();
// The lower panel: the castle's building name, the panel, the hovered object's portrait and sign,
// then the selection panel.
void InfoBulle__Affichage();
// The gold of the castle and the region map, and the shown amount easing toward the owned one.
void PanneauInfo__Affichage();
// One easing step of the shown gold toward the owned gold.
void Or__Rapprochement(int32_t* affiche, int32_t possede);

// The relation sign's frame for an object of army `armee` seen by the player.
int Relation__Image(int armee);
// The object under the mouse the lower panel shows (air over units over ground), 0 for none.
int Survol__Objet();

void TexteCouleurBlanc();
void TexteCouleurGris();
void TexteCouleurClair();
// Text at (x, y) (its top-left) in the 14-pixel font, light grey, no shadow.
void Texte__SortieGrise(int x, int y, const char* texte);
