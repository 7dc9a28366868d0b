#include "scene/eclairs.h"

// No bolt is drawn or struck yet.
void Eclair__Creation(int, int, int, int, int) {}
