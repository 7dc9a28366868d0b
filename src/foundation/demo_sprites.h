// A test card of the sprite drawing: numbered sprites in every mode, the sprite font, the cursor.
#pragma once

void Demo_Sprites();
