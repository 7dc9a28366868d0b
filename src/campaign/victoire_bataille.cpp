#include "campaign/victoire_bataille.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "campaign/victoire_region.h"
#include "foundation/erreurs.h"
#include "platform/fichiers.h"
#include "world/grilles.h"
#include "world/objets.h"

VictoireBataille VictoireBatailleCourante{};

namespace {

constexpr const char* OU = "VictoireBatailleInitialisation()";
constexpr int TAILLE_CARTE = 128;
constexpr size_t TAILLE_MOT = 64;

// One blank-delimited word of at most TAILLE_MOT - 1 characters; false when there is none or it
// is longer.
bool LireMot(FILE* f, char (&mot)[TAILLE_MOT]) {
    int ch;
    do ch = std::fgetc(f);
    while (ch != EOF && std::isspace(ch));
    size_t n = 0;
    while (ch != EOF && !std::isspace(ch)) {
        if (n + 1 >= TAILLE_MOT) return false;
        mot[n++] = static_cast<char>(ch);
        ch = std::fgetc(f);
    }
    mot[n] = 0;
    return n > 0;
}

bool Compte(FILE* f, const char* format, int32_t* n, int max) {
    return std::fscanf(f, format, n) == 1 && *n >= 0 && *n <= max;
}

// A player unit standing in the zone now.
bool JoueurDansZone(const ZoneVictoire& z) {
    if (GrilleUnites == nullptr) return false;
    for (int y = z.y; y < z.y + z.hauteur; ++y)
        for (int x = z.x; x < z.x + z.largeur; ++x) {
            const int o = Univers__CaseUnites(x, y);
            if (o <= 1 || o >= NOMBRE_OBJETS) continue;   // 1 marks water and impassable cells
            const Objet& objet = TableObjets[static_cast<size_t>(o)];
            if (objet.actif == 1 && objet.armee == 0) return true;
        }
    return false;
}

int ConditionAtteinte(int code, std::string* erreur) {
    if (code == REGION_AUCUNE_CONDITION_VICTOIRE || code == REGION_VICTOIRE_ENNEMIS_TUES)
        return NbUnitesEnnemies <= 0 ? 1 : 0;
    return RegionConditionVictoireAtteinte(code, erreur);
}

}  // namespace

std::string VictoireBataille__NomFichier(const char* niveau) {
    if (niveau == nullptr) return "";
    const size_t n = std::strlen(niveau);
    if (n < 3) return "";
    return std::string(niveau, n - 3) + "txt";
}

bool VictoireBataille__Lire(FILE* f, VictoireBataille* v, std::string* erreur) {
    *v = VictoireBataille{};
    VictoireBataille lu{};
    const auto faute = [&](std::string quoi) {
        *erreur = std::move(quoi);
        return false;
    };
    if (!Compte(f, "Nombre de zones a visiter : %d\n", &lu.nbZones, MAX_ZONES_VICTOIRE))
        return faute("Format non respecté : Nombre de zones a visiter : ...");
    for (int i = 0; i < lu.nbZones; ++i) {
        int32_t x = 0, y = 0, l = 0, h = 0;
        if (std::fscanf(f, "\n\t\tx : %d\n\t\ty : %d\n\t\tl : %d\n\t\th : %d\n", &x, &y, &l, &h) != 4)
            return faute("Format non respecté : zone " + std::to_string(i) + " : x, y, l, h ...");
        ZoneVictoire& z = lu.zones[i];
        z.x = std::clamp(x, 0, TAILLE_CARTE);
        z.y = std::clamp(y, 0, TAILLE_CARTE);
        z.largeur = std::clamp(l, 0, TAILLE_CARTE - z.x);
        z.hauteur = std::clamp(h, 0, TAILLE_CARTE - z.y);
    }
    if (!Compte(f, "\nObjets Maitres Tues : %d\n", &lu.nbMaitres, MAX_MAITRES_VICTOIRE))
        return faute("Format non respecté : Objets Maitres Tues : ...");
    for (int i = 0; i < lu.nbMaitres; ++i) {
        char mot[TAILLE_MOT];
        if (!LireMot(f, mot)) return faute("Format non respecté : Objets Maitres Tues : " + std::to_string(i) + " ...");
        const int maitre = RegionDonneMaitre__Chercher(mot);
        if (maitre < 0 || maitre >= NOMBRE_TYPES_MAITRES)
            return faute(std::string("Il faut ajouter ce label : ") + mot + " dans la fonction RegionDonneMaitre()");
        lu.maitres[i] = maitre;
    }
    if (!Compte(f, "\nAutres conditions : %d\n", &lu.nbConditions, MAX_CONDITIONS_VICTOIRE))
        return faute("Format non respecté : Autres conditions : ...");
    for (int i = 0; i < lu.nbConditions; ++i) {
        char mot[TAILLE_MOT];
        if (!LireMot(f, mot)) return faute("Label_de_condition_de_victoire");
        const int code = RegionDonneLabelAssocieConditionVictoire(mot);
        if (code < 0)
            return faute(std::string("Il faut ajouter ce label : ") + mot +
                         " dans la fonction RegionDonneLabelAssocieConditionVictoire()");
        lu.conditions[i] = code;
    }
    *v = lu;
    return true;
}

void VictoireBatailleInitialisation(const char* niveau) {
    VictoireBatailleLiberation();
    const std::string fichier = VictoireBataille__NomFichier(niveau);
    FILE* f = fichier.empty() ? nullptr : Fichier_Ouvrir(fichier.c_str(), "rt");
    if (f == nullptr) Erreur_Fatale(OU, "Fichier non trouvé : %s", fichier.empty() && niveau ? niveau : fichier.c_str());
    std::string erreur;
    VictoireBataille lu{};
    const bool ok = VictoireBataille__Lire(f, &lu, &erreur);
    std::fclose(f);
    if (!ok) Erreur_Fatale(OU, "%s (%s)", erreur.c_str(), fichier.c_str());
    VictoireBatailleCourante = lu;
}

void VictoireBatailleLiberation() { VictoireBatailleCourante = VictoireBataille{}; }

int VictoireBatailleAtteinte(std::string* erreur) {
    VictoireBataille& v = VictoireBatailleCourante;
    int atteinte = 1;
    // Every zone is looked at, so that one reached now stays visited whatever the rest.
    for (int i = 0; i < v.nbZones; ++i) {
        ZoneVictoire& z = v.zones[i];
        if (z.visitee == 0 && JoueurDansZone(z)) z.visitee = 1;
        if (z.visitee == 0) atteinte = 0;
    }
    for (int i = 0; i < v.nbMaitres; ++i)
        if (PopulationParType[static_cast<size_t>(v.maitres[i])] > 0) atteinte = 0;
    for (int i = 0; i < v.nbConditions; ++i)
        if (ConditionAtteinte(v.conditions[i], erreur) == 0) atteinte = 0;
    return atteinte;
}
