#include "cible.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "foundation/objetsgfx.h"
#include "foundation/rapports_muets.h"
#include "platform/plateforme.h"
#include "shell/routeur.h"
#include "world/grilles.h"
#include "world/maitres.h"
#include "world/objets.h"

namespace {

struct FinProgramme {
    int code;
};

std::filesystem::path Racine;

void Nettoyer() {
    std::error_code e;
    if (!Racine.empty()) std::filesystem::remove_all(Racine, e);
}

}  // namespace

namespace cible {

std::filesystem::path Environnement(Fonction preparer) {
    // In memory where the system offers it: every input writes a file.
    std::string modele = std::filesystem::is_directory("/dev/shm") ? "/dev/shm/morvane-fuzz-XXXXXX"
                                                                    : "/tmp/morvane-fuzz-XXXXXX";
    Racine = ::mkdtemp(modele.data());
    std::atexit(Nettoyer);
    std::filesystem::copy(std::filesystem::path(MORVANE_SOURCE_DIR) / "data", Racine,
                          std::filesystem::copy_options::recursive);
    // Built with clang, the texts of the program are UTF-8: the master list's marker is given in
    // that spelling too.
    {
        std::string texte;
        {
            std::ifstream in(Racine / "ini" / "mv.ini", std::ios::binary);
            texte.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        Cible_EcrireListe(reinterpret_cast<const uint8_t*>(texte.data()), texte.size());
    }
    std::filesystem::create_directories(Racine / "run");
    std::filesystem::current_path(Racine / "run");
    ::setenv("MORVANE_UTILISATEUR", "", 0);   // what a reader writes stays in this tree
    Plateforme_Initialiser(OptionsPlateforme{});
    Plateforme_CrochetTerminer([](int code) { throw FinProgramme{code}; });
    // Thousands of reports a second: written nowhere (fuzz.sh drops the game's messages anyway).
    Erreur_RapportsMuets(true);
    try {
        preparer();
    } catch (const FinProgramme&) {
        std::abort();   // the sample data must load
    }
    return Racine;
}

void Executer(Lecture lire, const uint8_t* donnees, size_t taille) {
    try {
        lire(donnees, taille);
    } catch (const FinProgramme&) {
        // A report that ends the program: the reader refused the file.
    }
}

}  // namespace cible

namespace {
// The sample data's file, null when it has none. Only the sample's files are kept: an input that
// names files of its own (the skirmish maps) would otherwise add one entry for each name it ever gave.
const std::string* Original(const std::string& relatif) {
    static std::map<std::string, std::string> originaux;
    auto it = originaux.find(relatif);
    if (it == originaux.end()) {
        const std::filesystem::path chemin = std::filesystem::path(MORVANE_SOURCE_DIR) / "data" / relatif;
        if (!std::filesystem::is_regular_file(chemin)) return nullptr;
        std::ifstream in(chemin, std::ios::binary);
        it = originaux.emplace(relatif, std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()))
                 .first;
    }
    return &it->second;
}
}  // namespace

std::string Cible_Original(const std::string& relatif) {
    const std::string* original = Original(relatif);
    return original ? *original : std::string();
}

void Cible_Remettre(const std::string& relatif) {
    if (const std::string* original = Original(relatif)) {
        Cible_Ecrire(relatif, reinterpret_cast<const uint8_t*>(original->data()), original->size());
    } else {
        std::error_code e;
        std::filesystem::remove(Racine / relatif, e);
    }
}

void Cible_ListeMaitresSeule() {
    const std::filesystem::path chemin = Racine / "ini" / "mv.ini";
    std::string texte;
    {
        std::ifstream in(chemin, std::ios::binary);
        texte.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const size_t debut = texte.find("//liste_des_objets_ma");
    if (debut == std::string::npos) std::abort();
    std::ofstream(chemin, std::ios::binary) << texte.substr(debut);
}

void Cible_PreparerMonde(int modeScene) {
    CreationDeLalIsteDesObjetsGfx();
    Maitres__Liste__Creation();
    Cible_ListeMaitresSeule();
    ModeSceneCourant = modeScene;
    Univers__AlloueGrilles();
    ObjetsGroupes__Initialisation();
}

void Cible_Ecrire(const std::string& relatif, const uint8_t* donnees, size_t taille) {
    const std::string chemin = (Racine / relatif).string();
    FILE* f = std::fopen(chemin.c_str(), "wb");
    if (f == nullptr) {
        std::filesystem::create_directories(std::filesystem::path(chemin).parent_path());
        f = std::fopen(chemin.c_str(), "wb");
        if (f == nullptr) std::abort();
    }
    if (taille > 0) std::fwrite(donnees, 1, taille, f);
    std::fclose(f);
}

std::vector<std::pair<std::string, std::string>> Cible_Fichiers(const uint8_t* donnees, size_t taille) {
    const std::string texte(reinterpret_cast<const char*>(donnees), taille);
    std::vector<std::pair<std::string, std::string>> fichiers;
    std::string* contenu = nullptr;
    for (size_t debut = 0; debut < texte.size();) {
        size_t fin = texte.find('\n', debut);
        fin = fin == std::string::npos ? texte.size() : fin + 1;
        const std::string ligne = texte.substr(debut, fin - debut);
        debut = fin;
        if (ligne.rfind("@@ ", 0) == 0) {
            std::string nom = ligne.substr(3);
            while (!nom.empty() && (nom.back() == '\n' || nom.back() == '\r')) nom.pop_back();
            const bool bon = !nom.empty() && nom.size() <= 40 && nom != "." && nom != ".." &&
                             nom.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789._-") ==
                                 std::string::npos;
            contenu = nullptr;
            if (bon && fichiers.size() < 16) {
                fichiers.emplace_back(nom, std::string());
                contenu = &fichiers.back().second;
            }
            continue;
        }
        if (contenu) *contenu += ligne;
    }
    return fichiers;
}

void Cible_ViderDossier(const std::string& relatif) {
    std::error_code e;
    for (const auto& entree : std::filesystem::directory_iterator(Racine / relatif, e))
        if (entree.is_regular_file(e)) std::filesystem::remove(entree.path(), e);
}

void Cible_EcrireListe(const uint8_t* donnees, size_t taille) {
    std::string texte(reinterpret_cast<const char*>(donnees), taille);
    if constexpr (sizeof("î") == 3)
        for (size_t p = texte.find('\xEE'); p != std::string::npos; p = texte.find('\xEE', p + 2))
            texte.replace(p, 1, "\xC3\xAE");
    Cible_Ecrire("ini/mv.ini", reinterpret_cast<const uint8_t*>(texte.data()), texte.size());
}
