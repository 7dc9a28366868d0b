#include "scene/eau.h"

// The liquid surfaces are not animated or drawn yet: their squares keep what lies beneath.
void Eau__Animation() {}
void Lave__Animation() {}
void Eau__AffichageCase(int32_t, int32_t) {}
void Lave__AffichageCase(int32_t, int32_t) {}
