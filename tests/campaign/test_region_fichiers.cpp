// The region record's files: the region file, "nomcarte.txt", the campaign's table of regions and
// the per-region file names; the unique sites' file, their visits and unlocks; the victory file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "arbre_temporaire.h"
#include "campaign/armee_fichiers.h"
#include "campaign/campagne.h"
#include "campaign/lieux_uniques.h"
#include "campaign/region.h"
#include "campaign/victoire_region.h"
#include "foundation/ecran_fixture.h"
#include "shell/trame.h"

namespace {

// A stream over a copy of a text (closed by the caller).
FILE* Flux(const std::string& texte) {
    FILE* f = std::tmpfile();
    std::fwrite(texte.data(), 1, texte.size(), f);
    std::rewind(f);
    return f;
}

std::string FichierRegion(int lignesTerrain, int lignesDeparts) {
    std::string s;
    for (int y = 0; y < lignesTerrain; ++y) {
        for (int x = 0; x < 52; ++x) s += std::to_string(x * 100 + y) + " ";
        s += "\n";
    }
    s += "\n";
    for (int y = 0; y < lignesDeparts; ++y) {
        for (int x = 0; x < 52; ++x) s += (x == 3 && y == 7) ? "1 " : "0 ";
        s += "\r\n";
    }
    return s + "\n";
}

class RegionFichiers : public ::testing::Test {
  protected:
    ArbreTemporaire arbre;
    CarteRegion carte{};
    void SetUp() override {
        ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}));
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        CarteRegionCourante = &carte;
        NbRegimentsNmi = 0;
        arbre.Ecrire("tmp/Joueur0/.garde", "");
    }
    void TearDown() override {
        delete[] carte.lieuxUniques;
        CarteRegionCourante = nullptr;
        Plateforme_Fermer();
    }
    void Lieux(std::initializer_list<LieuUnique> l) {
        delete[] carte.lieuxUniques;
        carte.nbLieuxUniques = static_cast<int32_t>(l.size());
        carte.lieuxUniques = new LieuUnique[l.size()];
        std::copy(l.begin(), l.end(), carte.lieuxUniques);
    }
};

LieuUnique Lieu(int x, int y, int visite, int lock = 0, std::initializer_list<int> unlock = {}) {
    LieuUnique l{};
    l.x = x;
    l.y = y;
    std::snprintf(l.nom, sizeof l.nom, "Ferme%d", x);
    std::snprintf(l.texte, sizeof l.texte, "Une ferme au bord du fleuve");
    l.visite = visite;
    l.lock = lock;
    l.nbrFrame = 1;
    l.nouvelEtat = 1;
    l.messager = -1;
    for (int u : unlock) l.unlock[l.nbUnlock++] = u;
    if (l.nbUnlock) {
        std::snprintf(l.message, sizeof l.message, "..\\Texte\\Ferme.txt");
        l.messager = 857;
    }
    return l;
}

}  // namespace

TEST_F(RegionFichiers, LeFichierDeRegionEstLuParLignesEtRangeParColonnes) {
    std::string erreur;
    FILE* f = Flux(FichierRegion(40, 40));
    ASSERT_TRUE(Region__LireFichier(f, &carte, &erreur)) << erreur;
    std::fclose(f);
    for (int x : {0, 7, 51})
        for (int y : {0, 13, 39}) EXPECT_EQ(carte.terrain[x * 40 + y], x * 100 + y);
    EXPECT_EQ(carte.departs[3 * 40 + 7], 1);
    EXPECT_EQ(carte.departs[7 * 40 + 3], 0);
    // A file that stops short is refused, whichever grid it cuts.
    for (auto [t, d] : {std::pair{39, 0}, std::pair{40, 39}}) {
        FILE* g = Flux(FichierRegion(t, d));
        EXPECT_FALSE(Region__LireFichier(g, &carte, &erreur)) << t << " " << d;
        std::fclose(g);
    }
    FILE* g = Flux("1 2 x");
    EXPECT_FALSE(Region__LireFichier(g, &carte, &erreur));
    std::fclose(g);
}

TEST_F(RegionFichiers, TableDesRegionsEtDerniereEtape) {
    struct Cas { int campagne, derniere, region; };
    for (const Cas& c : {Cas{0, 0, 9}, Cas{1, 4, 3}, Cas{2, 4, 3}, Cas{3, 4, 2}, Cas{4, 3, 3}}) {
        CampagneCourante = c.campagne;
        for (EtapeCampagne = 0; EtapeCampagne < c.derniere; ++EtapeCampagne)
            EXPECT_FALSE(Campagne__DerniereEtape()) << c.campagne << " " << EtapeCampagne;
        EXPECT_TRUE(Campagne__DerniereEtape()) << c.campagne;
        EXPECT_EQ(Region__Courante(), c.region);
    }
    // The last column looks past the table: the end.
    CampagneCourante = 1;
    EtapeCampagne = 7;
    EXPECT_TRUE(Campagne__DerniereEtape());
    EXPECT_EQ(Campagne__Region(5, 0), 0);
    EXPECT_EQ(Campagne__Region(1, 8), 0);
    EXPECT_EQ(Campagne__Region(-1, 0), 0);
}

TEST_F(RegionFichiers, LesCheminsDeLaRegion) {
    CampagneCourante = 4;
    EtapeCampagne = 1;
    EXPECT_STREQ(Chemin__Region(), "..\\Campagnes\\Lumiere\\Region6\\Region");
    EXPECT_STREQ(Chemin__Ennemis(), "..\\Campagnes\\Lumiere\\Region6\\Ennemis");
    EXPECT_STREQ(Chemin__NiveauLieuUnique(), "..\\Campagnes\\Lumiere\\Region6\\");
    EXPECT_STREQ(Chemin__Uniques(), "..\\Texte\\Lumiere\\Region6\\Uniques");
    EXPECT_STREQ(Chemin__VictoireRegion(), "..\\Campagnes\\Lumiere\\Region6\\region");
    CampagneCourante = 0;
    EtapeCampagne = 0;
    EXPECT_STREQ(Chemin__Region(), "..\\Campagnes\\Tutorial\\Region9\\Region");
    // An unknown campaign leaves the scratch string as it was.
    CampagneCourante = 7;
    EXPECT_STREQ(Chemin__Uniques(), "..\\Campagnes\\Tutorial\\Region9\\Region");
    EXPECT_STREQ(ChaineTravail2, ChaineTravail3);
}

TEST_F(RegionFichiers, LesTerrainsInconnusSontFermes) {
    RegimentRegion r{};
    for (int i = 0; i < 5; ++i) r.cout[i] = i + 1;
    EXPECT_EQ(Region__CoutTerrain(r, 0), 1);
    EXPECT_EQ(Region__CoutTerrain(r, 4), 5);
    EXPECT_EQ(Region__CoutTerrain(r, 5), -1);
    EXPECT_EQ(Region__CoutTerrain(r, -1), -1);
    EXPECT_EQ(Region__CoutTerrain(r, 1000000), -1);
    EXPECT_EQ(Region__Terrain(52, 0), 4);
}

TEST_F(RegionFichiers, NomCarte) {
    struct Cas { const char* texte; bool ok; const char* fichier; int c, e, n; };
    for (const Cas& c : {Cas{"..\\Campagnes\\Mes Cartes\\Region.txt\r\n2 3 1 0\n", true, "..\\Campagnes\\Mes Cartes\\Region.txt", 2, 3, 1},
                         Cas{"a.txt\n4 0 1\n", true, "a.txt", 4, 0, 1},
                         Cas{"a.txt\n5 0 1\n", false, "", 0, 0, 0},
                         Cas{"a.txt\n1 8 1\n", false, "", 0, 0, 0},
                         Cas{"a.txt\n4 4 1\n", false, "", 0, 0, 0},   // past Lumiere's last region
                         Cas{"a.txt\n4 -1 1\n", false, "", 0, 0, 0},
                         Cas{"\n1 0 1\n", false, "", 0, 0, 0},
                         Cas{"a.txt\n1 0\n", false, "", 0, 0, 0}}) {
        FILE* f = Flux(c.texte);
        std::string fichier;
        int32_t ca = 0, e = 0, n = 0;
        EXPECT_EQ(Region__LireNomCarte(f, &fichier, &ca, &e, &n), c.ok) << c.texte;
        std::fclose(f);
        if (!c.ok) continue;
        EXPECT_EQ(fichier, c.fichier);
        EXPECT_EQ(ca, c.c);
        EXPECT_EQ(e, c.e);
        EXPECT_EQ(n, c.n);
    }
}

// ---- Unique sites ----

TEST_F(RegionFichiers, LesLieuxFontLAllerRetourAvecEtSansRep) {
    LieuUnique a = Lieu(4, 6, 0, 1, {1, 2});
    a.nbrFrame = 4;
    a.objetGraphique = 705;
    LieuUnique b = Lieu(10, 11, 1);
    LieuUnique c = Lieu(50, 39, 3, 2);
    Lieux({a, b, c});
    RepereX = 12;
    RepereY = 8;
    RegionSauverLieuxUniques("..\\tmp\\Joueur0\\uniques.txt");
    const std::string ecrit = arbre.Lire("tmp/Joueur0/uniques.txt");
    EXPECT_NE(ecrit.find("NbUnlock : 2\n1 2 \nMessage : ..\\Texte\\Ferme.txt\nMessager : 857\n"), std::string::npos) << ecrit;
    EXPECT_EQ(ecrit.find("Message", ecrit.find("Nom : Ferme10")), std::string::npos);   // no list, no message
    EXPECT_EQ(ecrit.substr(ecrit.size() - 10), "Rep :12 8\n");
    EXPECT_FALSE(arbre.Existe("tmp/Joueur0/uniques.txt.tmp"));

    RepereX = RepereY = 0;
    Lieux({});
    InitLieuxUniques("..\\tmp\\Joueur0\\uniques.txt");
    ASSERT_EQ(carte.nbLieuxUniques, 3);
    EXPECT_EQ(RepereX, 12);
    EXPECT_EQ(RepereY, 8);
    const LieuUnique& l = carte.lieuxUniques[0];
    EXPECT_STREQ(l.nom, "Ferme4");
    EXPECT_STREQ(l.texte, "Une ferme au bord du fleuve");
    EXPECT_EQ(l.x, 4);
    EXPECT_EQ(l.nbrFrame, 4);
    EXPECT_EQ(l.objetGraphique, 705);
    EXPECT_EQ(l.nbUnlock, 2);
    EXPECT_EQ(l.unlock[1], 2);
    EXPECT_STREQ(l.message, "..\\Texte\\Ferme.txt");
    EXPECT_EQ(carte.lieuxUniques[1].messager, -1);
    EXPECT_EQ(carte.lieuxUniques[2].lock, 2);

    // Without its Rep line the origin is (0, 20); blank lines and blanks before the text are skipped.
    arbre.Ecrire("tmp/Joueur0/uniques.txt",
                 "Nombre de lieux uniques : 1\r\nNom : Moulin\r\n\r\n   Le vieux moulin\r\nEntree : 2\nx : 1\ny : 2\n"
                 "Objet Graphique : 843\nNbr Frame : 0\nLock : 0\nVisite : 0\nNouvel Etat : 3\nNbUnlock : 0\n");
    InitLieuxUniques("..\\tmp\\Joueur0\\uniques.txt");
    ASSERT_EQ(carte.nbLieuxUniques, 1);
    EXPECT_STREQ(carte.lieuxUniques[0].texte, "Le vieux moulin");
    EXPECT_EQ(carte.lieuxUniques[0].nbrFrame, 1);   // no frame count reads as one frame
    EXPECT_EQ(carte.lieuxUniques[0].entree, 2);
    EXPECT_EQ(RepereX, 0);
    EXPECT_EQ(RepereY, 20);
}

TEST_F(RegionFichiers, LOrigineDeLaVueEstBorneeEtPaire) {
    for (auto [x, y, ex, ey] : {std::array{31, 25, 26, 20}, std::array{-4, 7, 0, 6}, std::array{13, 19, 12, 18}}) {
        arbre.Ecrire("u.txt", "Nombre de lieux uniques : 0\nRep :" + std::to_string(x) + " " + std::to_string(y) + "\n");
        InitLieuxUniques("..\\u.txt");
        EXPECT_EQ(RepereX, ex);
        EXPECT_EQ(RepereY, ey);
    }
}

TEST_F(RegionFichiers, LesFichiersDeLieuxMalFormesSontRefuses) {
    const std::string debut = "Nombre de lieux uniques : 2\nNom : A\nTexte\nEntree : 0\nx : 1\ny : 1\nObjet Graphique : 705\n"
                              "Nbr Frame : 1\nLock : 1\nVisite : 0\nNouvel Etat : 1\n";
    const std::string second = "Nom : B\nTexte\nEntree : 0\nx : 2\ny : 2\nObjet Graphique : 705\nNbr Frame : 1\n"
                               "Lock : 0\nVisite : 0\nNouvel Etat : 1\nNbUnlock : 0\n";
    struct Cas { std::string texte; const char* mots; };
    for (const Cas& c : {Cas{"Nombre de lieux uniques : -1\n", "Nombre de lieux uniques"},
                         Cas{debut + "NbUnlock : 21\n" + std::string(21 * 2, '1') + "\n", "NbUnlock"},
                         Cas{debut + "NbUnlock : 1\n2\nMessage : m.txt\nMessager : 857\n" + second, "TabUnlock"},
                         Cas{debut + "NbUnlock : 1\n-1\nMessage : m.txt\nMessager : 857\n" + second, "TabUnlock"},
                         Cas{debut + "NbUnlock : 1\n1\nMessager : 857\n" + second, "Message"},
                         Cas{"Nombre de lieux uniques : 1\nNom : A\nTexte\nEntree : 0\nx : 52\n", "x :"},
                         Cas{"Nombre de lieux uniques : 1\nNom : " + std::string(200, 'n') + "\nTexte\n", "nom du lieu"},
                         Cas{"Nombre de lieux uniques : 1\nNom : A\n", "TEXTE"}}) {
        FILE* f = Flux(c.texte);
        FichierLieux lu;
        std::string erreur;
        EXPECT_FALSE(LieuxUniques__Lire(f, &lu, &erreur)) << c.texte;
        EXPECT_NE(erreur.find(c.mots), std::string::npos) << erreur;
        std::fclose(f);
    }
    // The unlock list read back in range.
    FILE* f = Flux(debut + "NbUnlock : 1\n1\nMessage : m.txt\nMessager : 857\n" + second);
    FichierLieux lu;
    std::string erreur;
    EXPECT_TRUE(LieuxUniques__Lire(f, &lu, &erreur)) << erreur;
    std::fclose(f);
}

TEST_F(RegionFichiers, UneEcritureRateeGardeLAncienFichier) {
    arbre.Ecrire("tmp/Joueur0/uniques.txt", "ancien");
    Lieux({Lieu(1, 1, 0)});
    EcritureSure__avantRenommage = [](const char*) { return false; };
    testing::internal::CaptureStderr();
    EXPECT_THROW(RegionSauverLieuxUniques("..\\tmp\\Joueur0\\uniques.txt"), FinProgramme);
    testing::internal::GetCapturedStderr();
    EcritureSure__avantRenommage = nullptr;
    EXPECT_EQ(arbre.Lire("tmp/Joueur0/uniques.txt"), "ancien");
}

TEST_F(RegionFichiers, VisitesEtDeverrouillages) {
    // 0 unlocked by 1 and 2; 3 by 1 alone; 4 waits for 0; 5 is a site without its own level.
    Lieux({Lieu(1, 1, 0, 1, {1, 2}), Lieu(2, 2, 2), Lieu(3, 3, 3), Lieu(4, 4, 0, 1, {1}), Lieu(5, 5, 0, 1, {0}),
           Lieu(6, 6, 0, 2)});
    carte.terrain.fill(2);
    RegionAnnulerVisiteLieuUnique();
    EXPECT_EQ(carte.lieuxUniques[1].visite, 0);
    RegionDeverrouillerLieuxUniques();
    EXPECT_EQ(carte.lieuxUniques[0].lock, 1);
    EXPECT_EQ(carte.terrain[1 * 40 + 1], 4);
    EXPECT_EQ(carte.terrain[2 * 40 + 2], 0);
    EXPECT_EQ(carte.terrain[6 * 40 + 6], 0);
    carte.lieuxUniques[1].visite = 2;
    carte.lieuxUniques[1].nouvelEtat = 1;
    RegionMettreLieuUniqueEnVisite();
    EXPECT_EQ(carte.lieuxUniques[1].visite, 1);
    RegionDeverrouillerLieuxUniques();
    EXPECT_EQ(carte.lieuxUniques[0].lock, 0);
    EXPECT_EQ(carte.lieuxUniques[3].lock, 0);
    EXPECT_EQ(carte.lieuxUniques[4].lock, 1);   // 0 is open, not visited
    EXPECT_EQ(carte.terrain[1 * 40 + 1], 0);
    EXPECT_EQ(carte.terrain[5 * 40 + 5], 4);
    // An index that names no site never counts as visited.
    carte.lieuxUniques[4].unlock[0] = 40;
    carte.lieuxUniques[4].nbUnlock = 1;
    RegionDeverrouillerLieuxUniques();
    EXPECT_EQ(carte.lieuxUniques[4].lock, 1);
}

// ---- Region victory ----

TEST_F(RegionFichiers, LeFichierDeVictoire) {
    struct Cas { const char* texte; bool ok; int lieux, nmi, visu; const char* fichier; int messager; };
    for (const Cas& c : {Cas{"Nb lieux uniques a visiter : 0\nNb Nmi a tuer : 0\nVisu :0\n", true, 0, 0, 0, "", 0},
                         Cas{"Nb lieux uniques a visiter : 2\n0 1 \nNb Nmi a tuer : -1\n", true, 2, -1, 0, "", 0},
                         Cas{"Nb lieux uniques a visiter : -1\nNb Nmi a tuer : 1\n100 \nVisu :2\n..\\Images\\Fin de region.tga\r\n",
                             true, -1, 1, 2, "..\\Images\\Fin de region.tga", 0},
                         Cas{"Nb lieux uniques a visiter : 0\nNb Nmi a tuer : 0\nVisu :3\n..\\Texte\\fin.txt\nMessager :858\n",
                             true, 0, 0, 3, "..\\Texte\\fin.txt", 858},
                         Cas{"Nb lieux uniques a visiter : 31\n", false, 0, 0, 0, "", 0},
                         Cas{"Nb lieux uniques a visiter : -2\n", false, 0, 0, 0, "", 0},
                         Cas{"Nb lieux uniques a visiter : 0\nNb Nmi a tuer : 101\n", false, 0, 0, 0, "", 0},
                         Cas{"Nb lieux uniques a visiter : 2\n0\nNb Nmi a tuer : 0\n", false, 0, 0, 0, "", 0},
                         Cas{"Nb lieux uniques a visiter : 0\nNb Nmi a tuer : 0\nVisu :1\n", false, 0, 0, 0, "", 0},
                         Cas{"Nb lieux uniques a visiter : 0\nNb Nmi a tuer : 0\nVisu :3\nf.txt\n", false, 0, 0, 0, "", 0}}) {
        FILE* f = Flux(c.texte);
        std::string erreur;
        CarteRegion v{};
        EXPECT_EQ(VictoireRegion__Lire(f, &v, &erreur), c.ok) << c.texte << erreur;
        std::fclose(f);
        if (!c.ok) continue;
        EXPECT_EQ(v.nbLieuxAVisiter, c.lieux);
        EXPECT_EQ(v.nbNmiATuer, c.nmi);
        EXPECT_EQ(v.visu, c.visu);
        EXPECT_STREQ(v.fichierVisu, c.fichier);
        EXPECT_EQ(v.messager, c.messager);
    }
    testing::internal::CaptureStderr();
    EXPECT_THROW(InitVReg("..\\absent.Vreg"), FinProgramme);
    testing::internal::GetCapturedStderr();
    EXPECT_NE(arbre.Lire("Erreur.txt").find("Fichier non trouvé : ..\\absent.Vreg"), std::string::npos);
}

TEST_F(RegionFichiers, LaVictoireDeRegion) {
    Lieux({Lieu(1, 1, 0), Lieu(2, 2, 1), Lieu(3, 3, 3)});
    carte.nbLieuxAVisiter = carte.nbNmiATuer = 0;
    EXPECT_EQ(RegionVictoireAtteinte(), 1);
    carte.nbLieuxAVisiter = -1;   // every site
    EXPECT_EQ(RegionVictoireAtteinte(), 0);
    carte.lieuxUniques[0].visite = 3;
    EXPECT_EQ(RegionVictoireAtteinte(), 1);
    carte.lieuxUniques[0].visite = 0;
    carte.nbLieuxAVisiter = 1;
    carte.lieuxAVisiter[0] = 1;
    EXPECT_EQ(RegionVictoireAtteinte(), 1);
    carte.lieuxAVisiter[0] = 0;
    EXPECT_EQ(RegionVictoireAtteinte(), 0);
    carte.nbLieuxAVisiter = 0;
    NbRegimentsNmi = 2;
    RegimentsNmi[0].id = 100;
    RegimentsNmi[1].id = 104;
    carte.nbNmiATuer = -1;   // every enemy regiment
    EXPECT_EQ(RegionVictoireAtteinte(), 0);
    carte.nbNmiATuer = 2;
    carte.nmiATuer[0] = 101;   // borne by no regiment: gone
    carte.nmiATuer[1] = 102;
    EXPECT_EQ(RegionVictoireAtteinte(), 1);
    carte.nmiATuer[1] = 104;
    EXPECT_EQ(RegionVictoireAtteinte(), 0);
    NbRegimentsNmi = 0;
    carte.nbNmiATuer = -1;
    EXPECT_EQ(RegionVictoireAtteinte(), 1);
}

TEST_F(RegionFichiers, LesMotsClesDesMaitres) {
    EXPECT_EQ(RegionDonneMaitre("EMPEREUR"), 374);
    EXPECT_EQ(RegionDonneMaitre("PAYSAN"), 202);
    EXPECT_EQ(RegionDonneMaitre("REGION_DRAPEAU_LUMIERE"), 699);
    EXPECT_EQ(RegionDonneMaitre__Chercher("paysan"), -1);
    testing::internal::CaptureStderr();
    EXPECT_THROW(RegionDonneMaitre("LICORNE"), FinProgramme);
    testing::internal::GetCapturedStderr();
    EXPECT_NE(arbre.Lire("Erreur.txt").find("Il faut ajouter ce label : LICORNE dans la fonction RegionDonneMaitre()"),
              std::string::npos);
}
