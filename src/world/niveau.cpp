#include "world/niveau.h"

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "battle/formations.h"
#include "battle/impacts.h"
#include "campaign/chateau.h"
#include "campaign/region.h"
#include "foundation/ecran.h"
#include "foundation/erreurs.h"
#include "foundation/fichier.h"
#include "foundation/objetsgfx.h"
#include "foundation/texte.h"
#include "platform/fichiers.h"
#include "platform/temps.h"
#include "shell/routeur.h"
#include "shell/scenario.h"
#include "shell/trame.h"
#include "shell/victoire.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/jetons.h"
#include "world/maitres.h"
#include "world/objets.h"

int32_t* TableDebutLigne = nullptr;
int32_t NombreEntreesTuiles = 0;
std::array<int32_t, LIGNES_TUILES> DebutLigne{};
std::array<uint8_t, 128 * 128> GrilleMatieres{};
int32_t EauPresente = 0;
int32_t LavePresente = 0;
int32_t* GrilleAltitude = nullptr;
int32_t ObjetFortification = 0;
int32_t PointsDeVieFortification = 0;
char TitreBataille[256] = {};

namespace {

const char* const OU_NIVEAU = "NiveauChargement()";
const char* const OU_SECTION = "ImportationSectionEditeur()";
constexpr int MAITRE_FORTIFICATION = 433;
constexpr int MAITRE_ZONE_SOINS = 157;
constexpr int ARMEE_NEUTRE = 4;

bool SurLaCarte(int x, int y) { return x >= 0 && x < TAILLE_UNIVERS && y >= 0 && y < TAILLE_UNIVERS; }

bool MaitreCharge(int t) {
    return t >= 0 && t < NombreMaitres && t < NOMBRE_TYPES_MAITRES && NomsMaitres[t] != nullptr;
}

// The fields of one entry of a level section, refused with a report before anything is created.
bool EntreeValide(const char* section, int maitre, int x, int y, int armee) {
    if (!MaitreCharge(maitre)) {
        Erreur_Question(OU_NIVEAU, "%s : objet maître inconnu : %d", section, maitre);
        return false;
    }
    if (!SurLaCarte(x, y)) {
        Erreur_Question(OU_NIVEAU, "%s : case hors de la carte : %d %d (objet m %d)", section, x, y, maitre);
        return false;
    }
    if (armee < 0 || armee > 5) {
        Erreur_Question(OU_NIVEAU, "%s : armée incorrecte : %d (objet m %d)", section, armee, maitre);
        return false;
    }
    return true;
}

// The level file NiveauChargement reads, opened once for all its sections: each rewinds it.
FILE* FluxNiveau = nullptr;
const char* FichierFluxNiveau = nullptr;

bool FluxPartage(const char* fichier) { return FluxNiveau != nullptr && fichier == FichierFluxNiveau; }

FILE* OuvrirSection(const char* fichier, const char* etiquette) {
    if (FluxPartage(fichier)) {
        Configuration_PositionFlux(FluxNiveau, fichier, etiquette);
        return FluxNiveau;
    }
    FILE* f = nullptr;
    try {
        Configuration_Position(fichier, etiquette, &f);
    } catch (...) {
        // The end of the program may unwind (tests): the stream is closed on the way.
        if (f) std::fclose(f);
        throw;
    }
    return f;
}

// A section of the level, opened after its label; every number that is missing ends the load.
class Section {
  public:
    Section(const char* fichier, const char* etiquette)
        : f_(OuvrirSection(fichier, etiquette)),
          propre_(f_ == FluxNiveau ? nullptr : f_),
          lecteur_(f_),
          fichier_(fichier),
          etiquette_(etiquette) {}
    int Entier() {
        int v = 0;
        if (!lecteur_.Entier(&v)) {
            if (lecteur_.Fin()) Erreur_Fatale(OU_NIVEAU, "Fin de fichier dans %s : %s", etiquette_, fichier_);
            Erreur_Fatale(OU_NIVEAU, "Nombre attendu dans %s : %s (%s)", etiquette_, lecteur_.Texte(), fichier_);
        }
        return v;
    }
    // A count of entries; a negative count is none.
    int Nombre() {
        int n = Entier();
        return n < 0 ? 0 : n;
    }
    LecteurJetons& Lecteur() { return lecteur_; }

  private:
    FILE* f_;
    FILE* propre_;   // closed here unless it is the level's shared stream
    FermetureFlux fermeture_{propre_};
    LecteurJetons lecteur_;
    const char* fichier_;
    const char* etiquette_;
};

void LireTuiles(const char* fichier) {
    const bool partage = FluxPartage(fichier);
    if (partage) std::rewind(FluxNiveau);
    FILE* f = partage ? FluxNiveau : Fichier_Ouvrir(fichier, "rt");
    if (f == nullptr) Erreur_Fatale(OU_NIVEAU, "Impossible de trouver le fichier : %s", fichier);
    FILE* propre = partage ? nullptr : f;
    FermetureFlux fermeture{propre};
    LecteurJetons lecteur(f);
    auto entier = [&](const char* partie) {
        int v = 0;
        if (!lecteur.Entier(&v)) {
            if (lecteur.Fin()) Erreur_Fatale(OU_NIVEAU, "Fin de fichier dans %s : %s", partie, fichier);
            Erreur_Fatale(OU_NIVEAU, "Nombre attendu dans %s : %s (%s)", partie, lecteur.Texte(), fichier);
        }
        return v;
    };

    entier("l'en-tête");
    entier("l'en-tête");
    if (!lecteur.Mot()) Erreur_Fatale(OU_NIVEAU, "Fin de fichier dans %s : %s", "l'en-tête", fichier);
    const int n = entier("l'en-tête");
    if (n < 0 || n > ENTREES_TUILES_MAX)
        Erreur_Fatale(OU_NIVEAU, "Taille de la table de début de ligne incorrecte : %d (%s)", n, fichier);

    Niveau__LiberationTuiles();
    TableDebutLigne = new int32_t[n > 0 ? n : 1]();
    NombreEntreesTuiles = n;
    DebutLigne.fill(0);
    int stockees = 0;
    auto stocker = [&](int v) {
        if (stockees >= n)
            Erreur_Fatale(OU_NIVEAU, "Débordement de la table de début de ligne : plus de %d entrées (%s)", n,
                          fichier);
        TableDebutLigne[stockees++] = v;
    };

    int debut = entier("la table de début de ligne");
    bool apresFin = false;   // the start index came after trailing entries of 0 or below
    int precedent = 0;
    for (int ligne = 0; ligne < LIGNES_TUILES; ++ligne) {
        if (ligne > 0 && debut < precedent)
            Erreur_Fatale(OU_NIVEAU, "Erreur critique 1 dans la table de début de ligne : %d, %d", debut, precedent);
        if (debut != stockees) {
            if (apresFin)
                Erreur_Fatale(OU_NIVEAU, "Erreur critique 2 dans la table de début de ligne : %d, %d", debut,
                              stockees);
            Erreur_Fatale(OU_NIVEAU, "Erreur critique 3 dans la table de début de ligne : %d, %d", debut, stockees);
        }
        DebutLigne[ligne] = debut;
        precedent = debut;
        for (int tuile = 0; tuile < LIGNES_TUILES; ++tuile) {
            int v;
            do {
                v = entier("la table de début de ligne");
                stocker(v);
            } while (v <= 0);
        }
        // Entries of 0 or below after the row's last tile, then the next row's start.
        apresFin = false;
        if (ligne + 1 < LIGNES_TUILES) {
            int v = entier("la table de début de ligne");
            while (v <= 0) {
                apresFin = true;
                stocker(v);
                v = entier("la table de début de ligne");
            }
            debut = v;
        } else {
            int v;
            while (lecteur.Entier(&v) && v <= 0) stocker(v);
        }
    }
}

void LireMatieres(const char* fichier) {
    GrilleMatieres.fill(0);
    EauPresente = LavePresente = 0;
    Section s(fichier, "[MATIERES]");
    LecteurJetons& l = s.Lecteur();
    for (int y = 0; y < TAILLE_UNIVERS; ++y) {
        if (!l.Mot()) {
            Erreur_Question(OU_NIVEAU, "Fin de fichier dans [MATIERES] à la ligne %d : %s", y, fichier);
            return;
        }
        if (l.Long()) Erreur_Question(OU_NIVEAU, "Débordement de ChaineMatiere (>1024)!");
        const char* mot = l.Texte();
        const size_t longueur = std::strlen(mot);
        if (longueur < TAILLE_UNIVERS)
            Erreur_Question(OU_NIVEAU, "Ligne %d de [MATIERES] trop courte : %d lettres (%s)", y,
                            static_cast<int>(longueur), fichier);
        for (int x = 0; x < TAILLE_UNIVERS && static_cast<size_t>(x) < longueur; ++x) {
            const uint8_t c = static_cast<uint8_t>(mot[x]);
            GrilleMatieres[x + TAILLE_UNIVERS * y] = c;
            if (c == 'E') EauPresente = 1;
            if (c == 'L') LavePresente = 1;
            if (c == 'E' || c == 'L' || c == 'I') Univers__PoseCaseUnites(x, y, 1);
        }
    }
}

void LireAltitude(const char* fichier) {
    Section s(fichier, "[ALTITUDE]");
    for (int i = 0; i < COTE_ALTITUDE * COTE_ALTITUDE; ++i) {
        const int v = s.Entier();
        if (GrilleAltitude) GrilleAltitude[i] = v;
    }
}

void LireBatiments(const char* fichier) {
    Section s(fichier, "[BATIMENTS]");
    const int n = s.Nombre();
    for (int i = 0; i < n; ++i) {
        const int t = s.Entier(), x = s.Entier(), y = s.Entier(), d = s.Entier(), a = s.Entier();
        if (!EntreeValide("[BATIMENTS]", t, x, y, a)) continue;
        switch (ModeSceneCourant) {
            case 0:
                if (a != 1 || Batiment__poserParId(t, NiveauChateau) != 0) Groupe___Creation(t, a, x, y, 1, 1, d);
                break;
            case 2:
                if (t == MAITRE_ZONE_SOINS) EffetImpactAjouter(nullptr, 23, x, y, -1, 45);
                Groupe___Creation(t, a, x, y, 1, 1, d);
                break;
            default: break;   // the region map and the skirmish preview show no buildings
        }
        if (t == 305 || t == 411 || t == 451 || t == 490 || t == 529 || t == 568) {
            if (!MaitreCharge(MAITRE_FORTIFICATION)) {
                Erreur_Question(OU_NIVEAU, "[BATIMENTS] : objet maître inconnu : %d", MAITRE_FORTIFICATION);
                continue;
            }
            const int g = Groupe___Creation(MAITRE_FORTIFICATION, 0, x + 4, y + 11, 1, 1, 1);
            ObjetFortification = TableGroupes[g].membres[0];
            if (PointsDeVieFortification > 0) TableObjets[ObjetFortification].pointsDeVie = PointsDeVieFortification;
        }
    }
}

// [OBJETS] and [ARBRES]: neutral single objects.
void LireObjets(const char* fichier, const char* etiquette, bool decor) {
    Section s(fichier, etiquette);
    const int n = s.Nombre();
    for (int i = 0; i < n; ++i) {
        const int t = s.Entier(), x = s.Entier(), y = s.Entier();
        int d = s.Entier();
        if (!EntreeValide(etiquette, t, x, y, ARMEE_NEUTRE)) continue;
        if (decor && t >= 323 && t <= 337) d %= 2;
        if (d < 0) d = 0;
        Groupe___Creation(t, ARMEE_NEUTRE, x, y, 1, 1, d);
    }
}

void LireUnites(const char* fichier) {
    Section s(fichier, "[UNITES]");
    const int n = s.Nombre();
    for (int i = 0; i < n; ++i) {
        const int code = s.Entier(), x = s.Entier(), y = s.Entier();
        int d = s.Entier();
        const int armee = s.Entier() - 1;   // the file counts armies from 1
        s.Entier();
        const int niveau = s.Entier();
        if (!SurLaCarte(x, y) || armee < 0 || armee > 5) {
            Erreur_Question(OU_NIVEAU, "[UNITES] : section %d incorrecte : case %d %d, armée %d", code, x, y,
                            armee + 1);
            continue;
        }
        if (d < 0) d = 0;
        ImportationSectionEditeur(code, niveau, x, y, d, armee);
    }
}

void AfficherTitre() {
    if (EcranTampon == nullptr) return;
    Texte__AfficheAjuste(LargeurEcran / 2, HauteurEcran / 3, 170, 165, 145, 1, TitreBataille);
    Ecran_Affichage();
}

// The section's file name: the master file that "..\ini\mv.ini" gives the code.
bool NomSection(int code, char (&nom)[LecteurJetons::TAILLE_MOT]) {
    FILE* f = OuvrirSection("..\\ini\\mv.ini", "//liste_des_objets_maîtres.");
    FermetureFlux fermeture{f};
    LecteurJetons l(f);
    if (!LecteurJetons_ChercheMaitre(l, code)) return false;
    std::snprintf(nom, sizeof nom, "%s", l.Texte());
    return true;
}

}  // namespace

void Niveau__LiberationTuiles() {
    delete[] TableDebutLigne;
    TableDebutLigne = nullptr;
    NombreEntreesTuiles = 0;
}

void NiveauChargement(const char* nomFichier) {
    // The name often lies in the shared scratch string, which the loaders below write over.
    const std::string copie = nomFichier ? nomFichier : "";
    const char* fichier = copie.c_str();
    const uint32_t debut = Temps_Ticks();
    EffetImpactViderTable();
    const bool titre = ModeSceneCourant == 2 && EscarmoucheEnCours != 3;
    if (titre) AfficherTitre();
    if (ModeSceneCourant != 1) Batiments__chargerPlacement(fichier);

    // Opened once for the sections read below (none when missing: each then reports it).
    struct Partage {
        ~Partage() {
            if (FluxNiveau) std::fclose(FluxNiveau);
            FluxNiveau = nullptr;
            FichierFluxNiveau = nullptr;
        }
    } partage;
    FluxNiveau = Fichier_Ouvrir(fichier, "rt");
    FichierFluxNiveau = fichier;
    LireTuiles(fichier);
    LireMatieres(fichier);
    if (ModeSceneCourant != 1) LireAltitude(fichier);
    LireBatiments(fichier);
    LireObjets(fichier, "[OBJETS]", true);
    LireObjets(fichier, "[ARBRES]", false);
    LireUnites(fichier);

    char conditions[1024];
    if (ConditionsDepuisFichierVbat) {
        ConditionsDepuisFichierVbat = 0;
        std::snprintf(conditions, sizeof conditions, "%s", FichierVbat);
    } else if (MissionSpecialeEnCours) {
        std::snprintf(conditions, sizeof conditions, "..\\Campagnes\\Specials\\%s.vbat", NomMissionSpeciale());
    } else {
        std::snprintf(conditions, sizeof conditions, "%s", fichier);
    }
    ConditionsChargement(conditions);

    if (ModeSceneCourant == 0) {
        RepereX = 36;
        RepereY = 50;
        ReperePixelX = RepereX * 24;
        ReperePixelY = RepereY * 24;
    }
    Unites_Comptage();
    if (titre) {
        while (Temps_Ticks() - debut < 2000) {
            AfficherTitre();
            Temps_Dormir(66);
        }
    }
}

void ImportationSectionEditeur(int code, int niveau, int x, int y, int direction, int armee) {
    char nom[LecteurJetons::TAILLE_MOT];
    if (!NomSection(code, nom)) Erreur_Fatale(OU_SECTION, "Le code section %d n'est pas trouvé", code);
    char chemin[1200];
    std::snprintf(chemin, sizeof chemin, "..\\sections\\%s.sct", nom);
    FILE* f = Fichier_Ouvrir(chemin, "rt");
    if (f == nullptr) {
        Erreur_Question(OU_SECTION, "Impossible de trouver le fichier : %s", chemin);
        return;
    }
    FermetureFlux fermeture{f};
    LecteurJetons l(f);

    // The block "NIVEAU" level + 1.
    for (;;) {
        if (!l.Jusqua("NIVEAU")) {
            Erreur_Question(OU_SECTION, "Niveau %d absent du fichier : %s", niveau + 1, chemin);
            return;
        }
        int n = 0;
        if (l.Entier(&n) && n == niveau + 1) break;
    }
    int c = 0, r = 0;
    if (!l.Mot() || !l.Entier(&c) || !l.Entier(&r) || !l.Mot()) {
        Erreur_Question(OU_SECTION, "Niveau %d incomplet dans le fichier : %s", niveau + 1, chemin);
        return;
    }
    if (c < 1 || r < 1 || c > TAILLE_UNIVERS || r > TAILLE_UNIVERS) {
        Erreur_Question(OU_SECTION, "Dimensions incorrectes : %d x %d (%s)", c, r, chemin);
        return;
    }

    int groupe = -1, vitesse = 0, taille = 1;
    for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j) {
            if (!l.Mot()) {
                Erreur_Question(OU_SECTION, "Fin de fichier dans le niveau %d : %s", niveau + 1, chemin);
                i = r;
                break;
            }
            if (l.Egal("-")) continue;
            const int m = ObjetGraphique(l.Texte());
            if (groupe == -1) {
                groupe = Groupe___Creation(m, armee, x + j, y + i, 1, 1, direction);
                Groupe& g = TableGroupes[groupe];
                g.codeSection = code;
                g.niveauSection = niveau;
                g.groupeCible = -1;
                vitesse = TableObjets[g.membres[0]].vitesse;
            } else {
                const int o = ObjetNaissance(m, armee, x + j, y + i, groupe, direction);
                TableObjets[o].vitesse = vitesse;
            }
            taille = TableMaitres[m].taille;
        }
    if (groupe == -1) {
        Erreur_Question(OU_SECTION, "Section sans unité : niveau %d de %s", niveau + 1, chemin);
        return;
    }
    if (taille <= 0) taille = 1;
    Groupe& g = TableGroupes[groupe];
    g.colonnes = c / taille > 0 ? c / taille : 1;
    g.lignes = r / taille > 0 ? r / taille : 1;
    Groupe__Initialise(groupe);
}
