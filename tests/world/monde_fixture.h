// A small world tree for the world model's tests: mv.ini with a graphic object list and a master
// list, master files, and the reports observed as "..\Erreur.txt" and a throwing end-of-program hook.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "arbre_temporaire.h"
#include "foundation/ecran_fixture.h"   // FinProgramme
#include "foundation/objetsgfx.h"
#include "platform/hasard.h"
#include "platform/plateforme.h"
#include "world/grilles.h"
#include "world/maitres.h"
#include "world/objets.h"

// A master file in the loader's order; tests replace one line to break it.
inline std::string FicheMaitre(const std::string& famille = "HUMAIN", const std::string& taille = "1") {
    std::string s = "FAMILLE " + famille + "\nACTIF 1\nCATEGORIE 0\nTAILLE " + taille + "\n[ANIMATION]\n";
    static const char* const Anims[] = {"DPL", "ARA", "ARE", "DRA", "DRE", "SPL", "ASP", "VOL", "DEC", "ATT", "ECR",
                                        "SSP", "SIN", "SPJ", "APU", "CCA", "CCH", "VOR", "MOR", "MOV", "APP"};
    for (const char* a : Anims) s += std::string("ANIM__") + a + " " + (a == std::string("DPL") ? "FIG_DPL" : "-") + "\n";
    s += "SELECTIONNABLE oui\nMORAL C\nPV 100\nARMURE 1\nVITESSE 2\nNIVEAU 1\n";
    for (int i = 1; i <= 9; ++i) s += "S" + std::to_string(i) + " -\n";
    s += "CLASSE GUERRIER\nMANA 0\nMANAMAX 0\nDEGATS 10\nREGEN 0\nDOT -\nX 0\nFORMATION TOUJOURS\nR 31\nV 0\nB 0\n"
         "PVN 10\nDEGN 2\nFIN\n";
    return s;
}

inline std::string Remplacer(std::string texte, const std::string& avant, const std::string& apres) {
    auto p = texte.find(avant);
    EXPECT_NE(p, std::string::npos) << avant;
    if (p != std::string::npos) texte.replace(p, avant.size(), apres);
    return texte;
}

class Monde : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;

    void SetUp() override {
        Plateforme_Initialiser(OptionsPlateforme{});
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        Hasard_Graine(1);
    }
    void TearDown() override { Univers__LibereGrilles(); }

    // mv.ini with the graphic objects FIG_DPL and FIG_ATT and the given master lines ("#define ..." each).
    void EcrireListe(const std::vector<std::string>& lignes, bool terminee = true) {
        std::string s = "; essai\r\n//liste_des_objets.\r\n#define FIG_VIDE 0 // vide\r\n#define FIG_DPL 1 // fig_dpl\r\n"
                        "#define FIG_ATT 2 // fig_att\r\n//.\r\n\r\n//liste_des_objets_maîtres.\r\n";
        for (const auto& l : lignes) s += l + "\r\n";
        if (terminee) s += "//.\r\n";
        arbre.Ecrire("ini/mv.ini", s);
    }
    void EcrireMaitre(const std::string& fichier, const std::string& contenu) {
        arbre.Ecrire("maitres/" + fichier + ".txt", contenu);
    }
    // Loads the lists; the number of masters, or -1 when the program ended (code in fin).
    int Charger(int* fin = nullptr) {
        try {
            CreationDeLalIsteDesObjetsGfx();
            return Maitres__Liste__Creation();
        } catch (const FinProgramme& f) {
            if (fin) *fin = f.code;
            return -1;
        }
    }
    std::string Rapport() const { return arbre.Lire("Erreur.txt"); }

    // A fresh world with the given masters loaded from a one-line-per-master list (file "-" = empty).
    void MondeAvec(const std::vector<std::pair<std::string, std::string>>& maitres) {
        std::vector<std::string> lignes;
        for (size_t n = 0; n < maitres.size(); ++n) {
            lignes.push_back("#define M_" + std::to_string(n) + " " + std::to_string(n) + " // " + maitres[n].first);
            if (maitres[n].first != "-") EcrireMaitre(maitres[n].first, maitres[n].second);
        }
        EcrireListe(lignes);
        ASSERT_EQ(Charger(), static_cast<int>(maitres.size())) << Rapport();
        Univers__AlloueGrilles();
        ObjetsGroupes__Initialisation();
    }
};
