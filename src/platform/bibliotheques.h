// Libraries loaded by name at run time and their routines bound by export name. Every library is
// in-process: a name resolves to a table of routines registered here ("spr_p5.dll" and
// "spr_p6.dll" are the sprite blitter). Names compare without regard to case, as the game spells
// them several ways.
#pragma once

#include <cstddef>

using RoutineBibliotheque = void (*)();   // cast to the routine's own type before calling

struct ExportBibliotheque {
    const char* nom;
    RoutineBibliotheque routine;
};

struct Bibliotheque;
using HandleBibliotheque = Bibliotheque*;

// Makes a library known under a name; the table must outlive the program.
void Bibliotheque_Enregistrer(const char* nom, const ExportBibliotheque* exports, size_t nombre);

// Null when no library has that name.
HandleBibliotheque Bibliotheque_Charger(const char* nom);
// Null when the library has no such export.
RoutineBibliotheque Bibliotheque_Routine(HandleBibliotheque bibliotheque, const char* nomExport);
void Bibliotheque_Liberer(HandleBibliotheque bibliotheque);
// How many libraries are loaded and not yet freed.
int Bibliotheque_NombreChargees();

// Tests: a library that cannot be found, an export missing from every library; RAZ undoes both.
void Bibliotheque_SimulerAbsente(const char* nom);
void Bibliotheque_SimulerRoutineAbsente(const char* nomExport);
void Bibliotheque_SimulationRAZ();
