// The sample game tree (MORVANE_JEU_DIR) for one run of the program in a temporary folder: the
// program and every folder the game may write are copied, the big read-only ones (movies,
// sprites, music) linked. The program changes to its own folder, so its copy is what runs.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "dossier_temporaire.h"

class JeuTemporaire : public DossierTemporaire {
  public:
    JeuTemporaire() : DossierTemporaire("/tmp/morvane-jeu-") {
        namespace fs = std::filesystem;
        const fs::path& racine = Racine();
        const fs::path source = MORVANE_JEU_DIR;
        const std::set<std::string> lies = {"rvf", "sprite", "spredit", "Musique", "ScreenShots"};
        for (const auto& e : fs::directory_iterator(source)) {
            const std::string nom = e.path().filename().string();
            if (nom == "bin") {
                fs::create_directories(racine / "bin");
                fs::copy_file(e.path() / "morvane", racine / "bin" / "morvane");
            } else if (lies.count(nom)) {
                fs::create_directory_symlink(e.path(), racine / nom);
            } else if (e.is_directory()) {
                fs::copy(e.path(), racine / nom, fs::copy_options::recursive);
            } else {
                fs::copy_file(e.path(), racine / nom);
            }
        }
    }

    // Runs the program headless on the script, started from the folder `depuis` under the root;
    // captures, the sound (son.wav) and standard error (stderr.txt) go to the folder `sortie`
    // under the root; the run is stopped after `secondes` seconds. Returns the exit code.
    int Lancer(const std::string& script, const std::string& sortie, const std::string& depuis = "bin",
               int secondes = 280) const {
        const auto dossier = Racine() / sortie;
        std::filesystem::create_directories(dossier);
        std::filesystem::create_directories(Racine() / depuis);
        Ecrire(sortie + "/script.txt", script);
        const std::string commande = "cd '" + (Racine() / depuis).string() + "' && MORVANE_HEADLESS=1 MORVANE_SCRIPT='" +
                                     (dossier / "script.txt").string() + "' MORVANE_CAPTURE='" + dossier.string() +
                                     "' MORVANE_AUDIO_CAPTURE='" + (dossier / "son.wav").string() +
                                     "' MORVANE_TRACE=1 timeout " + std::to_string(secondes) + " '" + (Racine() / "bin" / "morvane").string() + "' 2>'" + (dossier / "stderr.txt").string() + "'";
        const int etat = std::system(commande.c_str());
        return WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
    }
};
