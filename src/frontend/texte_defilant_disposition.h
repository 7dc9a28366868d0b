// The layout of one screen of a scrolling text: what Texte__AffichageBalise draws, and where.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum AlignementTexte { ALIGNEMENT_GAUCHE, ALIGNEMENT_CENTRE, ALIGNEMENT_DROITE };

struct ElementTexte {
    enum Genre { LIGNE, IMAGE } genre;
    int32_t x, y;        // the line's top left or the image's point, scroll applied
    uint32_t couleur;    // GDI 0x00BBGGRR
    int32_t police;      // 0..6
    int32_t objet;       // the image's graphic object, -1 for a line
    int32_t image;       // the image's frame
    std::string texte;   // the line, or the image's name
};

// Lays out one screen in the fonts of the text context (which it changes; the caller restores
// them) and returns what Texte__AffichageBalise returns. elements may be null.
int TexteDefilant__Disposition(const char* texte, int32_t decalage, int32_t avancer, std::vector<ElementTexte>* elements);
