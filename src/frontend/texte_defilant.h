// Scrolling texts with their mark-up (the intro text, the credits): tags between "<" and ">",
// names without regard to case: FONT n (0..6), CENTERED, LEFT, RIGHT, COLOR r g b or
// COLOR 0xRRGGBB, IMG name [frames] (a graphic object by name, animated over that many frames).
#pragma once

#include <cstdint>

// The longest line kept; more characters are dropped.
constexpr int TEXTE_DEFILANT_LIGNE = 260;

// Scrolls the text file upward at `vitesse` / 50 pixels per 20 ms over a black screen until its
// end has risen into view, or Escape, Return, the right button or the quit message. A file that
// cannot be read returns at once, drawing nothing.
void TexteDefilant(const char* chemin, int32_t vitesse);

// Draws one screen of the text at scroll `decalage`; `avancer` moves the animated images on by
// one frame. 1 while the end of the text is at or below the bottom of the screen, 0 once above.
int Texte__AffichageBalise(const char* texte, int32_t decalage, int32_t avancer);

// Forgets the animated images' frames (a new text starts them again).
void Texte__AnimationsRAZ();
