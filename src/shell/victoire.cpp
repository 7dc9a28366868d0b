#include "shell/victoire.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>

#include "campaign/armee.h"
#include "campaign/campagne.h"
#include "campaign/region.h"
#include "foundation/cinematique.h"
#include "foundation/ecran.h"
#include "foundation/son.h"
#include "foundation/texte.h"
#include "frontend/escarmouche.h"
#include "platform/son.h"
#include "platform/temps.h"
#include "shell/chefs.h"
#include "shell/conditions.h"
#include "shell/images.h"
#include "shell/requetes.h"
#include "shell/resultats.h"
#include "shell/routeur.h"
#include "shell/scenario.h"
#include "shell/trame.h"
#include "world/grilles.h"
#include "world/objets.h"

int32_t NbUnitesAmiesPrecedent = 0, NbUnitesEnnemiesPrecedent = 0;
int32_t ResultatBataille = -1;
std::array<Chronometre, NOMBRE_CHRONOMETRES> TableChronometres{};
int32_t ChronometresActifs = 0;
std::array<int32_t, 5> AlliancesEnAttente{-1, -1, -1, -1, -1}, DefectionsEnAttente{-1, -1, -1, -1, -1};

int32_t& ResultatBatailleCourant = ResultatBataille;
uint32_t DebutBataille = 0;

namespace {

constexpr int MODE_CHATEAU = 0, MODE_BATAILLE = 2;
constexpr int MAITRE_HEROS = 5;
constexpr int SON_OR = 2019;

bool ArmeeJoueurIA(int a) { return a >= 1 && a <= 4; }

bool EnEscarmouche() { return EscarmoucheEnCours == 3; }

// Whether an event slot holds something to run.
bool EvenementPresent(int n) {
    return n >= 0 && n < NOMBRE_CONDITIONS && TableEvenementsBataille[static_cast<size_t>(n)].genre != -1;
}

void ExecuterSiPresent(int n) {
    if (EvenementPresent(n)) Evenement_Execution(n);
}

// An actif unit standing in the zone whose army passes the test.
template <typename Filtre>
bool UniteDansZone(const ConditionBataille& c, Filtre armeeAcceptee) {
    if (GrilleUnites == nullptr) return false;
    const int x0 = std::max(c.zoneX, 0), y0 = std::max(c.zoneY, 0);
    const int x1 = std::min(c.zoneX + c.zoneLargeur, 128), y1 = std::min(c.zoneY + c.zoneHauteur, 128);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const int o = Univers__CaseUnites(x, y);
            if (o <= 1 || o >= NOMBRE_OBJETS) continue;   // 1 marks water and impassable cells
            const Objet& objet = TableObjets[static_cast<size_t>(o)];
            if (objet.actif == 1 && objet.armee >= 0 && objet.armee <= 5 && armeeAcceptee(objet.armee)) return true;
        }
    return false;
}

// The timer of a hold or countdown condition: started at its first look; the elapsed game time
// (an unsigned difference, so that a wrapping clock gives no false result).
int32_t Ecoule(ConditionBataille& c, bool* premier = nullptr) {
    if (premier) *premier = c.courant == -1;
    if (c.courant == -1) c.debut = static_cast<int32_t>(HorlogeJeu);
    c.courant = static_cast<int32_t>(HorlogeJeu);
    return static_cast<int32_t>(static_cast<uint32_t>(c.courant) - static_cast<uint32_t>(c.debut));
}

// Adds `delta` to every byte of a rectangle of the back buffer, clipped to the view.
void TeinteRectangle(int x, int y, int largeur, int hauteur, int delta) {
    if (EcranTampon == nullptr) return;
    const int x0 = std::max(x, EcranDestination.clipGauche), x1 = std::min(x + largeur, EcranDestination.clipDroite);
    const int y0 = std::max(y, EcranDestination.clipHaut), y1 = std::min(y + hauteur, EcranDestination.clipBas);
    for (int py = y0; py < y1 && py < HauteurEcran; ++py)
        for (int px = x0; px < x1 && px < LargeurEcran; ++px) {
            auto* octets = reinterpret_cast<uint8_t*>(&EcranTampon[static_cast<size_t>(py) * static_cast<size_t>(LargeurEcran) + static_cast<size_t>(px)]);
            octets[0] = static_cast<uint8_t>(octets[0] + delta);
            octets[1] = static_cast<uint8_t>(octets[1] + delta);
        }
}

// A zone condition that still has its event does not count for the victory.
bool HorsDecompte(const ConditionBataille& c) { return c.type == 2 && c.evenement != -1; }

// The clock of slot i is judged only when every other slot is met (slot 0 excepted).
bool PorteOuverteVictoire(int i) {
    for (int j = 1; j < NbConditionsVictoire; ++j) {
        if (j == i) continue;
        const ConditionBataille& c = TableVictoire[static_cast<size_t>(j)];
        if (HorsDecompte(c)) continue;
        if (c.etat != 1) return false;
    }
    return true;
}

// A condition met: its event, then etat 1.
void Atteinte(ConditionBataille& c) {
    ExecuterSiPresent(c.evenement);
    c.etat = 1;
}

void TestVictoire() {
    for (int i = 0; i < NbConditionsVictoire; ++i) {
        ConditionBataille& c = TableVictoire[static_cast<size_t>(i)];
        if (c.actif != 1) continue;
        const bool chrono = c.type == 4 || c.type == 5;
        if (c.etat == 1 && !chrono) continue;
        const int32_t maitre = std::clamp(c.maitre, 0, NOMBRE_TYPES_MAITRES - 1);
        const int32_t population = PopulationParType[static_cast<size_t>(maitre)];
        switch (c.type) {
            case 0:
                if (NbUnitesEnnemies <= 0) Atteinte(c);
                break;
            case 1:
                if (population < 1) Atteinte(c);
                break;
            case 2:
                if (UniteDansZone(c, [](int a) { return a == 0; })) {
                    ExecuterSiPresent(c.evenement);
                    c.evenement = -1;   // runs once
                    c.etat = 1;
                }
                break;
            case 3:
                if (population >= c.nombre) Atteinte(c);
                else c.etat = -1;
                break;
            case 4:
            case 5: {
                const int32_t ecoule = Ecoule(c);
                if (!PorteOuverteVictoire(i)) break;
                bool atteinte;
                if (c.type == 4)
                    atteinte = !((ecoule <= c.duree || NbUnitesAmies < 1) && (ecoule >= c.duree || NbUnitesEnnemies > 0));
                else
                    atteinte = ecoule < c.duree && NbUnitesAmies >= 1;
                if (atteinte) Atteinte(c);
                else c.etat = -1;
                break;
            }
            case 6: {
                const int64_t p = NbUnitesEnnemiesPrecedent;
                if (NbUnitesEnnemies <= p - p * c.nombre / 100) Atteinte(c);
                else c.etat = -1;
                break;
            }
            case 7:
                if (population <= c.nombre) Atteinte(c);
                else c.etat = -1;
                break;
            default: break;
        }
    }
}

bool VictoireAtteinte() {
    if (NbConditionsVictoire <= 0) return false;
    for (int i = 0; i < NbConditionsVictoire; ++i) {
        const ConditionBataille& c = TableVictoire[static_cast<size_t>(i)];
        if (HorsDecompte(c)) continue;
        // An empty slot (an unknown keyword) is never met.
        if (c.actif != 1 || c.etat != 1) return false;
    }
    return true;
}

bool TestDefaite() {
    bool defaite = false;
    int chronometre = 0;
    for (int i = 0; i < NbConditionsDefaite; ++i) {
        ConditionBataille& c = TableDefaite[static_cast<size_t>(i)];
        if (c.actif != 1) continue;
        const bool chrono = c.type == 4 || c.type == 5;
        const int indiceChrono = chrono ? chronometre++ : -1;
        if (c.etat == 1 && !chrono) continue;
        const int32_t maitre = std::clamp(c.maitre, 0, NOMBRE_TYPES_MAITRES - 1);
        const int32_t population = PopulationParType[static_cast<size_t>(maitre)];
        bool atteinte = false;
        switch (c.type) {
            case 0: atteinte = NbUnitesAmies <= 0; break;
            case 1: atteinte = population < 1; break;
            case 2:
                if (UniteDansZone(c, [](int a) { return a != 0 && a != 4 && TableAttaque[static_cast<size_t>(a)][0] == 1; })) {
                    if (c.evenement != -1) {
                        // Only the event: no defeat.
                        Atteinte(c);
                        continue;
                    }
                    atteinte = true;
                }
                break;
            case 3:
                atteinte = population < c.nombre;
                if (!atteinte) c.etat = -1;
                break;
            case 4:
            case 5: {
                bool premier = false;
                const int32_t ecoule = Ecoule(c, &premier);
                if (premier && indiceChrono < NOMBRE_CHRONOMETRES) {
                    TableChronometres[static_cast<size_t>(indiceChrono)].debut = static_cast<int32_t>(HorlogeJeu);
                    ChronometresActifs = 1;
                }
                atteinte = c.type == 4 ? ecoule < c.duree && NbUnitesAmies < 2 : ecoule > c.duree;
                if (!atteinte) c.etat = -1;
                break;
            }
            case 6:
                atteinte = NbUnitesAlliees <= c.nombre;
                if (!atteinte) c.etat = -1;
                break;
            case 7:
                atteinte = NbUnitesNeutres <= c.nombre;
                if (!atteinte) c.etat = -1;
                break;
            case 8: {
                const int64_t p = NbUnitesAmiesPrecedent;
                atteinte = NbUnitesAmies <= p - p * c.nombre / 100;
                if (!atteinte) c.etat = -1;
                break;
            }
            default: break;
        }
        if (atteinte) {
            Atteinte(c);
            defaite = true;
        }
    }
    return defaite;
}

void HerosExperience() {
    if (PopulationParType[MAITRE_HEROS] <= 0) return;
    for (NoeudEntier* n = ListeObjetsVivants; n && n->suivant; n = n->suivant) {
        const Objet& o = TableObjets[static_cast<size_t>(n->valeur)];
        if (o.typeMaitre == MAITRE_HEROS && !o.mourant) {
            ExperienceHeros = o.experience;
            return;
        }
    }
}

bool RencontreRegiments() {
    return ModeSceneCourant == MODE_BATAILLE && (OrigineBataille == 0 || OrigineBataille == 1);
}

int FactionEscarmouche() { return CampEscarmoucheJoueur >= 0 && CampEscarmoucheJoueur <= 3 ? CampEscarmoucheJoueur : -1; }

}  // namespace

void Unites_Comptage() {
    const int32_t amis = NbUnitesAmies, ennemis = NbUnitesEnnemies;
    NbUnitesAmies = NbUnitesEnnemies = NbUnitesNeutres = NbUnitesAlliees = 0;
    for (NoeudEntier* n = ListeObjetsVivants; n && n->suivant; n = n->suivant) {
        const Objet& o = TableObjets[static_cast<size_t>(n->valeur)];
        if (o.actif != 1 || o.mourant || o.famille == 13 || o.famille == 26) continue;
        if (int32_t* compteur = CompteurCamp(o.armee)) ++*compteur;
    }
    NbUnitesEnnemiesPrecedent = NbUnitesEnnemies;
    NbUnitesAmiesPrecedent = NbUnitesAmies;
    TotalUnitesEnnemies = std::max(0, TotalUnitesEnnemies + (NbUnitesEnnemies - ennemis));
    TotalUnitesAmies = std::max(0, TotalUnitesAmies + (NbUnitesAmies - amis));
}

void Joueur_Defection(int a) {
    if (!ArmeeJoueurIA(a)) return;
    auto& ta = TableAttaque;
    auto& tc = TableCiblage;
    const size_t ua = static_cast<size_t>(a);
    ta[0][ua] = 1;
    tc[0][ua] = 1;
    for (size_t b = 1; b <= 3; ++b) {
        if (b == ua) {
            ta[ua][0] = tc[ua][0] = 1;
            for (size_t c = 1; c <= 4; ++c) ta[ua][c] = tc[ua][c] = 0;
            continue;
        }
        if (ta[b][0] == 1) continue;
        bool attaque = false, cible = false;
        for (size_t c = 1; c <= 4; ++c) attaque |= ta[b][c] != 0;
        for (size_t c = 0; c <= 4; ++c) cible |= tc[b][c] != 0;
        if (attaque && cible) {
            ta[b][ua] = 1;
            tc[b][ua] = 1;
            ta[ua][b] = 1;
        }
    }
}

void Joueur_Alliance(int a) {
    if (!ArmeeJoueurIA(a)) return;
    auto& ta = TableAttaque;
    auto& tc = TableCiblage;
    const size_t ua = static_cast<size_t>(a);
    ta[0][ua] = 0;
    tc[0][ua] = 0;
    for (size_t c = 0; c <= 4; ++c) {
        ta[ua][c] = ta[0][c];
        tc[ua][c] = tc[0][c];
    }
    for (size_t b = 1; b <= 3; ++b) {
        if (b == ua) continue;
        if (ta[b][0] == 1) {
            ta[b][ua] = 1;
            tc[b][ua] = 1;
            continue;
        }
        bool attaque = false, cible = false;
        for (size_t c = 1; c <= 4; ++c) attaque |= ta[b][c] != 0;
        for (size_t c = 0; c <= 4; ++c) cible |= tc[b][c] != 0;
        if (ta[b][1] == 0 && attaque && cible) {
            ta[b][ua] = 0;
            tc[b][ua] = 0;
        }
    }
    ta[4][ua] = ta[4][0];
    tc[4][ua] = tc[4][0];
}

void Alliances_Application() {
    for (size_t a = 0; a < 5; ++a) {
        if (AlliancesEnAttente[a] != 1) continue;
        Joueur_Alliance(static_cast<int>(a));
        if (DefectionsEnAttente[a] == AlliancesEnAttente[a]) DefectionsEnAttente[a] = -1;
    }
}

void Defections_Application() {
    for (size_t a = 0; a < 5; ++a) {
        if (DefectionsEnAttente[a] != 1) continue;
        Joueur_Defection(static_cast<int>(a));
        if (AlliancesEnAttente[a] == DefectionsEnAttente[a]) AlliancesEnAttente[a] = -1;
    }
}

void EvenementsAvantBataille_Verification(int enCours) {
    for (int i = 0; i < NbEvenementsAvantBataille; ++i) {
        ConditionBataille& c = TableAvantBataille[static_cast<size_t>(i)];
        if (c.actif != 1 || !ArmeeJoueurIA(c.maitre)) continue;
        const size_t a = static_cast<size_t>(c.maitre);
        if (c.type == 1) {
            if (enCours == 0) AlliancesEnAttente[a] = DefectionsEnAttente[a] = -1;
            continue;
        }
        if (c.type != 0 || TableAttaque[a][0] == 1) continue;
        if (c.courant == -1) {
            c.debut = c.courant = static_cast<int32_t>(HorlogeJeu);
            continue;
        }
        c.courant = static_cast<int32_t>(HorlogeJeu);
        const int64_t ecoule = static_cast<int32_t>(static_cast<uint32_t>(c.courant) - static_cast<uint32_t>(c.debut));
        if (ecoule > c.duree) {
            ExecuterSiPresent(c.evenement);
            Joueur_Defection(c.maitre);
            AlliancesEnAttente[a] = -1;
            DefectionsEnAttente[a] = 1;
        }
        Unites_Comptage();
    }
}

void Evenement_Execution(int n) {
    if (!EvenementPresent(n)) return;
    const EvenementBataille& e = TableEvenementsBataille[static_cast<size_t>(n)];
    switch (e.genre) {
        case 0:
            if (e.fichier) RequesterFichier(e.valeur, e.fichier);
            break;
        case 1:
            if (e.fichier) Cinematique_Jouer(e.fichier, 1, Ecran_AffichageRappel);
            break;
        case 2:
            if (e.fichier) Image__AffichageFondu(e.fichier, 500);
            break;
        case 3: {
            const int a = e.valeur;
            if (!ArmeeJoueurIA(a)) break;
            Joueur_Defection(a);
            AlliancesEnAttente[static_cast<size_t>(a)] = -1;
            DefectionsEnAttente[static_cast<size_t>(a)] = 1;
            Unites_Comptage();
            break;
        }
        default: break;
    }
}

void ConsequencesVictoire_Application() {
    for (int i = 0; i < NbConsequencesVictoire; ++i) {
        const Consequence& c = TableConsequencesVictoire[static_cast<size_t>(i)];
        switch (c.genre) {
            case 0:
                OrJoueur += c.valeur;
                Son__Joue(SON_OR);
                break;
            case 2:
                if (ArmeeJoueurIA(c.valeur)) {
                    AlliancesEnAttente[static_cast<size_t>(c.valeur)] = 1;
                    DefectionsEnAttente[static_cast<size_t>(c.valeur)] = -1;
                }
                break;
            case 3:
                // Every living unit of the player, whatever its slot.
                for (NoeudEntier* n = ListeObjetsVivants; n && n->suivant; n = n->suivant) {
                    Objet& o = TableObjets[static_cast<size_t>(n->valeur)];
                    if (o.actif == 1 && o.armee == 0 && !o.mourant) o.pointsDeVie = o.pointsDeVieMaximum;
                }
                break;
            default: break;   // GAINS_OBJET gives nothing
        }
    }
}

void ConsequencesDefaite_Application() {
    for (int i = 0; i < NbConsequencesDefaite; ++i) {
        const Consequence& c = TableConsequencesDefaite[static_cast<size_t>(i)];
        if (c.genre == 0) {
            OrJoueur -= c.valeur;
            Son__Joue(SON_OR);
        } else if (c.genre == 1 && ArmeeJoueurIA(c.valeur)) {
            DefectionsEnAttente[static_cast<size_t>(c.valeur)] = 1;
            AlliancesEnAttente[static_cast<size_t>(c.valeur)] = -1;
        }
    }
}

int Conditions_Verification() {
    if (VerificationArmee == 0) {
        VerificationArmee = 1;
        return -1;
    }
    TestVictoire();
    const bool victoire = VictoireAtteinte();
    const bool defaite = TestDefaite();
    EvenementsAvantBataille_Verification(1);
    if (victoire || defaite) {
        // For whoever watches the debugger output: how the battle was decided.
        char ligne[96];
        std::snprintf(ligne, sizeof ligne, "Conditions_Verification(): %s, %d amis, %d ennemis",
                      victoire ? "victoire" : "defaite", NbUnitesAmies, NbUnitesEnnemies);
        Trace_Debogueur(ligne);
    }

    if (victoire) {
        HerosExperience();
        ConsequencesVictoire_Application();
        if (EnEscarmouche()) {
            if (FactionEscarmouche() >= 0) ExecuterSiPresent(FactionEscarmouche());
        } else {
            if (RencontreRegiments()) Alliances__Restauration();
            ExecuterSiPresent(0);
            if (ModeSceneCourant == MODE_BATAILLE) MortChef();
        }
        if (ModeSceneCourant == MODE_CHATEAU) return 1;
        ResultatBatailleCourant = 1;   // the results screen is titled by it
        BilanBataille();
        return 1;
    }
    if (defaite) {
        ConsequencesDefaite_Application();
        if (RencontreRegiments()) Alliances__Restauration();
        if (EnEscarmouche()) {
            if (FactionEscarmouche() >= 0) ExecuterSiPresent(4 + FactionEscarmouche());
        } else {
            ExecuterSiPresent(1);
            if (ModeSceneCourant == MODE_BATAILLE) MortChef();
        }
        if (ModeSceneCourant != MODE_CHATEAU) {
            ResultatBatailleCourant = 0;
            BilanBataille();
        }
        return 0;
    }
    return -1;
}

void Conditions_DecalageTemps(uint32_t ms) {
    for (auto* table : {&TableVictoire, &TableDefaite})
        for (ConditionBataille& c : *table)
            if (c.actif == 1 && (c.type == 4 || c.type == 5)) c.debut = static_cast<int32_t>(static_cast<uint32_t>(c.debut) + ms);
    for (Chronometre& c : TableChronometres)
        if (c.debut != -1) c.debut = static_cast<int32_t>(static_cast<uint32_t>(c.debut) + ms);
    DebutBataille += ms;
    const uint32_t maintenant = Temps_Ticks();
    for (ConditionBataille& c : TableAvantBataille)
        if (c.actif == 1) c.debut = static_cast<int32_t>(maintenant);
    DebutScene = maintenant;
}

int Statistiques_Affichage() {
    int y = 15;
    auto ligne = [&y](const char* format, int valeur) {
        Texte__Affiche(15, y, format, valeur);
        y += 15;
    };
    ligne("Nombre unite ennemies: %d", NbUnitesEnnemies);
    ligne("Nombre unites amies : %d", NbUnitesAmies);
    ligne("Nombre unites alliees : %d", NbUnitesAlliees);
    ligne("Nombre unites neutre : %d", NbUnitesNeutres);
    ligne("Nombre de conditions de victoires: %d", NbConditionsVictoire);
    ligne("Nombre de conditions de defaite: %d", NbConditionsDefaite);
    ligne("Nombre d'evennements : %d", NbEvenementsBataille);
    auto zones = [&y](const std::array<ConditionBataille, NOMBRE_CONDITIONS>& table, int n, const char* format) {
        for (int i = 0; i < n; ++i) {
            const ConditionBataille& c = table[static_cast<size_t>(i)];
            if (c.actif != 1 || c.type != 2) continue;
            for (int cy = c.zoneY; cy < c.zoneY + c.zoneHauteur; ++cy)
                for (int cx = c.zoneX; cx < c.zoneX + c.zoneLargeur; ++cx)
                    TeinteRectangle((cx - RepereX) * 24, (cy - RepereY) * 24, 24, 24, 10);
            Texte__Affiche(15, y, format, c.zoneX, c.zoneY);
            y += 15;
        }
    };
    zones(TableVictoire, NbConditionsVictoire, " Victoire : X , Y : %d , %d ");
    zones(TableDefaite, NbConditionsDefaite, "Defaite : X , Y : %d , %d ");
    return 0;
}
