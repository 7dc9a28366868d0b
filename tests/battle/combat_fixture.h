// Units with candidate lists and armies, on the bare battle map of the occupancy tests.
#pragma once

#include "battle/occupation.h"
#include "occupation_fixture.h"
#include "shell/conditions.h"

class CombatEssai : public CarteEssai {
  protected:
    void SetUp() override {
        CarteEssai::SetUp();
        attaque = TableAttaque;
        ciblage = TableCiblage;
    }
    void TearDown() override {
        TableAttaque = attaque;
        TableCiblage = ciblage;
        CarteEssai::TearDown();
    }
    // A melee unit of the army with lists, range and damage (its capacity too).
    Objet& Soldat(int n, int x, int y, int armee, int groupe = -1, int portee = 1, int degats = 5) {
        Objet& o = Unite(n, x, y, 1, 1, groupe);
        o.armee = armee;
        o.sorts[0] = -1;
        o.typeMaitre = 1;
        Objet__AlloueTrajet(n);
        o.porteeAttaque = portee;
        o.porteeVue = portee + 2;
        o.degats = o.capaciteEngagement = degats;
        o.compteurRepos = 1;
        return o;
    }
    RelationJoueurs attaque{}, ciblage{};
};
