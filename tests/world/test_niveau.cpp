// Level files and sections: the sample battle level's world, sections in any order, the tile
// stream, bounded entries, and the reports of malformed files.
#include <regex>

#include "scene_fixture.h"
#include "world/groupes.h"

namespace {

constexpr int REPERE = 130, SOLDAT = 20, ARCHER = 13, CASERNE = 200, ROCHER = 150, CHENE = 131;

class Niveaux : public Scene {};

TEST_F(Niveaux, LeNiveauDEssaiDonneSonMonde) {
    ASSERT_TRUE(Creer()) << Rapport();
    // The placeholder is the first object, its own cell left empty; water and the wall read as it.
    EXPECT_EQ(TableObjets[1].typeMaitre, REPERE);
    EXPECT_EQ(TableObjets[1].armee, ARMEE_REPERE);
    EXPECT_EQ(Univers__CaseUnites(1, 1), 0);
    EXPECT_EQ(EauPresente, 1);
    EXPECT_EQ(LavePresente, 0);
    EXPECT_EQ(Univers__CaseUnites(20, 60), 1);
    EXPECT_EQ(Univers__CaseUnites(64, 20), 1);
    EXPECT_EQ(Univers__CaseUnites(64, 61), 0);   // the gap in the wall
    EXPECT_EQ(GrilleMatieres[20 + 128 * 60], 'E');
    EXPECT_EQ(GrilleMatieres[64 + 128 * 30], 'I');
    EXPECT_EQ(GrilleMatieres[0], 'H');
    EXPECT_EQ(GrilleAltitude[8 * 32 + 2], 1);
    EXPECT_EQ(GrilleAltitude[0], 0);

    // The tile stream in file order, the overlays before their tiles, the trailing entries of row 20.
    EXPECT_EQ(NombreEntreesTuiles, 4100);
    EXPECT_EQ(DebutLigne[0], 0);
    EXPECT_EQ(DebutLigne[10], 640);
    EXPECT_EQ(TableDebutLigne[DebutLigne[10] + 5], -2);
    EXPECT_GT(TableDebutLigne[DebutLigne[10] + 6], 0);
    EXPECT_EQ(DebutLigne[21] - DebutLigne[20], 66);
    EXPECT_EQ(TableDebutLigne[DebutLigne[21] - 1], -1);

    ASSERT_EQ(GroupesDe(CASERNE).size(), 1u);
    const Objet& caserne = TableObjets[TableGroupes[GroupesDe(CASERNE)[0]].membres[0]];
    EXPECT_EQ(caserne.armee, 4);
    EXPECT_EQ(caserne.x, 30);
    EXPECT_EQ(GroupesDe(ROCHER).size(), 2u);
    EXPECT_EQ(GroupesDe(CHENE).size(), 7u);
    EXPECT_EQ(TableObjets[TableGroupes[GroupesDe(ROCHER)[0]].membres[0]].armee, 4);

    // The soldiers' block of 4 x 3 with one empty cell, for army value 1: army 0.
    const auto soldats = GroupesDe(SOLDAT);
    ASSERT_EQ(soldats.size(), 2u);
    const Groupe& joueur = TableGroupes[soldats[0]];
    EXPECT_EQ(joueur.nbMembres, 11);
    EXPECT_EQ(joueur.colonnes, 4);
    EXPECT_EQ(joueur.lignes, 3);
    EXPECT_EQ(joueur.codeSection, SOLDAT);
    EXPECT_EQ(joueur.niveauSection, 0);
    for (int i = 0; i < joueur.nbMembres; ++i) {
        const Objet& o = TableObjets[joueur.membres[i]];
        EXPECT_EQ(o.armee, 0);
        EXPECT_EQ(o.vitesse, TableObjets[joueur.membres[0]].vitesse);
    }
    EXPECT_EQ(Univers__CaseUnites(50, 50), joueur.membres[0]);
    EXPECT_EQ(Univers__CaseUnites(51, 51), 0);   // the "-" cell
    const auto archers = GroupesDe(ARCHER);
    ASSERT_EQ(archers.size(), 1u);
    EXPECT_EQ(TableGroupes[archers[0]].nbMembres, 6);
    EXPECT_EQ(TableGroupes[archers[0]].colonnes, 3);
    EXPECT_EQ(TableGroupes[archers[0]].lignes, 2);
    EXPECT_EQ(TableObjets[TableGroupes[archers[0]].membres[0]].armee, 1);
    EXPECT_EQ(NbUnitesAmies, 11);
    EXPECT_EQ(NbUnitesEnnemies, 6 + 11);
}

// The level with its labelled sections in reverse order, the tile stream still first.
std::string SectionsInversees(const std::string& niveau) {
    const size_t debut = niveau.find("[MATIERES]");
    std::vector<std::string> sections;
    size_t p = debut;
    while (p != std::string::npos) {
        size_t suivant = niveau.find("\r\n[", p + 1);
        sections.push_back(niveau.substr(p, suivant == std::string::npos ? std::string::npos : suivant + 2 - p));
        p = suivant == std::string::npos ? suivant : suivant + 2;
    }
    std::string s = niveau.substr(0, debut);
    for (auto i = sections.rbegin(); i != sections.rend(); ++i) s += *i + "\r\n";
    return s;
}

TEST_F(Niveaux, LesSectionsDansUnAutreOrdreDonnentLeMemeMonde) {
    ASSERT_TRUE(Creer()) << Rapport();
    std::vector<int32_t> unites(GrilleUnites, GrilleUnites + 128 * 128);
    std::vector<int32_t> types;
    for (int i = 1; i < NOMBRE_OBJETS; ++i) types.push_back(TableObjets[i].noeudListe ? TableObjets[i].typeMaitre : -1);
    UniversDestruction();

    const std::string inverse = SectionsInversees(Niveau());
    ASSERT_LT(inverse.find("[UNITES]"), inverse.find("[MATIERES]"));
    arbre.Ecrire("niveau/inverse.mv", inverse);
    arbre.Ecrire("niveau/inverse.VBat", Niveau("niveau/essai.VBat"));
    ASSERT_TRUE(Creer("..\\niveau\\inverse.mv")) << Rapport();
    EXPECT_EQ(std::vector<int32_t>(GrilleUnites, GrilleUnites + 128 * 128), unites);
    for (int i = 1; i < NOMBRE_OBJETS; ++i)
        EXPECT_EQ(TableObjets[i].noeudListe ? TableObjets[i].typeMaitre : -1, types[i - 1]) << i;
}

// A world emptied and filled again from the same level (as the fuzz target reads one level after
// another) is the world made afresh: the same slots, grids and counts, nothing left of the first.
TEST_F(Niveaux, LeMondeVideEtRechargeEstLeMondeNeuf) {
    ASSERT_TRUE(Creer()) << Rapport();
    auto etat = [] {
        std::vector<int32_t> e(GrilleUnites, GrilleUnites + 128 * 128);
        e.insert(e.end(), GrilleSol, GrilleSol + 128 * 128);
        e.insert(e.end(), GrilleAltitude, GrilleAltitude + COTE_ALTITUDE * COTE_ALTITUDE);
        for (int i = 1; i < NOMBRE_OBJETS; ++i) e.push_back(TableObjets[i].noeudListe ? TableObjets[i].typeMaitre : -1);
        for (int g = 1; g < NOMBRE_GROUPES; ++g) e.push_back(TableGroupes[g].noeudListe ? TableGroupes[g].nbMembres : -1);
        e.insert(e.end(), {NombreObjets, NombreGroupes, NombreEntreesTuiles, EauPresente});
        return e;
    };
    const std::vector<int32_t> neuf = etat();

    Univers__Vider();
    EXPECT_EQ(NombreObjets, 0);
    EXPECT_EQ(NombreGroupes, 0);
    EXPECT_TRUE(Liste__Vide(ListeObjetsVivants));
    EXPECT_EQ(Univers__CaseUnites(50, 50), 0);
    try {
        Univers__RechargeNiveau("..\\niveau\\essai.mv");
    } catch (const FinProgramme&) {
        FAIL() << Rapport();
    }
    EXPECT_EQ(etat(), neuf);
}

// Entries off the map, of an unknown master or army are reported and left out; the rest loads.
TEST_F(Niveaux, LesEntreesHorsBornesSontEcartees) {
    std::string n = Niveau();
    n = Remplacer(n, "[BATIMENTS]\r\n1\r\n200 30 30 1 4", "[BATIMENTS]\r\n3\r\n200 30 30 1 4\r\n200 130 30 1 4\r\n200 10 10 1 9");
    n = Remplacer(n, "[OBJETS]\r\n2\r\n", "[OBJETS]\r\n4\r\n599 3 3 0\r\n150 -1 5 0\r\n");
    n = Remplacer(n, "[UNITES]\r\n3\r\n", "[UNITES]\r\n4\r\n20 10 200 0 1 0 0\r\n");
    arbre.Ecrire("niveau/essai.mv", n);
    ASSERT_TRUE(Creer()) << Rapport();
    EXPECT_EQ(GroupesDe(CASERNE).size(), 1u);
    EXPECT_EQ(GroupesDe(ROCHER).size(), 2u);
    EXPECT_EQ(GroupesDe(SOLDAT).size(), 2u);
}

TEST_F(Niveaux, UneSectionSansUniteNeCreeRien) {
    arbre.Ecrire("sections/archer.sct", "NIVEAU 1 SECTION 3 2 X\r\n- - -\r\n- - -\r\n");
    ASSERT_TRUE(Creer()) << Rapport();
    EXPECT_TRUE(GroupesDe(ARCHER).empty());
    EXPECT_NE(Rapport().find("Section sans unité"), std::string::npos) << Rapport();
    // A level that is absent from the file, and a file cut in its block, create nothing either.
    UniversDestruction();
    arbre.Ecrire("sections/archer.sct", "NIVEAU 2 SECTION 3 2 X\r\nEMPIRE___ARCHER");
    ASSERT_TRUE(Creer()) << Rapport();
    EXPECT_TRUE(GroupesDe(ARCHER).empty());
    UniversDestruction();
    arbre.Ecrire("sections/archer.sct", "NIVEAU 1 SECTION 3 2 X\r\nEMPIRE___ARCHER -");
    ASSERT_TRUE(Creer()) << Rapport();
    ASSERT_EQ(GroupesDe(ARCHER).size(), 1u);
    EXPECT_EQ(TableGroupes[GroupesDe(ARCHER)[0]].nbMembres, 1);
}

// A decor master in 323..337 keeps its direction modulo 2; a negative direction is 0.
class DecorsOrientes : public Scene {
  protected:
    void AvantChargement() override {
        arbre.Ecrire("ini/mv.ini", Remplacer(arbre.Lire("ini/mv.ini"), "#define LIBRE_330 330 // -", "#define DECOR_330 330 // rocher"));
    }
};

TEST_F(DecorsOrientes, LaDirectionDesDecorsEstBornee) {
    arbre.Ecrire("niveau/essai.mv", Remplacer(Niveau(), "[OBJETS]\r\n2\r\n150 40 90 0\r\n150 42 92 1",
                                              "[OBJETS]\r\n2\r\n330 40 90 5\r\n150 42 92 -3"));
    ASSERT_TRUE(Creer()) << Rapport();
    ASSERT_EQ(GroupesDe(330).size(), 1u);
    EXPECT_EQ(TableObjets[TableGroupes[GroupesDe(330)[0]].membres[0]].direction, 1);
    EXPECT_EQ(TableObjets[TableGroupes[GroupesDe(ROCHER)[0]].membres[0]].direction, 0);
}

struct CasFatal {
    const char* nom;
    const char* avant;     // replaced in the sample level ("" writes `apres` as the whole file)
    const char* apres;
    const char* rapport;   // a pattern of the whole report
};

TEST_F(Niveaux, LesFichiersMalFormesSontRefusesAvecLeurRapport) {
    const CasFatal cas[] = {
        {"absent", nullptr, nullptr, R"(NiveauChargement\(\): Impossible de trouver le fichier : \.\.\\niveau\\essai\.mv)"},
        {"decroissant", "\r\n128\r\n", "\r\n50\r\n",
         R"(NiveauChargement\(\): Erreur critique 1 dans la table de début de ligne : 50, 64)"},
        {"decale", "\r\n128\r\n", "\r\n129\r\n",
         R"(NiveauChargement\(\): Erreur critique 3 dans la table de début de ligne : 129, 128)"},
        {"apres fin", "\r\n1348\r\n", "\r\n1349\r\n",
         R"(NiveauChargement\(\): Erreur critique 2 dans la table de début de ligne : 1349, 1348)"},
        {"trop long", "0 0 TERRAIN 4100", "0 0 TERRAIN 4000", R"(NiveauChargement\(\): Débordement .*)"},
        {"taille", "0 0 TERRAIN 4100", "0 0 TERRAIN -3", R"(NiveauChargement\(\): Taille .*-3.*)"},
        {"tronque", "", "0 0 TERRAIN 4100\r\n0\r\n1 2 3", R"(NiveauChargement\(\): Fin de fichier .*)"},
        {"section", "[UNITES]\r\n3\r\n20", "[UNITES]\r\n3\r\n999",
         R"(ImportationSectionEditeur\(\): Le code section 999 n'est pas trouvé)"},
        {"etiquette", "[ARBRES]", "[ARBRE]", R"(SCRIPT_C: Configuration_Position\(\): \[ARBRES\] non trouvé dans .*)"},
        {"nombre", "[OBJETS]\r\n2\r\n150 40", "[OBJETS]\r\n2\r\n150 quarante",
         R"(NiveauChargement\(\): Nombre attendu dans \[OBJETS\] : quarante .*)"},
    };
    const std::string original = Niveau();
    for (const CasFatal& c : cas) {
        SCOPED_TRACE(c.nom);
        std::filesystem::remove(arbre.Racine() / "Erreur.txt");
        if (c.avant == nullptr) std::filesystem::remove(arbre.Racine() / "niveau/essai.mv");
        else arbre.Ecrire("niveau/essai.mv", *c.avant ? Remplacer(original, c.avant, c.apres) : c.apres);
        int fin = 0;
        EXPECT_FALSE(Creer("..\\niveau\\essai.mv", &fin));
        EXPECT_EQ(fin, 1);
        EXPECT_TRUE(std::regex_match(Rapport(), std::regex(c.rapport))) << Rapport();
        UniversDestruction();
        ObjetsGroupes__Initialisation();
    }
}

}  // namespace
