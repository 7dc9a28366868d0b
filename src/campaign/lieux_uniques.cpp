#include "campaign/lieux_uniques.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "campaign/armee_fichiers.h"
#include "campaign/zone_region.h"
#include "foundation/erreurs.h"
#include "platform/fichiers.h"
#include "shell/trame.h"

namespace {

const char* const OU_LIRE = "InitLieuxUniques()";

// One word into a buffer of `taille`; false when there is none or it does not fit.
bool Mot(FILE* f, char* tampon, size_t taille) {
    char format[16];
    std::snprintf(format, sizeof format, "%%%zus", taille - 1);
    if (std::fscanf(f, format, tampon) != 1) return false;
    const int c = std::fgetc(f);
    if (c == EOF) return true;
    std::ungetc(c, f);
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// The rest of the line (without its end), cut to taille - 1 characters; false at the end of file.
bool Ligne(FILE* f, char* tampon, size_t taille) {
    size_t n = 0;
    int c = std::fgetc(f);
    if (c == EOF) return false;
    while (c != EOF && c != '\n') {
        if (c != '\r' && n + 1 < taille) tampon[n++] = static_cast<char>(c);
        c = std::fgetc(f);
    }
    tampon[n] = 0;
    return true;
}

bool Valeur(FILE* f, const char* format, int32_t* v) { return std::fscanf(f, format, v) == 1; }

// A literal label (blanks in it match any blanks); false when the file says something else.
bool Litteral(FILE* f, const char* label) {
    std::string format = std::string(label) + "%n";
    int lu = -1;
    std::fscanf(f, format.c_str(), &lu);
    return lu >= 0;
}

}  // namespace

void Region__BornerRepere(int32_t* x, int32_t* y) {
    *x = std::clamp(*x, 0, REGION_LARGEUR - 26) & ~1;
    *y = std::clamp(*y, 0, REGION_HAUTEUR - 20) & ~1;
}

bool LieuxUniques__Lire(FILE* f, FichierLieux* sortie, std::string* erreur) {
    const auto faute = [&](const char* quoi) {
        *erreur = std::string("Format non respecté : ") + quoi;
        return false;
    };
    sortie->lieux.clear();
    sortie->repere = false;
    int32_t nombre = 0;
    if (!Valeur(f, "Nombre de lieux uniques : %d\n", &nombre) || nombre < 0 || nombre > MAX_LIEUX_UNIQUES)
        return faute("Nombre de lieux uniques : ...");
    const auto lireRepere = [&]() {
        int32_t x = 0, y = 0;
        if (std::fscanf(f, "Rep :%d %d\n", &x, &y) == 2) {
            sortie->repere = true;
            sortie->repereX = x;
            sortie->repereY = y;
        } else {
            sortie->repere = false;
            sortie->repereX = 0;
            sortie->repereY = 20;
        }
    };
    for (int i = 0; i < nombre; ++i) {
        LieuUnique l{};
        if (!Litteral(f, " Nom : ") || !Mot(f, l.nom, sizeof l.nom)) return faute("nom du lieu unique ...");
        std::fscanf(f, " ");
        if (!Ligne(f, l.texte, sizeof l.texte)) return faute("TEXTE du lieu unique ...");
        if (!Valeur(f, " Entree : %d", &l.entree)) return faute("Entree ...");
        if (!Valeur(f, " x : %d", &l.x) || l.x < 0 || l.x >= REGION_LARGEUR) return faute("x : ...");
        if (!Valeur(f, " y : %d", &l.y) || l.y < 0 || l.y >= REGION_HAUTEUR) return faute("y : ...");
        if (!Valeur(f, " Objet Graphique : %d", &l.objetGraphique)) return faute("Objet Graphique : ...");
        if (!Valeur(f, " Nbr Frame : %d", &l.nbrFrame)) return faute("Nbr Frame : ...");
        if (l.nbrFrame < 1) l.nbrFrame = 1;
        if (!Valeur(f, " Lock : %d", &l.lock)) return faute("Lock : ...");
        if (!Valeur(f, " Visite : %d", &l.visite)) return faute("Visite : ...");
        if (!Valeur(f, " Nouvel Etat : %d", &l.nouvelEtat)) return faute("Nouvel Etat : ...");
        if (!Valeur(f, " NbUnlock : %d\n", &l.nbUnlock) || l.nbUnlock < 0 || l.nbUnlock > MAX_UNLOCK)
            return faute("NbUnlock : ...");
        l.messager = -1;
        if (l.nbUnlock != 0) {
            for (int k = 0; k < l.nbUnlock; ++k)
                if (!Valeur(f, "%d ", &l.unlock[k])) return faute("TabUnlock : ...");
            if (!Litteral(f, " Message : ") || !Mot(f, l.message, sizeof l.message)) return faute("Message : ...");
            if (!Valeur(f, " Messager : %d\n", &l.messager)) return faute("Messager : ...");
        }
        sortie->lieux.push_back(l);
        lireRepere();
    }
    if (nombre == 0) {
        int32_t x = 0, y = 0;
        if (std::fscanf(f, "Rep :%d %d", &x, &y) == 2) {
            sortie->repere = true;
            sortie->repereX = x;
            sortie->repereY = y;
        }
    }
    // The unlock lists name sites of this file.
    for (const LieuUnique& l : sortie->lieux)
        for (int k = 0; k < l.nbUnlock; ++k)
            if (l.unlock[k] < 0 || l.unlock[k] >= nombre) return faute("TabUnlock : ...");
    return true;
}

void LieuxUniques__Ecrire(FILE* f, const LieuUnique* lieux, int32_t nombre, int32_t repereX, int32_t repereY) {
    std::fprintf(f, "Nombre de lieux uniques : %d\n", nombre);
    for (int i = 0; i < nombre; ++i) {
        const LieuUnique& l = lieux[i];
        std::fprintf(f, "Nom : %s\n%s\n", l.nom, l.texte);
        std::fprintf(f, "Entree : %d\nx : %d\ny : %d\nObjet Graphique : %d\nNbr Frame : %d\n", l.entree, l.x, l.y,
                     l.objetGraphique, l.nbrFrame);
        std::fprintf(f, "Lock : %d\nVisite : %d\nNouvel Etat : %d\nNbUnlock : %d\n", l.lock, l.visite, l.nouvelEtat,
                     l.nbUnlock);
        if (l.nbUnlock != 0) {
            for (int k = 0; k < l.nbUnlock && k < MAX_UNLOCK; ++k) std::fprintf(f, "%d ", l.unlock[k]);
            std::fprintf(f, "\nMessage : %s\nMessager : %d\n", l.message, l.messager);
        }
    }
    std::fprintf(f, "Rep :%d %d\n", repereX, repereY);
}

void InitLieuxUniques(const char* fichier) {
    FILE* f = Fichier_Ouvrir(fichier, "rt");
    if (f == nullptr) Erreur_Fatale(OU_LIRE, "ou est : %s", fichier);
    FichierLieux lu;
    std::string erreur;
    const bool ok = LieuxUniques__Lire(f, &lu, &erreur);
    std::fclose(f);
    if (!ok) Erreur_Fatale(OU_LIRE, "%s (%s)", erreur.c_str(), fichier);
    CarteRegion* c = CarteRegionCourante;
    if (c == nullptr) return;
    delete[] c->lieuxUniques;
    c->lieuxUniques = nullptr;
    c->nbLieuxUniques = static_cast<int32_t>(lu.lieux.size());
    if (!lu.lieux.empty()) {
        c->lieuxUniques = new LieuUnique[lu.lieux.size()];
        std::copy(lu.lieux.begin(), lu.lieux.end(), c->lieuxUniques);
    }
    if (!lu.lieux.empty() || lu.repere) {
        RepereX = lu.repereX;
        RepereY = lu.repereY;
        Region__BornerRepere(&RepereX, &RepereY);
    }
}

void RegionSauverLieuxUniques(const char* fichier) {
    const CarteRegion* c = CarteRegionCourante;
    if (c == nullptr || fichier == nullptr) return;
    EcritureSure ecriture(fichier);
    if (ecriture.Flux() == nullptr) Erreur_Fatale("RegionSauverLieuxUniques()", "Impossible de créer le fichier %s", fichier);
    LieuxUniques__Ecrire(ecriture.Flux(), c->lieuxUniques, c->lieuxUniques ? c->nbLieuxUniques : 0, RepereX, RepereY);
    if (!ecriture.Valider()) Erreur_Fatale("RegionSauverLieuxUniques()", "Impossible de créer le fichier %s", fichier);
}

void RegionMettreLieuUniqueEnVisite() {
    CarteRegion* c = CarteRegionCourante;
    if (c == nullptr) return;
    if (c->nbLieuxUniques < 0) {
        Erreur_Question("RegionMettreLieuUniqueEnVisite()", "NbrLieuUnique<0 !");
        return;
    }
    for (int i = 0; i < c->nbLieuxUniques && c->lieuxUniques; ++i)
        if (c->lieuxUniques[i].visite == 2) c->lieuxUniques[i].visite = c->lieuxUniques[i].nouvelEtat;
}

void RegionAnnulerVisiteLieuUnique() {
    CarteRegion* c = CarteRegionCourante;
    if (c == nullptr) return;
    for (int i = 0; i < c->nbLieuxUniques && c->lieuxUniques; ++i)
        if (c->lieuxUniques[i].visite == 2) c->lieuxUniques[i].visite = 0;
}

void RegionDeverrouillerLieuxUniques() {
    CarteRegion* c = CarteRegionCourante;
    if (c == nullptr || c->lieuxUniques == nullptr) return;
    const int n = c->nbLieuxUniques;
    for (int i = 0; i < n; ++i) {
        LieuUnique& l = c->lieuxUniques[i];
        if (l.lock == 0) continue;
        int visites = 0;
        for (int k = 0; k < l.nbUnlock && k < MAX_UNLOCK; ++k) {
            const int j = l.unlock[k];
            if (j < 0 || j >= n) continue;   // not a site of the region: never visited
            if (c->lieuxUniques[j].visite == 1 || c->lieuxUniques[j].visite == 3) ++visites;
        }
        if (visites == l.nbUnlock) l.lock = 0;
    }
    for (int i = 0; i < n; ++i) {
        const LieuUnique& l = c->lieuxUniques[i];
        if (l.x < 0 || l.x >= REGION_LARGEUR || l.y < 0 || l.y >= REGION_HAUTEUR) continue;
        c->terrain[static_cast<size_t>(l.x * REGION_HAUTEUR + l.y)] = l.lock == 1 ? 4 : 0;
    }
}
