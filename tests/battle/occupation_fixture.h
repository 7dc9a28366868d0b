// A bare battle map for the occupancy and planner tests: the world grids and the occupancy maps,
// and units written straight into the object table (no master files needed).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "battle/chemin.h"
#include "battle/occupation.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/objets.h"

class CarteEssai : public ::testing::Test {
  protected:
    void SetUp() override {
        Univers__AlloueGrilles();
        ASSERT_EQ(Univers__AlloueCartes(), 1);
    }
    void TearDown() override {
        for (int i = 1; i < NOMBRE_OBJETS; ++i) Objet__LibereTrajet(i);
        for (auto& g : TableGroupes) {
            delete[] g.membres;
            g.membres = nullptr;
            g.noeudListe = nullptr;
        }
        Univers__LibereCartes();
        Univers__LibereGrilles();
    }

    // A live unit standing and heading at (x, y); stamped on its world grid (air for couche 2).
    Objet& Unite(int n, int x, int y, int taille = 1, int couche = 1, int groupe = -1) {
        Objet__LibereTrajet(n);
        Objet& o = TableObjets[n];
        o = Objet{};
        o.numeroObjet = n;
        o.actif = 1;
        o.taille = taille;
        o.couche = couche;
        o.x = o.prochaineCaseX = o.xPrecedent = x;
        o.y = o.prochaineCaseY = o.yPrecedent = y;
        o.groupe = groupe;
        o.ordreSecondaire = 2;
        int32_t* grille = couche == 2 ? GrilleAir : GrilleUnites;
        for (int i = x; i < x + taille; ++i)
            for (int j = y; j < y + taille; ++j)
                if (i >= 0 && i < 128 && j >= 0 && j < 128) grille[i + 128 * j] = n;
        return o;
    }
    // Something that does not move (a building, a tree, a body): inactive on the unit grid.
    void Fixe(int n, int x, int y, int largeur = 1, int hauteur = 1) {
        Objet__LibereTrajet(n);
        Objet& o = TableObjets[n];
        o = Objet{};
        o.numeroObjet = n;
        o.actif = 0;
        for (int i = x; i < x + largeur; ++i)
            for (int j = y; j < y + hauteur; ++j) GrilleUnites[i + 128 * j] = n;
    }
    // A group in the table (marked in use) with the given members.
    Groupe& GroupeAvec(int g, const std::vector<int>& membres, int modeFormation = 1) {
        static NoeudEntier noeud{};
        Groupe& gr = TableGroupes[g];
        delete[] gr.membres;
        gr = Groupe{};
        gr.indice = g;
        gr.noeudListe = &noeud;
        gr.modeFormation = modeFormation;
        gr.groupeCibleIA = -1;
        gr.capacite = static_cast<int32_t>(membres.size()) + 1;
        gr.membres = new int32_t[gr.capacite]();
        gr.nbMembres = static_cast<int32_t>(membres.size());
        for (size_t i = 0; i < membres.size(); ++i) {
            gr.membres[i] = membres[i];
            TableObjets[membres[i]].groupe = g;
        }
        return gr;
    }
    static uint32_t& Sol(int x, int y) { return CarteOccupationSol[x + 128 * y]; }
    static uint32_t& Air(int x, int y) { return CarteOccupationAir[x + 128 * y]; }
    static uint32_t& SolBase(int x, int y) { return CarteOccupationSolBase[x + 128 * y]; }
};
