#include "shell/scenario.h"

#include <cstddef>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "campaign/region.h"
#include "foundation/erreurs.h"
#include "platform/fichiers.h"
#include "shell/chefs.h"
#include "shell/conditions.h"
#include "shell/routeur.h"
#include "shell/victoire.h"
#include "world/gestion_objets.h"
#include "world/jetons.h"
#include "world/objets.h"

int32_t EtatGrille = 0;
int32_t BrecheOuverte = 0;
int32_t FortificationDetruite = 0;
int32_t PorteManoeuvrable = 0;
int32_t& GrillePresente = PorteManoeuvrable;
std::array<int32_t, 5> FuiteArmees{};
std::array<int32_t, 5>& FuiteArmeeDemandee = FuiteArmees;
int32_t ArmeeBatiments = -1;
int32_t& JoueurBatiments = ArmeeBatiments;
int32_t PorteOuverte = 0;
int32_t DelaiDeclenchementIA = 0;

std::array<ConditionBataille, NOMBRE_CONDITIONS> TableVictoire{}, TableDefaite{}, TableAvantBataille{};
int32_t NbConditionsVictoire = 0, NbConditionsDefaite = 0, NbEvenementsAvantBataille = 0;
std::array<EvenementBataille, NOMBRE_CONDITIONS> TableEvenementsBataille{};
int32_t NbEvenementsBataille = 0;
std::array<Consequence, NOMBRE_CONDITIONS> TableConsequencesVictoire{}, TableConsequencesDefaite{};
int32_t NbConsequencesVictoire = 0, NbConsequencesDefaite = 0;
std::array<TexteBataille, NOMBRE_CONDITIONS> TableTextesBataille{};
int32_t NbTextesBataille = 0;
std::array<std::array<int32_t, 6>, 6> TableCiblesFavorites{};
std::array<int32_t, 5> AlliancesSauvees{-1, -1, -1, -1, -1}, DefectionsSauvees{-1, -1, -1, -1, -1};

namespace {

const char* const OU_VICTOIRE = "Chargement Victoire";

ConditionBataille ConditionVide() {
    ConditionBataille c;
    int32_t* mots = &c.actif;
    std::fill(mots, mots + sizeof(ConditionBataille) / sizeof(int32_t), -1);
    return c;
}

char* Copie(const char* texte) {
    const size_t n = std::strlen(texte);
    char* copie = new char[n + 1];
    std::memcpy(copie, texte, n + 1);
    return copie;
}

void LibererTextes() {
    for (EvenementBataille& e : TableEvenementsBataille) {
        delete[] e.fichier;
        e.fichier = nullptr;
    }
    for (TexteBataille& t : TableTextesBataille) {
        delete[] t.texte;
        t.texte = nullptr;
    }
}

// Minutes to milliseconds, bounded so that no count of minutes overflows.
int32_t Minutes(int minutes) { return std::clamp(minutes, -35000, 35000) * 60000; }

// The words of a conditions file. A number missing or malformed is reported once, under the
// section being read, and ends the reading: what follows is left as it was.
class Lecture {
  public:
    Lecture(FILE* f, const std::string& nom) : lecteur_(f), nom_(nom) {}

    bool Arretee() const { return arretee_; }
    void Ou(const char* ou) { ou_ = ou; }

    bool Mot() {
        if (arretee_) return false;
        if (!lecteur_.Mot()) {
            Arreter();
            return false;
        }
        return true;
    }
    // The next word where the file may end: its end is no fault.
    bool MotOuFin() {
        if (arretee_ || !lecteur_.Mot()) {
            arretee_ = true;
            return false;
        }
        return true;
    }
    const char* Texte() const { return lecteur_.Texte(); }
    bool Egal(const char* mot) const { return !arretee_ && lecteur_.Egal(mot); }

    int Nombre() {
        if (arretee_) return 0;
        int v = 0;
        if (!lecteur_.Entier(&v)) {
            Arreter();
            return 0;
        }
        return v;
    }
    // Skips words up to the header; at the end of the file the reading stops.
    bool EnTete(const char* enTete) {
        if (arretee_) return false;
        if (lecteur_.Jusqua(enTete)) return true;
        Arreter();
        return false;
    }
    // The next word must be the header; otherwise a report, and the reading goes on.
    bool Attendre(const char* enTete, const char* ou, const char* format) {
        if (!Mot()) return false;
        if (lecteur_.Egal(enTete)) return true;
        Erreur_Question(ou, format, nom_.c_str());
        return false;
    }
    // A count of entries, of which at most 20 are kept (one report for the rest).
    int Compte(const char* ou, int* gardes) {
        int n = Nombre();
        if (n < 0) n = 0;
        *gardes = std::min(n, NOMBRE_CONDITIONS);
        if (n > NOMBRE_CONDITIONS)
            Erreur_Question(ou, "Plus de %d entrées (%d) dans fichier %s", NOMBRE_CONDITIONS, n, nom_.c_str());
        return n;
    }
    // An event word: "-" for none, else an index of the event table.
    int32_t Evenement() {
        if (!Mot()) return -1;
        if (lecteur_.Egal("-")) return -1;
        int v = -1;
        if (!LecteurJetons::EntierDe(lecteur_.Texte(), &v) || v < 0 || v >= NOMBRE_CONDITIONS) {
            Erreur_Question(ou_, "Evennement incorrect :%s dans fichier %s", lecteur_.Texte(), nom_.c_str());
            return -1;
        }
        return v;
    }
    const char* Nom() const { return nom_.c_str(); }

  private:
    void Arreter() {
        if (!arretee_) Erreur_Question(ou_, "Fichier corrompu : %s", nom_.c_str());
        arretee_ = true;
    }
    LecteurJetons lecteur_;
    std::string nom_;
    const char* ou_ = OU_VICTOIRE;
    bool arretee_ = false;
};

void LireRelations(Lecture& l, std::array<std::array<int32_t, 6>, 6>& table, bool copieArmee5) {
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c) table[r][c] = l.Nombre();
    if (!copieArmee5) return;
    // Army 5 (creatures raised for the player) is army 0 again.
    for (int r = 0; r < 5; ++r) table[r][5] = table[r][0];
    for (int c = 0; c < 5; ++c) table[5][c] = table[0][c];
}

void LirePresence(Lecture& l) {
    if (!l.EnTete("[PRESENCE]")) return;
    if (ModeSceneCourant == 0) {
        Chef_Placement(5, 0, 0, 0);
        return;
    }
    for (Chef& chef : TableChefs) {
        l.Mot();
        chef.present = l.Nombre();
    }
    if (ModeSceneCourant != 2 || l.Arretee()) return;
    int regiments = 0;
    for (int i = 0; i < NbRegimentsRegion && i < REGIMENTS_REGION; ++i)
        if (RegimentsRegion[static_cast<size_t>(i)].enBataille == 1) ++regiments;
    int k = 0;
    for (int slot = 0; slot < NOMBRE_CHEFS; ++slot) {
        const Chef& chef = TableChefs[static_cast<size_t>(slot)];
        const int m = chef.maitre;
        const bool chefConnu = m == 5 || (m >= 120 && m <= 125) || m == 374 || m == 376;
        if (chef.present != 1 || !chefConnu) continue;
        Chef_Placement(m, 0, slot == 0 ? 0 : k, 5 * slot);
        if (++k >= regiments) k = 0;
    }
}

// One condition of "[VICTOIRE]" (victoire set) or "[DEFAITE]"; false for an unknown keyword.
bool LireCondition(Lecture& l, bool victoire, ConditionBataille& c, int* chronometre) {
    const char* ou = victoire ? "Chargement Victoire" : "Chargement Defaite";
    if (!l.Mot()) return false;
    const std::string motCle = l.Texte();
    static const char* const Victoire[] = {"PLUS_NMI", "MORT_OBJET_MAITRE", "OBJET_MAITRE_DANS_ZONE",
                                           "MORT_OBJET_MAITRE_MINIMUM", "TENIR", "CONTRE_LA_MONTRE",
                                           "POURCENTAGE_PERTE_NMI", "RESTE_MAITRE_MINIMUM"};
    static const char* const Defaite[] = {"PLUS_AMI", "MORT_OBJET_MAITRE", "OBJET_MAITRE_DANS_ZONE",
                                          "MORT_OBJET_MAITRE_MINIMUM", "TENIR", "CONTRE_LA_MONTRE",
                                          "MORT_ALLIE_MINIMUM", "MORT_NEUTRE_MINIMUM", "POURCENTAGE_PERTE_AMI"};
    int type = -1;
    const int nombreTypes = victoire ? 8 : 9;
    for (int t = 0; t < nombreTypes; ++t)
        if (motCle == (victoire ? Victoire[t] : Defaite[t])) type = t;
    // Every condition names its event, a known one or not: the reading stays in step.
    l.Ou(ou);
    c.evenement = l.Evenement();
    if (type < 0) {
        Erreur_Question(ou, "Condition inconnue :%s dans fichier %s", motCle.c_str(), l.Nom());
        return false;
    }
    c.type = type;
    bool maitreLu = false;
    switch (type) {
        case 0: break;
        case 1: c.maitre = l.Nombre(); maitreLu = true; break;
        case 2: {
            int x = l.Nombre(), y = l.Nombre(), w = l.Nombre(), h = l.Nombre();
            if (x < 0 || x > 128 || y < 0 || y > 128) {
                Erreur_Question(ou, "Attention Zone hors champ dans fichier %s", l.Nom());
                x = std::clamp(x, 0, 128);
                y = std::clamp(y, 0, 128);
            }
            c.zoneX = x;
            c.zoneY = y;
            c.zoneLargeur = std::clamp(w, 0, 128 - x);
            c.zoneHauteur = std::clamp(h, 0, 128 - y);
            break;
        }
        case 3: c.maitre = l.Nombre(); c.nombre = l.Nombre(); maitreLu = true; break;
        case 4:
        case 5: c.duree = Minutes(l.Nombre()); break;
        case 6:
        case 8: c.nombre = l.Nombre(); break;
        case 7:
            if (victoire) {
                c.maitre = l.Nombre();
                maitreLu = true;
            }
            c.nombre = l.Nombre();
            break;
        default: break;
    }
    // A parameter missing or malformed: the slot stays empty, as for an unknown keyword.
    if (l.Arretee()) return false;
    if (!victoire && (type == 4 || type == 5) && *chronometre < NOMBRE_CHRONOMETRES)
        TableChronometres[static_cast<size_t>((*chronometre)++)].duree = c.duree;
    if (maitreLu && (c.maitre < 0 || c.maitre >= NOMBRE_TYPES_MAITRES)) {
        Erreur_Question(ou, "Objet maître incorrect :%d dans fichier %s", c.maitre, l.Nom());
        return false;
    }
    c.actif = 1;
    c.etat = -1;
    return true;
}

void LireConditions(Lecture& l, bool victoire, int* chronometre) {
    auto& table = victoire ? TableVictoire : TableDefaite;
    int gardes = 0;
    const int n = l.Compte(victoire ? "Chargement Victoire" : "Chargement Defaite", &gardes);
    (victoire ? NbConditionsVictoire : NbConditionsDefaite) = gardes;
    for (int i = 0; i < n && !l.Arretee(); ++i) {
        ConditionBataille c = ConditionVide();
        const bool lue = LireCondition(l, victoire, c, chronometre);
        if (i < NOMBRE_CONDITIONS) table[static_cast<size_t>(i)] = lue ? c : ConditionVide();
    }
}

bool ArmeeValide(int a, const char* ou, const Lecture& l) {
    if (a >= 1 && a <= 4) return true;
    Erreur_Question(ou, "Armée incorrecte :%d dans fichier %s", a, l.Nom());
    return false;
}

void LireEvenements(Lecture& l) {
    const char* ou = "Chargement Evennement";
    int gardes = 0;
    const int n = l.Compte(ou, &gardes);
    NbEvenementsBataille = gardes;
    for (int i = 0; i < n && l.Mot(); ++i) {
        EvenementBataille e{-1, nullptr, -1, {-1, -1, -1}};
        if (l.Egal("REQUESTER")) {
            if (l.Mot()) {
                const std::string fichier = l.Texte();
                const int valeur = l.Nombre();
                if (!l.Arretee()) {
                    e.fichier = Copie(fichier.c_str());
                    e.genre = 0;
                    e.valeur = valeur;
                }
            }
        } else if (l.Egal("JOUER_CINEMATIQUE") || l.Egal("IMAGE")) {
            const int genre = l.Egal("IMAGE") ? 2 : 1;
            if (l.Mot()) {
                e.fichier = Copie(l.Texte());
                e.genre = genre;
            }
        } else if (l.Egal("DEFECTION")) {
            const int a = l.Nombre();
            if (!l.Arretee() && ArmeeValide(a, ou, l)) {
                e.genre = 3;
                e.valeur = a;
            }
        } else if (!l.Egal("-")) {
            Erreur_Question(ou, "Evennement inconnue :%s dans fichier %s", l.Texte(), l.Nom());
        }
        if (i < NOMBRE_CONDITIONS) {
            EvenementBataille& place = TableEvenementsBataille[static_cast<size_t>(i)];
            delete[] place.fichier;
            place = e;
        } else {
            delete[] e.fichier;
        }
    }
}

// Consequences: keywords with their kinds; an army for the kind `genreArmee`.
void LireConsequences(Lecture& l, bool victoire) {
    const char* ou = victoire ? "Chargement Evennement victoires" : "Chargement Evennement defaite";
    static const char* const Victoire[] = {"GAINS_OR", "GAINS_OBJET", "ALLIANCE", "SOIN"};
    static const char* const Defaite[] = {"PERTES_OR", "DEFECTION", "SOIN"};
    const int nombreGenres = victoire ? 4 : 3;
    const int genreArmee = victoire ? 2 : 1;
    auto& table = victoire ? TableConsequencesVictoire : TableConsequencesDefaite;
    int gardes = 0;
    const int n = l.Compte(ou, &gardes);
    (victoire ? NbConsequencesVictoire : NbConsequencesDefaite) = gardes;
    for (int i = 0; i < n && l.Mot(); ++i) {
        Consequence c{-1, -1, -1, {-1, -1, -1}};
        int genre = -1;
        for (int g = 0; g < nombreGenres; ++g)
            if (l.Egal(victoire ? Victoire[g] : Defaite[g])) genre = g;
        if (genre < 0) {
            Erreur_Question(ou, "Evennement inconnue :%s dans fichier %s", l.Texte(), l.Nom());
        } else {
            const int v = l.Nombre();
            if (!l.Arretee() && (genre != genreArmee || ArmeeValide(v, ou, l))) {
                c.genre = genre;
                c.valeur = v;
            }
        }
        if (i < NOMBRE_CONDITIONS) table[static_cast<size_t>(i)] = c;
    }
}

void LireAvantBataille(Lecture& l) {
    const char* ou = "Chargement Evennement av bataille";
    int gardes = 0;
    const int n = l.Compte(ou, &gardes);
    NbEvenementsAvantBataille = gardes;
    for (int i = 0; i < n && l.Mot(); ++i) {
        ConditionBataille c = ConditionVide();
        if (l.Egal("DEFECTION")) {
            l.Ou(ou);
            const int evenement = l.Evenement();
            const int a = l.Nombre();
            const int duree = Minutes(l.Nombre());
            if (!l.Arretee() && ArmeeValide(a, ou, l)) {
                c.actif = 1;
                c.etat = -1;
                c.type = 0;
                c.evenement = evenement;
                c.maitre = a;
                c.duree = duree;
            }
        } else if (l.Egal("NEUTRALISATION")) {
            const int a = l.Nombre();
            if (!l.Arretee() && ArmeeValide(a, ou, l)) {
                c.actif = 1;
                c.etat = -1;
                c.type = 1;
                c.maitre = a;
            }
        } else {
            Erreur_Question(ou, "Evennement inconnue :%s dans fichier %s", l.Texte(), l.Nom());
        }
        if (i < NOMBRE_CONDITIONS) TableAvantBataille[static_cast<size_t>(i)] = c;
    }
}

void LireFin(Lecture& l) {
    while (l.MotOuFin()) {
        if (l.Egal("[FUITE]")) {
            std::array<int32_t, 5> fuite{};
            for (int32_t& f : fuite) f = l.Nombre();
            if (!l.Arretee()) FuiteArmees = fuite;
        } else if (l.Egal("[BATIMENT_DE_JOUEUR]")) {
            const int a = l.Nombre();
            if (l.Arretee()) return;
            if (a < -1 || a > 5) Erreur_Question(OU_VICTOIRE, "Armée incorrecte :%d dans fichier %s", a, l.Nom());
            else ArmeeBatiments = a;
        } else if (l.Egal("[PORTE_OUVERTE_AU_DEBUT]")) {
            const int v = l.Nombre();
            if (!l.Arretee()) PorteOuverte = v;
        } else {
            return;
        }
    }
}

// The file's name: the level's name with ".VBat" in place of its extension.
std::string NomConditions(const char* fichier) {
    if (EscarmoucheEnCours == 3 || ModeSceneCourant == 3) return "..\\Skirmish\\Escarmouche.VBat";
    std::string nom = fichier ? fichier : "";
    const size_t point = nom.find_last_of('.');
    const size_t separateur = nom.find_last_of("\\/");
    // A point in a folder's name (the "..\" of every path) is no extension.
    if (point != std::string::npos && (separateur == std::string::npos || point > separateur)) nom.resize(point);
    return nom + ".VBat";
}

}  // namespace

int ConditionsChargement(const char* fichier) {
    const std::string nom = NomConditions(fichier);
    if (nom.size() >= 512) {
        Erreur_Question("Victory.c: ConditionsChargement()", "Nom fichier condition trop long!");
        Erreur_Question("Victory.c: ConditionsChargement()", "%s", nom.c_str());
    }
    FILE* f = Fichier_Ouvrir(nom.c_str(), "rt");
    if (f == nullptr) Erreur_Fatale("Victory_c: ConditionsChargement()", "%s non trouvé", nom.c_str());
    FermetureFlux fermeture{f};
    EtatFinPartie = -1;
    Lecture l(f, nom);

    if (l.EnTete("[IA_DECLENCHEMENT]")) DelaiDeclenchementIA = std::clamp(l.Nombre(), 0, 2000000) * 1000;
    if (l.EnTete("[ATTAQUE_NEUTRE]")) LireRelations(l, TableAttaque, true);
    if (l.EnTete("[CIBLAGE_NEUTRE]")) LireRelations(l, TableCiblage, true);
    if (l.EnTete("[CIBLES_FAVORITES]")) LireRelations(l, TableCiblesFavorites, false);
    if (OrigineBataille == 2 && ModeSceneCourant == 2) Renforts_Importation();
    LirePresence(l);
    if (l.EnTete("[TEXTE]")) {
        int gardes = 0;
        const int n = l.Compte(OU_VICTOIRE, &gardes);
        NbTextesBataille = gardes;
        for (int i = 0; i < n && l.Mot(); ++i) {
            char* texte = Copie(l.Texte());
            const int valeur = l.Nombre();
            if (i < NOMBRE_CONDITIONS && !l.Arretee()) {
                TexteBataille& t = TableTextesBataille[static_cast<size_t>(i)];
                delete[] t.texte;
                t.texte = texte;
                t.valeur = valeur;
            } else {
                delete[] texte;
            }
        }
    }

    l.Attendre("[VICTOIRE]", OU_VICTOIRE, "fichier %s corrompue");
    int chronometre = 0;
    LireConditions(l, true, &chronometre);
    l.Ou("Chargement DEFAITE");
    if (l.Attendre("[DEFAITE]", "Chargement DEFAITE", "Fichier corrompu : %s")) {
        LireConditions(l, false, &chronometre);
        l.Ou("Chargement Evennements");
        l.Attendre("[EVENEMENTS]", "Chargement Evennements", "Fichier corrompu : %s");
        LireEvenements(l);
        l.Ou("Chargement Consequences victoires");
        l.Attendre("[CONSEQUENCESVICTOIRE]", "Chargement Consequences victoires", "Fichier corrompu : %s");
        LireConsequences(l, true);
        l.Ou("Chargement Consequences defaite");
        l.Attendre("[CONSEQUENCESDEFAITE]", "Chargement Consequences defaite", "Fichier corrompu : %s");
        LireConsequences(l, false);
        l.Ou("Chargement Evennements av bataille");
        l.Attendre("[EVENEMENTS_AVANT_BATAILLE]", "Chargement Evennements av bataille", "Fichier corrompu : %s");
        LireAvantBataille(l);
    }
    l.Ou("Chargement Victoire: Ouverture porte");
    if (l.Attendre("[OUVERTURE_PORTE]", "Chargement Victoire: Ouverture porte", "Fichier corrompu : %s")) {
        const int v = l.Nombre();
        if (!l.Arretee()) PorteManoeuvrable = v;
        LireFin(l);
    }

    if (ModeSceneCourant == 2 && (OrigineBataille == 0 || OrigineBataille == 1)) Alliances__Sauvegarde();
    EvenementsAvantBataille_Verification(0);
    Alliances_Application();
    Defections_Application();
    Objets__RelanceComptage();
    return 0;
}

void Conditions_Initialisation() {
    TableVictoire.fill(ConditionVide());
    TableDefaite.fill(ConditionVide());
    TableAvantBataille.fill(ConditionVide());
    NbConditionsVictoire = NbConditionsDefaite = NbEvenementsAvantBataille = 0;
    LibererTextes();
    for (EvenementBataille& e : TableEvenementsBataille) e = EvenementBataille{-1, nullptr, -1, {-1, -1, -1}};
    for (TexteBataille& t : TableTextesBataille) t = TexteBataille{-1, nullptr};
    TableConsequencesVictoire.fill(Consequence{-1, -1, -1, {-1, -1, -1}});
    TableConsequencesDefaite.fill(Consequence{-1, -1, -1, {-1, -1, -1}});
    NbEvenementsBataille = NbTextesBataille = NbConsequencesVictoire = NbConsequencesDefaite = 0;
    NbUnitesEnnemies = NbUnitesAmies = 0;
    PopulationParType.fill(0);
}

void Conditions_Liberation() {
    // Every record goes back, the events before the battle included.
    TableVictoire.fill(ConditionVide());
    TableDefaite.fill(ConditionVide());
    TableAvantBataille.fill(ConditionVide());
    LibererTextes();
    NbUnitesAmies = NbUnitesEnnemies = NbUnitesNeutres = NbUnitesAlliees = 0;
    PopulationParType.fill(0);
}

void Alliances__Sauvegarde() {
    AlliancesSauvees = AlliancesEnAttente;
    DefectionsSauvees = DefectionsEnAttente;
}

void Alliances__Restauration() {
    AlliancesEnAttente = AlliancesSauvees;
    DefectionsEnAttente = DefectionsSauvees;
}

int32_t PorteTrouvee = 0, PorteX = 0, PorteY = 0;
int32_t ObjetPorte = 0;

