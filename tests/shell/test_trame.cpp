// The game frame on a running battle: the 66 ms gate and the clock's wrap, the cycle counters,
// the order of the logic pass, the pause and the scenario timers, the key commands, the castle
// gate, the end of a scene and the present.
#include "partie_fixture.h"

#include <algorithm>
#include <vector>

#include "battle/simulation.h"
#include "campaign/campagne.h"
#include "foundation/ecran.h"
#include "foundation/fenetre.h"
#include "foundation/polices.h"
#include "platform/affichage.h"
#include "scene/carte_reduite.h"
#include "shell/chefs.h"
#include "shell/cycles.h"
#include "shell/saisie.h"
#include "shell/scenario.h"
#include "shell/victoire.h"
#include "world/mort.h"

namespace {

using Trame = Partie;

TEST_F(Trame, LaPasseLogiqueAttend66MsMemeAuTraversDuRebouclageDeLHorloge) {
    struct Cas {
        uint32_t derniere, maintenant;
        bool passe;
    };
    for (Cas c : {Cas{1000000, 1000065, false}, Cas{1000000, 1000066, true}, Cas{0xFFFFFFF0u, 0x31, false},
                  Cas{0xFFFFFFF0u, 0x32, true}, Cas{2000000, 1000000, true}}) {
        SCOPED_TRACE(c.maintenant);
        Temps_Fixer(c.maintenant);
        DerniereTrame = c.derniere;
        const int32_t tours = CompteurTours;
        EXPECT_EQ(TrameJeu(), 0);
        EXPECT_EQ(CompteurTours - tours, c.passe ? 1 : 0);
        EXPECT_EQ(DerniereTrame, c.passe ? c.maintenant : c.derniere);
        EXPECT_EQ(HorlogeJeu, c.maintenant);
    }
}

TEST_F(Trame, LesCompteursDeCycleAvancentUneFoisParPasseEtBouclent) {
    for (int32_t* c : {&CompteurCycle12, &CompteurCycle20, &CompteurCycle25, &CompteurCycle32, &CompteurCycle43,
                       &CompteurCycle43Bis, &CompteurCycle100})
        *c = 0;
    Pulsation = 1;
    LueurDestruction = 28;
    int fumees = 0, flammes = 0;
    for (int i = 0; i < 100; ++i) {
        Appel();
        Appel(10);   // between two passes: nothing moves
        fumees += TopFumee;
        flammes += TopFlamme;
        if (i == 2) {
            EXPECT_EQ(LueurDestruction, 22);
        }
    }
    EXPECT_EQ(CompteurCycle12, 100 % 12);
    EXPECT_EQ(CompteurCycle20, 0);
    EXPECT_EQ(CompteurCycle25, 0);
    EXPECT_EQ(CompteurCycle32, 100 % 32);
    EXPECT_EQ(CompteurCycle43, 100 % 43);
    EXPECT_EQ(CompteurCycle43Bis, 100 % 43);
    EXPECT_EQ(CompteurCycle100, 0);
    EXPECT_EQ(Pulsation, -1);   // five wraps of the 20-cycle
    EXPECT_EQ(fumees, 14);
    EXPECT_EQ(flammes, 14);
    EXPECT_EQ(LueurDestruction, 0);
}

// The group tick runs before the AI wakes in the same pass, so that pass is still a movement
// frame; a death delay that runs out in a pass is released after that pass's display.
TEST_F(Trame, OrdreDeLaPasseLogique) {
    ASSERT_EQ(DelaiDeclenchementIA, 5000);
    int reveil = -1;
    for (int i = 0; i < 100 && reveil < 0; ++i) {
        const int32_t avant = SimulationCompteur;
        Appel();
        if (IAActive) {
            reveil = i;
            EXPECT_EQ(SimulationCompteur, avant);
            EXPECT_GT(Temps_Ticks() - DebutScene, 5000u);
            EXPECT_LE(Temps_Ticks() - 66 - DebutScene, 5000u);
        }
    }
    ASSERT_GE(reveil, 0);
    const int32_t avant = SimulationCompteur;
    Appel();
    EXPECT_EQ(SimulationCompteur, avant + 1);

    const int soldat = TableGroupes[GroupesDe(20)[0]].membres[0];
    Objet__Mort(soldat, 2);
    int libere = -1;
    for (int i = 1; i <= 100 && libere < 0; ++i) {
        Appel();
        EXPECT_EQ(NombreObjetsMorts, 0);
        EXPECT_TRUE(Liste__Vide(ListeObjetsMorts));
        if (TableObjets[soldat].noeudListe == nullptr) libere = i;
    }
    // Never seen waiting in the list between two calls, yet released once its delay ran out.
    EXPECT_GE(libere, DELAI_MORT);
}

// While paused only the logic stops: the counters and the drawing go on. The time spent paused
// is taken out of the scenario's timers, whichever key ends the pause.
TEST_F(Trame, LaPauseSortDesChronometresDuScenario) {
    struct Cas {
        const char* nom;
        int32_t* touche;
    };
    for (Cas c : {Cas{"S", &ToucheS}, Cas{"Echap", &ToucheEchap}}) {
        SCOPED_TRACE(c.nom);
        const uint32_t t = Temps_Ticks();
        TableChronometres[0] = Chronometre{static_cast<int32_t>(t), 60000};
        TableChronometres[1] = Chronometre{-1, -1};
        TableVictoire[0].actif = 1;
        TableVictoire[0].type = 4;
        TableVictoire[0].debut = static_cast<int32_t>(t);
        TableDefaite[0].actif = 1;
        TableDefaite[0].type = 2;
        TableDefaite[0].debut = static_cast<int32_t>(t);
        DebutBataille = t;

        Touche(ToucheS);
        ASSERT_EQ(JeuEnPause, 1);
        const uint32_t debut = DebutPause;
        EXPECT_EQ(debut, Temps_Ticks());
        const int32_t tours = CompteurTours, cycle = CompteurCycle100, vie = TableObjets[2].pointsDeVie;
        for (int i = 0; i < 300; ++i) Appel();
        EXPECT_EQ(CompteurTours, tours);
        EXPECT_EQ(CompteurCycle100, (cycle + 300) % 100);
        EXPECT_EQ(TableObjets[2].pointsDeVie, vie);

        Touche(*c.touche);
        EXPECT_EQ(JeuEnPause, 0);
        const int32_t d = static_cast<int32_t>(Temps_Ticks() - debut);
        EXPECT_EQ(d, 301 * 66);
        EXPECT_EQ(TableChronometres[0].debut, static_cast<int32_t>(t) + d);
        EXPECT_EQ(TableChronometres[1].debut, -1);
        EXPECT_EQ(TableVictoire[0].debut, static_cast<int32_t>(t) + d);
        EXPECT_EQ(TableDefaite[0].debut, static_cast<int32_t>(t));
        EXPECT_EQ(DebutBataille, t + static_cast<uint32_t>(d));
        EXPECT_EQ(DebutScene, Temps_Ticks());
        if (c.touche == &ToucheEchap) {
            // The flag stays: the next pass takes it as a plain Escape, here with a group
            // under command, which only deselects.
            EXPECT_EQ(ToucheEchap, 1);
            Groupe__Selection(GroupesDe(20)[0]);
            Appel();
            EXPECT_EQ(ToucheEchap, 0);
            EXPECT_EQ(NombreGroupesSelectionnes, 0);
        }
    }
}

TEST_F(Trame, LesTouchesBasculentEtJournalisent) {
    Appel();
    EXPECT_EQ(DerniereLigne(), TexteInterface(96));   // the opening line, once
    struct Cas {
        int32_t* touche;
        int32_t* bascule;
        int32_t attendu;
        int ligne;   // 0 none
    };
    NuagesActifs = 0;
    AffichageDegats = 1;
    LumiereActive = 0;
    CarteReduiteVisible = 0;
    for (Cas c : {Cas{&ToucheN, &NuagesActifs, 1, 95}, Cas{&ToucheN, &NuagesActifs, 0, 94},
                  Cas{&ToucheD, &AffichageDegats, 0, 102}, Cas{&ToucheD, &AffichageDegats, 1, 101},
                  Cas{&ToucheL, &LumiereActive, 1, 0}, Cas{&ToucheTab, &CarteReduiteVisible, 1, 0}}) {
        const std::string avant = DerniereLigne();
        Touche(*c.touche);
        EXPECT_EQ(*c.touche, 0);
        EXPECT_EQ(*c.bascule, c.attendu);
        EXPECT_EQ(DerniereLigne(), c.ligne ? std::string(TexteInterface(c.ligne)) : avant);
    }

    // M: the log in full (line 97), then emptied down to line 98.
    JournalActif = 0;
    Touche(ToucheM);
    EXPECT_EQ(JournalActif, 1);
    EXPECT_EQ(DerniereLigne(), TexteInterface(97));
    Touche(ToucheM);
    EXPECT_EQ(JournalActif, 0);
    EXPECT_EQ(NombreMessages, 1);
    EXPECT_EQ(DerniereLigne(), TexteInterface(98));
}

TEST_F(Trame, ToutSelectionnerPrendLesChefsDAbord) {
    const int soldat1 = Unite(20, 0, 10, 10);
    const int heros = Unite(5, 0, 14, 10);
    const int soldat2 = Unite(20, 0, 18, 10);
    const int ennemi = Unite(20, 1, 22, 10);
    const int cache = Unite(20, 0, 26, 10);
    TableObjets[cache].selectionnable = 0;
    const int g1 = TableObjets[soldat1].groupe, gh = TableObjets[heros].groupe, g2 = TableObjets[soldat2].groupe;
    Touche(ToucheA);
    ASSERT_GE(NombreGroupesSelectionnes, 3);
    EXPECT_EQ(GroupesSelectionnes[0], gh);
    // The others in list order, newest first.
    std::vector<int> ordre(GroupesSelectionnes.begin() + 1, GroupesSelectionnes.begin() + NombreGroupesSelectionnes);
    auto position = [&](int g) { return std::find(ordre.begin(), ordre.end(), g) - ordre.begin(); };
    EXPECT_LT(position(g2), position(g1));
    EXPECT_EQ(position(TableObjets[ennemi].groupe), static_cast<long>(ordre.size()));
    EXPECT_EQ(position(TableObjets[cache].groupe), static_cast<long>(ordre.size()));
    EXPECT_EQ(TableObjets[ennemi].selectionne, 0);
    EXPECT_EQ(TableObjets[heros].selectionne, 1);
}

TEST_F(Trame, EspaceBasculeLEngagementLibreDesGroupesSelectionnes) {
    const int g = GroupesDe(20)[0];
    const int membre = TableGroupes[g].membres[0];
    const int vitesse = TableObjets[membre].vitesse;
    EngagementLibre = 0;
    Touche(ToucheEspace);   // nothing selected: nothing turns over
    EXPECT_EQ(EngagementLibre, 0);

    Groupe__Selection(g);
    Touche(ToucheEspace);
    EXPECT_EQ(EngagementLibre, 1);
    EXPECT_EQ(TableGroupes[g].engagementLibre, 1);
    EXPECT_EQ(TableObjets[membre].vitesse, std::max(1, vitesse - 1));
    Touche(ToucheEspace);
    EXPECT_EQ(EngagementLibre, 0);
    EXPECT_EQ(TableGroupes[g].engagementLibre, 0);
    EXPECT_EQ(TableObjets[membre].vitesse, vitesse + 1);
}

TEST_F(Trame, LeSurvolChercheEnAnneauxMemeAuBordDeLaCarte) {
    const int cible = Unite(20, 1, 60, 60);
    ASSERT_EQ(Univers__CaseUnites(60, 60), cible);
    const int bord = Unite(20, 1, 126, 60);
    struct Cas {
        int repereX, caseX;
        int attendu;
    };
    // The cursor's cell is (RepereX + SourisX / 24, RepereY + (SourisY + 10) / 24).
    // Past the map's right edge the rings still find what stands inside it.
    for (Cas c : {Cas{50, 10, cible}, Cas{50, 13, cible}, Cas{50, 14, cible}, Cas{50, 15, 0}, Cas{120, 10, bord},
                  Cas{120, 11, 0}}) {
        SCOPED_TRACE(c.caseX);
        RepereX = c.repereX;
        RepereY = 50;
        SourisX = c.caseX * 24 + 5;
        SourisY = 10 * 24 - 10 + 5;
        Appel();
        EXPECT_EQ(CurseurCaseX, c.caseX);
        EXPECT_EQ(CurseurCaseY, 10);
        EXPECT_EQ(SourisSurvolUnite, c.attendu);
    }
}

TEST_F(Trame, LeSurvolDeLaCarteReduite) {
    // A 624 x 480 view: the minimap's hover box is 509 < x < 605, 365 < y < 461.
    Ecran__Geometrie(640, 480);
    struct Cas {
        int x, y, survol, cx, cy;
    };
    for (Cas c : {Cas{510, 366, 1, 1, 1}, Cas{604, 460, 1, 126, 126}, Cas{509, 400, -1, -1, -1},
                  Cas{550, 461, -1, -1, -1}}) {
        SourisX = c.x;
        SourisY = c.y;
        Appel();
        EXPECT_EQ(CarteReduiteSurvolee, c.survol);
        EXPECT_EQ(CarteReduiteSurvolX, c.cx);
        EXPECT_EQ(CarteReduiteSurvolY, c.cy);
    }
}

// A right tap, pressed and released between two frames (a quick click in a real window), gives
// its order, on the map as on the minimap; the button is not left held after the frame.
TEST_F(Trame, UnClicDroitBrefEntreDeuxTramesDonneLOrdre) {
    Ecran__Geometrie(640, 480);
    CarteReduiteVisible = 1;
    const int g = GroupesDe(20)[0];   // ours, round (50, 50)
    Groupe__Selection(g);
    auto tape = [this] {
        ClicDroitEtat = 1;   // pressed and already released
        BoutonDroit = 0;
        Appel();
        EXPECT_EQ(BoutonDroit, 0);
        EXPECT_EQ(ClicDroitEtat, 0);
    };

    // On the map: the cursor on (58, 44), an empty cell (the frame before reads where it is).
    RepereX = 40;
    RepereY = 40;
    SourisX = 18 * 24 + 5;
    SourisY = 4 * 24 - 10 + 5;
    Appel();
    ASSERT_EQ(CarteReduiteSurvolee, -1);
    tape();
    EXPECT_EQ(TableGroupes[g].destinationOrdreX, 58);
    EXPECT_EQ(TableGroupes[g].destinationOrdreY, 44);

    // On the minimap, towards the middle of the field.
    SourisX = 557;
    SourisY = 413;
    Appel();
    ASSERT_NE(CarteReduiteSurvolee, -1);
    const int x = CarteReduiteSurvolX, y = CarteReduiteSurvolY;
    tape();
    EXPECT_EQ(TableGroupes[g].butPrecedentX, x);
    EXPECT_EQ(TableGroupes[g].butPrecedentY, y);
}

// A left tap, pressed and released between two frames, selects the group under the cursor on the
// map and moves the view on the minimap.
TEST_F(Trame, UnClicGaucheBrefEntreDeuxTramesSelectionneEtDeplaceLaVue) {
    Ecran__Geometrie(640, 480);
    CarteReduiteVisible = 1;
    auto tape = [this] {
        ClicGauche = 1;   // pressed and already released
        BoutonGauche = 0;
        BoutonGaucheEtat = -1;
        Appel();
        EXPECT_EQ(ClicGauche, 0);
    };

    // On the map, on the first member of one of our groups.
    const int g = GroupesDe(20)[0];
    const Objet& o = TableObjets[static_cast<size_t>(TableGroupes[static_cast<size_t>(g)].membres[0])];
    Groupe__DeselectionTout();
    RepereX = (o.x - 10) & ~1;
    RepereY = (o.y - 8) & ~1;
    SourisX = (o.x - RepereX) * 24 + 12;
    SourisY = (o.y - RepereY) * 24 + 12;
    Appel();
    ASSERT_EQ(CarteReduiteSurvolee, -1);
    ASSERT_EQ(NombreGroupesSelectionnes, 0);
    tape();
    ASSERT_EQ(NombreGroupesSelectionnes, 1);
    EXPECT_EQ(GroupesSelectionnes[0], g);
    EXPECT_EQ(DemandeSelection, 0);

    // On the minimap, towards the middle of the field: the view centres there.
    RepereX = RepereY = 0;
    SourisX = 557;
    SourisY = 413;
    Appel();
    ASSERT_NE(CarteReduiteSurvolee, -1);
    const int x = CarteReduiteSurvolX, y = CarteReduiteSurvolY;
    ASSERT_GT(x, 40);
    tape();
    EXPECT_NEAR(RepereX + CasesVisiblesX / 2, x, 2);
    EXPECT_NEAR(RepereY + CasesVisiblesY / 2, y, 2);
    EXPECT_EQ(BoutonGauche, 0);
}

TEST_F(Trame, LeTestDeVictoireToutesLesSecondesSaufBatailleDecidee) {
    Appel();
    DernierTestVictoire = HorlogeJeu + 5000;   // a stamp in the future is pulled back to now
    DerniereTrame -= PERIODE_TRAME;
    Appel(0);
    ResultatBatailleCourant = 7;
    Appel(1000);
    EXPECT_EQ(ResultatBatailleCourant, 7);
    DerniereTrame -= PERIODE_TRAME;
    Appel(1);
    EXPECT_EQ(ResultatBatailleCourant, -1);

    BatailleDecidee = 1;
    ResultatBatailleCourant = 7;
    Appel(5000);
    EXPECT_EQ(ResultatBatailleCourant, 7);
}

TEST_F(Trame, LesResultatsDuTestDeVictoire) {
    struct Cas {
        int mode, escarmouche, resultat;
        bool immediat;
        int saisie, decidee;
    };
    for (Cas c : {Cas{0, 0, 1, true, 1, 0}, Cas{2, 3, 1, false, 1, 1}, Cas{2, 0, 1, false, 1, 0},
                  Cas{2, 0, 0, false, 1, 0}, Cas{0, 3, 0, false, 1, 0}, Cas{0, 0, 2, false, 1, 0},
                  Cas{2, 0, 3, false, 0, 0}, Cas{2, 0, -1, false, 0, 0}, Cas{2, 0, 9, false, 0, 0}}) {
        SCOPED_TRACE(testing::Message() << c.mode << " " << c.escarmouche << " " << c.resultat);
        ModeSceneCourant = c.mode;
        EscarmoucheEnCours = c.escarmouche;
        SaisieValidee = BatailleDecidee = RoutageOn = 0;
        MorvaneCode = 1;
        ToucheR = 1;
        EXPECT_EQ(Trame__ResultatVictoire(c.resultat), c.immediat);
        EXPECT_EQ(SaisieValidee, c.saisie);
        EXPECT_EQ(BatailleDecidee, c.decidee);
        EXPECT_EQ(RoutageOn, c.immediat ? 1 : 0);
        EXPECT_EQ(MorvaneCode, c.immediat ? 5 : 1);
        EXPECT_EQ(ToucheR, c.immediat ? 0 : 1);
        EXPECT_EQ(ModeSceneCourant, c.mode);
    }
    // A won skirmish is not tested again, and its end request ends the scene with code 6.
    ModeSceneCourant = 2;
    EscarmoucheEnCours = 3;
    SaisieValidee = BatailleDecidee = RoutageOn = 0;
    ToucheR = 0;
    Trame__ResultatVictoire(1);
    EXPECT_EQ(Appel(), 1);
    EXPECT_EQ(MorvaneCode, 6);
    EXPECT_EQ(EscarmoucheEnCours, -1);
}

TEST_F(Trame, LaFinDeSceneChoisitLeCode) {
    struct Cas {
        int escarmouche, mode, finPartie, code, attendu;
    };
    for (Cas c : {Cas{3, 2, -1, 1, 6}, Cas{0, 2, -1, 1, 3}, Cas{0, 2, 2, 1, 6}, Cas{0, 2, -1, 6, 6},
                  Cas{0, 0, -1, 1, 6}}) {
        SCOPED_TRACE(c.attendu);
        EscarmoucheEnCours = c.escarmouche;
        ModeSceneCourant = c.mode;
        EtatFinPartie = c.finPartie;
        MorvaneCode = c.code;
        SaisieValidee = 1;
        RoutageOn = 0;
        EXPECT_EQ(Appel(), 1);
        EXPECT_EQ(RoutageOn, 1);
        EXPECT_EQ(MorvaneCode, c.attendu);
        EXPECT_EQ(EscarmoucheEnCours, c.escarmouche == 3 ? -1 : c.escarmouche);
    }
    ModeSceneCourant = 2;
    EtatFinPartie = -1;

    // Escape while the scene is already ending keeps the end request: no in-game menu.
    EscarmoucheEnCours = 0;
    MorvaneCode = 1;
    SaisieValidee = 1;
    GroupeEnSelection = -1;
    ToucheEchap = 1;
    EXPECT_EQ(Appel(), 1);
    EXPECT_EQ(MorvaneCode, 3);

    // Escape with no group under command: the in-game menu (its quit, confirmed, is the menu's
    // own test). The program told to quit while it is open ends it, and the quit goes on outside.
    SaisieValidee = 0;
    RoutageOn = 0;
    ToucheEchap = 1;
    QuitterJeu = 0;
    Message_PosterQuitter(0);
    Appel();
    EXPECT_EQ(QuitterJeu, 1);
    EXPECT_EQ(MorvaneCode, 3);
    Message m;
    EXPECT_EQ(Message_Lire(&m), 0);
}

TEST_F(Trame, EchapAvecUnGroupeDeselectionneEtEfface) {
    Groupe__Selection(GroupesDe(20)[0]);
    Appel();
    ASSERT_NE(GroupeEnSelection, -1);
    ASSERT_NE(ObjetSelectionPremier, 0);
    DemandeSelection = DebutSelectionIcone = SourisAccumul = ApparenceSouris = 1;
    MarqueurOrdre = 5;
    EXPECT_EQ(Touche(ToucheEchap), 0);
    EXPECT_EQ(GroupeEnSelection, -1);
    EXPECT_EQ(NombreGroupesSelectionnes, 0);
    for (int32_t v : {DemandeSelection, DebutSelectionIcone, SourisAccumul, ApparenceSouris, MarqueurOrdre}) EXPECT_EQ(v, 0);
    EXPECT_EQ(SaisieValidee, 0);
}

class Porte : public Trame {
  protected:
    void SetUp() override {
        Trame::SetUp();
        PorteTrouvee = 1;
        PorteManoeuvrable = 1;
        PorteEtat = 0;
        PorteOuverte = 0;
        PorteX = 100;
        PorteY = 100;
        ArmeeBatiments = 0;
        ObjetPorte = Unite(433, ArmeeBatiments, 104, 111);
        ASSERT_GT(ObjetPorte, 0);
        TableObjets[static_cast<size_t>(ObjetPorte)].pointsDeVie = 77;
    }
};

TEST_F(Porte, EntreeOuvrePuisRefermeQuandLaPlaceEstLibre) {
    const int ancienne = ObjetPorte;
    Touche(ToucheEntree);
    EXPECT_EQ(PorteOuverte, 1);
    EXPECT_EQ(PortePassable, 1);
    EXPECT_EQ(PointsDeViePorte, 77);
    EXPECT_EQ(PorteEtat, 0);   // the closed gate's death gave the gate back to the player
    EXPECT_EQ(DerniereLigne(), TexteInterface(100));
    EXPECT_EQ(Univers__CaseUnites(104, 111), 0);

    // A unit in front of the gate: Return does nothing.
    const int passant = Unite(20, 0, 105, 113);
    Touche(ToucheEntree);
    EXPECT_EQ(PorteOuverte, 1);
    Objet__Mort(passant, 2);

    Touche(ToucheEntree);
    EXPECT_EQ(PorteOuverte, 0);
    EXPECT_EQ(PortePassable, 0);
    EXPECT_NE(ObjetPorte, ancienne);
    EXPECT_EQ(TableObjets[static_cast<size_t>(ObjetPorte)].typeMaitre, 433);
    EXPECT_EQ(TableObjets[static_cast<size_t>(ObjetPorte)].pointsDeVie, 77);
    EXPECT_EQ(Univers__CaseUnites(104, 111), ObjetPorte);
    EXPECT_EQ(DerniereLigne(), TexteInterface(99));
}

TEST_F(Porte, EntreeNeFaitRienQuandLaPorteNeSeManoeuvrePas) {
    struct Cas {
        int etat, manoeuvrable, pause, x;
    };
    // Destroyed in combat, not allowed by the scenario, paused, and a gate whose front leaves the
    // map (those cells count as taken).
    for (Cas c : {Cas{1, 1, 0, 100}, Cas{0, 0, 0, 100}, Cas{0, 1, 1, 100}, Cas{0, 1, 0, 122}}) {
        PorteEtat = c.etat;
        PorteManoeuvrable = c.manoeuvrable;
        JeuEnPause = c.pause;
        PorteX = c.x;
        PorteOuverte = c.x == 122 ? 1 : 0;
        Touche(ToucheEntree);
        EXPECT_EQ(PorteOuverte, c.x == 122 ? 1 : 0);
        EXPECT_EQ(ToucheEntree, 0);
    }
    EXPECT_EQ(TableObjets[static_cast<size_t>(ObjetPorte)].typeMaitre, 433);
    EXPECT_NE(TableObjets[static_cast<size_t>(ObjetPorte)].noeudListe, nullptr);
}

// With a window: an ordinary call presents once; leaving the castle with R returns at once
// without presenting.
class TrameFenetre : public Trame {
  protected:
    void SetUp() override {
        Trame::SetUp();
        // Past the tutorial: no tip or castle help opens its requester over these frames.
        CampagneCourante = EtapeCampagne = 1;
        ASSERT_EQ(Fenetre_Creation(nullptr), 1);
        ASSERT_EQ(Polices_Creation(nullptr), 1);
        Message m;
        while (Message_Attente(&m))
            if (Message_Lire(&m)) {
                Message_Traduire(&m);
                Message_Distribuer(&m);
            }
        ASSERT_EQ(ApplicationActive, 1);
    }
};

TEST_F(TrameFenetre, PresenteChaqueAppelSaufEnQuittantLeChateau) {
    Appel();
    uint64_t n = Affichage_NombrePresentations();
    Appel(10);
    EXPECT_EQ(Affichage_NombrePresentations(), n + 1);
    Appel();
    EXPECT_EQ(Affichage_NombrePresentations(), n + 2);

    ModeSceneCourant = 0;
    Appel();
    n = Affichage_NombrePresentations();
    EXPECT_EQ(Touche(ToucheR), 1);
    EXPECT_EQ(Affichage_NombrePresentations(), n);
    EXPECT_EQ(MorvaneCode, 5);
    EXPECT_EQ(ModeSceneCourant, 0);
    EXPECT_EQ(SaisieValidee, 1);
}

}  // namespace
