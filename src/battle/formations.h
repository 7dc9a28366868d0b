// Formations and group orders. For now only the set-up call that ends a group's creation.
#pragma once

// Completes a group's set-up; does nothing yet.
int Groupe__Initialise(int groupe);
