// The object planes: which objects the scene display has drawn this frame.
#pragma once

// Clears the drawn-this-frame mark of every live object, before each scene display.
void PlanObjet__RazAffiche();
