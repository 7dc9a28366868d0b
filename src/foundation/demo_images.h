// A still frame of the picture and tile code, drawn into the back buffer.
#pragma once

// Draws "..\images\Intro.tga" and a row of lit tiles into the back buffer.
void Demo_ImagesEtTuiles();
