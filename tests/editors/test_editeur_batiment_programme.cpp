// The building editor played by the program (scripts/editeur_batiment.txt) on a copy of the
// sample game tree: the barracks' first layer moved and saved, seen moved in the castle
// afterwards; every building exported as pictures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "jeu_temporaire.h"
#include "platform/octets.h"

namespace {

// The castle script up to its capture of the castle (its barracks on the left).
std::string ScriptChateau() {
    const std::string script = LireFichier(std::filesystem::path(MORVANE_SOURCE_DIR) / "scripts/chateau.txt");
    const size_t capture = script.find("capture 02-chateau\n");
    return capture == std::string::npos ? script : script.substr(0, capture + std::string("capture 02-chateau\n").size());
}

TEST(EditeurBatimentProgramme, CalageDeplaceSauveEtVuAuChateauPuisExport) {
    JeuTemporaire jeu;
    namespace fs = std::filesystem;
    // The export and the calibration write in the sprite-editing folder: a copy of its own.
    const fs::path spredit = jeu.Racine() / "spredit";
    fs::remove(spredit);
    fs::copy(fs::path(MORVANE_JEU_DIR) / "spredit", spredit, fs::copy_options::recursive);
    // The tutorial is won at once, so that the castle script reaches the castle.
    jeu.Ecrire("Campagnes/Tutorial/Region9/region.Vreg", "Nb lieux uniques a visiter : 0\nNb Nmi a tuer : 0\nVisu :0\n");
    jeu.Ecrire("ini/edbat.txt", "3\n52\n");
    const std::string ocp = jeu.Lire("Batiment/0052t.ocp"), calage = jeu.Lire("Batiment/0052t.txt");
    ASSERT_EQ(calage.rfind("1 -8 0\n", 0), 0u) << calage;

    ASSERT_EQ(jeu.Lancer(ScriptChateau(), "avant"), 0) << jeu.Lire("avant/stderr.txt");
    setenv("MORVANE_EDITEUR", "batiment", 1);
    const int editeur = jeu.Lancer(LireFichier(fs::path(MORVANE_SOURCE_DIR) / "scripts/editeur_batiment.txt"), "editeur");
    unsetenv("MORVANE_EDITEUR");
    ASSERT_EQ(editeur, 0) << jeu.Lire("editeur/stderr.txt");
    for (const char* capture : {"01-menu", "03-deplace", "04-question", "05-sauve", "06-export", "07-calage", "08-calage-sauve"})
        EXPECT_TRUE(jeu.Existe(std::string("editeur/") + capture + ".png")) << capture;

    // Image 1 moved 50 pixels right: the calage file changed on that line only, the description
    // not at all; the editor closed writing back the first line it read and the building.
    std::string attendu = calage;
    attendu.replace(0, std::string("1 -8 0").size(), "1 42 0");
    EXPECT_EQ(jeu.Lire("Batiment/0052t.txt"), attendu);
    EXPECT_EQ(jeu.Lire("Batiment/0052t.ocp"), ocp);
    EXPECT_EQ(jeu.Lire("ini/edbat.txt"), "3\n52\n");
    EXPECT_FALSE(jeu.Existe("Erreur.txt")) << jeu.Lire("Erreur.txt");
    for (const auto& e : fs::directory_iterator(jeu.Racine() / "Batiment"))
        EXPECT_NE(e.path().extension(), ".tmp") << e.path();

    // The export: the barracks in its three orientations, 800 x 600.
    for (const char* nom : {"caserne_d001D", "caserne_tT001", "caserne_g001G"}) {
        const std::string tga = jeu.Lire(std::string("spredit/batiments/figures/") + nom + ".tga");
        EXPECT_EQ(tga.size(), 18u + 800 * 600 * 4 + 3558) << nom;
    }

    // The calibration: every frame of the barracks' "t" sprite with its hot spot 10 pixels
    // further right, nothing else changed.
    std::string sprite = jeu.Lire("sprite/figures/caserne_t.spr");
    ASSERT_GT(sprite.size(), 40u);
    auto* s = reinterpret_cast<uint8_t*>(sprite.data()) + 8;
    const size_t table = 24 + 4 * static_cast<size_t>(Octets_Lire16(s + 10));
    for (int i = 0; i < Octets_Lire16(s + 8); ++i) {
        uint8_t* image = s + Octets_Lire32(s + table + 4 * static_cast<size_t>(i));
        for (size_t champ : {size_t{4}, size_t{8}})
            Octets_Ecrire16(image + champ, static_cast<uint16_t>(Octets_LireS16(image + champ) + 10));
    }
    EXPECT_TRUE(jeu.Lire("spredit/batiments/figures/caserne_tt.SPR") == sprite);

    // The castle shows the barracks moved.
    ASSERT_EQ(jeu.Lancer(ScriptChateau(), "apres"), 0) << jeu.Lire("apres/stderr.txt");
    const std::string avant = jeu.Lire("avant/02-chateau.png"), apres = jeu.Lire("apres/02-chateau.png");
    ASSERT_GT(avant.size(), 100u);
    ASSERT_GT(apres.size(), 100u);
    EXPECT_NE(avant, apres);
}

}  // namespace
