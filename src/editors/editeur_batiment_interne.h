// The building editor's pieces shared by its files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The graphic object of a master type for an orientation (0 ARE, 1 ARA, 2 DPL), -1 none.
int EditeurBatiment__GfxOrientation(int maitre, int orientation);
// The same, a missing one said once in a warning.
int EditeurBatiment__GfxAffichable(int maitre, int orientation);
// The building's layers of the current description with their hot spots at (x, y) plus their
// calages: all of them, or those the layer keys show; or images 1 and 2 only.
void EditeurBatiment__DessinerCouches(int maitre, int orientation, int x, int y, bool toutes, bool images12Seules);
// The test figures behind (passe 0) or in front (1) of the building.
void EditeurBatiment__FiguresTest(int passe);
// A turn of a modal page: the frame presented, one message taken; false when the program ends.
bool EditeurBatiment__TourModal();
// One message taken from the queue: -1 when the program ends, 0 none, 1 one.
int EditeurBatiment__Message();
void EditeurBatiment__Remplir(uint8_t octet);
// A full-screen list: the row clicked, -2 on the right button or Escape. The row under the
// mouse may show another text (survolee, null for the row's own).
int EditeurBatiment__Liste(const char* titre, const std::vector<std::string>& lignes, int yMax,
                           const char* (*survolee)(int));
