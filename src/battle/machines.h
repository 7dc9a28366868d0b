// Siege engines: ballistas, catapults and their wrecks. For now they stand still.
#pragma once

void Baliste___gestion();
void Catapulte___gestion();
void Catapulte_debris___gestion();
void Baliste_debris___gestion();
