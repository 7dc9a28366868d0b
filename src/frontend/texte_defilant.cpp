#include "frontend/texte_defilant.h"

void TexteDefilant(const char*, int32_t) {}
