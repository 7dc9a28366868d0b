// Singly linked lists of integers ending in a terminal node; the fixed tables keep their free
// and used slots in them.
#pragma once

#include <cstdint>

struct NoeudEntier {
    int32_t valeur = 0;
    NoeudEntier* suivant = nullptr;   // null only on the terminal node
};

// The values 1 .. n-1 in increasing order, then the terminal node (so slot 0 is never handed out).
void Liste__Creation1(NoeudEntier** tete, int32_t n);
NoeudEntier* Liste__Empiler(NoeudEntier** tete, int32_t valeur);
int32_t Liste__Valeur(const NoeudEntier* noeud);
// Unlinks and frees the head node. The terminal node is never popped.
void Liste__Depiler(NoeudEntier** tete);
void Liste__Retirer(NoeudEntier** tete, NoeudEntier* noeud);
// Frees every node, the terminal node too; the head becomes null.
void Liste__Liberer(NoeudEntier** tete);
// True when the list holds no value (its head is the terminal node).
bool Liste__Vide(const NoeudEntier* tete);
