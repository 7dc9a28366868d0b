// The master list and the master files.
#include <cstring>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "editors/evenements.h"
#include "monde_fixture.h"

namespace {

using Maitres = Monde;

TEST_F(Maitres, ChaqueChampDUnMaitreCharge) {
    std::string fiche = FicheMaitre();
    fiche = Remplacer(fiche, "ANIM__DPL FIG_DPL\n", "ANIM__DPL FIG_DPL\n8 12\n");
    fiche = Remplacer(fiche, "ANIM__ATT -\n", "ANIM__ATT FIG_ATT\n- 5\n");
    fiche = Remplacer(fiche, "MORAL C", "MORAL B");
    fiche = Remplacer(fiche, "S1 -", "S1 BOULE_DE_FEU");
    fiche = Remplacer(fiche, "S2 -", "S2 FOUDRE_DIVINE");
    fiche = Remplacer(fiche, "S3 -", "S3 7");
    fiche = Remplacer(fiche, "MANA 0\nMANAMAX 0", "MANA 40\nMANAMAX 99");
    fiche = Remplacer(fiche, "REGEN 0\nDOT -", "REGEN -2\nDOT I");
    fiche = Remplacer(fiche, "FORMATION TOUJOURS", "FORMATION JAMAIS");
    fiche = Remplacer(fiche, "V 0", "V -");
    fiche = Remplacer(fiche, "FIN\n", "SELECTION 1 2 3 4\nDPL 5 6 7 8\nATT 9 10 11 12\n");
    MondeAvec({{"-", ""}, {"soldat_essai", fiche}});

    const Objet& m = TableMaitres[1];
    EXPECT_STREQ(NomsMaitres[1], "M 1");
    EXPECT_EQ(NomsMaitres[0], nullptr);
    EXPECT_EQ(m.famille, 0);
    EXPECT_EQ(m.actif, 1);
    EXPECT_EQ(m.categorie, 0);
    EXPECT_EQ(m.taille, 1);
    ASSERT_NE(m.animations, nullptr);
    EXPECT_EQ(m.animations[0].directions, 8);
    EXPECT_EQ(m.animations[0].images, 12);
    EXPECT_EQ(m.animations[9].directions, -1);   // "- 5"
    EXPECT_EQ(m.animations[9].images, -1);
    EXPECT_EQ(m.animations[5].directions, 8);    // defaults
    EXPECT_EQ(m.animations[5].images, 12);
    EXPECT_EQ(m.animations[18].directions, 4);   // ANIM__MOR and ANIM__MOV default to 4 directions
    EXPECT_EQ(m.animations[19].directions, 4);
    EXPECT_EQ(m.animations[20].images, 12);
    EXPECT_EQ(m.animationParDefaut, 1);          // as the last animation left it
    EXPECT_EQ(ObjetGfx_ANIM__DPL[1], 1);
    EXPECT_EQ(ObjetGfx_ANIM__ATT[1], 2);
    EXPECT_EQ(ObjetGfx_ANIM__ARA[1], -1);
    EXPECT_EQ(m.selectionnable, 1);
    EXPECT_EQ(m.moral, 4);
    EXPECT_EQ(m.pointsDeVie, 100);
    EXPECT_EQ(m.pointsDeVieMaximum, 100);
    EXPECT_EQ(m.modeArmure, 1);
    EXPECT_EQ(m.vitesse, 2);
    EXPECT_EQ(m.niveau, 1);
    EXPECT_EQ(m.sorts[0], 33);
    EXPECT_EQ(m.sorts[1], 55);
    EXPECT_EQ(m.sorts[2], 7);
    EXPECT_EQ(m.sorts[8], -1);
    EXPECT_EQ(m.classe, 3);
    EXPECT_EQ(m.mana, 40);
    EXPECT_EQ(m.manaMaximum, 40);   // the file's maximum is discarded
    EXPECT_EQ(m.degats, 10);
    EXPECT_EQ(m.regenerationVie, -2);
    EXPECT_EQ(m.degatsContinus, 254);
    EXPECT_EQ(m.formation, 1);
    EXPECT_EQ(m.couleur[0], 31);
    EXPECT_EQ(m.couleur[1], 32);    // "-": no tint
    EXPECT_EQ(m.couleur[2], 0);
    EXPECT_EQ(m.pointsDeVieParNiveau, 10);
    EXPECT_EQ(m.degatsParNiveau, 2);
    EXPECT_EQ(m.typeMaitre, 1);
    EXPECT_EQ(m.compteurEvenement, -1);
    EXPECT_EQ((VoixSelection[1]), (std::array<int32_t, 4>{1, 2, 3, 4}));
    EXPECT_EQ((VoixDeplacement[1]), (std::array<int32_t, 4>{5, 6, 7, 8}));
    EXPECT_EQ((VoixAttaque[1]), (std::array<int32_t, 4>{9, 10, 11, 12}));
    // No ".cfg": an empty event table shaped by the animations.
    ASSERT_NE(m.evenements, nullptr);
    ASSERT_NE(m.evenements->animations[0], nullptr);
    EXPECT_EQ(m.evenements->animations[0][7][11].visuels, nullptr);
    EXPECT_EQ(m.evenements->animations[9], nullptr);
    EXPECT_FALSE(arbre.Existe("Erreur.txt")) << Rapport();
}

TEST_F(Maitres, CaseVideEtTrouDeNumerotation) {
    EcrireMaitre("a", FicheMaitre());
    // Tokens other than "#define" between the lines are skipped.
    EcrireListe({"#define A 0 x a", "#define VIDE 1 x -", "; note", "#define B 5 x a"});
    EXPECT_EQ(Charger(), 3);
    EXPECT_EQ(Rapport(), "ObjetMaitreCreationListe(): B");   // the second of the two questions
    EXPECT_EQ(NomsMaitres[1], nullptr);
    EXPECT_EQ(TableMaitres[1].animations, nullptr);
    EXPECT_STREQ(NomsMaitres[2], "B");             // the running slot, not the number written
    EXPECT_EQ(TableMaitres[2].typeMaitre, 2);
    EXPECT_EQ(NomsMaitres[5], nullptr);
}

TEST_F(Maitres, MotsClesDesSorts) {
    struct Cas {
        const char* mot;
        int code;
    };
    for (Cas c : {Cas{"-", -1}, Cas{"-1", -1}, Cas{"0", 0}, Cas{"9", 9}, Cas{"PRENDRE_LA_VIE", 55},
                  Cas{"FOUDRE_DIVINE", 55}, Cas{"INVOCATION_DEMONIAQUE", 57}, Cas{"TELEPORTATION", 1052},
                  Cas{"LAMES_DU_CANCER", 62}})
        EXPECT_EQ(Sort__Numero(c.mot, "f"), c.code) << c.mot;
    try {
        Sort__Numero("soins", "..\\maitres\\x.txt");   // case-sensitive
        FAIL();
    } catch (const FinProgramme& f) {
        EXPECT_EQ(f.code, 1);
    }
    EXPECT_EQ(Rapport(), "MAITRES__C: Sort__Numero(): Le sort est inconnu : soins");
}

TEST_F(Maitres, ReglesApresChargement) {
    std::string lent = Remplacer(FicheMaitre(), "VITESSE 2", "VITESSE 0");
    std::string fort = Remplacer(Remplacer(FicheMaitre(), "CLASSE GUERRIER", "CLASSE FORTIFICATION"), "PV 100", "PV 3000");
    std::string decor = Remplacer(FicheMaitre("DECORS"), "VITESSE 2", "VITESSE 0");
    std::string arbre_ = FicheMaitre("ARBRES");
    std::string batiment = Remplacer(FicheMaitre("BATIMENT"), "VITESSE 2", "VITESSE 0");
    MondeAvec({{"lent", lent}, {"fort", fort}, {"decor", decor}, {"arbre", arbre_}, {"batiment", batiment}});
    EXPECT_EQ(TableMaitres[0].vitesse, 1);            // a moving family gets at least 1
    EXPECT_EQ(TableMaitres[1].pointsDeVie, 600);      // fortification
    EXPECT_EQ(TableMaitres[1].pointsDeVieMaximum, 600);
    EXPECT_EQ(TableMaitres[2].selectionnable, 0);     // decor
    EXPECT_EQ(TableMaitres[2].vitesse, 0);            // decors do not move
    EXPECT_GE(TableMaitres[3].image, 0);
    EXPECT_LE(TableMaitres[3].image, 3);
    EXPECT_EQ(TableMaitres[4].animations, nullptr);   // building: no animation block, no events
    EXPECT_EQ(TableMaitres[4].evenements, nullptr);
    EXPECT_EQ(TableMaitres[4].selectionnable, 0);
    EXPECT_EQ(ObjetGfx_ANIM__DPL[4], 1);
}

struct CasErreur {
    const char* nom;
    const char* avant;   // line of the good master file replaced ("" = the list is broken instead)
    const char* apres;
    const char* rapport;
    int code;            // 1 fatal, -1 the loading goes on
};

class ErreursMaitre : public Monde, public ::testing::WithParamInterface<CasErreur> {};

TEST_P(ErreursMaitre, RapportExact) {
    const CasErreur& c = GetParam();
    std::string fiche = FicheMaitre();
    if (*c.avant) {
        if (std::string(c.apres) == "<coupe>") fiche = fiche.substr(0, fiche.find(c.avant));
        else fiche = Remplacer(fiche, c.avant, c.apres);
    }
    EcrireMaitre("m0", fiche);
    if (std::string(c.nom) == "FichierAbsent") EcrireListe({"#define M 0 x absent"});
    else if (std::string(c.nom) == "ListeSansFin") EcrireListe({"#define M 0 x m0"}, false);
    else if (std::string(c.nom) == "NumeroIllisible") EcrireListe({"#define M zero x m0"});
    else EcrireListe({"#define M 0 x m0"});
    int fin = -1;
    int n = Charger(&fin);
    if (c.code == 1) {
        EXPECT_EQ(n, -1);
        EXPECT_EQ(fin, 1);
    } else {
        EXPECT_EQ(n, 1);
    }
    EXPECT_EQ(Rapport(), c.rapport);
}

INSTANTIATE_TEST_SUITE_P(
    Fichiers, ErreursMaitre,
    ::testing::Values(
        CasErreur{"SansAnimation", "[ANIMATION]", "[ANIM]",
                  "maîtres (animation): le positionnement sur les animations est incorrect dans le script 0", 1},
        CasErreur{"PremiereAnimation", "ANIM__DPL FIG_DPL", "ANIM__DPX FIG_DPL",
                  "maîtres (animation): le positionnement sur l'animation dpl est incorrect dans le script 0", 1},
        CasErreur{"Selectionnable", "SELECTIONNABLE oui", "SELECTIONNABLE peut",
                  "maîtres (sélectionnable): la valeur selectionnable est incorrect dans le fichier script : "
                  "..\\maitres\\m0.txt", 1},
        CasErreur{"Moral", "MORAL C", "MORAL Z",
                  "Maîtres__Liste__Creation: Le moral est incorrect dans le fichier : ..\\maitres\\m0.txt", 1},
        CasErreur{"CoupeDansLesSorts", "S1 -", "<coupe>", "Chargement: SORT non défini", 1},
        CasErreur{"CoupeDansLesAnimations", "ANIM__ARA", "<coupe>", "Chargement: ANIM__ARA non défini", 1},
        CasErreur{"CoupeAvantLaCouleur", "R 31", "<coupe>", "Chargement: R non défini", 1},
        CasErreur{"EntierIllisible", "PV 100", "PV cent", "Chargement: Format non respecté : PV cent (..\\maitres\\m0.txt)",
                  1},
        CasErreur{"PaireIllisible", "ANIM__ARA -\n", "ANIM__ARA -\nhuit 12\n",
                  "Chargement: Format non respecté : huit 12 (..\\maitres\\m0.txt)", 1},
        CasErreur{"PaireDemesuree", "ANIM__ARA -\n", "ANIM__ARA -\n100000 100000\n",
                  "Maitre_Liste__Creation: Paire d'animation incorrecte : 100000 100000 (objet m 0)", -1},
        CasErreur{"SortInconnu", "S4 -", "S4 ABRACADABRA", "MAITRES__C: Sort__Numero(): Le sort est inconnu : ABRACADABRA",
                  1},
        CasErreur{"FichierAbsent", "", "", "Maitre_Liste__Creation: Fichier non trouvé : ..\\maitres\\absent.txt", 1},
        CasErreur{"ListeSansFin", "", "", "Chargement: //. non défini", 1},
        CasErreur{"NumeroIllisible", "", "", "Chargement: Format non respecté : #define M zero (..\\ini\\mv.ini)", 1},
        CasErreur{"TailleHorsBornes", "TAILLE 1", "TAILLE 9", "Maitre_Liste__Creation: Taille incorrect (objet m 0)", -1},
        CasErreur{"FamilleInconnue", "FAMILLE HUMAIN", "FAMILLE ZORGLUB", "Famille inconnu: 0: ZORGLUB", -1},
        CasErreur{"NiveauEleve", "NIVEAU 1", "NIVEAU 5", "ObjetMaitre(): Création de l'objet 0 niveau 5", -1},
        CasErreur{"ClasseInconnue", "CLASSE GUERRIER", "CLASSE POETE",
                  "MAITRES__C: Maitres_Liste__Creation(): La classe est inconnu dans le fichier : ..\\maitres\\m0.txt", -1},
        CasErreur{"EtiquetteCouleur", "R 31", "Q 31", "!: fin non normalR, objet 0: <Q> fichier ..\\maitres\\m0.txt", -1}),
    [](const auto& info) { return std::string(info.param.nom); });

// A new scene loads the list again: each master's animation table of the first load is given back.
TEST_F(Maitres, UnSecondChargementRendLesTablesDuPremier) {
#if defined(__SANITIZE_ADDRESS__)
    MondeAvec({{"soldat", FicheMaitre()}, {"batiment", FicheMaitre("BATIMENT")}});
    ASSERT_NE(TableMaitres[0].animations, nullptr);
    for (int fois = 0; fois < 2; ++fois) ASSERT_EQ(Charger(), 2) << Rapport();
    EXPECT_NE(TableMaitres[0].animations, nullptr);
    EXPECT_EQ(TableMaitres[1].animations, nullptr);
    EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0);
#else
    GTEST_SKIP() << "needs LeakSanitizer";
#endif
}

TEST_F(Maitres, TailleHorsBornesRamenee) {
    MondeAvec({{"geant", FicheMaitre("HUMAIN", "9")}, {"nain", FicheMaitre("HUMAIN", "-2")}});
    EXPECT_EQ(TableMaitres[0].taille, 6);
    EXPECT_EQ(TableMaitres[1].taille, 0);
}

TEST_F(Maitres, PaireDUnBatimentLueEtIgnoree) {
    std::string fiche = Remplacer(FicheMaitre("BATIMENT"), "ANIM__DPL FIG_DPL\n", "ANIM__DPL FIG_DPL\n8 12\n");
    fiche = Remplacer(fiche, "ANIM__MOR -\n", "ANIM__MOR FIG_ATT\n4 12\n");
    MondeAvec({{"batiment", fiche}});
    EXPECT_EQ(TableMaitres[0].animations, nullptr);
    EXPECT_EQ(ObjetGfx_ANIM__MOR[0], 2);
    EXPECT_EQ(ObjetGfx_ANIM__ARA[0], -1);
    EXPECT_EQ(Rapport(), "Maitre_Liste__Creation: Paire d'animation ignorée pour un bâtiment (objet m 0)");
}

TEST_F(Maitres, TableDe600PleineSansEcrireAuDela) {
    // Empty slots too count against the table.
    std::vector<std::string> lignes;
    for (int n = 0; n < 650; ++n) lignes.push_back("#define V " + std::to_string(n) + " x -");
    EcrireListe(lignes);
    int fin = -1;
    EXPECT_EQ(Charger(&fin), -1);
    EXPECT_EQ(fin, 1);
    EXPECT_EQ(Rapport(), "MAITRES__C: Maitres__Liste__Creation(): Le nombre d'objets maîtres est insuffisant.");
    EXPECT_EQ(NombreMaitres, 600);
}

}  // namespace
