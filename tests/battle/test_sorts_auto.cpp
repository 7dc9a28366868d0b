// Automatic spells: cost and cool-down, the cast, target rules, range, the area searches, slot
// order, and the player's aim filter.
#include <utility>

#include "combat_fixture.h"
#include "battle/sorts_auto.h"
#include "platform/hasard.h"
#include "shell/trame.h"
#include "world/maitres.h"

namespace {

class SortsAuto : public CombatEssai {
  protected:
    void SetUp() override {
        CombatEssai::SetUp();
        for (auto& ligne : TableAttaque) ligne.fill(0);
        TableAttaque[0][1] = TableAttaque[1][0] = 1;
        CompteurTours = 10000;
        Hasard_Graine(3);
    }
    // A live unit of the army with a spell in a slot, full mana and every slot ready.
    Objet& Lanceur(int n, int x, int y, int armee, int code = -1, int slot = 0) {
        Objet& o = Soldat(n, x, y, armee);
        o.noeudListe = &noeud;
        o.indice = n;
        o.dernierEnnemi = o.dernierAllie = -1;
        o.sorts[slot] = code;
        o.mana = o.manaMaximum = 1000;
        o.pointsDeVie = o.pointsDeVieMaximum = 100;
        o.cible = o.cibleSort = -1;
        for (int32_t& d : o.dernierSort) d = 1500;
        return o;
    }
    static void Ajoute(int32_t* liste, int32_t& dernier, int n) { liste[++dernier] = n; }
    NoeudEntier noeud{};
};

TEST_F(SortsAuto, CoutEtRechargeParCode) {
    struct Cas { int code, cout, recharge, action; };
    const Cas cas[] = {{33, 20, 75, 2},  {34, 70, 225, 8},  {35, 30, 90, 9},   {36, 80, 240, 13}, {38, 40, 225, 7},
                       {41, 75, 450, 15}, {42, 80, 900, 20}, {43, 80, 225, 21}, {44, 15, 60, 3},   {45, 60, 300, 5},
                       {47, 30, 150, 12}, {48, 20, 90, 18},  {51, 90, 45, 19},  {53, 30, 150, 4},  {55, 20, 90, 6},
                       {57, 15, 90, 16},  {61, 20, 150, 24}, {1052, 10, 45, 11}};
    Objet& o = Lanceur(1, 10, 10, 0);
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(Sort__EstActif(c.code), 1);
        o.sorts[4] = c.code;
        o.mana = c.cout;
        o.dernierSort[4] = CompteurTours - c.recharge;
        EXPECT_EQ(Sort__Lancable(&o, 4), 1);
        o.dernierSort[4] = CompteurTours - c.recharge + 1;
        EXPECT_EQ(Sort__Lancable(&o, 4), 0) << "one tick early";
        o.dernierSort[4] = CompteurTours - c.recharge;
        o.mana = c.cout - 1;
        EXPECT_EQ(Sort__Lancable(&o, 4), 0) << "short of mana";
        o.mana = 1000;
        ASSERT_EQ(Sort__Lancement(&o, nullptr, 4), 1);
        EXPECT_EQ(o.action, c.action);
        EXPECT_EQ(o.mana, 1000) << "the cast itself spends nothing";
        EXPECT_EQ(o.dernierSort[4], CompteurTours);
        o.enIncantation = 0;
    }
    // Never cast, whatever the mana: the nether ball, the passive codes, an empty slot.
    for (int code : {37, 39, 40, 46, 49, 50, 52, 54, 58, 59, 60, 62, -1, 0, 999}) {
        o.sorts[2] = code;
        EXPECT_EQ(Sort__Lancable(&o, 2), 0) << code;
    }
    EXPECT_EQ(Sort__EstActif(40), 0);
    // The time counter wraps: the difference is taken unsigned.
    o.sorts[2] = 33;
    CompteurTours = 10;
    o.dernierSort[2] = -70;
    EXPECT_EQ(Sort__Lancable(&o, 2), 1);
}

TEST_F(SortsAuto, QuiPeutLancer) {
    Objet& o = Lanceur(1, 10, 10, 0, 44);
    struct Cas {
        const char* nom;
        void (*regler)(Objet&);
    };
    const Cas refus[] = {
        {"mourant", [](Objet& u) { u.ordreSecondaire = 3; }},
        {"mort", [](Objet& u) { u.ordreSecondaire = 4; }},
        {"incantation", [](Objet& u) { u.enIncantation = 1; }},
        {"converti", [](Objet& u) { u.typeMaitre = 18; }},
        {"machine", [](Objet& u) { u.famille = 5; }},
    };
    EXPECT_EQ(Sort__Lancable(&o, 0), 1);
    for (const Cas& c : refus) {
        SCOPED_TRACE(c.nom);
        const Objet copie = o;
        c.regler(o);
        EXPECT_EQ(Sort__Lancable(&o, 0), 0);
        o = copie;
    }
    EXPECT_EQ(Sort__Lancable(nullptr, 0), 0);
    EXPECT_EQ(Sort__Lancable(&o, 9), 0);
    EXPECT_EQ(Sort__Lancable(&o, -1), 0);

    // The cast: acting order, the target's index; none given keeps the unit's target.
    Objet& t = Lanceur(2, 12, 10, 0);
    o.ordreSecondaire = 2;
    ASSERT_EQ(Sort__Lancement(&o, &t, 0), 1);
    EXPECT_EQ(o.ordreSecondaire, 1);
    EXPECT_EQ(o.enIncantation, 2);
    EXPECT_EQ(o.cible, 2);
    EXPECT_EQ(o.cibleSort, 2);
    o.cible = -1;
    ASSERT_EQ(Sort__Lancement(&o, nullptr, 0), 1);
    EXPECT_EQ(o.cibleSort, -1);
    for (int ordre : {3, 4}) {
        o.ordreSecondaire = ordre;
        EXPECT_EQ(Sort__Lancement(&o, &t, 0), 0) << ordre;
    }
    o.ordreSecondaire = 2;
    o.actif = 0;
    EXPECT_EQ(Sort__Lancement(&o, &t, 0), 0);
    EXPECT_EQ(o.ordreSecondaire, 2);
}

TEST_F(SortsAuto, ReglesDesCibles) {
    Objet& o = Lanceur(1, 20, 20, 0);
    struct Cas {
        const char* nom;
        int code;
        void (*regler)(Objet&);
        int attendu;
    };
    // The target starts as a live enemy soldier without spells, 3 cells away.
    const Cas cas[] = {
        {"boule de feu sur un ennemi", 33, [](Objet&) {}, 1},
        {"boule de feu sur un ami", 33, [](Objet& t) { t.armee = 0; }, 0},
        {"boule de feu sur un lanceur", 33, [](Objet& t) { t.sorts[0] = 44; }, 0},
        {"boule de feu sur une machine armee", 33, [](Objet& t) { t.sorts[0] = 7, t.famille = 5; }, 1},
        {"boule de feu sur un mourant", 33, [](Objet& t) { t.ordreSecondaire = 3; }, 0},
        {"hors de portee (d2 226)", 33, [](Objet& t) { t.x = 35, t.y = 21; }, 0},
        {"a portee (d2 225)", 33, [](Objet& t) { t.x = 35, t.y = 20; }, 1},
        {"batiment", 55, [](Objet& t) { t.famille = 1; }, 0},
        {"fortification", 55, [](Objet& t) { t.classe = 25; }, 0},
        {"prendre la vie sur un beni", 55, [](Objet& t) { t.etatSort = 5; }, 0},
        {"erradication", 35, [](Objet&) {}, 1},
        {"erradication d'un heros", 35, [](Objet& t) { t.typeMaitre = 5; }, 0},
        {"erradication d'un grand", 35, [](Objet& t) { t.taille = 2; }, 0},
        {"polymorphe categorie 9", 38, [](Objet& t) { t.categorie = 9; }, 0},
        {"polymorphe", 38, [](Objet&) {}, 1},
        {"soins sur un ennemi", 44, [](Objet&) {}, 0},
        {"soins sur un ami", 44, [](Objet& t) { t.armee = 0; }, 1},
        {"benediction sur un beni", 45, [](Objet& t) { t.armee = 0, t.etatSort = 5; }, 0},
        {"resurrection d'un mourant", 47, [](Objet& t) { t.ordreSecondaire = 3; }, 1},
        {"resurrection d'un cadavre", 47, [](Objet& t) { t.famille = 13; }, 1},
        {"resurrection d'un vivant", 47, [](Objet&) {}, 0},
        {"resurrection d'un heros mourant", 47, [](Objet& t) { t.ordreSecondaire = 3, t.typeMaitre = 122; }, 0},
        {"exorcisme d'un humain", 48, [](Objet&) {}, 0},
        {"exorcisme d'un demon", 48, [](Objet& t) { t.classe = 7; }, 1},
        {"animation des morts, 147", 53, [](Objet& t) { t.typeMaitre = 147, t.x = 12, t.y = 17; }, 1},
        {"147 loin de son coin", 53, [](Objet& t) { t.typeMaitre = 147, t.x = 30; }, 0},
        {"147 refuse la boule de feu", 33, [](Objet& t) { t.typeMaitre = 147, t.x = 12, t.y = 17; }, 0},
        {"invocation sur 154", 57, [](Objet& t) { t.typeMaitre = 154, t.x = 12, t.y = 17; }, 1},
        {"teleportation, n'importe qui", 1052, [](Objet& t) { t.armee = 0; }, 1},
        {"code inconnu", 39, [](Objet&) {}, 0},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Objet& t = Lanceur(2, 23, 20, 1);
        c.regler(t);
        EXPECT_EQ(Sort__CibleValide(&o, &t, c.code), c.attendu);
    }
    // Without a target only the codes that need none pass (34 for a caster of another category
    // than master 39's).
    TableMaitres[39].categorie = 4;
    for (int code : {1052, 42, 43, 51, 34}) EXPECT_EQ(Sort__CibleValide(&o, nullptr, code), 1) << code;
    for (int code : {33, 44, 47, 57}) EXPECT_EQ(Sort__CibleValide(&o, nullptr, code), 0) << code;
    EXPECT_EQ(Sort__CibleValideSlot(&o, nullptr, 0), 0);

    // The elemental of a caster of master 39's category needs a tree within its 10 x 10 square.
    o.categorie = 4;
    EXPECT_EQ(Sort__CibleValide(&o, nullptr, 34), 0);
    Objet& arbre = Lanceur(3, 24, 24, 4);
    arbre.famille = 3;
    EXPECT_EQ(Sort__CibleValide(&o, nullptr, 34), 1);
    Univers__EffaceCaseUnites(24, 24);
    arbre.x = arbre.y = 25;
    Univers__PoseCaseUnites(25, 25, 3);
    EXPECT_EQ(Sort__CibleValide(&o, nullptr, 34), 0) << "(x + 5, y + 5) is outside the square";
    TableMaitres[39].categorie = 0;
}

TEST_F(SortsAuto, PorteeParCode) {
    Objet& o = Lanceur(1, 20, 20, 0, 33);
    Objet& t = Lanceur(2, 22, 22, 1);
    EXPECT_EQ(Sort__Portee(&o, &t, 0), 1);   // d2 8
    t.modeArmure = 2;
    EXPECT_EQ(Sort__Portee(&o, &t, 0), 0);
    t.modeArmure = 0;
    t.x = 21;
    EXPECT_EQ(Sort__Portee(&o, &t, 0), 0) << "too close for a fireball";
    EXPECT_EQ(Sort__Portee(&o, nullptr, 0), 0);
    o.sorts[0] = 36;
    t.x = 25, t.y = 21;   // d2 26
    EXPECT_EQ(Sort__Portee(&o, &t, 0), 1);
    t.x = 21, t.y = 25;   // d2 26, the other way
    EXPECT_EQ(Sort__Portee(&o, &t, 0), 1);
    t.y = 24;
    EXPECT_EQ(Sort__Portee(&o, &t, 0), 0);
    o.sorts[0] = 44;
    t.pointsDeVie = 49;
    EXPECT_EQ(Sort__Portee(&o, &t, 0), 1);
    t.pointsDeVie = 50;
    EXPECT_EQ(Sort__Portee(&o, &t, 0), 0);
    o.sorts[0] = 51;
    EXPECT_EQ(Sort__Portee(&o, nullptr, 0), 0) << "the return to god never passes";

    // Teleport: master 38 flees a first enemy within 2 cells, 262 jumps at one 8 cells away.
    o.sorts[0] = 1052;
    EXPECT_EQ(Sort__Portee(&o, nullptr, 0), 0) << "no enemy";
    Ajoute(o.listeEnnemis, o.dernierEnnemi, 2);
    struct Cas { int maitre, dx, dy, attendu; };
    for (const Cas c : {Cas{38, 2, 2, 1}, Cas{38, 3, 0, 0}, Cas{262, 8, 0, 1}, Cas{262, 7, 3, 0}, Cas{20, 1, 0, 0}}) {
        o.typeMaitre = c.maitre;
        t.x = 20 + c.dx;
        t.y = 20 + c.dy;
        EXPECT_EQ(Sort__Portee(&o, nullptr, 0), c.attendu) << c.maitre << " " << c.dx << "," << c.dy;
    }
}

TEST_F(SortsAuto, LeNeuviemeEmplacementPasseDAbord) {
    Objet& o = Lanceur(1, 20, 20, 1, 44, 0);
    o.sorts[8] = 33;
    Objet& ennemi = Lanceur(2, 20, 23, 0);
    Objet& blesse = Lanceur(3, 21, 20, 1);
    blesse.pointsDeVie = 10;
    o.listeEnnemis[0] = 2;
    o.dernierEnnemi = 0;
    ASSERT_EQ(Unite__SortsAutomatiques(1), 1);
    EXPECT_EQ(o.action, 2) << "the fireball of slot 8";
    EXPECT_EQ(o.cibleSort, 2);
    EXPECT_EQ(o.dernierSort[8], CompteurTours);
    EXPECT_EQ(o.dernierSort[0], 1500);
    // Busy while it casts.
    EXPECT_EQ(Unite__SortsAutomatiques(1), 1);
    EXPECT_EQ(o.dernierSort[0], 1500);
    // Cast over; the fireball is cooling down: the heal of slot 0 finds the wounded friend.
    o.enIncantation = 0;
    ++CompteurTours;
    ASSERT_EQ(Unite__SortsAutomatiques(1), 1);
    EXPECT_EQ(o.action, 3);
    EXPECT_EQ(o.cibleSort, 3);
    // Ready again exactly one cool-down after the cast.
    o.enIncantation = 0;
    o.sorts[0] = -2;   // not a spell, still "has spells"
    blesse.pointsDeVie = 100;
    CompteurTours = o.dernierSort[8] + 74;
    Unite__SortsAutomatiques(1);
    EXPECT_NE(o.action, 2);
    o.enIncantation = 0;
    ++CompteurTours;
    ASSERT_EQ(Unite__SortsAutomatiques(1), 1);
    EXPECT_EQ(o.action, 2);
    EXPECT_EQ(o.dernierSort[8], CompteurTours);
    (void)ennemi;
}

TEST_F(SortsAuto, SansSortOuSansCible) {
    // No spell: nothing to do here, the pursuit goes on.
    Lanceur(1, 20, 20, 0);
    EXPECT_EQ(Unite__SortsAutomatiques(1), 0);
    // Mages never pursue.
    TableObjets[1].typeMaitre = 17;
    EXPECT_EQ(Unite__SortsAutomatiques(1), 1);
    // A caster with no castable spell: busy unless an enemy stands next to it.
    Objet& o = Lanceur(2, 40, 40, 0, 40);
    EXPECT_EQ(Unite__SortsAutomatiques(2), 1) << "the nether ball is never cast";
    EXPECT_EQ(o.enIncantation, 0);
    Lanceur(3, 41, 40, 1);
    EXPECT_EQ(Unite__SortsAutomatiques(2), 0);
    // A stale list entry (an object that left the table) is skipped.
    Objet& l = Lanceur(4, 60, 60, 0, 33);
    l.listeEnnemis[0] = 5;
    l.listeEnnemis[1] = 4000;
    l.dernierEnnemi = 1;
    Objet& parti = Lanceur(5, 60, 64, 1);
    parti.noeudListe = nullptr;
    EXPECT_EQ(Unite__SortsAutomatiques(4), 1);
    EXPECT_EQ(l.enIncantation, 0);
    EXPECT_EQ(Unite__SortsAutomatiques(0), 0);
}

TEST_F(SortsAuto, SoinsDuJoueurEtDeLOrdinateur) {
    struct Cas { int armee, vie; bool soigne; };
    for (const Cas c : {Cas{0, 40, true}, Cas{0, 60, false}, Cas{1, 75, true}, Cas{1, 80, false}}) {
        SCOPED_TRACE(::testing::Message() << c.armee << " " << c.vie);
        Objet& o = Lanceur(1, 50, 50, c.armee, 44);
        Objet& a = Lanceur(2, 59, 40, c.armee);   // the far corner of the 20 x 20 square
        a.pointsDeVie = c.vie;
        EXPECT_EQ(Sort__Zone(&o, 0), c.soigne ? 1 : 0);
        if (c.soigne) {
            EXPECT_EQ(o.cibleSort, 2);
        }
        Univers__EffaceCaseUnites(59, 40);
    }
    // An enemy is not healed; one beyond the square neither.
    Objet& o = Lanceur(1, 50, 50, 1, 44);
    Lanceur(2, 52, 50, 0).pointsDeVie = 1;
    Lanceur(3, 60, 50, 1).pointsDeVie = 1;
    EXPECT_EQ(Sort__Zone(&o, 0), 0);
}

TEST_F(SortsAuto, LesRecherchesRestentSurLaCarte) {
    // Casters in the corners: every square round them is cut by the map's edges (a read off the
    // map would show under the address checker).
    struct Cas { int x, y, ax, ay; };
    for (const Cas c : {Cas{127, 127, 126, 127}, Cas{0, 0, 0, 1}, Cas{127, 0, 126, 0}}) {
        SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
        Objet& o = Lanceur(1, c.x, c.y, 1, 44);
        Objet& a = Lanceur(2, c.ax, c.ay, 1);
        a.pointsDeVie = 1;
        EXPECT_EQ(Sort__Zone(&o, 0), 1);
        EXPECT_EQ(o.cibleSort, 2);
        // The teleport's random tries: every cell of the map round the caster holds the enemy.
        o.enIncantation = 0;
        o.sorts[0] = 1052;
        o.typeMaitre = 38;
        a.armee = 0;
        o.listeEnnemis[0] = 2;
        o.dernierEnnemi = 0;
        for (int y = c.y - 8; y < c.y + 8; ++y)
            for (int x = c.x - 8; x < c.x + 8; ++x)
                if (x >= 0 && x < 128 && y >= 0 && y < 128 && (x != c.x || y != c.y)) GrilleUnites[x + 128 * y] = 2;
        o.cibleSort = -1;
        EXPECT_EQ(Sort__Zone(&o, 0), 1);
        EXPECT_EQ(o.cibleSort, 2);
        o.sorts[0] = 53;
        EXPECT_EQ(Sort__Zone(&o, 0), 0);
        o.sorts[0] = 57;
        o.dernierSort[0] = 1500;
        EXPECT_EQ(Sort__Zone(&o, 0), 0);
        for (int i = 0; i < 128 * 128; ++i) GrilleUnites[i] = 0;
    }
}

TEST_F(SortsAuto, ZonesAutourDuLanceur) {
    // The summoning finds the first master 147 of its square, once four cool-downs have passed.
    Objet& o = Lanceur(1, 50, 50, 1, 57);
    Objet& portail = Lanceur(2, 53, 47, 4);
    portail.typeMaitre = 147;
    o.dernierSort[0] = CompteurTours - 359;
    EXPECT_EQ(Sort__Zone(&o, 0), 0);
    o.dernierSort[0] = CompteurTours - 360;
    EXPECT_EQ(Sort__Zone(&o, 0), 1);
    EXPECT_EQ(o.cibleSort, 2);
    // Self spells cast on the caster itself.
    for (int code : {34, 42, 43}) {
        Objet& s = Lanceur(3, 80, 80, 1, code);
        EXPECT_EQ(Sort__Zone(&s, 0), 1) << code;
        EXPECT_EQ(s.cibleSort, 3);
    }
    // Raising the dead finds a corpse on the ground grid round it.
    Objet& n = Lanceur(4, 100, 100, 1, 53);
    for (int x = 92; x < 108; ++x)
        for (int y = 92; y < 108; ++y) GrilleSol[x + 128 * y] = 5;
    Objet& corps = Lanceur(5, 101, 101, 4);
    corps.famille = 13;
    EXPECT_EQ(Sort__Zone(&n, 0), 1);
    EXPECT_EQ(n.cibleSort, 5);
}

TEST_F(SortsAuto, LaViseeDuJoueur) {
    Objet& o = Lanceur(1, 20, 20, 0);
    struct Cas {
        const char* nom;
        int code;
        void (*regler)(Objet&);
        int attendu;
    };
    const Cas cas[] = {
        {"foudre sur un ennemi", 61, [](Objet&) {}, 1},
        {"foudre sur un beni", 61, [](Objet& t) { t.etatSort = 5; }, 0},
        {"boule de feu sur un lanceur", 33, [](Objet& t) { t.sorts[0] = 44; }, 0},
        {"boule de feu sur une machine", 33, [](Objet& t) { t.sorts[0] = 4, t.famille = 5; }, 1},
        {"erradication d'un special", 35, [](Objet& t) { t.typeMaitre = 123; }, 0},
        {"soins d'un ami", 44, [](Objet& t) { t.armee = 0; }, 1},
        {"retour vers dieu d'un ennemi", 51, [](Objet&) {}, 0},
        {"resurrection d'un cadavre", 47, [](Objet& t) { t.famille = 13, t.sorts[0] = 20; }, 1},
        {"cadavre d'un converti", 47, [](Objet& t) { t.famille = 13, t.sorts[0] = 18; }, 0},
        {"cadavre de categorie 6", 53, [](Objet& t) { t.famille = 13, t.sorts[0] = 21; }, 0},
        {"cadavre d'un maitre hors table", 53, [](Objet& t) { t.famille = 13, t.sorts[0] = 70000; }, 0},
        {"un vivant n'est pas un cadavre", 47, [](Objet& t) { t.sorts[0] = 20; }, 0},
        {"teleportation", 1052, [](Objet&) {}, 1},
        {"code passif", 37, [](Objet&) {}, 0},
    };
    TableMaitres[20].categorie = 0;
    TableMaitres[21].categorie = 6;
    NombreMaitres = 30;
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        Objet& t = Lanceur(2, 23, 20, 1);
        c.regler(t);
        EXPECT_EQ(Sort__CibleAutorisee(&o, &t, c.code), c.attendu);
    }
    EXPECT_EQ(Sort__CibleAutorisee(&o, nullptr, 42), 1);
    EXPECT_EQ(Sort__CibleAutorisee(&o, nullptr, 44), 0);
    // The game frame passes object numbers: numbers off the table are refused, -1 is no target.
    Lanceur(2, 23, 20, 1);
    EXPECT_EQ(Sort__CibleAutorisee(1, 2, 61), 1);
    EXPECT_EQ(Sort__CibleAutorisee(1, -1, 42), 1);
    EXPECT_EQ(Sort__CibleAutorisee(1, -1, 61), 0);
    for (const auto& [objet, cible] : {std::pair{0, 2}, std::pair{1, 2000}, std::pair{-5, 2}, std::pair{1, -7}})
        EXPECT_EQ(Sort__CibleAutorisee(objet, cible, 42), 0) << objet << " " << cible;
    // Hostility is read from the caster's row: army 1 hostile to 0 does not make 0 hostile to 1.
    TableAttaque[0][1] = 0;
    Objet& t = Lanceur(2, 23, 20, 1);
    EXPECT_EQ(Sort__CibleAutorisee(&o, &t, 61), 0);
    NombreMaitres = 0;
}

}  // namespace
