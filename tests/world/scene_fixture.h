// The sample game's text data (data/) copied into a temporary tree with the sample sprites, its masters loaded, and a
// battle scene started and ended on a level of it. Reports are read from "..\Erreur.txt"; a
// fatal report ends the test's call with FinProgramme.
#pragma once

#include <filesystem>
#include <string>

#include "monde_fixture.h"
#include "campaign/campagne.h"
#include "campaign/region.h"
#include "shell/routeur.h"
#include "world/groupes.h"
#include "world/mort.h"
#include "world/niveau.h"
#include "world/univers.h"

class Scene : public Monde {
  protected:
    void SetUp() override {
        Monde::SetUp();
        std::filesystem::copy(std::filesystem::path(MORVANE_SOURCE_DIR) / "data", arbre.Racine(),
                              std::filesystem::copy_options::recursive);
        // The sprites the asset maker drew for the sample game, shared read-only.
        std::filesystem::create_directory_symlink(std::filesystem::path(MORVANE_JEU_DIR) / "sprite",
                                                  arbre.Racine() / "sprite");
        // And its terrain set.
        std::filesystem::create_directory_symlink(std::filesystem::path(MORVANE_JEU_DIR) / "spredit",
                                                  arbre.Racine() / "spredit");
        AvantChargement();
        ASSERT_GT(Charger(), 0) << Rapport();
        ModeSceneCourant = 2;
        ModeJeuCourant = -1;
        MissionSpecialeEnCours = 0;
        // Past the tutorial: the battle's tip and the castle's help open no requester, which
        // would wait for input in the tests that have a window.
        CampagneCourante = EtapeCampagne = 1;
        std::snprintf(NomNiveauBataille, sizeof NomNiveauBataille, "..\\niveau\\essai.mv");
    }
    // A test may change the copied data before the masters are read.
    virtual void AvantChargement() {}

    void TearDown() override {
        Region__Quitte();
        Monde::TearDown();
    }

    // A battle world on the level; false when the program ended (code in *fin).
    bool Creer(const char* niveau = "..\\niveau\\essai.mv", int* fin = nullptr) {
        std::snprintf(NomNiveauBataille, sizeof NomNiveauBataille, "%s", niveau);
        try {
            UniversCreation();
            return true;
        } catch (const FinProgramme& f) {
            if (fin) *fin = f.code;
            return false;
        }
    }
    bool Demarrer(int* fin = nullptr) {
        try {
            ChargeRegion();
            return true;
        } catch (const FinProgramme& f) {
            if (fin) *fin = f.code;
            return false;
        }
    }
    std::string Niveau(const std::string& nom = "niveau/essai.mv") const { return arbre.Lire(nom); }

    // The groups of the world whose first member has master t, in creation order (oldest first).
    std::vector<int> GroupesDe(int t) const {
        std::vector<int> g;
        for (NoeudEntier* n = ListeGroupesActifs; n && n->suivant; n = n->suivant) {
            const Groupe& groupe = TableGroupes[n->valeur];
            if (groupe.nbMembres > 0 && TableObjets[groupe.membres[0]].typeMaitre == t) g.insert(g.begin(), n->valeur);
        }
        return g;
    }
};
