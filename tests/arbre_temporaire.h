// A small game tree in a temporary folder: the working directory is its "run" subfolder, so that
// the game's "..\X" paths land in the tree's root. Removed with everything in it at the end.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class ArbreTemporaire {
  public:
    ArbreTemporaire() {
        char modele[] = "/tmp/morvane-XXXXXX";
        racine_ = ::mkdtemp(modele);
        std::filesystem::create_directories(racine_ / "run");
        ancien_ = std::filesystem::current_path();
        std::filesystem::current_path(racine_ / "run");
    }
    ~ArbreTemporaire() {
        std::error_code e;
        std::filesystem::current_path(ancien_, e);
        std::filesystem::remove_all(racine_, e);
    }
    ArbreTemporaire(const ArbreTemporaire&) = delete;
    ArbreTemporaire& operator=(const ArbreTemporaire&) = delete;

    const std::filesystem::path& Racine() const { return racine_; }

    // Writes a file under the root (relative path with '/'), creating its folders.
    void Ecrire(const std::string& relatif, const std::string& contenu) const {
        auto chemin = racine_ / relatif;
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
    std::filesystem::path ancien_;
};
