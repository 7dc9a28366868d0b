#include "cible.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/plateforme.h"

namespace {

struct FinProgramme {
    int code;
};

bool Prepare() {
    char modele[] = "/tmp/morvane-fuzz-XXXXXX";
    const std::filesystem::path racine = ::mkdtemp(modele);
    std::filesystem::copy(std::filesystem::path(MORVANE_SOURCE_DIR) / "data", racine,
                          std::filesystem::copy_options::recursive);
    // Built with clang, the texts of the program are UTF-8: the master list's marker is given in
    // that spelling too.
    if constexpr (sizeof("î") == 3) {
        std::string texte;
        {
            std::ifstream in(racine / "ini" / "mv.ini", std::ios::binary);
            texte.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        for (size_t p = texte.find('\xEE'); p != std::string::npos; p = texte.find('\xEE', p + 2))
            texte.replace(p, 1, "\xC3\xAE");
        std::ofstream(racine / "ini" / "mv.ini", std::ios::binary) << texte;
    }
    std::filesystem::create_directories(racine / "run");
    std::filesystem::current_path(racine / "run");
    ::setenv("MORVANE_UTILISATEUR", "", 0);   // what a reader writes stays in this tree
    Plateforme_Initialiser(OptionsPlateforme{});
    Plateforme_CrochetTerminer([](int code) { throw FinProgramme{code}; });
    try {
        Cible_Preparer();
    } catch (const FinProgramme&) {
        std::abort();   // the sample data must load
    }
    return true;
}

}  // namespace

void Cible_Ecrire(const std::string& relatif, const uint8_t* donnees, size_t taille) {
    const std::filesystem::path chemin = std::filesystem::current_path().parent_path() / relatif;
    std::filesystem::create_directories(chemin.parent_path());
    std::ofstream(chemin, std::ios::binary).write(reinterpret_cast<const char*>(donnees),
                                                  static_cast<std::streamsize>(taille));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille) {
    static const bool prepare = Prepare();
    (void)prepare;
    try {
        Cible_Lire(donnees, taille);
    } catch (const FinProgramme&) {
        // A report that ends the program: the reader refused the file.
    }
    return 0;
}
