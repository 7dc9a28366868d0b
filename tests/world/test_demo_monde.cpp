// The sample cast loads without a report: from the source data, and from the assembled sample
// tree as the program sees it (working directory at its bin/).
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <cctype>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "monde_fixture.h"
#include "editors/evenements.h"
#include "foundation/sprites.h"
#include "world/codes.h"
#include "world/demo_monde.h"

namespace {

namespace fs = std::filesystem;

// The concrete events of a master's table: animation, direction, frame and type of each.
std::vector<std::array<int, 4>> Evenements(const Objet& m) {
    std::vector<std::array<int, 4>> liste;
    if (m.evenements == nullptr) return liste;
    const TableEvenements& t = *m.evenements;
    for (int a = 0; a < NOMBRE_ANIMATIONS; ++a)
        for (int d = 0; t.animations[a] && d < t.directions[a]; ++d)
            for (int i = 0; t.animations[a][d] && i < t.images[a]; ++i)
                for (const EvenementConcret* e = t.animations[a][d][i].concrets; e; e = e->suivant)
                    liste.push_back({a, d, i, e->type});
    return liste;
}

// Each faction's foot soldiers, archers and mages are the Empire's (numbers 20, 13, 17) in a team
// colour of their own, and a category of their own (their colour on the minimap), so that two
// armies are told apart on the field and on the minimap.
void VerifierCamps() {
    struct Camp {
        const char* noms[3];
        int maitres[3];
        int categorie;   // red, blue, gold, purple on the minimap
    };
    const Camp camps[4] = {{{"EMPIRE   SOLDAT", "EMPIRE   ARCHER", "EMPIRE   MAGICIEN"}, {20, 13, 17}, 0},
                           {{"JUSTICE   PALADIN", "JUSTICE   ARCHER", "JUSTICE   MAGICIEN"}, {23, 21, 24}, 1},
                           {{"LUMIERE   SOLDAT", "LUMIERE   ARCHER", "LUMIERE   MAGICIEN"}, {34, 28, 31}, 4},
                           {{"MORVANE   ORC", "MORVANE   ARCHER", "MORVANE   PRETRE"}, {10, 43, 11}, 9}};
    auto couleur = [](int n, int c) { return static_cast<int>(static_cast<unsigned char>(TableMaitres[n].couleur[c])); };
    for (int c = 0; c < 4; ++c)
        for (int u = 0; u < 3; ++u) {
            const int n = camps[c].maitres[u], e = camps[0].maitres[u];
            SCOPED_TRACE(n);
            ASSERT_NE(NomsMaitres[n], nullptr);
            EXPECT_STREQ(NomsMaitres[n], camps[c].noms[u]);
            const Objet &m = TableMaitres[n], &r = TableMaitres[e];
            EXPECT_EQ(m.categorie, camps[c].categorie);
            EXPECT_EQ(std::tie(m.famille, m.classe, m.taille, m.pointsDeVieMaximum, m.modeArmure, m.vitesse,
                               m.niveau, m.moral, m.degats, m.mana, m.regenerationVie, m.formation, m.selectionnable,
                               m.pointsDeVieParNiveau, m.degatsParNiveau),
                      std::tie(r.famille, r.classe, r.taille, r.pointsDeVieMaximum, r.modeArmure, r.vitesse,
                               r.niveau, r.moral, r.degats, r.mana, r.regenerationVie, r.formation, r.selectionnable,
                               r.pointsDeVieParNiveau, r.degatsParNiveau));
            for (int s = 0; s < 9; ++s) EXPECT_EQ(m.sorts[s], r.sorts[s]);
            for (int k = 0; k < NOMBRE_ANIMATIONS; ++k) {
                EXPECT_EQ((*TablesObjetGfxAnimations[k])[n], (*TablesObjetGfxAnimations[k])[e]) << k;
                EXPECT_EQ(m.animations[k].directions, r.animations[k].directions) << k;
                EXPECT_EQ(m.animations[k].images, r.animations[k].images) << k;
            }
            // Their events too (the shot of a bow, the frame of a blow): without its ".cfg" a copy has none.
            EXPECT_FALSE(Evenements(r).empty());
            EXPECT_EQ(Evenements(m), Evenements(r));
            // One colour for the whole faction, a real tint (0..31 a channel).
            for (int k = 0; k < 3; ++k) {
                EXPECT_EQ(couleur(n, k), couleur(camps[c].maitres[0], k));
                EXPECT_LE(couleur(n, k), 31);
            }
        }
    // Each faction's foot soldiers have voices of their own: no id of one faction's selection, move
    // and attack rows is named by another faction.
    std::map<int32_t, int> faction;
    for (int c = 0; c < 4; ++c) {
        const int n = camps[c].maitres[0];
        for (const VoixParMaitre* table : {&VoixSelection, &VoixDeplacement, &VoixAttaque})
            for (const int32_t id : (*table)[static_cast<size_t>(n)]) {
                EXPECT_TRUE(id >= 2100 && id <= 2131) << n << " " << id;
                const auto [it, nouveau] = faction.emplace(id, c);
                EXPECT_EQ(it->second, c) << "voice " << id << " named by factions " << it->second << " and " << c;
            }
    }
    EXPECT_GE(faction.size(), 4u * 6u);
    // Any two factions differ by a clear step over the three channels.
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b) {
            int ecart = 0;
            for (int k = 0; k < 3; ++k) ecart += std::abs(couleur(camps[a].maitres[0], k) - couleur(camps[b].maitres[0], k));
            EXPECT_GE(ecart, 20) << a << " " << b;
        }
}

void VerifierDistribution() {
    EXPECT_EQ(NombreMaitres, 340);
    struct Cas {
        int numero;
        const char* nom;
        int famille, classe;
    };
    for (Cas c : {Cas{5, "EMPIRE   HEROS", 0, 3}, Cas{13, "EMPIRE   ARCHER", 0, 4}, Cas{17, "EMPIRE   MAGICIEN", 0, 0},
                  Cas{20, "EMPIRE   SOLDAT", 0, 3}, Cas{130, "OBSTACLE", 2, 24}, Cas{131, "ARBRE CHENE", 3, 22},
                  Cas{150, "DECOR ROCHER", 2, 24}, Cas{200, "EMPIRE   CASERNE", 1, 5},
                  Cas{201, "EMPIRE   CASERNE RUINE", 2, 5}, Cas{305, "PORTE   CASERNE", 10, 5},
                  Cas{18, "CONVERTI", 0, 3}, Cas{307, "GENERATEUR", 11, 16}, Cas{308, "CADAVRE", 13, 17}}) {
        ASSERT_NE(NomsMaitres[c.numero], nullptr) << c.numero;
        EXPECT_STREQ(NomsMaitres[c.numero], c.nom);
        EXPECT_EQ(TableMaitres[c.numero].famille, c.famille) << c.numero;
        EXPECT_EQ(TableMaitres[c.numero].classe, c.classe) << c.numero;
    }
    EXPECT_EQ(TableMaitres[130].actif, 0);   // the placeholder that marks water and impassable cells
    EXPECT_EQ(TableMaitres[17].sorts[0], 33);
    EXPECT_EQ(TableMaitres[200].sorts[7], 2);   // the barracks' door, shut
    EXPECT_EQ(ObjetGfx_ANIM__MOR[200], ObjetGfx_ANIM__ARA[201]);   // the building's ruin
    EXPECT_GT(ObjetGfx_ANIM__DPL[20], 0);
    EXPECT_GT(ObjetGfx_ANIM__SIN[17], 0);
    EXPECT_EQ(VoixSelection[20][0], 2100);
    // Every voice a master names is a sound of the sample's list.
    std::set<int32_t> liste;
    {
        std::istringstream lignes(LireFichier(fs::path(MORVANE_SOURCE_DIR) / "data/Son/SoundList.ini"));
        for (std::string ligne; std::getline(lignes, ligne);)
            if (!ligne.empty() && std::isdigit(static_cast<unsigned char>(ligne[0]))) liste.insert(std::stoi(ligne));
    }
    for (int n = 0; n < NombreMaitres; ++n)
        for (const VoixParMaitre* table : {&VoixSelection, &VoixDeplacement, &VoixAttaque})
            for (const int32_t id : (*table)[static_cast<size_t>(n)])
                EXPECT_TRUE(id == 0 || liste.count(id) != 0) << n << " names the voice " << id;
    VerifierCamps();
    // Every animation named resolves to a figure of the sample cast (an unknown name would give 0).
    for (int n = 0; n < NombreMaitres; ++n)
        for (const TableParMaitre* table : TablesObjetGfxAnimations) {
            if (NomsMaitres[static_cast<size_t>(n)] == nullptr) break;   // an empty slot
            const int g = (*table)[static_cast<size_t>(n)];
            if (g == -1) continue;
            ASSERT_TRUE(g > 0 && g < NbObjetsGfx) << n;
            EXPECT_EQ(std::string(TableObjetsGfx[static_cast<size_t>(g)].fichierSprite).rfind("figures\\", 0), 0u)
                << n << " " << TableObjetsGfx[static_cast<size_t>(g)].fichierSprite;
        }
    // The fighting poses draw the attack figure.
    for (int n : {5, 13, 17, 20}) EXPECT_EQ(ObjetGfx_ANIM__ARE[static_cast<size_t>(n)], ObjetGfx_ANIM__ATT[static_cast<size_t>(n)]) << n;
}

TEST_F(Monde, DistributionDExempleSansRapport) {
    const fs::path source = MORVANE_SOURCE_DIR;
    for (const auto& e : fs::directory_iterator(source / "data/maitres"))
        arbre.Ecrire("maitres/" + e.path().filename().string(), LireFichier(e.path()));
    arbre.Ecrire("ini/mv.ini", LireFichier(source / "data/ini/mv.ini"));
    CreationDeLalIsteDesObjetsGfx();
    EXPECT_TRUE(Demo_ChargerMaitres());
    EXPECT_FALSE(arbre.Existe("Erreur.txt")) << Rapport();
    VerifierDistribution();
}

TEST(DemoMonde, ArbreDuJeuAssembleSansRapport) {
    const fs::path jeu = MORVANE_JEU_DIR;
    Plateforme_Initialiser(OptionsPlateforme{});
    Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
    fs::path ancien = fs::current_path();
    fs::current_path(jeu / "bin");
    std::error_code e;
    fs::remove(jeu / "Erreur.txt", e);
    try {
        CreationDeLalIsteDesObjetsGfx();
        EXPECT_TRUE(Demo_ChargerMaitres());
        // Each figure drawn by the asset maker has the frames its master's animations show: the
        // directions times the images of the pairs for men and siege engines, four shapes for the
        // decors.
        const uint8_t format[7] = {1, 10, 3, 5, 3, 0, 3};
        ASSERT_EQ(SprDll_Init(12, format, nullptr), 0);
        for (int n = 0; n < NombreMaitres; ++n) {
            const Objet& m = TableMaitres[static_cast<size_t>(n)];
            if (NomsMaitres[static_cast<size_t>(n)] == nullptr || m.famille == 1) continue;
            for (int k = 0; k < NOMBRE_ANIMATIONS; ++k) {
                const int g = (*TablesObjetGfxAnimations[static_cast<size_t>(k)])[static_cast<size_t>(n)];
                if (g <= 0) continue;
                ObjetGfx& objet = TableObjetsGfx[static_cast<size_t>(g)];
                if (std::string(objet.fichierSprite).find("caserne") != std::string::npos) continue;
                Spr_Load(objet.fichierSprite, &objet);
                ASSERT_NE(objet.sprite, nullptr) << objet.fichierSprite;
                const bool paires = m.famille == 0 || m.famille == FAMILLE_MACHINES;
                // The enemy regiments' token on the region map waves over 13 frames.
                const int attendu = paires ? m.animations[k].directions * m.animations[k].images
                                           : m.famille == FAMILLE_REGIMENT_NMI ? 13 : 4;
                EXPECT_EQ(Spr_GetNb(objet.sprite), attendu) << n << " " << MotsClesAnimations[static_cast<size_t>(k)];
            }
        }
    } catch (const FinProgramme&) {
        ADD_FAILURE() << LireFichier(jeu / "Erreur.txt");
    }
    fs::current_path(ancien);
    EXPECT_FALSE(fs::exists(jeu / "Erreur.txt")) << LireFichier(jeu / "Erreur.txt");
    VerifierDistribution();
    ObjetsGfx_Liberation();
}

}  // namespace
