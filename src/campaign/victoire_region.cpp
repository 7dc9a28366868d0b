#include "campaign/victoire_region.h"

#include <cctype>
#include <cstring>
#include <iterator>
#include <algorithm>

#include "campaign/lieux_uniques.h"
#include "foundation/erreurs.h"
#include "platform/fichiers.h"

namespace {

struct MotCleMaitre {
    const char* mot;
    int maitre;
};
constexpr MotCleMaitre MOTS_CLES[] = {
    {"EMPEREUR", 374}, {"GALVARRE", 122}, {"JUSTICE___CAVALERIE", 22}, {"JUSTICE___ARCHANGE", 340},
    {"LUMIERE___CAVALERIE", 29}, {"SORNET", 123}, {"MORVANE___CAVALERIE", 7}, {"MORVANE___PRETRE", 11},
    {"ELFE___HAUT_ELFE", 41}, {"ELFE___ARCHER", 39}, {"ELEMENTAIRE___AIR", 135}, {"MACHINE___TOUR", 142},
    {"MACHINE___BELIER", 140}, {"PAYSANNE", 375}, {"PAYSAN", 202}, {"MORT_VIVANT___VAMPIRE", 262},
    {"MORT_VIVANT___LEVIATHAN", 264}, {"SUCCUBE", 376}, {"COCHON", 300}, {"POINT_TRACE_REGION", 618},
    {"CURSEUR_ATTENTE", 619}, {"ORV", 5}, {"MORVANE___SNEG", 6}, {"MORVANE___GEANT", 8},
    {"MORVANE___NECROMANT", 9}, {"MORVANE___ORC", 10}, {"MORVANE___TROLL", 12}, {"EMPIRE___ARCHER", 13},
    {"EMPIRE___CAVALERIE", 14}, {"EMPIRE___CHEVALIER", 15}, {"EMPIRE___LEVIATHAN", 16}, {"EMPIRE___MAGICIEN", 17},
    {"EMPIRE___PRETRE", 19}, {"EMPIRE___SOLDAT", 20}, {"JUSTICE___ARCHER", 21}, {"JUSTICE___PALADIN", 23},
    {"JUSTICE___MAGICIEN", 24}, {"JUSTICE___PHALANGE", 25}, {"JUSTICE___PRETRE", 26}, {"LEVIATHAN", 27},
    {"LUMIERE___ARCHER", 28}, {"LUMIERE___CHEVALIER", 30}, {"LUMIERE___MAGICIEN", 31}, {"LUMIERE___PHALANGE", 32},
    {"LUMIERE___PRETRE", 33}, {"LUMIERE___SOLDAT", 34}, {"DRALMOG", 120}, {"BELVOR", 121}, {"QUIVETH", 124},
    {"BARON", 125}, {"DEMON___BALGATOR", 36}, {"DEMON___PETIT_DEMON", 37}, {"DEMON___SUCCUBE", 38},
    {"DRAGON", 132}, {"ELEMENTAIRE___EAU", 136}, {"ELEMENTAIRE___FEU", 137}, {"ELEMENTAIRE___TERRE", 138},
    {"ELFE___ARBRE_GUERRIER", 143}, {"ELFE___WARDANCER", 43}, {"EMPIRE___DRAGON", 133}, {"MACHINE___BALISTE", 139},
    {"MACHINE___CATAPULTE", 141}, {"MORT_VIVANT___ARCHER", 265}, {"MORT_VIVANT___LICHE", 263},
    {"MORT_VIVANT___SOLDAT", 267}, {"MORT_VIVANT___ZOMBIE", 341}, {"NAIN___ARBALETRIER", 44},
    {"NAIN___HACHEUR", 45}, {"NAIN___TORTUE", 47}, {"TORTUE_COMMUNE", 373}, {"REGION_LU_FERME", 705},
    {"REGION_LU_CHATEAU_NIVEAU1", 706}, {"REGION_LU_CHATEAU_NIVEAU2", 707}, {"REGION_LU_CHATEAU_NIVEAU3", 708},
    {"REGION_LU_CIMETIERE", 709}, {"REGION_LU_VILLE_FORTIFIEE", 710}, {"REGION_LU_VILLAGE", 843},
    {"REGION_LU_DRALMOG", 844}, {"REGION_DRAPEAU_NAIN", 702}, {"REGION_DRAPEAU_NEUTRE", 703},
    {"REGION_DRAPEAU_LUMIERE", 699},
};
static_assert(std::size(MOTS_CLES) == 81);

// A count of a victory list: -1 (all) or 0..max.
bool Compte(FILE* f, const char* format, int32_t* n, int max) {
    return std::fscanf(f, format, n) == 1 && *n >= -1 && *n <= max;
}

}  // namespace

bool VictoireRegion__Lire(FILE* f, CarteRegion* c, std::string* erreur) {
    const auto faute = [&](const char* quoi) {
        *erreur = quoi;
        return false;
    };
    c->visu = 0;
    c->fichierVisu[0] = 0;
    c->messager = 0;
    if (!Compte(f, "Nb lieux uniques a visiter : %d\n", &c->nbLieuxAVisiter, MAX_LIEUX_A_VISITER))
        return faute("Format non respecté : Nb lieux uniques a visiter : ...");
    for (int i = 0; i < c->nbLieuxAVisiter; ++i)
        if (std::fscanf(f, "%d ", &c->lieuxAVisiter[i]) != 1) return faute("Format non respecté : Tablieux uniques a visiter : ...");
    if (!Compte(f, " Nb Nmi a tuer : %d\n", &c->nbNmiATuer, MAX_NMI_A_TUER))
        return faute("Format non respecté : Nb Nmi a tuer :  ...");
    for (int i = 0; i < c->nbNmiATuer; ++i)
        if (std::fscanf(f, "%d ", &c->nmiATuer[i]) != 1) return faute("Format non respecté : TabNmiATuer : ...");
    if (std::fscanf(f, " Visu :%d", &c->visu) != 1) {
        c->visu = 0;
        return true;
    }
    if (c->visu != 0) {
        // The whole rest of the line: a file name may hold blanks.
        int ch;
        do ch = std::fgetc(f);
        while (ch != EOF && std::isspace(ch));
        size_t n = 0;
        while (ch != EOF && ch != '\n') {
            if (ch != '\r') {
                if (n + 1 >= sizeof c->fichierVisu) return faute("Manque nom de fichier visu");
                c->fichierVisu[n++] = static_cast<char>(ch);
            }
            ch = std::fgetc(f);
        }
        while (n > 0 && std::isspace(static_cast<unsigned char>(c->fichierVisu[n - 1]))) --n;
        c->fichierVisu[n] = 0;
        if (n == 0) return faute("Manque nom de fichier visu");
    }
    if (c->visu == 3 && std::fscanf(f, " Messager :%d", &c->messager) != 1) return faute("Messager : ?");
    return true;
}

void InitVReg(const char* fichier) {
    FILE* f = Fichier_Ouvrir(fichier, "rt");
    if (f == nullptr) Erreur_Fatale("InitVReg()", "Fichier non trouvé : %s", fichier);
    std::string erreur;
    CarteRegion lu{};
    const bool ok = VictoireRegion__Lire(f, &lu, &erreur);
    std::fclose(f);
    if (!ok) Erreur_Fatale("InitVReg()", "%s (%s)", erreur.c_str(), fichier);
    CarteRegion* c = CarteRegionCourante;
    if (c == nullptr) return;
    c->nbLieuxAVisiter = lu.nbLieuxAVisiter;
    c->nbNmiATuer = lu.nbNmiATuer;
    std::memcpy(c->lieuxAVisiter, lu.lieuxAVisiter, sizeof c->lieuxAVisiter);
    std::memcpy(c->nmiATuer, lu.nmiATuer, sizeof c->nmiATuer);
    c->visu = lu.visu;
    std::memcpy(c->fichierVisu, lu.fichierVisu, sizeof c->fichierVisu);
    c->messager = lu.messager;
}

int RegionVictoireAtteinte() {
    const CarteRegion* c = CarteRegionCourante;
    if (c == nullptr) return 0;
    int lieux = 0;
    const int n = c->lieuxUniques ? c->nbLieuxUniques : 0;
    if (c->nbLieuxAVisiter == -1) {
        for (int i = 0; i < n; ++i) lieux += c->lieuxUniques[i].visite == 0;
    } else {
        for (int k = 0; k < c->nbLieuxAVisiter && k < MAX_LIEUX_A_VISITER; ++k)
            for (int i = 0; i < n; ++i) lieux += i == c->lieuxAVisiter[k] && c->lieuxUniques[i].visite == 0;
    }
    int ennemis = 0;
    const int nmi = std::min(NbRegimentsNmi, static_cast<int32_t>(REGIMENTS_NMI));
    if (c->nbNmiATuer == -1) {
        ennemis = std::max(nmi, 0);
    } else {
        for (int k = 0; k < c->nbNmiATuer && k < MAX_NMI_A_TUER; ++k)
            for (int i = 0; i < nmi; ++i) ennemis += RegimentsNmi[static_cast<size_t>(i)].id == c->nmiATuer[k];
    }
    return lieux == 0 && ennemis == 0;
}

int RegionDonneMaitre__Chercher(const char* motCle) {
    if (motCle == nullptr) return -1;
    for (const MotCleMaitre& m : MOTS_CLES)
        if (std::strcmp(m.mot, motCle) == 0) return m.maitre;
    return -1;
}

int RegionDonneMaitre(const char* motCle) {
    const int n = RegionDonneMaitre__Chercher(motCle);
    if (n < 0) Erreur_Fatale("Erreur", "Il faut ajouter ce label : %s dans la fonction RegionDonneMaitre()", motCle ? motCle : "");
    return n;
}
