// Automatic spells and the army relation they read.
#pragma once

// 1 when army a is hostile to army b (TableAttaque), else 0.
int Joueur__Relation(int a, int b);
