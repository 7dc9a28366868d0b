// A still frame of the picture and tile code, drawn into the back buffer.
#pragma once

// Draws "..\images\Intro.tga" and a row of lit tiles into the back buffer.
void Demo_ImagesEtTuiles();
// Drops the picture kept by the frame: the next frame reads it again.
void Demo_ImagesLiberer();
