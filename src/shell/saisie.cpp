#include "shell/saisie.h"

// Adds to the selection the visible groups of the first selected group's type. There are no
// groups to select yet, so there is nothing to add.
void Selection__MemeTypeVisibles() {}
