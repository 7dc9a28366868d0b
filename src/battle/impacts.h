// The impact effects of the battle. For now only the emptying of their table.
#pragma once

void EffetImpactViderTable();
