// The enemy regiments' table and its file, the look-up of a regiment's file, the rewriting of the
// regiment files after a battle, the removal of the regiments that fought and the tokens' birth.
#include "campaign/ennemis.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "campaign/armee.h"
#include "campaign/armee_fichiers.h"
#include "campaign/catalogue.h"
#include "campaign/chargement_armees.h"
#include "campaign/deploiement.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "platform/fichiers.h"
#include "battle/occupation.h"
#include "world/groupes.h"
#include "world/objets.h"

std::array<Objet*, REGIMENTS_NMI> ObjetsRegimentsNmi{};

namespace {

const char* const OU = "regimentnmi.c";

// A literal label and one value; blanks in the label match any blanks, as in the file's formats.
bool Entier(FILE* f, const char* format, int32_t* v) { return std::fscanf(f, format, v) == 1; }
bool Entiers(FILE* f, const char* format, int32_t* a, int32_t* b) { return std::fscanf(f, format, a, b) == 2; }

// The label then one word into mot (at most taille - 1 characters); false when the label is not
// there, there is no word or the word is longer.
bool Mot(FILE* f, const char* label, char* mot, size_t taille) {
    char tampon[1024];
    const std::string format = std::string(label) + "%1023s";
    if (std::fscanf(f, format.c_str(), tampon) != 1) return false;
    if (std::strlen(tampon) >= taille) return false;
    std::memcpy(mot, tampon, std::strlen(tampon) + 1);
    return true;
}

}  // namespace

bool RegimentNmi__NomFichierSur(const char* nom) {
    if (nom == nullptr || nom[0] == 0 || std::strlen(nom) >= sizeof RegimentNmi{}.fichier) return false;
    if (std::strpbrk(nom, "\\/:") != nullptr) return false;
    return std::strcmp(nom, ".") != 0 && std::strcmp(nom, "..") != 0;
}

bool RegimentNmi__VbatSur(const char* chemin) {
    if (chemin == nullptr || std::strlen(chemin) >= sizeof RegimentNmi{}.vbat) return false;
    if (std::strncmp(chemin, "..\\", 3) != 0 || std::strchr(chemin, '/') || std::strchr(chemin, ':')) return false;
    // Every name after the leading "..\" is a plain one.
    const char* p = chemin + 3;
    while (true) {
        const char* fin = std::strchr(p, '\\');
        const size_t n = fin ? static_cast<size_t>(fin - p) : std::strlen(p);
        if (n == 0) return false;
        if ((n == 1 && p[0] == '.') || (n == 2 && p[0] == '.' && p[1] == '.')) return false;
        if (fin == nullptr) return true;
        p = fin + 1;
    }
}

bool RegimentsNmi__Lire(FILE* f, RegimentNmi* table, int32_t* nombre, std::string* erreur) {
    char tampon[512];
    const auto faute = [&](const char* format, int i) {
        std::snprintf(tampon, sizeof tampon, format, i);
        *erreur = tampon;
        return false;
    };
    // Whatever comes before the marker is skipped.
    char mot[256];
    bool marque = false;
    while (std::fscanf(f, "%255s\n", mot) == 1)
        if (std::strcmp(mot, "REGIMENTSNMI") == 0) {
            marque = true;
            break;
        }
    if (!marque) {
        *erreur = "REGIMENTSNMI non trouvé";
        return false;
    }
    int32_t n = 0;
    if (!Entier(f, "Nombre de regiments ennemi : %d\n", &n) || n < 0) {
        *erreur = "erreur nb regiment nmi";
        return false;
    }
    if (n > REGIMENTS_NMI) n = REGIMENTS_NMI;
    for (int i = 0; i < n; ++i) {
        RegimentNmi& r = table[i];
        std::fscanf(f, " ");
        if (!Mot(f, "Fichier : ", r.fichier, sizeof r.fichier) || !RegimentNmi__NomFichierSur(r.fichier))
            return faute("erreur fichier regiment n° %d", i);
        if (!Entier(f, " Id : %d\n", &r.id)) return faute("erreur id regiment n° %d", i);
        if (!Entiers(f, " Coordonnees : %d %d\n", &r.x, &r.y) || r.x < 0 || r.x >= REGION_LARGEUR || r.y < 0 ||
            r.y >= REGION_HAUTEUR)
            return faute("erreur coordonnee regiment n° %d", i);
        if (!Entier(f, " Joueur : %d\n", &r.joueur)) return faute("erreur joueur regiment n° %d", i);
        if (!Entier(f, " Comportement : %d\n", &r.comportement) || r.comportement < 0 || r.comportement > 5)
            return faute("erreur comportement regiment n° %d", i);
        const auto attaque = [&]() { return Entiers(f, " Pour Attaque : %d %d\n", &r.pourAttaqueNbPA, &r.pourAttaqueDistVue); };
        if (r.comportement == 4) {
            int32_t z[4];
            if (std::fscanf(f, " Zone : %d %d %d %d\n", &z[0], &z[1], &z[2], &z[3]) != 4)
                return faute("erreur format regiment n° %d", i);
            r.zoneX = z[0], r.zoneY = z[1], r.zoneLargeur = z[2], r.zoneHauteur = z[3];
        }
        if (r.comportement == 2 || r.comportement == 4) {
            if (!Entier(f, " Detection : %d\n", &r.detection)) return faute("erreur format regiment n° %d", i);
            if (!Entiers(f, " Destination : %d %d\n", &r.destinationX, &r.destinationY))
                return faute("erreur Destination regiment n° %d", i);
        }
        if (r.comportement >= 2 && r.comportement <= 4 && !attaque()) return faute("erreur pour attaque regiment n° %d", i);
        if (!Entier(f, " NbPA : %d\n", &r.nbPA)) return faute("erreur nbpa regiment n° %d", i);
        if (!Entier(f, " DistVue : %d\n", &r.distVue)) return faute("erreur DistVue regiment n° %d", i);
        if (!Entier(f, " ObjetMaitre : %d\n", &r.objetMaitre)) return faute("erreur ObjetMaitre regiment n° %d", i);
        if (!Entier(f, " Camp : %d\n", &r.camp)) return faute("erreur Camp regiment n° %d", i);
        // A turn's move holds at most 49 steps, also once it turns to attack.
        r.nbPA = std::clamp(r.nbPA, 0, NBPA_MAXIMUM);
        r.pourAttaqueNbPA = std::clamp(r.pourAttaqueNbPA, 0, NBPA_MAXIMUM);
        r.nbPas = 0;
        if (!Mot(f, " Vbat : ", r.vbat, sizeof r.vbat) || !RegimentNmi__VbatSur(r.vbat))
            std::snprintf(r.vbat, sizeof r.vbat, "%s", VBAT_GENERIQUE);
    }
    *nombre = n;
    return true;
}

void RegimentsNmi__Ecrire(FILE* f, const RegimentNmi* table, int32_t nombre) {
    std::fprintf(f, "%s\n", "REGIMENTSNMI");
    std::fprintf(f, "Nombre de regiments ennemi : %d\n", nombre);
    for (int i = 0; i < nombre; ++i) {
        const RegimentNmi& r = table[i];
        std::fprintf(f, "Fichier : %s\n", r.fichier);
        std::fprintf(f, "Id : %d\n", r.id);
        std::fprintf(f, "Coordonnees : %d %d\n", r.x, r.y);
        std::fprintf(f, "Joueur : %d\n", r.joueur);
        std::fprintf(f, "Comportement : %d\n", r.comportement);
        if (r.comportement == 4) std::fprintf(f, "Zone : %d %d %d %d\n", r.zoneX, r.zoneY, r.zoneLargeur, r.zoneHauteur);
        if (r.comportement == 2 || r.comportement == 4) {
            std::fprintf(f, "Detection : %d\n", r.detection);
            std::fprintf(f, "Destination : %d %d\n", r.destinationX, r.destinationY);
        }
        if (r.comportement >= 2 && r.comportement <= 4)
            std::fprintf(f, "Pour Attaque : %d %d\n", r.pourAttaqueNbPA, r.pourAttaqueDistVue);
        std::fprintf(f, "NbPA : %d\n", r.nbPA);
        std::fprintf(f, "DistVue : %d\n", r.distVue);
        std::fprintf(f, "ObjetMaitre : %d\n", r.objetMaitre);
        std::fprintf(f, "Camp : %d\n", r.camp);
        std::fprintf(f, "Vbat : %s\n", r.vbat);
    }
}

void RegimentNmi_Sauvegarde(const char* fichier) {
    const int32_t n = std::clamp(NbRegimentsNmi, 0, static_cast<int32_t>(REGIMENTS_NMI));
    // Written beside the file and renamed over it: a failure leaves the old one whole.
    EcritureSure ecriture(fichier);
    if (ecriture.Flux() == nullptr) Erreur_Fatale(OU, "ouverture de %s", fichier);
    RegimentsNmi__Ecrire(ecriture.Flux(), RegimentsNmi.data(), n);
    if (!ecriture.Valider()) Erreur_Fatale(OU, "ouverture de %s", fichier);
}

void RegimentNmi_Chargement(const char* fichier) {
    FILE* f = Fichier_Ouvrir(fichier, "rt");
    if (f == nullptr) Erreur_Fatale(OU, "ouverture de %s", fichier);
    auto lu = std::make_unique<std::array<RegimentNmi, REGIMENTS_NMI>>(RegimentsNmi);
    int32_t n = 0;
    std::string erreur;
    const bool ok = RegimentsNmi__Lire(f, lu->data(), &n, &erreur);
    std::fclose(f);
    if (!ok) Erreur_Fatale(OU, "%s", erreur.c_str());
    RegimentsNmi = *lu;
    NbRegimentsNmi = n;
}

const char* RegimentNmi_NomFichier(int32_t id) {
    for (int i = 0; i < NbRegimentsNmi && i < REGIMENTS_NMI; ++i)
        if (RegimentsNmi[static_cast<size_t>(i)].id == id) return RegimentsNmi[static_cast<size_t>(i)].fichier;
    return nullptr;
}

void RegimentNmi_EtatFichiers(const int32_t* drapeaux) {
    SaisieValidee = 0;
    if (drapeaux == nullptr) return;
    // Every regiment file of the battle is replaced, or none is.
    EcritureGroupee ecriture;
    std::string echec;
    bool aEcrire = false;
    for (int i = 0; i < REGIMENTS_NMI && echec.empty(); ++i) {
        if (!drapeaux[i]) continue;
        const int32_t id = 100 + i;
        const RegimentNmi* nmi = nullptr;
        for (int k = 0; k < NbRegimentsNmi && k < REGIMENTS_NMI && nmi == nullptr; ++k)
            if (RegimentsNmi[static_cast<size_t>(k)].id == id) nmi = &RegimentsNmi[static_cast<size_t>(k)];
        if (nmi == nullptr) {
            Avertissement("RegimentNmi_EtatFichiers()", "Aucun régiment ennemi n'a le numéro %d : ses survivants ne sont pas gardés", id);
            continue;
        }
        const std::string chemin = std::string("..\\tmp\\joueur0\\") + nmi->fichier;
        // Its units belong to its own faction's catalogue, the one its battle loaded them with.
        Catalogue__charger(nmi->joueur);
        FILE* f = Fichier_Ouvrir(chemin.c_str(), "rt");
        if (f == nullptr) Erreur_Fatale("Erreur", "fichier %s non trouvé", chemin.c_str());
        const std::string nom = Regiment__lireNom(f);
        std::fclose(f);
        std::unique_ptr<Regiment> r(Regiment__depuisCarte(nom, nmi->camp, id));
        Armee__reprendreSectionsNonPosees(r.get());
        FILE* sortie = ecriture.Ouvrir(chemin);
        if (sortie == nullptr) echec = chemin;
        else Regiment__sauvegarder(r.get(), sortie);
        aEcrire = true;
        r.reset();
        Catalogue__liberer();
    }
    if (echec.empty() && aEcrire && !ecriture.Valider()) echec = "..\\tmp\\joueur0\\";
    if (!echec.empty()) Erreur_Fatale("Erreur", "Impossible de créer le fichier %s", echec.c_str());
    SaisieValidee = 0;
}

void RegimentNmi_Compactage() {
    int k = 0;
    for (int i = 0; i < NbRegimentsNmi && i < REGIMENTS_NMI; ++i)
        if (RegimentsNmi[static_cast<size_t>(i)].enBataille != 1)
            RegimentsNmi[static_cast<size_t>(k++)] = RegimentsNmi[static_cast<size_t>(i)];
    NbRegimentsNmi = k;
}

void RegimentNmi_Creation() {
    ObjetsRegimentsNmi.fill(nullptr);
    for (int i = 0; i < NbRegimentsNmi && i < REGIMENTS_NMI; ++i) {
        RegimentNmi& r = RegimentsNmi[static_cast<size_t>(i)];
        const int g = Groupe___Creation(r.objetMaitre, r.joueur, r.x, r.y, 1, 1, 4);
        const Groupe& groupe = TableGroupes[static_cast<size_t>(g)];
        if (groupe.nbMembres < 1) continue;
        const int jeton = groupe.membres[0];
        Objet& o = TableObjets[static_cast<size_t>(jeton)];
        ObjetsRegimentsNmi[static_cast<size_t>(i)] = &o;
        Objet__AlloueTrajet(jeton);
        o.sorts[0] = i;
        o.prochaineCaseX = r.x;
        o.prochaineCaseY = r.y;
        r.nbPas = 0;
        r.chemin[0].x = r.x;
        r.chemin[0].y = r.y;
        r.enBataille = 0;
        r.enMouvement = 0;
    }
}
