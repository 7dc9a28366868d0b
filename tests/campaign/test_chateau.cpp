#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "arbre_temporaire.h"
#include "campaign/armee.h"
#include "campaign/campagne.h"
#include "campaign/chateau.h"
#include "campaign/region.h"
#include "campaign/variables.h"
#include "foundation/ecran_fixture.h"
#include "shell/routeur.h"

namespace {

const char* const MV_INI =
    "// Graphic objects\n//liste_des_objets.\n#define GFX_0 0 // neutre\n//.\n"
    "//liste_des_objets_ma\xEEtres.\n"
    "#define LIBRE_0 0 // -\n"
    "#define BARAQUE 52 // caserne\n"
    "#define DONJON1 200 // caserne\n"
    "#define DONJON2 201 // caserne\n"
    "#define FORGE 202 // caserne\n"
    "//.\n";

std::string Textes() { return "\"a\" \"b\" \"c\" \"d\" \"e\"\n"; }

std::string Dev(const char* nom, int prix, const char* variable, int valeur) {
    return std::string("Developpement__nom \"") + nom + "\"\n\tDeveloppement__prix " + std::to_string(prix) +
           "\n\tDeveloppement__nomVariable \"" + variable + "\"\n\tDeveloppement__valeur " + std::to_string(valeur) +
           "\nDeveloppement__description " + Textes();
}

std::string Cons(const char* nom, int prix, const char* type, int niveau) {
    return std::string("\tConstruction__nom \"") + nom + "\"\n\tConstruction__prix " + std::to_string(prix) +
           "\n\tConstruction__typeBatiment \"" + type + "\"\n\tConstruction__niveauBatiment " + std::to_string(niveau) +
           "\nConstruction__description " + Textes();
}

std::string Bat(const char* type, int niveau, const char* maitre, const char* nom, const char* variable, int base,
                const std::string& possibilites, int nbPoss, const std::string& devs, int nbDevs,
                const std::string& cons = "", int nbCons = 0) {
    return std::string("Batiment__type \"") + type + "\"\nBatiment__niveau " + std::to_string(niveau) +
           "\nBatiment__nomObjetMaitre \"" + maitre + "\"\nBatiment__nom \"" + nom + "\"\nBatiment__nomVariable \"" +
           variable + "\"\nBatiment__estDeBase " + std::to_string(base) + "\nBatiment__nbPossibilites " +
           std::to_string(nbPoss) + "\n" + possibilites + "Batiment__nbDeveloppements " + std::to_string(nbDevs) +
           "\n" + devs + "Batiment__nbConstructions " + std::to_string(nbCons) + "\n" + cons;
}

std::string Poss(const char* variable, int valeur) {
    return std::string("\t\tPossibilite__nomVariable \"") + variable + "\"\n\t\tPossibilite__valeur " +
           std::to_string(valeur) + "\n";
}

// Keep levels 1 and 2 (base), barracks level 1 (base), a forge of level 1 ordered from the keep.
std::string Catalogue() {
    return "nbBatiments 5\n" +
           Bat("Donjon", 1, "DONJON1", "Donjon", "NiveauDonjon", 1, Poss("NiveauSoldat", 1), 1,
               Dev("Armures", 200, "NiveauArmures", 1), 1, Cons("Forge", 250, "Forge", 1), 1) +
           Bat("Donjon", 2, "DONJON2", "Donjon fortifie", "NiveauDonjon", 1, Poss("NiveauMagicien", 1), 1,
               Dev("Armes", 400, "NiveauArmes", 1) + Dev("Armures 2", 300, "NiveauArmures", 2), 2) +
           Bat("Baraquement", 1, "BARAQUE", "Baraquement", "NiveauBaraquement", 1, "", 0,
               Dev("Rangs", 100, "NiveauCohesion", 1), 1) +
           Bat("Forge", 1, "FORGE", "Forge", "NiveauForge", 0, Poss("NiveauArcher", 1), 1, "", 0) +
           Bat("Ecurie", 1, "INCONNU", "Ecurie", "NiveauEcurie", 0, "", 0, "", 0);
}

class Chateau : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    void SetUp() override {
        ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}));
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        for (const Variable& v : TableVariables) *v.valeur = *v.valeurSuivante = 0;
        CampParJoueur[0] = 0;
        NiveauChateau = NiveauChateauSuivant = 1;
        OrJoueur = 0;
        AmeliorationChateauPossible = 0;
        arbre.Ecrire("ini/mv.ini", MV_INI);
        arbre.Ecrire("Localisation/Empire.txt", Catalogue());
        arbre.Ecrire("Armees/reserve.txt", "or 0\nnbReserves 0\n");
    }
    void TearDown() override {
        for (auto& niveau : CatalogueBatiments)
            for (auto& b : niveau) b.reset();
        CampParJoueur[0] = 1;
        Plateforme_Fermer();
    }
    Batiment* B(int niveau, int type) { return CatalogueBatiments[niveau][type].get(); }

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

}  // namespace

TEST_F(Chateau, CatalogueLuEtBatimentsDeBaseDuNiveau) {
    NiveauChateau = 2;
    Batiments__chargerCatalogue();
    ASSERT_NE(B(0, 0), nullptr);
    EXPECT_EQ(B(0, 0)->numeroMaitre, 200);
    EXPECT_EQ(B(1, 0)->numeroMaitre, 201);
    EXPECT_EQ(B(1, 0)->nom, "Donjon fortifie");
    EXPECT_EQ(B(0, 1)->numeroMaitre, 52);
    EXPECT_EQ(B(0, 4)->numeroMaitre, -1);   // a master name not in the list
    EXPECT_EQ(B(1, 0)->developpements.size(), 2u);
    EXPECT_EQ(B(1, 0)->developpements[1].description[4], "e");
    EXPECT_EQ(B(0, 0)->constructions[0].typeBatiment, 2);
    EXPECT_EQ(B(2, 0), nullptr);
    // At castle level 2 the keep of level 2 is built and applies its possibilities; the keep of
    // level 1 and the barracks are not the level's base buildings.
    EXPECT_EQ(NiveauDonjon, 2);
    EXPECT_EQ(NiveauDonjonSuivant, 2);
    EXPECT_EQ(NiveauMagicien, 1);
    EXPECT_EQ(NiveauMagicienSuivant, 1);
    EXPECT_EQ(NiveauSoldat, 0);
    EXPECT_EQ(NiveauBaraquement, 0);

    int32_t type = -1, niveau = -1;
    EXPECT_TRUE(Batiment__chercher(201, &type, &niveau));
    EXPECT_EQ(type, 0);
    EXPECT_EQ(niveau, 1);
    EXPECT_FALSE(Batiment__chercher(999, &type, &niveau));
    EXPECT_EQ(Batiment__typeDepuisNom(0, "TourMagiciens"), 7);
    EXPECT_EQ(Batiment__typeDepuisNom(3, "TourMagiciens"), -1);
    EXPECT_EQ(Batiment__typeDepuisNom(3, "RepaireTenebres"), 8);
}

TEST_F(Chateau, PlacementAtteintLesNiveauxSuperieurs) {
    Batiments__chargerCatalogue();
    arbre.Ecrire("niveau/chateau.mv", "[TUILES] 0\n[BATIMENTS]\n3\n200 60 40 2 1\n52 44 40 1 1\n7 1 1 1 1\n[OBJETS]\n0\n");
    Batiments__chargerPlacement("..\\niveau\\chateau.mv");
    for (int v : {0, 1}) {
        EXPECT_EQ(B(v, 0)->place, 1);
        EXPECT_EQ(B(v, 0)->x, 60);
        EXPECT_EQ(B(v, 0)->y, 40);
        EXPECT_EQ(B(v, 0)->direction, 2);
    }
    EXPECT_EQ(B(0, 1)->x, 44);
    EXPECT_EQ(B(0, 2)->place, 0);
    // Not a catalogue building: the level loader places it itself.
    EXPECT_EQ(Batiment__poserParId(7, 1), 1);
    // The forge is not built: nothing placed, nothing ordered.
    EXPECT_EQ(Batiment__poserParId(202, 3), 0);
    EXPECT_EQ(NiveauForgeSuivant, 0);

    arbre.Ecrire("niveau/faux.mv", "[BATIMENTS]\n2\n200 60 40\n");
    const std::string rapport = Fatale([] { Batiments__chargerPlacement("..\\niveau\\faux.mv"); });
    EXPECT_NE(rapport.find("(batiment)"), std::string::npos) << rapport;
}

TEST_F(Chateau, FautesDuCatalogueRefusees) {
    const std::string base = Bat("Donjon", 1, "DONJON1", "Donjon", "NiveauDonjon", 1, "", 0, "", 0);
    const struct {
        std::string fichier;
        const char* message;
    } cas[] = {
        // A construction of a building the catalogue lacks (the keep of level 3).
        {"nbBatiments 1\n" + Bat("Donjon", 1, "DONJON1", "Donjon", "NiveauDonjon", 1, "", 0, "", 0,
                                 Cons("Citadelle", 10, "Donjon", 3), 1),
         "La construction Citadelle"},
        {"nbBatiments 1\n" + Bat("Donjon", 1, "DONJON1", "Donjon", "NiveauDonjon", 1, Poss("NiveauRien", 1), 1, "", 0),
         "La variable NiveauRien est inconnue"},
        // The always-available variable has no next value to order.
        {"nbBatiments 1\n" + Bat("Donjon", 1, "DONJON1", "Donjon", "", 1, "", 0, "", 0), "La variable  est inconnue"},
        {"nbBatiments 1\n" + Bat("Donjon", 1, "DONJON1", "Donjon", "niveaudonjon", 1, "", 0, "", 0),
         "La variable niveaudonjon est inconnue"},
        {"nbBatiments 1\n" + Bat("Donjon", 1, "DONJON1", "Donjon", "NiveauDonjon", 1, "", 0,
                                 Dev("X", 1, "NiveauPasLa", 1), 1),
         "La variable NiveauPasLa est inconnue"},
        {"nbBatiments 1\n" + Bat("Tour", 1, "DONJON1", "Tour", "NiveauDonjon", 1, "", 0, "", 0),
         "Le type de batiment Tour est inconnu"},
        {"nbBatiments 1\n" + Bat("Donjon", 0, "DONJON1", "Donjon", "NiveauDonjon", 1, "", 0, "", 0),
         "Batiment__niveau < 0"},
        {"nbBatiments 2\n" + base, "Batiment__type non défini"},
        {"nbBatiments 1\n" + base.substr(0, base.find("Batiment__nbDev")), "Batiment__nbDeveloppements non défini"},
        {"nbBatiments 1\n" + Bat("Donjon", 1, "DONJON1", "Donjon", "NiveauDonjon", 1, "", 0,
                                 "Developpement__nom \"X\"\n\tDeveloppement__prix 1\n\tDeveloppement__nomVariable "
                                 "\"NiveauArmes\"\n\tDeveloppement__valeur 1\nDeveloppement__description \"a\"\n",
                                 1),
         " NiveauArmes Developpement__description non défini"},
        {"nbBatiments 1\nBatiment__type Donjon\n", "Batiment__type non défini"},   // no quotes
        {"", "nbBatiments non défini"},
    };
    for (const auto& c : cas) {
        arbre.Ecrire("Localisation/Empire.txt", c.fichier);
        std::remove((arbre.Racine() / "Erreur.txt").c_str());
        const std::string rapport = Fatale([] { Batiments__chargerCatalogue(); });
        EXPECT_NE(rapport.find(c.message), std::string::npos) << c.message << "\n" << rapport;
    }
    std::remove((arbre.Racine() / "Localisation/Empire.txt").c_str());
    EXPECT_NE(Fatale([] { Batiments__chargerCatalogue(); }).find("Empire.txt non trouvé"), std::string::npos);
}

TEST_F(Chateau, DefinitionMultipleGardeLaPremiere) {
    arbre.Ecrire("Localisation/Empire.txt",
                 "nbBatiments 2\n" + Bat("Donjon", 1, "DONJON1", "Premier", "NiveauDonjon", 1, "", 0, "", 0) +
                     Bat("Donjon", 1, "DONJON2", "Second", "NiveauDonjon", 1, "", 0, "", 0));
    testing::internal::CaptureStderr();
    Batiments__chargerCatalogue();
    const std::string sortie = testing::internal::GetCapturedStderr();
    ASSERT_NE(B(0, 0), nullptr);
    EXPECT_EQ(B(0, 0)->nom, "Premier");
    EXPECT_EQ(B(0, 0)->numeroMaitre, 200);
    EXPECT_NE(sortie.find("multiple du batiment Second (niveau 1)"), std::string::npos) << sortie;
}

TEST_F(Chateau, PositionnementFichierBorne) {
    const std::string mot(5000, 'x');
    const struct {
        std::string texte;
        int attendu;
    } cas[] = {
        {"a b\n[BATIMENTS]\n3", 1},
        {"a b [BATIMENT] c", 0},
        {"", 0},
        {mot + " [BATIMENTS] 1", 0},   // a word far too long: not found
        {std::string(2047, 'y') + " [BATIMENTS] 1", 1},
    };
    for (const auto& c : cas) {
        arbre.Ecrire("mots.txt", c.texte);
        FILE* f = std::fopen((arbre.Racine() / "mots.txt").c_str(), "r");
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(PositionnementFichier(f, "[BATIMENTS]"), c.attendu) << c.texte.substr(0, 40);
        if (c.attendu == 1) {
            int n = 0;
            EXPECT_EQ(std::fscanf(f, "%d", &n), 1);
        }
        std::fclose(f);
    }
}

TEST_F(Chateau, LignesOffertesEtAchats) {
    Batiments__chargerCatalogue();
    Batiment* donjon = B(0, 0);
    // Built at castle level 1: the keep, its possibility.
    EXPECT_EQ(NiveauDonjon, 1);
    EXPECT_EQ(NiveauSoldat, 1);
    auto lignes = InterfaceUpgradeChateau__lignes(*donjon);
    ASSERT_EQ(lignes.size(), 2u);
    EXPECT_EQ(lignes[0].developpement->nom, "Armures");
    EXPECT_EQ(lignes[1].construction->nom, "Forge");

    // Not enough gold: nothing changes.
    OrJoueur = 199;
    EXPECT_FALSE(InterfaceUpgradeChateau__acheter(donjon, 0));
    EXPECT_EQ(OrJoueur, 199);
    EXPECT_EQ(NiveauArmures, 0);
    EXPECT_EQ(NiveauArmuresSuivant, 0);
    EXPECT_EQ(InterfaceUpgradeChateau__lignes(*donjon).size(), 2u);

    // A development bought is applied at once and no longer offered; the gold is kept.
    OrJoueur = 500;
    donjon->ligneChoisie = 1;
    EXPECT_TRUE(InterfaceUpgradeChateau__acheter(donjon, 0));
    EXPECT_EQ(NiveauArmures, 1);
    EXPECT_EQ(NiveauArmuresSuivant, 1);
    EXPECT_EQ(OrJoueur, 300);
    EXPECT_EQ(arbre.Lire("Armees/reserve.txt"), "or 300\nnbReserves 0\n");
    lignes = InterfaceUpgradeChateau__lignes(*donjon);
    ASSERT_EQ(lignes.size(), 1u);
    EXPECT_EQ(donjon->ligneChoisie, 0);   // kept inside the lines left

    // A construction orders its building for the next castle entry.
    EXPECT_TRUE(InterfaceUpgradeChateau__acheter(donjon, 0));
    EXPECT_EQ(OrJoueur, 50);
    EXPECT_EQ(NiveauForge, 0);
    EXPECT_EQ(NiveauForgeSuivant, 1);
    EXPECT_EQ(NiveauArcherSuivant, 1);
    EXPECT_TRUE(InterfaceUpgradeChateau__lignes(*donjon).empty());
    // Nothing left: Return does nothing.
    EXPECT_FALSE(InterfaceUpgradeChateau__acheter(donjon, 0));
    EXPECT_EQ(NiveauChateauSuivant, 1);
}

TEST_F(Chateau, DernierDeveloppementEleveLeChateauEtSauve) {
    Batiments__chargerCatalogue();
    arbre.Ecrire("ini/variables.txt", "NiveauChateau 1 1\n");
    OrJoueur = 10000;
    ASSERT_TRUE(InterfaceUpgradeChateau__acheter(B(0, 0), 0));   // Armures
    ASSERT_TRUE(InterfaceUpgradeChateau__acheter(B(0, 0), 0));   // Forge
    EXPECT_EQ(Batiments__toutAcquis(1), 0);
    EXPECT_EQ(NiveauChateauSuivant, 1);
    ASSERT_TRUE(InterfaceUpgradeChateau__acheter(B(0, 1), 0));   // Rangs, the last of level 1
    EXPECT_EQ(Batiments__toutAcquis(1), 1);
    EXPECT_EQ(NiveauChateau, 2);
    EXPECT_EQ(NiveauChateauSuivant, 2);
    EXPECT_EQ(NiveauDonjon, 2);   // the keep of level 2 is ordered and applied
    EXPECT_EQ(NiveauForge, 1);    // the construction too
    const std::string variables = arbre.Lire("ini/variables.txt");
    EXPECT_NE(variables.find("NiveauChateau 2 2\n"), std::string::npos);
    EXPECT_NE(variables.find("NiveauCohesion 1 1\n"), std::string::npos);
}

TEST_F(Chateau, LeDonjonEleveLeChateau) {
    Batiments__chargerCatalogue();
    NiveauChateau = 2;
    NiveauChateauSuivant = 2;
    // The keep of a lower level than the castle's does nothing.
    EXPECT_EQ(InterfaceUpgradeChateau(200), 0);
    EXPECT_EQ(InterfaceUpgradeChateau(52), 0);
    EXPECT_EQ(InterfaceUpgradeChateau(7), 0);
    EXPECT_EQ(NiveauChateauSuivant, 2);
    AmeliorationChateauPossible = 1;
    EXPECT_EQ(InterfaceUpgradeChateau(201), 1);
    EXPECT_EQ(NiveauChateauSuivant, 3);
    EXPECT_EQ(AmeliorationChateauPossible, 0);

    // A castle level of 4 or more is refused and reported, and the program goes on.
    NiveauChateau = 4;
    NiveauChateauSuivant = 4;
    testing::internal::CaptureStderr();
    EXPECT_EQ(InterfaceUpgradeChateau(201), 0);
    const std::string sortie = testing::internal::GetCapturedStderr();
    EXPECT_NE(sortie.find("NiveauChateau incorrect4"), std::string::npos) << sortie;
    EXPECT_EQ(NiveauChateauSuivant, 4);
}

TEST_F(Chateau, TassementDeLArmeeDuChateau) {
    const auto regiment = [](int mort, const char* nom) {
        return "Regiment__mort " + std::to_string(mort) + "\nRegiment__nom = " + nom + "\n";
    };
    for (const char* dossier : {"armees/Joueur0/", "tmp/Joueur0/"}) {
        arbre.Ecrire(std::string(dossier) + "entete_armee.txt", "nbRegiments 3\n");
        arbre.Ecrire(std::string(dossier) + "regiment0.txt", regiment(0, "Premier"));
        arbre.Ecrire(std::string(dossier) + "regiment1.txt", regiment(1, "Mort"));
        arbre.Ecrire(std::string(dossier) + "regiment2.txt", regiment(0, "Troisieme"));
    }
    for (int i = 0; i < 3; ++i) RegimentsRegion[i].x = 10 + i;
    Chateau__tasserArmee();
    for (const char* dossier : {"armees/Joueur0/", "tmp/Joueur0/"}) {
        EXPECT_EQ(arbre.Lire(std::string(dossier) + "entete_armee.txt"), "nbRegiments 2\n") << dossier;
        EXPECT_EQ(arbre.Lire(std::string(dossier) + "regiment0.txt"), regiment(0, "Premier")) << dossier;
        EXPECT_EQ(arbre.Lire(std::string(dossier) + "regiment1.txt"), regiment(0, "Troisieme")) << dossier;
    }
    // The region record of the third regiment moved with its file.
    EXPECT_EQ(RegimentsRegion[0].x, 10);
    EXPECT_EQ(RegimentsRegion[1].x, 12);

    std::remove((arbre.Racine() / "armees/Joueur0/entete_armee.txt").c_str());
    EXPECT_NE(Fatale([] { Chateau__tasserArmee(); }).find("fichier de positions non trouvé"), std::string::npos);
}
