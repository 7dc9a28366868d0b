// The portraits of the selection with their bars, the ability bar and the unit icons.
#include "interface_fixture.h"
#include "scene/panneau.h"
#include "shell/routeur.h"
#include "shell/saisie.h"
#include "platform/plateforme.h"
#include "shell/trame.h"

namespace {

constexpr int MAGICIEN = 17;   // the sample mage: fireball 33, invisibility 37, healing 44, rain of fire 36, teleport 1052

class Panneau : public Interface {
  protected:
    int soldats = 0;
    void SetUp() override {
        Interface::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(Creer()) << Rapport();
        ModeSceneCourant = 2;
        soldats = GroupesArmee(0).at(0);
        CapaciteSurvolee = -1;
        SourisX = SourisY = 300;
    }
    static int Mages(int x, int y, int colonnes = 1) { return Groupe___Creation(MAGICIEN, 0, x, y, colonnes, 1, 4); }
    static void Sorts(int g, std::initializer_list<int> codes) {
        for (int m = 0; m < TableGroupes[static_cast<size_t>(g)].nbMembres; ++m) {
            Objet& o = TableObjets[static_cast<size_t>(TableGroupes[static_cast<size_t>(g)].membres[m])];
            std::fill(std::begin(o.sorts), std::end(o.sorts), -1);
            int k = 0;
            for (int c : codes) o.sorts[k++] = c;
        }
    }
    static std::vector<int> Codes() {
        std::vector<int> c;
        for (int i = 0; i < CapacitesNombre; ++i)
            c.push_back(TableObjets[static_cast<size_t>(CapacitesObjets[static_cast<size_t>(i)])].sorts[CapacitesIndex[static_cast<size_t>(i)]]);
        return c;
    }
    // The length of the run of `couleur` from (x, y) rightward.
    static int Longueur(int x, int y, uint16_t couleur) {
        int n = 0;
        while (x + n < 640 && Pixel(x + n, y) == couleur) ++n;
        return n;
    }
};

// Hit points against the group's hit points at creation, mana against its maximum (held to 24
// like the others) and morale times 5 (a full 5 drawn as 24).
TEST_F(Panneau, BarsOfTheFirstPortrait) {
    Groupe& g = TableGroupes[static_cast<size_t>(soldats)];
    const int vie = GroupePointsDeVie(soldats);
    ASSERT_GT(vie, 0);
    struct Cas {
        int initiaux, rouge;
    };
    for (const Cas& c : {Cas{vie * 2, 12}, Cas{vie, 24}, Cas{vie / 2, 24}, Cas{0, 0}}) {
        g.pointsDeVieInitiaux = c.initiaux;
        for (int m = 0; m < g.nbMembres; ++m) TableObjets[static_cast<size_t>(g.membres[m])].moral = 5;
        Selectionner({soldats});
        Remplir(0);
        PanneauSelection__Affichage(0);
        EXPECT_EQ(Longueur(8 + 39, 7, 0x7C00), c.rouge) << c.initiaux;
        EXPECT_EQ(Longueur(8 + 39, 10, 0x03E0), 0) << "no mana";
        EXPECT_EQ(Longueur(8 + 39, 13, 0x001F), 24) << "morale 5";
    }
    const int mages = Mages(60, 60);
    Objet& mage = Premier(mages);
    mage.mana = mage.manaMaximum * 3;
    Selectionner({soldats, mages});
    Remplir(0);
    PanneauSelection__Affichage(0);
    EXPECT_EQ(Longueur(78 + 39, 10, 0x03E0), 24);
}

TEST_F(Panneau, AbilitiesCollectedOncePerCodeInOrderOfFirstAppearance) {
    const int a = Mages(60, 60, 2), b = Mages(60, 62, 2), machines = Mages(60, 64);
    struct Cas {
        const char* nom;
        std::vector<std::vector<int>> sorts;   // per group a, b, machines
        std::vector<int> groupes;
        std::vector<int> codes;
    };
    const std::vector<int> neuf = {33, 34, 35, 36, 38, 41, 42, 43, 44};
    const Cas cas[] = {
        {"the sample mage", {{33, 37, 44, 36, 1052}, {}, {}}, {a}, {33, 37, 44, 36, 1052}},
        {"two groups share their codes", {{33, 44}, {44, 45, 33}, {}}, {a, b}, {33, 44, 45}},
        {"selection order", {{33, 44}, {44, 45, 33}, {}}, {b, a}, {44, 45, 33}},
        {"a tenth code is left out", {{33, 34, 35, 36, 38, 41, 42, 43, 44}, {45}, {}}, {a, b}, neuf},
        {"the list ends at the first empty code", {{33, -1, 44}, {}, {}}, {a}, {33}},
        {"siege engines have none", {{}, {}, {51}}, {machines}, {}},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const int groupes[3] = {a, b, machines};
        for (int i = 0; i < 3; ++i) {
            Sorts(groupes[i], {});
            for (int m = 0; m < TableGroupes[static_cast<size_t>(groupes[i])].nbMembres; ++m) {
                Objet& o = TableObjets[static_cast<size_t>(TableGroupes[static_cast<size_t>(groupes[i])].membres[m])];
                for (size_t k = 0; k < c.sorts[static_cast<size_t>(i)].size(); ++k) o.sorts[k] = c.sorts[static_cast<size_t>(i)][k];
                o.famille = i == 2 ? 5 : 0;
            }
        }
        Selectionner(c.groupes);
        BarreCapacites__Collecte();
        EXPECT_EQ(Codes(), c.codes);
    }
}

// An eighth selected group gets no portrait, but its abilities enter the bar; an emptied group
// leaves its place blank.
TEST_F(Panneau, EighthGroupAndEmptyGroup) {
    std::vector<int> groupes;
    for (int i = 0; i < 8; ++i) {
        groupes.push_back(Mages(40 + 2 * i, 70));
        Sorts(groupes.back(), {i == 7 ? 57 : 44});
    }
    Selectionner(groupes);
    Remplir(0);
    PanneauSelection__Affichage(0);
    EXPECT_EQ(Codes(), (std::vector<int>{44, 57}));
    int septieme = 0, huitieme = 0;
    for (int y = 0; y < 44; ++y)
        for (int x = 0; x < 70; ++x) septieme += Pixel(8 + 70 * 6 + x, y) != 0, huitieme += Pixel(8 + 70 * 7 + x, y) != 0;
    EXPECT_GT(septieme, 2000);
    EXPECT_EQ(huitieme, 0);

    TableGroupes[static_cast<size_t>(groupes[1])].nbMembres = 0;
    Remplir(0);
    PanneauSelection__Affichage(0);
    int vide = 0;
    for (int y = 0; y < 44; ++y)
        for (int x = 0; x < 70; ++x) vide += Pixel(78 + x, y) != 0;
    EXPECT_EQ(vide, 0);
    EXPECT_NE(Pixel(148 + 35, 2), 0);
    TableGroupes[static_cast<size_t>(groupes[1])].nbMembres = 1;
}

// A slot that cannot be cast now shows its icon see-through and no number; the one under the
// mouse is lit and named.
TEST_F(Panneau, UsableAndUnusableSlots) {
    const int pleins = Mages(60, 60), vides = Mages(62, 60);
    Sorts(pleins, {33});
    Sorts(vides, {44});
    Premier(vides).mana = 0;
    Selectionner({pleins, vides});
    const int bas = EcranDestination.clipBas, y = bas - 34;
    const auto Luminosite = [](int x0, int y0, int x1, int y1) {
        long s = 0;
        for (int j = y0; j < y1; ++j)
            for (int i = x0; i < x1; ++i) s += (Pixel(i, j) >> 10 & 31) + (Pixel(i, j) >> 5 & 31) + (Pixel(i, j) & 31);
        return s;
    };
    Remplir(0);
    BarreCapacites__Affichage(8, y);
    ASSERT_EQ(CapacitesNombre, 2);
    EXPECT_EQ(CapacitesActives[0], 1);
    EXPECT_EQ(CapacitesActives[1], 0);
    const long usable = Luminosite(20, y - 28, 56, y + 8), terne = Luminosite(59, y - 28, 95, y + 8);
    EXPECT_GT(terne, 0);
    EXPECT_LT(terne * 2, usable);
    // The second slot is its see-through icon alone, with no number over it.
    const std::vector<uint16_t> barre = Copie();
    Remplir(0);
    Sprite__AfficheTrs(44, 59, y - 28, 0, 10);
    EXPECT_EQ(Changes(barre, 59, y - 28, 95, y + 8), 0);

    CapaciteSurvolee = 0;
    Remplir(0);
    BarreCapacites__Affichage(8, y);
    EXPECT_GT(Luminosite(20, y - 28, 56, y + 8), usable);
    EXPECT_GT(Luminosite(20, y - 56, 200, y - 30), 0) << "its name above the bar";
    Capturer("interface_barre");
}

TEST(Capacites, NameLinesOfTheCodes) {
    struct Cas {
        int code, categorie, ligne;
    };
    for (const Cas& c : {Cas{33, 0, 53}, Cas{44, 0, 52}, Cas{55, 1, 56}, Cas{55, 0, 57}, Cas{55, 2, 57}, Cas{1052, 0, 61},
                         Cas{37, 0, 0}, Cas{-1, 0, 0}})
        EXPECT_EQ(Capacite__LigneNom(c.code, c.categorie), c.ligne) << c.code;
}

TEST(Icones, TableOfMasterTypes) {
    struct Cas {
        int type;
        bool trouve;
        int objet, image;
    };
    for (const Cas& c : {Cas{5, true, 820, 1}, Cas{20, true, 818, 5}, Cas{140, true, 819, 12}, Cas{391, true, 817, 2},
                         Cas{18, false, 0, 0}, Cas{-1, false, 0, 0}, Cas{600, false, 0, 0}}) {
        int objet = 0, image = 0;
        EXPECT_EQ(Icone__Table(c.type, &objet, &image), c.trouve) << c.type;
        if (c.trouve) {
            EXPECT_EQ(std::make_pair(objet, image), std::make_pair(c.objet, c.image)) << c.type;
        }
    }
}

// In the skirmish preview the icon is the chosen type's, and a type without one is forgotten.
TEST_F(Panneau, PreviewIconOfATypeWithoutIcon) {
    ModeSceneCourant = 3;
    FicheUniteType = 20;
    Remplir(0);
    FicheUnite__Affichage(100, 100);
    EXPECT_EQ(FicheUniteType, 20);
    EXPECT_NE(Pixel(100, 100), 0);
    FicheUniteType = 18;
    FicheUnite__Affichage(100, 100);
    EXPECT_EQ(FicheUniteType, -1);
}

// The caption under the panel: the single group's own when nothing is hovered.
TEST_F(Panneau, CaptionOfASingleGroup) {
    const auto Legende = [] {
        int n = 0;
        for (int y = 466; y < 480; ++y)
            for (int x = 242; x < 500; ++x) n += Pixel(x, y) != 0;
        return n;
    };
    struct Cas {
        std::vector<int> groupes;
        int survol;
        bool legende;
    };
    const int mages = Mages(60, 60);
    for (const Cas& c : {Cas{{soldats}, 0, true}, Cas{{mages}, 0, true}, Cas{{soldats}, 1, false}, Cas{{soldats, mages}, 0, false}}) {
        Selectionner(c.groupes);
        Remplir(0);
        PanneauSelection__Affichage(c.survol);
        EXPECT_EQ(Legende() > 20, c.legende) << c.groupes.size() << " " << c.survol;
    }
}

}  // namespace

namespace {

// An icon whose graphic object the list does not hold draws nothing and is reported once.
TEST_F(Panneau, IconMissingFromTheGraphicListReportedOnce) {
    const int32_t nombre = NbObjetsGfx;
    NbObjetsGfx = 800;   // the unit icons (815 and on) are missing
    Selectionner({soldats});
    Remplir(0);
    // The player answers the report's question with "yes".
    Plateforme_InjecterSouris(96 + 200, 157 + 120);
    Plateforme_InjecterBouton(true, true);
    Plateforme_InjecterBouton(true, false);
    PanneauSelection__Affichage(0);
    EXPECT_NE(Rapport().find("absent de la liste : 818"), std::string::npos) << Rapport();
    EXPECT_NE(Pixel(8 + 2, 2), 0) << "the rest of the portrait is drawn";
    EXPECT_EQ(Pixel(8 + 20, 20), (2 << 10 | 2 << 5 | 3)) << "the icon's well stays empty";
    std::filesystem::remove(arbre.Racine() / "Erreur.txt");
    PanneauSelection__Affichage(0);
    EXPECT_FALSE(arbre.Existe("Erreur.txt"));
    NbObjetsGfx = nombre;
}

}  // namespace
