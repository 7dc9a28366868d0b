// The mouse cursor of the system: hidden, the game draws its own.
#pragma once

void Curseur__Masquer();
