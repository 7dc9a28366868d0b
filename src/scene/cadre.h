// The selection rectangle dragged with the left button.
#pragma once

void CadreSelection__Affichage();
