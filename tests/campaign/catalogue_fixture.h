// A small catalogue tree for the campaign tests: three unit types (a leader, soldiers, archers)
// and two section types of the faction "Empire", with their layouts and the variables file.
#pragma once

#include <gtest/gtest.h>

#include "arbre_temporaire.h"
#include "campaign/campagne.h"
#include "campaign/catalogue.h"
#include "campaign/variables.h"
#include "foundation/ecran_fixture.h"

inline const char* const MV_INI_CATALOGUE =
    "// Graphic objects\n//liste_des_objets.\n#define GFX_0 0 // neutre\n//.\n"
    "//liste_des_objets_ma\xEEtres.\n"
    "#define LIBRE_0 0 // -\n"
    "#define EMPIRE___HEROS 5 // heros\n"
    "#define EMPIRE___ARCHER 13 // archer\n"
    "#define EMPIRE___SOLDAT 20 // soldat\n"
    "#define SECTION_SOLDATS 400 // sect_soldats\n"
    "#define SECTION_ARCHERS 401 // sect_archers\n"
    "#define SECTION_SANS_FICHIER 402 // -\n"
    "//.\n";

inline const char* const CATALOGUE_EMPIRE =
    "Unités de l'Empire\n"
    "[UNITES] 3\n"
    "\"Héros\" \"EMPIRE___HEROS\" \"\" 4 5 -1 2 0\n"
    "\"Soldat\" \"EMPIRE___SOLDAT\" \"NiveauSoldat\" 1 2 0 1 1\n"
    "\"Archer\" \"EMPIRE___ARCHER\" \"NiveauArcher\" 3 4 1 1 1\n"
    "[SECTIONS] 2\n"
    "\"Soldats de l'Empire\" \"SECTION_SOLDATS\" \"NiveauSoldat\" 10 11 3 -\n"
    "  1PA 2PA - 3PA   2T 1PA -   1PA 1PA 1PA   - - -   2PA 3PA 1T   1PA 1PA 1PA\n"
    "\"Archers\" \"SECTION_ARCHERS\" \"\" 12 13 4 1\n"
    "  1PA 3T 2PA 3PA  1PA 1PA 1PA 1PA 1PA 1PA  2PA 2PA 2PA  1PA 1PA 1PA  1PA 1PA 1PA\n";

inline const char* const SCT_SOLDATS =
    "NIVEAU 1 LARGEURHAUTEUR 9 9 COMPOSITION rien\n"
    "NIVEAU 2\nLARGEURHAUTEUR 2 2\nCOMPOSITION\nEMPIRE___HEROS EMPIRE___SOLDAT\nEMPIRE___SOLDAT -\n"
    "NIVEAU 3\nLARGEURHAUTEUR 3 2\nCOMPOSITION\nEMPIRE___HEROS EMPIRE___SOLDAT EMPIRE___SOLDAT\n"
    "EMPIRE___SOLDAT - EMPIRE___SOLDAT\n"
    "NIVEAU 4\nLARGEURHAUTEUR 3 2\nCOMPOSITION\nEMPIRE___SOLDAT EMPIRE___SOLDAT EMPIRE___SOLDAT\n"
    "EMPIRE___SOLDAT EMPIRE___SOLDAT EMPIRE___HEROS\n";

inline const char* const SCT_ARCHERS =
    "NIVEAU 2 LARGEURHAUTEUR 2 1 COMPOSITION EMPIRE___ARCHER EMPIRE___ARCHER\n"
    "NIVEAU 3 LARGEURHAUTEUR 3 1 COMPOSITION EMPIRE___ARCHER EMPIRE___ARCHER EMPIRE___ARCHER\n"
    "NIVEAU 4 LARGEURHAUTEUR 2 2 COMPOSITION EMPIRE___ARCHER EMPIRE___ARCHER EMPIRE___ARCHER EMPIRE___ARCHER\n";

class CatalogueFixture : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    void SetUp() override {
        ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}));
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        for (const Variable& v : TableVariables) *v.valeur = *v.valeurSuivante = 0;
        NiveauSoldat = 1;
        CampParJoueur[0] = 0;   // the files are the Empire's
        arbre.Ecrire("ini/mv.ini", MV_INI_CATALOGUE);
        arbre.Ecrire("sections/Empire.txt", CATALOGUE_EMPIRE);
        arbre.Ecrire("sections/sect_soldats.sct", SCT_SOLDATS);
        arbre.Ecrire("sections/sect_archers.sct", SCT_ARCHERS);
    }
    void TearDown() override {
        Catalogue__liberer();
        CampParJoueur[0] = 1;
        Plateforme_Fermer();
    }

    // Runs an action expected to end the program and returns the report it wrote.
    template <typename F>
    std::string Fatale(F&& action) {
        testing::internal::CaptureStderr();
        try {
            action();
            ADD_FAILURE() << "returned";
        } catch (const FinProgramme&) {
        }
        testing::internal::GetCapturedStderr();
        return arbre.Lire("Erreur.txt");
    }
};
