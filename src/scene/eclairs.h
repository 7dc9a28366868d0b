// Lightning bolts of a battle.
#pragma once

// Ages the live bolts once per logic pass (battle only).
void Eclair__Gestion();
