// The march of scripts/region_chasseur.txt, played by the program headless on the tutorial's
// region map with its enemies: the company selected and sent to a far cell, the path's arrows
// drawn in two colours, then ends of turn until it arrives while the hunter closes in and the
// guard waits; no battle opens.
#include <gtest/gtest.h>

#include <png.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "jeu_temporaire.h"
#include "trace_region.h"

namespace {

struct Image {
    int largeur = 0, hauteur = 0;
    std::vector<uint8_t> rgb;
};

Image LirePng(const std::string& chemin) {
    Image i;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, chemin.c_str())) return i;
    png.format = PNG_FORMAT_RGB;
    i.rgb.resize(PNG_IMAGE_SIZE(png));
    if (!png_image_finish_read(&png, nullptr, i.rgb.data(), 0, nullptr)) return Image{};
    i.largeur = static_cast<int>(png.width);
    i.hauteur = static_cast<int>(png.height);
    return i;
}

// Pixels of the rectangle [x0, x1) x [y0, y1) that are arrow yellow, and that are arrow red.
struct Couleurs {
    int jaunes = 0, rouges = 0;
};
Couleurs Compter(const Image& i, int x0, int y0, int x1, int y1) {
    Couleurs c;
    for (int y = y0; y < y1 && y < i.hauteur; ++y)
        for (int x = x0; x < x1 && x < i.largeur; ++x) {
            const uint8_t* p = &i.rgb[(static_cast<size_t>(y) * i.largeur + x) * 3];
            if (p[0] >= 170 && p[1] >= 170 && p[2] < 100) ++c.jaunes;
            if (p[0] >= 150 && p[1] < 90 && p[2] < 60) ++c.rouges;
        }
    return c;
}

double Distance(int x0, int y0, int x1, int y1) { return std::hypot(x1 - x0, y1 - y0); }

TEST(ChasseurProgramme, LeRegimentArriveAvantQueLeChasseurNeLAtteigne) {
    JeuTemporaire jeu;
    const std::string script = LireFichier(std::filesystem::path(MORVANE_SOURCE_DIR) / "scripts/region_chasseur.txt");
    ASSERT_FALSE(script.empty());
    ASSERT_EQ(jeu.Lancer(script, "h"), 0) << jeu.Lire("h/stderr.txt");
    EXPECT_FALSE(jeu.Existe("Erreur.txt")) << jeu.Lire("Erreur.txt");
    const std::string trace = jeu.Lire("h/stderr.txt");

    // The company: four cells a turn from (3, 35), the fourth turn's one onto the goal, where it
    // stays the fifth turn.
    const std::vector<Case> compagnie = FinsDeMouvement(trace, 0);
    ASSERT_EQ(compagnie.size(), 5u) << trace;
    EXPECT_EQ(compagnie[3], (Case{3, 22}));
    EXPECT_EQ(compagnie[4], (Case{3, 22}));
    Case avant{3, 35};
    for (size_t t = 0; t < 3; ++t) {
        EXPECT_EQ(std::max(std::abs(compagnie[t].x - avant.x), std::abs(compagnie[t].y - avant.y)), 4) << "turn " << t + 1;
        avant = compagnie[t];
    }

    // The hunter plans five turns of two cells, each taking it nearer the company's cell of that
    // moment; at the end it is much nearer than at the start, yet never beside it.
    const std::vector<PlanEnnemi> chasseur = PlansEnnemi(trace, 100);
    ASSERT_EQ(chasseur.size(), 5u) << trace;
    std::vector<Case> proie = {{3, 35}};
    proie.insert(proie.end(), compagnie.begin(), compagnie.end());
    EXPECT_EQ(chasseur[0].x, 17);
    EXPECT_EQ(chasseur[0].y, 31);
    for (size_t t = 0; t < chasseur.size(); ++t) {
        EXPECT_EQ(chasseur[t].comportement, 1);
        EXPECT_EQ(chasseur[t].pas, 2) << "turn " << t + 1;
        const double d = Distance(chasseur[t].x, chasseur[t].y, proie[t].x, proie[t].y);
        EXPECT_GT(d, 1.5) << "turn " << t + 1;
        if (t + 1 < chasseur.size()) {
            EXPECT_LT(Distance(chasseur[t + 1].x, chasseur[t + 1].y, proie[t].x, proie[t].y), d) << "turn " << t + 1;
        }
    }
    EXPECT_LT(Distance(chasseur.back().x, chasseur.back().y, 3, 22), Distance(17, 31, 3, 22) - 5);

    // The guard before the farm: the company never within its four cells, it waits every turn.
    const std::vector<PlanEnnemi> gardien = PlansEnnemi(trace, 101);
    ASSERT_EQ(gardien.size(), 5u);
    for (const PlanEnnemi& p : gardien) {
        EXPECT_EQ(p.comportement, 2);
        EXPECT_EQ(p.x, 12);
        EXPECT_EQ(p.y, 27);
        EXPECT_EQ(p.pas, 0);
    }
    // No contact: the region map is never left for a battle.
    EXPECT_EQ(trace.find("Region__Quitte()"), std::string::npos) << trace;

    // The arrows: yellow over this turn's four cells (rows 31 to 34, 11 to 14 of the view), red
    // from row 30 up to the goal; none before the right click.
    const Image choisi = LirePng((jeu.Racine() / "h/02-choisi.png").string());
    const Image chemin = LirePng((jeu.Racine() / "h/03-chemin.png").string());
    ASSERT_EQ(chemin.largeur, 640);
    ASSERT_EQ(choisi.largeur, 640);
    const Couleurs proche = Compter(chemin, 90, 262, 190, 345), loin = Compter(chemin, 60, 40, 190, 256);
    const Couleurs procheAvant = Compter(choisi, 90, 262, 190, 345), loinAvant = Compter(choisi, 60, 40, 190, 256);
    EXPECT_GT(proche.jaunes, procheAvant.jaunes + 30) << proche.jaunes << " " << procheAvant.jaunes;
    EXPECT_EQ(proche.rouges, procheAvant.rouges);
    EXPECT_GT(loin.rouges, loinAvant.rouges + 100) << loin.rouges << " " << loinAvant.rouges;
    EXPECT_EQ(loin.jaunes, loinAvant.jaunes);

    for (const char* c : {"01-vue", "04-tour1", "05-tour2", "06-tour3", "07-arrive", "08-tour5"})
        EXPECT_GT(jeu.Lire(std::string("h/") + c + ".png").size(), 100u) << c;
    EXPECT_NE(jeu.Lire("h/01-vue.png"), jeu.Lire("h/02-choisi.png"));
}

}  // namespace
