// Siege engines: ballistas, catapults and their wrecks. For now they stand still.
#pragma once

void Baliste___gestion();
void Catapulte___gestion();
void Catapulte_debris___gestion();
void Baliste_debris___gestion();
// Draw ObjetCourant by its kind at its cell from the view origin.
void BalisteAffichage();
void CatapulteAffichage();
void Catapulte_debrisAffichage();
void Baliste_debrisAffichage();
