// Every input kept in fuzz/corpus/<target>/ (the seeds and the inputs that once made a reader
// fail) fed to the same entry the fuzz target uses, one test per target.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "cible.h"
#include "dossier_temporaire.h"

#define CIBLE(nom)              \
    void nom##_Preparer();      \
    void nom##_Lire(const uint8_t*, size_t);
#include "cibles.inc"
#undef CIBLE

namespace {

struct Cible {
    const char* nom;
    cible::Fonction preparer;
    cible::Lecture lire;
};

const std::vector<Cible>& Cibles() {
    static const std::vector<Cible> liste = {
#define CIBLE(nom) {#nom, nom##_Preparer, nom##_Lire},
#include "cibles.inc"
#undef CIBLE
    };
    return liste;
}

std::vector<std::string> Noms() {
    std::vector<std::string> noms;
    for (const Cible& c : Cibles()) noms.push_back(c.nom);
    return noms;
}

class Corpus : public testing::TestWithParam<std::string> {};

TEST_P(Corpus, ChaqueEntreeGardeeEstLueSansFaute) {
    const auto it = std::find_if(Cibles().begin(), Cibles().end(),
                                 [](const Cible& c) { return GetParam() == c.nom; });
    ASSERT_NE(it, Cibles().end());
    const std::filesystem::path dossier = std::filesystem::path(MORVANE_SOURCE_DIR) / "fuzz" / "corpus" / it->nom;
    ASSERT_TRUE(std::filesystem::is_directory(dossier)) << "no kept inputs for " << it->nom;
    std::vector<std::filesystem::path> entrees;
    for (const auto& e : std::filesystem::directory_iterator(dossier))
        if (e.is_regular_file()) entrees.push_back(e.path());
    std::sort(entrees.begin(), entrees.end());
    ASSERT_FALSE(entrees.empty()) << "no kept inputs for " << it->nom;
    cible::Environnement(it->preparer);
    for (const auto& chemin : entrees) {
        SCOPED_TRACE(chemin.filename().string());
        const std::string octets = LireFichier(chemin);
        // In its own allocation, so that a read past its end is caught.
        std::vector<uint8_t> copie(octets.begin(), octets.end());
        cible::Executer(it->lire, copie.data(), copie.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Cibles, Corpus, testing::ValuesIn(Noms()),
                         [](const testing::TestParamInfo<std::string>& i) { return i.param; });

}  // namespace
