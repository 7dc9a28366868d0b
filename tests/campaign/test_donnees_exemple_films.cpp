// The sample game tree's campaign movies: the leader's fall that a lost tutorial and a leader dead
// in battle play, and the movie of the one region whose ending is a movie; each decodes whole.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "campaign/region.h"
#include "campaign/victoire_region.h"
#include "media/rvf6.h"
#include "media/rvfpi.h"
#include "media/tmhorloge.h"
#include "media/tmreglages.h"

namespace fs = std::filesystem;

namespace {

// Decodes every image of the movie: false at the first fault. *images: how many; *couleurs: the
// distinct colours of the last one.
bool Decoder(const fs::path& chemin, uint32_t* images, size_t* couleurs, bool* son) {
    TMSettings reglages;
    TMSettings_GetDefaults(&reglages);
    RVFReader r;
    if (RVFReader_OpenFile(&r, chemin.string().c_str(), &reglages) != 0) return false;
    if (const int32_t codec = TM_LoadCodec(r.header, 15, true); codec != 0 && codec != -20) return false;   // -20: already loaded
    const size_t l = static_cast<size_t>(RVFReader_Width(&r)), h = static_cast<size_t>(RVFReader_Height(&r));
    std::vector<uint16_t> a(l * h), b(l * h);
    std::vector<uint8_t> charge;
    *images = 0;
    *son = RVFReader_HasSound(&r);
    bool ok = true;
    while (ok && !r.end && RVFReader_NextBlockSet(&r) == 0) {
        while (!RVFReader_SetExhausted(&r)) {
            if (RVFReader_NextBlock(&r) != 0) break;   // the end (every image is counted below)
            charge.assign(static_cast<size_t>(RVFReader_PayloadReadBytes(&r)), 0);
            const int32_t lu = RVFReader_ReadPayload(&r, charge.data(), static_cast<int32_t>(charge.size()));
            RVFReader_AddConsumed(&r, static_cast<uint32_t>(charge.size()));
            RVFReader_SubtractSet(&r, static_cast<int32_t>(charge.size()));
            if (lu != 0 && lu != -11) ok = false;
            if (ok && RVFReader_IsImageBlock(&r)) {
                const size_t donnees = static_cast<size_t>(RVFReader_PayloadDataBytes(&r));
                if (RVFPI_DecoderBorne(charge.data(), donnees, a.data(), b.data(), l * 2) != 1) ok = false;
                std::swap(a, b);
                ++*images;
            }
        }
    }
    ok = ok && *images == r.imageCount;
    *couleurs = std::set<uint16_t>(a.begin(), a.end()).size();
    RVFReader_Close(&r);
    return ok;
}

}  // namespace

TEST(DonneesExempleFilms, FilmsDesCampagnesDecodes) {
    const fs::path jeu = MORVANE_JEU_DIR;
    // The one region won with a movie: a region of the Morvane campaign that no scripted run plays
    // to its end.
    std::vector<std::string> films;
    for (const auto& e : fs::recursive_directory_iterator(jeu / "Campagnes")) {
        if (e.path().filename() != "region.Vreg") continue;
        FILE* f = std::fopen(e.path().string().c_str(), "rt");
        ASSERT_NE(f, nullptr);
        CarteRegion carte{};
        std::string erreur;
        EXPECT_TRUE(VictoireRegion__Lire(f, &carte, &erreur)) << e.path() << ": " << erreur;
        std::fclose(f);
        if (carte.visu != 1) continue;
        EXPECT_EQ(fs::relative(e.path(), jeu).generic_string(), "Campagnes/Morvane/Region6/region.Vreg");
        films.emplace_back(carte.fichierVisu);
    }
    ASSERT_EQ(films, std::vector<std::string>{"rvf\\FinRegion.rvs"});

    for (const char* film : {"rvf/Orv0001.rvs", "rvf/FinRegion.rvs"}) {
        SCOPED_TRACE(film);
        ASSERT_TRUE(fs::exists(jeu / film));
        // As short as the other sample movies.
        EXPECT_LT(fs::file_size(jeu / film), fs::file_size(jeu / "rvf/Intro.rvs"));
        uint32_t images = 0;
        size_t couleurs = 0;
        bool son = false;
        EXPECT_TRUE(Decoder(jeu / film, &images, &couleurs, &son));
        EXPECT_EQ(images, 30u);
        EXPECT_GT(couleurs, 3u);
        EXPECT_TRUE(son);
    }
}
