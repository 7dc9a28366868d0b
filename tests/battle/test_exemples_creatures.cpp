// The sample siege engines, their wrecks, the dragon and the angel load without a report, with
// their animation counts and the events of their shots and blows.
#include <filesystem>

#include "editors/evenements.h"
#include "world/demo_monde.h"
#include "world/monde_fixture.h"

namespace {

namespace fs = std::filesystem;

TEST_F(Monde, MachinesEtCreaturesDExemple) {
    const fs::path source = MORVANE_SOURCE_DIR;
    for (const auto& e : fs::directory_iterator(source / "data/maitres"))
        arbre.Ecrire("maitres/" + e.path().filename().string(), LireFichier(e.path()));
    arbre.Ecrire("ini/mv.ini", LireFichier(source / "data/ini/mv.ini"));
    CreationDeLalIsteDesObjetsGfx();
    ASSERT_TRUE(Demo_ChargerMaitres());
    EXPECT_FALSE(arbre.Existe("Erreur.txt")) << Rapport();
    struct Cas {
        int numero, famille, classe, taille, selectionnable, directions, images;
    };
    // Machines walk and shoot on 16 directions of 6 frames; the creatures keep 8 of 12. The
    // ballista shoots its bolts as an archer (class 4); its wreck keeps the ballista class.
    const Cas cas[] = {{141, 5, 9, 2, 1, 16, 6}, {139, 5, 4, 2, 1, 16, 6}, {158, 5, 9, 2, 0, 16, 1},
                       {160, 5, 10, 2, 0, 16, 1}, {133, 6, 8, 3, 1, 8, 12},  {290, 21, 21, 2, 1, 8, 12}};
    for (const Cas& c : cas) {
        const Objet& m = TableMaitres[static_cast<size_t>(c.numero)];
        EXPECT_EQ(m.famille, c.famille) << c.numero;
        EXPECT_EQ(m.classe, c.classe) << c.numero;
        EXPECT_EQ(m.taille, c.taille) << c.numero;
        EXPECT_EQ(m.selectionnable, c.selectionnable) << c.numero;
        ASSERT_NE(m.animations, nullptr);
        EXPECT_EQ(m.animations[0].directions, c.directions) << c.numero;
        EXPECT_EQ(m.animations[0].images, c.images) << c.numero;
    }
    // A shot on the fourth frame of the firing animation, whatever the direction.
    for (int n : {139, 141})
        for (int d = 0; d < 16; ++d) {
            const TableEvenements* t = TableMaitres[static_cast<size_t>(n)].evenements;
            ASSERT_NE(t, nullptr);
            ASSERT_NE(t->animations[2], nullptr);
            const EvenementConcret* e = t->animations[2][d][3].concrets;
            ASSERT_NE(e, nullptr) << n << " " << d;
            EXPECT_EQ(e->type, 3);
        }
    // The dragon strikes the cell before the middle of its side in each facing.
    const int devant[8][2] = {{1, -1}, {3, -1}, {3, 1}, {3, 3}, {1, 3}, {-1, 3}, {-1, 1}, {-1, -1}};
    for (int a = 1; a <= 4; ++a)
        for (int d = 0; d < 8; ++d) {
            const EvenementConcret* e = TableMaitres[133].evenements->animations[a][d][6].concrets;
            ASSERT_NE(e, nullptr) << a << " " << d;
            EXPECT_EQ(e->type, 6);
            EXPECT_EQ(e->caseX, devant[d][0]);
            EXPECT_EQ(e->caseY, devant[d][1]);
            EXPECT_EQ(TableMaitres[290].evenements->animations[a][d][6].concrets->type, 3);
        }
}

}  // namespace
