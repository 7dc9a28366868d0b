// The sample game tree (MORVANE_JEU_DIR) for one run of the program in a temporary folder: the
// program and every folder the game may write are copied, the big read-only ones (movies,
// sprites, music) linked. The program changes to its own folder, so its copy is what runs.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

class JeuTemporaire {
  public:
    JeuTemporaire() {
        namespace fs = std::filesystem;
        char modele[] = "/tmp/morvane-jeu-XXXXXX";
        racine_ = ::mkdtemp(modele);
        const fs::path source = MORVANE_JEU_DIR;
        const std::set<std::string> lies = {"rvf", "sprite", "spredit", "Musique", "ScreenShots"};
        for (const auto& e : fs::directory_iterator(source)) {
            const std::string nom = e.path().filename().string();
            if (nom == "bin") {
                fs::create_directories(racine_ / "bin");
                fs::copy_file(e.path() / "morvane", racine_ / "bin" / "morvane");
            } else if (lies.count(nom)) {
                fs::create_directory_symlink(e.path(), racine_ / nom);
            } else if (e.is_directory()) {
                fs::copy(e.path(), racine_ / nom, fs::copy_options::recursive);
            } else {
                fs::copy_file(e.path(), racine_ / nom);
            }
        }
    }
    ~JeuTemporaire() {
        std::error_code e;
        std::filesystem::remove_all(racine_, e);
    }
    JeuTemporaire(const JeuTemporaire&) = delete;
    JeuTemporaire& operator=(const JeuTemporaire&) = delete;

    const std::filesystem::path& Racine() const { return racine_; }

    // Runs the program headless on the script; captures, the sound (son.wav) and standard error
    // (stderr.txt) go to the folder `sortie` under the root. Returns the exit code.
    int Lancer(const std::string& script, const std::string& sortie) const {
        const auto dossier = racine_ / sortie;
        std::filesystem::create_directories(dossier);
        Ecrire(sortie + "/script.txt", script);
        const std::string commande = "cd '" + (racine_ / "bin").string() + "' && MORVANE_HEADLESS=1 MORVANE_SCRIPT='" +
                                     (dossier / "script.txt").string() + "' MORVANE_CAPTURE='" + dossier.string() +
                                     "' MORVANE_AUDIO_CAPTURE='" + (dossier / "son.wav").string() +
                                     "' MORVANE_TRACE=1 timeout 280 ./morvane 2>'" + (dossier / "stderr.txt").string() + "'";
        const int etat = std::system(commande.c_str());
        return WIFEXITED(etat) ? WEXITSTATUS(etat) : -1;
    }

    void Ecrire(const std::string& relatif, const std::string& contenu) const {
        const auto chemin = racine_ / relatif;
        std::filesystem::create_directories(chemin.parent_path());
        std::ofstream(chemin, std::ios::binary) << contenu;
    }
    std::string Lire(const std::string& relatif) const {
        std::ifstream in(racine_ / relatif, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    bool Existe(const std::string& relatif) const { return std::filesystem::exists(racine_ / relatif); }

  private:
    std::filesystem::path racine_;
};
