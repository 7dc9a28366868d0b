#include <gtest/gtest.h>

#include <string>

#include "catalogue_fixture.h"

namespace {
using Catalogues = CatalogueFixture;
}

TEST_F(Catalogues, UnitesCategoriesEtMaitres) {
    Catalogue__charger(0);
    ASSERT_TRUE(Catalogue);
    EXPECT_EQ(NumeroJoueur, 0);
    EXPECT_EQ(CampCatalogue, 0);
    const CatalogueDonnees& c = *Catalogue;
    ASSERT_EQ(c.nombreTypesUnites, 3);
    EXPECT_EQ(c.typesUnites[0].nom, "Héros");
    EXPECT_EQ(c.typesUnites[0].numeroMaitre, 5);
    EXPECT_EQ(c.typesUnites[0].categorie, 2);          // a leader stays a leader
    EXPECT_EQ(c.typesUnites[0].typeSection, -1);       // section flag 0
    EXPECT_EQ(c.typesUnites[1].categorie, 1);          // NiveauSoldat 1
    EXPECT_EQ(c.typesUnites[1].typeSection, 0);
    EXPECT_EQ(c.typesUnites[2].categorie, 0);          // NiveauArcher 0
    EXPECT_EQ(c.typesUnites[2].numeroMaitre, 13);
    EXPECT_EQ(c.typesUnites[2].frame, 3);
    EXPECT_EQ(c.typesUnites[2].symbole, 4);
    EXPECT_EQ(Catalogue__typeDepuisMaitre(20), 1);
    EXPECT_EQ(Catalogue__typeDepuisMaitre(21), -1);
    EXPECT_EQ(Catalogue__sectionDepuisMaitre(401), 1);
}

TEST_F(Catalogues, SectionsCoutsEtDispositions) {
    Catalogue__charger(0);
    const CatalogueDonnees& c = *Catalogue;
    ASSERT_EQ(c.nombreTypesSections, 2);
    const TypeSection& s = c.typesSections[0];
    EXPECT_EQ(s.nom, "Soldats de l'Empire");
    EXPECT_EQ(s.numeroMaitre, 400);
    EXPECT_EQ(s.frame, 10);
    EXPECT_EQ(s.gainPointsAction, 3);
    EXPECT_EQ(s.siegeSeul, 0);
    EXPECT_EQ(c.typesSections[1].siegeSeul, 1);
    EXPECT_EQ(s.couts[COUT_PLAINE][0], (PaireCout{0, 1}));
    EXPECT_EQ(s.couts[COUT_PLAINE][1], (PaireCout{0, 0}));
    EXPECT_EQ(s.couts[COUT_MONTAGNE][0], (PaireCout{-1, -1}));
    EXPECT_EQ(s.couts[COUT_ATTAQUER][0], (PaireCout{2, 0}));
    EXPECT_EQ(s.couts[COUT_ATTAQUER][2], (PaireCout{-1, -1}));
    EXPECT_EQ(s.couts[COUT_MARCHE_FORCEE][2], (PaireCout{1, 0}));
    EXPECT_EQ(c.typesSections[1].couts[COUT_FORET][0], (PaireCout{3, 0}));

    // NIVEAU 1 is skipped; NIVEAU 2..4 fill the castle levels 1..3.
    const DispositionSection* d1 = Catalogue__disposition(1, 0);
    ASSERT_NE(d1, nullptr);
    EXPECT_EQ(d1->largeur, 2);
    EXPECT_EQ(d1->hauteur, 2);
    EXPECT_EQ(d1->nombreUnites, 3);
    EXPECT_EQ(d1->composition[0], 1);
    EXPECT_EQ(d1->composition[1], 2);
    EXPECT_EQ(d1->disposition[1][1], -1);
    const DispositionSection* d2 = Catalogue__disposition(2, 0);
    EXPECT_EQ(d2->largeur, 3);
    EXPECT_EQ(d2->composition[1], 4);
    EXPECT_EQ(d2->nombreUnites, 5);
    EXPECT_EQ(Catalogue__disposition(3, 1)->composition[2], 4);
    EXPECT_EQ(Catalogue__disposition(0, 0), nullptr);
    EXPECT_EQ(Catalogue__disposition(4, 0), nullptr);
}

TEST_F(Catalogues, NumeroJoueurHorsTableLitToutesLesFactions) {
    arbre.Ecrire("sections/All.txt", CATALOGUE_EMPIRE);
    std::filesystem::remove(arbre.Racine() / "sections/Empire.txt");
    Catalogue__charger(9);
    EXPECT_EQ(Catalogue->nombreTypesUnites, 3);
    Catalogue__liberer();
    Catalogue__charger(4);
    EXPECT_EQ(Catalogue->nombreTypesSections, 2);
}

TEST_F(Catalogues, MaitreInconnuDonneMoinsUn) {
    std::string texte = CATALOGUE_EMPIRE;
    texte.replace(texte.find("\"EMPIRE___ARCHER\""), 17, "\"INCONNU\"");
    texte.replace(texte.find("\"Archers\""), std::string::npos, "");
    texte.replace(texte.find("[SECTIONS] 2"), 12, "[SECTIONS] 1");
    texte.replace(texte.find("3 4 1 1 1"), 9, "3 4 1 1 0");   // the archers form no section now
    arbre.Ecrire("sections/Empire.txt", texte);
    Catalogue__charger(0);
    EXPECT_EQ(Catalogue->typesUnites[2].numeroMaitre, -1);
}

TEST_F(Catalogues, FichiersFautifs) {
    struct Cas {
        const char* avant;
        const char* apres;
        const char* rapport;
    } cas[] = {
        {"[UNITES] 3", "[UNITES] 91", "Erreur: Erreur dans le fichier : ..\\Sections\\Empire.txt (nombre d'unités)"},
        {"\"Archer\" \"EMPIRE___ARCHER\"", "Archer \"EMPIRE___ARCHER\"",
         "Erreur: Erreur dans le fichier : ..\\Sections\\Empire.txt (nom de la l'unité)"},
        {"\"NiveauArcher\"", "\"NiveauArc\"", "Erreur: Erreur dans le fichier : ..\\Sections\\Empire.txt (NiveauArc)"},
        {"2PA 3PA 1T", "2PA 3PA 1X",
         "Erreur: Erreur dans le fichier : ..\\Sections\\Empire.txt (unité incorrecte dans déplacement en montagne)"},
        {"2PA 3PA 1T", "2PX 3PA 1T",
         "Erreur: Erreur dans le fichier : ..\\Sections\\Empire.txt (unité PX incorrecte dans déplacement en plaine)"},
        {"12 13 4 1", "12 13 4 x", "Erreur: Erreur dans le fichier : ..\\Sections\\Empire.txt (flag siege seul incorrecte)"},
        {"\"\" 12 13", "\"Rien\" 12 13", "Erreur: Erreur dans le fichier : ..\\Sections\\Empire.txt (variable inconnue)"},
        {"\"SECTION_ARCHERS\"", "\"SECTION_SANS_FICHIER\"",
         "Erreur: Erreur dans le fichier ..\\Sections\\Empire.txt : SECTION_SANS_FICHIER (pas de fichier maître)"},
        {"12 13 4 1", "256 13 4 1", "Erreur: Erreur dans le fichier : ..\\Sections\\Empire.txt (numero de frame)"},
        {"3 4 1 1 1", "3 -4 1 1 1", "Erreur: Erreur dans le fichier : ..\\Sections\\Empire.txt (numero de symbole)"},
        {"3 4 1 1 1", "3 4 90 1 1", "Erreur: Erreur dans le fichier : ..\\Sections\\Empire.txt (type de section)"},
        // Within the table but past the two section types of the file.
        {"3 4 1 1 1", "3 4 2 1 1", "Erreur: Erreur dans le fichier : ..\\Sections\\Empire.txt (type de section)"},
    };
    for (const Cas& c : cas) {
        std::string texte = CATALOGUE_EMPIRE;
        texte.replace(texte.find(c.avant), std::string(c.avant).size(), c.apres);
        arbre.Ecrire("sections/Empire.txt", texte);
        EXPECT_EQ(Fatale([] { Catalogue__charger(0); }), c.rapport) << c.apres;
    }
}

TEST_F(Catalogues, DispositionsFautives) {
    struct Cas {
        const char* contenu;
        const char* attendu;
    } cas[] = {
        {"NIVEAU 2 LARGEURHAUTEUR 33 1 COMPOSITION", "largeur ou hauteur"},
        {"NIVEAU 2 LARGEUR 2 1 COMPOSITION", "largeur et hauteur"},
        {"NIVEAU 5 LARGEURHAUTEUR 1 1 COMPOSITION EMPIRE___ARCHER", "niveau du chateau"},
        {"NIVEAU 2 LARGEURHAUTEUR 2 1 EMPIRE___ARCHER", "composition"},
        {"NIVEAU 2 LARGEURHAUTEUR 2 1 COMPOSITION EMPIRE___ARCHER", "case"},
        {"NIVEAU 2 LARGEURHAUTEUR 1 1 COMPOSITION SECTION_SOLDATS", "SECTION_SOLDATS"},
    };
    for (const Cas& c : cas) {
        arbre.Ecrire("sections/sect_archers.sct", c.contenu);
        EXPECT_EQ(Fatale([] { Catalogue__charger(0); }),
                  std::string("Erreur: Erreur dans le fichier : ..\\sections\\sect_archers.sct (") + c.attendu + ")")
            << c.contenu;
    }
    std::filesystem::remove(arbre.Racine() / "sections/sect_archers.sct");
    EXPECT_EQ(Fatale([] { Catalogue__charger(0); }), "Erreur: Fichier non trouvé : ..\\sections\\sect_archers.sct");
}

TEST_F(Catalogues, ListeDesMaitres) {
    ListeObjetsMaitres* l = ObjetsMaitres__charger();
    EXPECT_EQ(ObjetsMaitres__numero(l, "EMPIRE___SOLDAT"), 20);
    EXPECT_EQ(ObjetsMaitres__numero(l, "empire___soldat"), -1);
    EXPECT_EQ(ObjetsMaitres__numero(l, "GFX_0"), -1);   // the graphic objects are another list
    EXPECT_EQ(l->entrees[401].commentaire, "sect_archers");
    EXPECT_TRUE(l->entrees[0].commentaire.empty());
    ObjetsMaitres__liberer(l);
    // The list starts at the marker as a whole word, form feeds and vertical tabs among the blanks.
    arbre.Ecrire("ini/mv.ini", "//liste_des_objets_ma\xEEtres.x\n#define FAUX 1 // faux\n//.\n"
                               "\f//liste_des_objets_ma\xEEtres.\v#define BON 2 // bon\n//.\n");
    l = ObjetsMaitres__charger();
    EXPECT_EQ(ObjetsMaitres__numero(l, "BON"), 2);
    EXPECT_EQ(ObjetsMaitres__numero(l, "FAUX"), -1);
    ObjetsMaitres__liberer(l);
    arbre.Ecrire("ini/mv.ini", "//liste_des_objets_ma\xEEtres.\n#define TROP 600 // x\n//.\n");
    EXPECT_EQ(Fatale([] { ObjetsMaitres__liberer(ObjetsMaitres__charger()); }),
              "Erreur: Erreur dans le fichier : ..\\ini\\mv.ini (MAX)");
    arbre.Ecrire("ini/mv.ini", "rien\n");
    EXPECT_EQ(Fatale([] { ObjetsMaitres__liberer(ObjetsMaitres__charger()); }),
              "Erreur: Erreur dans le fichier : ..\\ini\\mv.ini");
}
