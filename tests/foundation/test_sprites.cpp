#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "arbre_temporaire.h"
#include "foundation/sprites.h"
#include "platform/affichage.h"
#include "platform/bibliotheques.h"
#include "platform/plateforme.h"
#include "sprite_essai.h"

namespace {

const uint8_t FORMAT555[7] = {1, 10, 3, 5, 3, 0, 3};

std::string Message(int code) {
    char texte[512] = "<rien>";
    Spr_MessageErreur(code, texte, sizeof texte);
    return texte;
}

class SprLiaison : public ::testing::Test {
  protected:
    void SetUp() override { Plateforme_Initialiser(OptionsPlateforme{}); }
    void TearDown() override {
        SprDll_Free();
        Bibliotheque_SimulationRAZ();
    }
};

TEST_F(SprLiaison, InitialisationBindsEveryRoutine) {
    ASSERT_EQ(SprDll_Init(12, FORMAT555, nullptr), 0);
    EXPECT_NE(SprDllModule, nullptr);
    EXPECT_NE(SprRepalRoutine, nullptr);
    EXPECT_NE(SprOmbrePalRoutine, nullptr);
    EXPECT_GE(CpuClasse, 0);
    EXPECT_LE(CpuClasse, 5);
    SprDll_Free();
    EXPECT_EQ(SprDllModule, nullptr);
    EXPECT_EQ(SprAffRoutine, nullptr);
    EXPECT_EQ(Bibliotheque_NombreChargees(), 0);
}

TEST_F(SprLiaison, VersionAndPixelFormatAreChecked) {
    EXPECT_EQ(SprDll_Init(11, FORMAT555, nullptr), 8);
    const uint8_t f565[7] = {0, 11, 3, 5, 2, 0, 3};
    const int code = SprDll_Init(12, f565, nullptr);
    EXPECT_EQ(code, 6);
    EXPECT_EQ(Message(code), "Parametres non valides");
}

TEST_F(SprLiaison, ProcessorClassPicksTheLibrary) {
    const int classe = Cpu_Famille();
    const uint32_t famille = (Processeur_Signature() >> 8) & 0xF;
    const int attendue = famille == 4 ? 1 : famille == 5 ? 2 + CpuMmx : famille == 6 ? 4 + CpuMmx : -1;
    EXPECT_EQ(classe, Processeur_Signature() == 0 ? 1 : attendue);
    // The library of the other class is missing: the binding names the one it asked for.
    const char* voulue = classe < 4 ? "spr_p5.dll" : "spr_p6.dll";
    Bibliotheque_SimulerAbsente(voulue);
    EXPECT_EQ(SprDll_Init(12, FORMAT555, nullptr), 1);
    EXPECT_EQ(Message(1), std::string("DLL ") + voulue + " non trouvé ");
    // A class below 0 is named as the first processor.
    EXPECT_GE(CpuClasse, 0);
}

TEST_F(SprLiaison, MissingRoutineIsNamedByItsGameName) {
    Bibliotheque_SimulerRoutineAbsente("SPR_REPAL");
    EXPECT_EQ(SprDll_Chargement("spr_p6.dll"), 2);
    EXPECT_EQ(Message(2), "Label Spr_Repal dans DLL non trouvé ");
    EXPECT_EQ(SprDllModule, nullptr);
    EXPECT_EQ(SprDllInitRoutine, nullptr);   // nothing half bound
    EXPECT_EQ(Bibliotheque_NombreChargees(), 0);
    Bibliotheque_SimulationRAZ();
    Bibliotheque_SimulerRoutineAbsente("AFF_SPRTRS50");
    Bibliotheque_SimulerRoutineAbsente("AFF_SPRTRS");
    EXPECT_EQ(SprDll_Chargement("SPR_P5.DLL"), 2);
    EXPECT_EQ(Message(2), "Label Spr_AffTrs50 dans DLL non trouvé ");   // looked up first
}

TEST_F(SprLiaison, MessageTexts) {
    EXPECT_EQ(Message(0), "Rien a signaler");
    EXPECT_EQ(Message(4), "Fichier non SPR");
    EXPECT_EQ(Message(5), "Type de sprite non géré");
    EXPECT_EQ(Message(7), "Erreur allocation mémoire");
    EXPECT_EQ(Message(8), "<rien>");
    EXPECT_EQ(Message(-3), "<rien>");
    Spr_MessageErreur(0, nullptr);   // nothing written, no crash
}

TEST_F(SprLiaison, UnboundWrappersDoNothing) {
    auto sprite = essai::EnMemoire(essai::FichierIndexe());
    EcranSprite cible;
    EXPECT_EQ(Spr_Aff(sprite.data(), &cible, 0, 0, 0), 5);
    int32_t taille[2] = {7, 7};
    Spr_Getz(sprite.data(), &cible, 0, 0, 0, taille);
    EXPECT_EQ(taille[0], 0);
}

TEST_F(SprLiaison, WrapperResults) {
    ASSERT_EQ(SprDll_Init(12, FORMAT555, nullptr), 0);
    auto sprite = essai::EnMemoire(essai::FichierIndexe());
    std::vector<uint16_t> pixels(16, 0);
    EcranSprite cible;
    cible.pixels = pixels.data();
    cible.pasPixels = 4;
    cible.clipBas = cible.clipDroite = 4;
    cible.hauteurPixels = 4;
    EXPECT_EQ(Spr_Aff(sprite.data(), &cible, 1, 1, 0), 0);
    EXPECT_EQ(Spr_Aff(sprite.data(), &cible, 1, 1, -1), 5);
    EXPECT_EQ(Spr_Ecl(sprite.data(), &cible, 1, 1, 0, 1, 2, 3), 0);
    EXPECT_EQ(Spr_Omb(sprite.data(), &cible, 1, 1, -2, 1, 2, 3), 5);
    EXPECT_EQ(Spr_GetNb(sprite.data()), 2);
    int32_t taille[2] = {};
    Spr_Getz(sprite.data(), &cible, 0, 0, 1, taille);
    EXPECT_EQ(taille[0], 1);
    EXPECT_EQ(taille[1], 1);
    EXPECT_EQ(pixels[0], essai::Rvb(31, 31, 31));
}

class SprLecture : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    std::vector<uint8_t> tampon = std::vector<uint8_t>(4096, 0xEE);
    void SetUp() override {
        Plateforme_Initialiser(OptionsPlateforme{});
        ASSERT_EQ(SprDll_Init(12, FORMAT555, nullptr), 0);
    }
    int Lire(const std::string& contenu, uint32_t taille = 4096) {
        arbre.Ecrire("sprite/t.spr", contenu);
        return Spr_Chargement("..\\Sprite\\T.spr", tampon.data(), taille);
    }
};

TEST_F(SprLecture, FilesAndTheirCodes) {
    const std::string bon = essai::FichierIndexe();
    std::string blanc = bon;
    blanc[7] = ' ';
    std::string deux = bon;
    deux[7] = '2';   // "SPRTESK2"
    std::string court = bon.substr(0, bon.size() - 3);
    std::string autre = bon;
    autre[8] |= 0x04;   // another maker's palette part, in a file too short for it
    struct Cas {
        const char* nom;
        std::string contenu;
        int code;
    } cas[] = {
        {"good", bon, 0},
        {"blank magic", blanc, 0},
        {"magic off by one byte", deux, 4},
        {"empty", "", 4},
        {"magic only", "SPRTESK1", 4},
        {"eleven bytes", "SPRTESK1abc", 4},
        {"truncated", court, 4},
        {"foreign palette flag", autre, 4},
    };
    for (const Cas& k : cas) EXPECT_EQ(Lire(k.contenu), k.code) << k.nom;
    EXPECT_EQ(Lire(bon), 0);
    EXPECT_EQ(tampon[bon.size() - 8], 0xEE);   // nothing written past the sprite
}

TEST_F(SprLecture, MissingOrTooLargeForTheBuffer) {
    EXPECT_EQ(Spr_Chargement("..\\sprite\\absent%s.spr", tampon.data(), 4096), 3);
    EXPECT_STREQ(ErreurSprTexte, "..\\sprite\\absent%s.spr");
    char texte[512];
    Spr_MessageErreur(3, texte);
    EXPECT_STREQ(texte, "..\\sprite\\absent%s.spr non trouvé ");
    const std::string bon = essai::FichierIndexe();
    EXPECT_EQ(Lire(bon, static_cast<uint32_t>(bon.size() - 9)), 3);
    EXPECT_EQ(tampon[0], 0xEE);
}

TEST_F(SprLecture, ReadOnlyFileLoads) {
    arbre.Ecrire("sprite/lecture.spr", essai::FichierIndexe());
    ::chmod((arbre.Racine() / "sprite/lecture.spr").c_str(), 0444);
    EXPECT_EQ(Spr_Chargement("..\\sprite\\lecture.spr", tampon.data(), 4096), 0);
}

}  // namespace
