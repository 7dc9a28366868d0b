// A page of text for the interim program: every font and colour, shadowed and aligned text,
// the tooltip, the sprite font and the message log; and a question box.
#pragma once

// Draws the page into the back buffer.
void Demo_Texte();
// Asks a question long enough to wrap; returns the answer (1 yes, 0 no).
int Demo_Question();
