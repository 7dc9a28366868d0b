// A campaign saved from the in-game menu and loaded again from the main menu, by the program
// itself, headless, with the player's own folder beside a game tree that is never written.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "dossier_temporaire.h"
#include "jeu_temporaire.h"

namespace {

namespace fs = std::filesystem;

// Main menu, Play, New campaign, Tutorial; the region's opening text closed; the view scrolled
// down to the start cells (the mouse on the lower edge).
const char* const VERS_LA_CARTE =
    "4500 key RETURN\n7000 key ESCAPE\n8500 move 400 172\n8600 down left\n8700 up left\n"
    "10500 move 400 272\n10600 down left\n10700 up left\n13000 move 400 222\n13100 down left\n13200 up left\n"
    "21000 key RETURN\n22000 move 300 470\n";

// The company on (3, 35), at (3, 15) of the view, selected and sent to (3, 31) by a right click;
// an end of turn (the button at the lower right) marches it there. Escape deselects it, a second
// Escape opens the in-game menu: Save,
// the third slot chosen and named "marche", the menu closed, quit.
std::string Sauver() {
    std::string s = std::string(VERS_LA_CARTE) + "24000 capture depart\n"
                    "24500 move 84 372\n24600 down left\n24700 up left\n"
                    "25000 move 84 276\n25100 down right\n25200 up right\n25500 move 300 300\n26000 capture chemin\n"
                    "26500 move 585 440\n26600 down left\n26700 up left\n26800 move 300 300\n"
                    "30000 capture carte\n30500 key ESCAPE\n31000 key ESCAPE\n"
                    "31500 move 400 272\n31600 down left\n31700 up left\n"
                    "33500 move 166 248\n33600 click left\n34300 click left\n34500 capture nom\n";
    int t = 34600;
    for (int i = 0; i < 20; ++i, t += 50) s += std::to_string(t) + " key BACK\n";
    for (const char* c : {"M", "A", "R", "C", "H", "E"}) s += std::to_string(t += 50) + " key " + c + "\n";
    s += std::to_string(t += 100) + " capture nomme\n";
    s += std::to_string(t += 100) + " key RETURN\n";
    s += std::to_string(t += 2000) + " capture sauve\n";
    s += std::to_string(t += 100) + " key ESCAPE\n";
    s += std::to_string(t += 1500) + " capture apres\n";
    s += std::to_string(t += 500) + " quit\n";
    return s;
}

// The main menu's Load, the third slot, then the region map scrolled down to the company; an end
// of turn, which traces where its token stands once the enemies' moves are over.
const char* const CHARGER =
    "4500 key RETURN\n7000 key ESCAPE\n8400 capture menu\n8500 move 400 222\n8600 down left\n8700 up left\n"
    "11000 capture liste\n11100 key DOWN\n11200 key DOWN\n11300 key RETURN\n"
    "16000 move 300 470\n18000 move 300 300\n18500 capture carte\n"
    "19000 move 585 440\n19100 down left\n19200 up left\n19300 move 300 300\n23000 capture tour\n23500 quit\n";

// Every file of the tree that is not a link, with its size and time of change.
std::map<std::string, std::string> Etat(const fs::path& racine, const std::string& sauf1, const std::string& sauf2) {
    std::map<std::string, std::string> etat;
    for (auto it = fs::recursive_directory_iterator(racine); it != fs::recursive_directory_iterator(); ++it) {
        const std::string relatif = fs::relative(it->path(), racine).string();
        if (it->is_symlink() || relatif == sauf1 || relatif == sauf2) {
            if (it->is_directory()) it.disable_recursion_pending();
            continue;
        }
        struct stat st{};
        ::lstat(it->path().c_str(), &st);
        etat[relatif] = std::to_string(st.st_size) + " " + std::to_string(st.st_mtim.tv_sec) + "." +
                        std::to_string(st.st_mtim.tv_nsec) + " " + std::to_string(st.st_mode);
    }
    return etat;
}

TEST(SauvegardeProgramme, SauverPuisChargerDepuisLeMenuPrincipal) {
    JeuTemporaire jeu;
    DossierTemporaire joueur("/tmp/morvane-joueur-");
    ::setenv("MORVANE_UTILISATEUR", joueur.Racine().c_str(), 1);
    fs::create_directories(jeu.Racine() / "s");
    fs::create_directories(jeu.Racine() / "c");
    // The game tree is only read: nothing in it changes.
    const auto avant = Etat(jeu.Racine(), "s", "c");
    for (auto it = fs::recursive_directory_iterator(jeu.Racine()); it != fs::recursive_directory_iterator(); ++it) {
        const std::string relatif = fs::relative(it->path(), jeu.Racine()).string();
        if (it->is_symlink() || relatif == "s" || relatif == "c") {
            if (it->is_directory() && !it->is_symlink()) it.disable_recursion_pending();
            continue;
        }
        fs::permissions(it->path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }

    const int sauve = jeu.Lancer(Sauver(), "s");
    const int charge = sauve == 0 ? jeu.Lancer(CHARGER, "c") : -1;
    ::setenv("MORVANE_UTILISATEUR", "", 1);
    for (auto it = fs::recursive_directory_iterator(jeu.Racine()); it != fs::recursive_directory_iterator(); ++it)
        if (!it->is_symlink()) fs::permissions(it->path(), fs::perms::owner_write, fs::perm_options::add);
    ASSERT_EQ(sauve, 0) << jeu.Lire("s/stderr.txt");
    ASSERT_EQ(charge, 0) << jeu.Lire("c/stderr.txt");
    EXPECT_EQ(Etat(jeu.Racine(), "s", "c"), avant);
    EXPECT_FALSE(joueur.Existe("Erreur.txt")) << joueur.Lire("Erreur.txt");

    // The slot and its name, in the player's folder.
    EXPECT_EQ(joueur.Lire("Sauvegarde/NOMS.TXT").substr(0, 22), "_101_\r\n_101_\r\nmarche\r\n");
    EXPECT_TRUE(joueur.Existe("Sauvegarde/sauvegarde03/nomcarte.txt"));
    EXPECT_TRUE(joueur.Existe("Sauvegarde/sauvegarde03/posreg.txt"));
    EXPECT_NE(joueur.Lire("Sauvegarde/sauvegarde03/uniques.txt").find("Nom : Ferme"), std::string::npos);
    EXPECT_FALSE(joueur.Existe("Sauvegarde/sauvegarde03.tmp"));
    // The company marched from (3, 35) to (3, 31) before the save; the slot holds it there.
    EXPECT_NE(jeu.Lire("s/stderr.txt").find("Region__finMouvements(): regiment 0 en 3,31"), std::string::npos)
        << jeu.Lire("s/stderr.txt");
    EXPECT_EQ(joueur.Lire("Sauvegarde/sauvegarde03/posreg.txt").substr(0, 5), "3,31,") << joueur.Lire("Sauvegarde/sauvegarde03/posreg.txt");
    // The second run took the tutorial's region up again from the slot, the company on its cell.
    const std::string trace = jeu.Lire("c/stderr.txt");
    EXPECT_NE(trace.find("Campagne__etapeRegion(): campagne 0, etape 0, resultat 0"), std::string::npos) << trace;
    EXPECT_EQ(joueur.Lire("tmp/Joueur0/posreg.txt").substr(0, 5), "3,31,") << joueur.Lire("tmp/Joueur0/posreg.txt");
    EXPECT_NE(trace.find("Region__finMouvements(): regiment 0 en 3,31"), std::string::npos) << trace;
    EXPECT_EQ(trace.find("Region__finMouvements(): regiment 0 en 3,35"), std::string::npos) << trace;
    // The enemies came back with it: the hunter plans its turn from where the save left it.
    EXPECT_NE(jeu.Lire("s/stderr.txt").find("RegimentNmi_Deplacement(): regiment 100, comportement 1, en 17 31"), std::string::npos);
    EXPECT_NE(trace.find("RegimentNmi_Deplacement(): regiment 100, comportement 1, en 15 33"), std::string::npos) << trace;
    EXPECT_NE(joueur.Lire("tmp/Joueur0/Ennemis.txt").find("Nombre de regiments ennemi : 5"), std::string::npos)
        << joueur.Lire("tmp/Joueur0/Ennemis.txt");
    for (const char* nom : {"s/depart", "s/chemin", "s/carte", "s/nom", "s/nomme", "s/sauve", "s/apres", "c/liste", "c/carte", "c/tour"})
        EXPECT_GT(jeu.Lire(std::string(nom) + ".png").size(), 100u) << nom;
    EXPECT_NE(jeu.Lire("s/nom.png"), jeu.Lire("s/nomme.png"));
    EXPECT_NE(jeu.Lire("s/depart.png"), jeu.Lire("s/chemin.png"));
}

}  // namespace
