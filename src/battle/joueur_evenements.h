// The animation event player: the visual and concrete events of the frame an object just reached.
#pragma once

struct Objet;

// Plays the events of the object's current frame; always -1.
int PlayerEvenement(Objet* objet);
