// Reports written neither to "..\Erreur.txt" nor to the standard error (still formatted and
// converted as usual): for the fuzz targets, whose inputs raise thousands of reports a second.
// The game never turns this on.
#pragma once

void Erreur_RapportsMuets(bool muets);
