// A temporary folder removed with everything in it at the end, with files written and read by
// paths relative to it ('/' separated).
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

// A whole file from anywhere (the source data, the assembled game), "" when absent.
inline std::string LireFichier(const std::filesystem::path& chemin) {
    std::ifstream in(chemin, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class DossierTemporaire {
  public:
    explicit DossierTemporaire(const char* prefixe = "/tmp/morvane-") {
        std::string modele = std::string(prefixe) + "XXXXXX";
        racine_ = ::mkdtemp(modele.data());
    }
    ~DossierTemporaire() {
        std::error_code e;
        std::filesystem::remove_all(racine_, e);
    }
    DossierTemporaire(const DossierTemporaire&) = delete;
    DossierTemporaire& operator=(const DossierTemporaire&) = delete;

    const std::filesystem::path& Racine() const { return racine_; }

    // Writes a file under the root, creating its folders.
    void Ecrire(const std::string& relatif, const std::string& contenu) const {
        const auto chemin = racine_ / relatif;
        std::filesystem::create_directories(chemin.parent_path());
        std::ofstream(chemin, std::ios::binary) << contenu;
    }
    std::string Lire(const std::string& relatif) const { return LireFichier(racine_ / relatif); }
    bool Existe(const std::string& relatif) const { return std::filesystem::exists(racine_ / relatif); }

  private:
    std::filesystem::path racine_;
};
