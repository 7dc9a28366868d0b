// Player's groups and enemies on the bare battle map, and the mouse and keys of the command input.
#pragma once

#include <vector>

#include "battle/combat_fixture.h"
#include "battle/trajet.h"
#include "foundation/entrees.h"
#include "foundation/listes.h"
#include "platform/plateforme.h"
#include "shell/routeur.h"
#include "shell/saisie.h"
#include "shell/trame.h"
#include "world/univers.h"

class SaisieEssai : public CombatEssai {
  protected:
    void SetUp() override {
        CombatEssai::SetUp();
        Ecran__Geometrie(640, 480);   // 26 x 20 visible cells
        ModeSceneCourant = 2;
        RepereX = RepereY = 0;
        JeuEnPause = 0;
        TableAttaque[0][1] = 1;   // the player fights army 1; army 2 is neutral
        TableAttaque[0][2] = 0;
        TableCiblage[0][1] = 1;
        Liste__Creation1(&ListeObjetsVivants, 1);
    }
    void TearDown() override {
        Liste__Liberer(&ListeObjetsVivants);
        if (shift) Touche(TOUCHE_MAJ, false);
        CombatEssai::TearDown();
    }

    // n units of the army in a row from cell (x, y): group g of master `maitre`, selectable.
    Groupe& Troupe(int g, int premier, int n, int x, int y, int armee, int maitre = 1) {
        std::vector<int> membres;
        for (int i = 0; i < n; ++i) {
            Objet& o = Soldat(premier + i, x + i, y, armee, g);
            o.selectionnable = 1;
            o.typeMaitre = maitre;
            Liste__Empiler(&ListeObjetsVivants, premier + i);
            membres.push_back(premier + i);
        }
        Groupe& gr = GroupeAvec(g, membres, 4);
        gr.modeFormationMaitre = 4;
        gr.colonnes = n;
        gr.lignes = 1;
        gr.groupeCibleIA = -1;
        tampons.emplace_back(POINTS_TRAJET_GROUPE);
        gr.tampon = tampons.back().data();
        return gr;
    }

    // A held key as the window procedure records it.
    void Touche(uint32_t vk, bool enfonce) {
        Plateforme_InjecterTouche(vk, enfonce);
        Message m;
        while (Message_Attente(&m)) Message_Lire(&m);
        if (vk == TOUCHE_MAJ) shift = enfonce;
    }

    void Souris(int x, int y) {
        SourisX = x;
        SourisY = y;
        CurseurCaseX = x / 24;
        CurseurCaseY = y / 24;
    }
    // Left press at one screen point and release at another, one input call each.
    void Glisser(int x0, int y0, int x1, int y1) {
        Souris(x0, y0);
        ClicGauche = BoutonGauche = BoutonGaucheEtat = 1;
        Saisie__Commandes();
        Souris(x1, y1);
        BoutonGauche = 0;
        BoutonGaucheEtat = -1;
        Saisie__Commandes();
    }
    // A click on a map cell of the view.
    void Clic(int cx, int cy) { Glisser(cx * 24 + 5, cy * 24 + 5, cx * 24 + 5, cy * 24 + 5); }
    void ClicDroit(int cx, int cy) {
        Souris(cx * 24 + 5, cy * 24 + 5);
        BoutonDroit = 1;
        Saisie__Commandes();
    }

    std::vector<int> Selection() const {
        return std::vector<int>(GroupesSelectionnes.begin(), GroupesSelectionnes.begin() + NombreGroupesSelectionnes);
    }

    std::vector<std::vector<PointTrajet>> tampons;
    bool shift = false;
};
