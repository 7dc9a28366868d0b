#include "campaign/victoire_tutoriel.h"

#include <cctype>
#include <cstring>

#include "campaign/region.h"
#include "foundation/erreurs.h"
#include "platform/fichiers.h"

ConditionsVictoireRegion ConditionsVictoireTutoriel{};

namespace {

constexpr const char* OU = "RegionInitialisationConditionVictoire()";
constexpr const char* FICHIER = "..\\Scenarios\\Tutoriel\\tutoriel.txt";
constexpr size_t TAILLE_LABEL = 64;

// One blank-delimited word of at most TAILLE_LABEL - 1 characters; false when there is none or it
// is longer.
bool LireLabel(FILE* f, char (&label)[TAILLE_LABEL]) {
    int ch;
    do ch = std::fgetc(f);
    while (ch != EOF && std::isspace(ch));
    size_t n = 0;
    while (ch != EOF && !std::isspace(ch)) {
        if (n + 1 >= TAILLE_LABEL) return false;
        label[n++] = static_cast<char>(ch);
        ch = std::fgetc(f);
    }
    label[n] = 0;
    return n > 0;
}

bool Visite(const CarteRegion* c, int i) {
    return c != nullptr && c->lieuxUniques != nullptr && i >= 0 && i < c->nbLieuxUniques &&
           c->lieuxUniques[i].visite != 0;
}

}  // namespace

int RegionDonneLabelAssocieConditionVictoire(const char* label) {
    if (label == nullptr) return -1;
    if (std::strcmp(label, "REGION_AUCUNE_CONDITION_VICTOIRE") == 0) return REGION_AUCUNE_CONDITION_VICTOIRE;
    if (std::strcmp(label, "REGION_VICTOIRE_ENNEMIS_TUES") == 0) return REGION_VICTOIRE_ENNEMIS_TUES;
    for (int i = 1; i <= 12; ++i) {
        char nom[48];
        std::snprintf(nom, sizeof nom, "REGION_VICTOIRE_LIEU_UNIQUE_%d_VISITE", i);
        if (std::strcmp(label, nom) == 0) return REGION_VICTOIRE_LIEU_UNIQUE_1_VISITE + i - 1;
    }
    if (std::strcmp(label, "REGION_VICTOIRE_TOUT_LIEU_UNIQUE_VISITE") == 0) return REGION_VICTOIRE_TOUT_LIEU_UNIQUE_VISITE;
    if (std::strcmp(label, "BATAILLE_TOUT_ENNEMI_TUE") == 0) return REGION_AUCUNE_CONDITION_VICTOIRE;
    return -1;
}

bool ConditionsVictoire__Lire(FILE* f, ConditionsVictoireRegion* liste, std::string* erreur) {
    liste->nb = 0;
    int32_t nb = 0;
    if (std::fscanf(f, "Nombre de conditions de victoire : %d\n", &nb) != 1 || nb < 0 || nb > MAX_CONDITIONS_VICTOIRE) {
        *erreur = "Format non respecté : Nombre de conditions de victoire : ...";
        return false;
    }
    for (int i = 0; i < nb; ++i) {
        char label[TAILLE_LABEL];
        if (!LireLabel(f, label)) {
            *erreur = "Label_de_condition_de_victoire";
            return false;
        }
        const int code = RegionDonneLabelAssocieConditionVictoire(label);
        if (code < 0) {
            *erreur = std::string("Il faut ajouter ce label : ") + label +
                      " dans la fonction RegionDonneLabelAssocieConditionVictoire()";
            return false;
        }
        liste->codes[i] = code;
    }
    liste->nb = nb;
    return true;
}

void RegionInitialisationConditionVictoire() {
    ConditionsVictoireTutoriel.nb = 0;
    FILE* f = Fichier_Ouvrir(FICHIER, "rt");
    if (f == nullptr) Erreur_Fatale(OU, "Fichier region non trouvé (%s)", FICHIER);
    std::string erreur;
    ConditionsVictoireRegion lu{};
    const bool ok = ConditionsVictoire__Lire(f, &lu, &erreur);
    std::fclose(f);
    if (!ok) Erreur_Fatale(OU, "%s (%s)", erreur.c_str(), FICHIER);
    ConditionsVictoireTutoriel = lu;
}

int RegionConditionVictoireAtteinte(int code, std::string* erreur) {
    const CarteRegion* c = CarteRegionCourante;
    if (code >= REGION_VICTOIRE_LIEU_UNIQUE_1_VISITE && code < REGION_VICTOIRE_TOUT_LIEU_UNIQUE_VISITE)
        return Visite(c, code - REGION_VICTOIRE_LIEU_UNIQUE_1_VISITE) ? 1 : 0;
    if (code == REGION_VICTOIRE_TOUT_LIEU_UNIQUE_VISITE) {
        const int n = c != nullptr && c->lieuxUniques != nullptr ? c->nbLieuxUniques : 0;
        for (int i = 0; i < n; ++i)
            if (!Visite(c, i)) return 0;
        return 1;
    }
    if (erreur) *erreur = "Cette condition de victoire n'est pas définie";
    return 0;
}
