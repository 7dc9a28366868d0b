#include "shell/chefs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

#include "battle/formations.h"
#include "campaign/armee.h"
#include "campaign/campagne.h"
#include "foundation/cinematique.h"
#include "foundation/ecran.h"
#include "foundation/erreurs.h"
#include "foundation/fichier.h"
#include "foundation/objetsgfx.h"
#include "platform/fichiers.h"
#include "shell/requetes.h"
#include "shell/routeur.h"
#include "shell/trame.h"
#include "world/experience.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/jetons.h"
#include "world/maitres.h"
#include "world/objets.h"

std::array<Chef, NOMBRE_CHEFS> TableChefs{{{5, 0, 0, 0}, {120, 0, 0, 0}, {121, 0, 0, 0}, {376, 0, 0, 0},
                                           {122, 0, 0, 0}, {123, 0, 0, 0}, {124, 0, 0, 0}, {125, 0, 0, 0},
                                           {374, 0, 0, 0}}};
int32_t EtatFinPartie = -1;
std::array<DemandeRenfort, NOMBRE_RENFORTS> TableRenforts = [] {
    std::array<DemandeRenfort, NOMBRE_RENFORTS> t{};
    t.fill(DemandeRenfort{-1, -1, -1});
    return t;
}();
int32_t NbRenforts = 0;
int32_t RenfortX = -1, RenfortY = -1, RenfortDirection = 0;

namespace {

constexpr int MODE_CHATEAU = 0;
constexpr int RAYON_MAXI = 128;
constexpr int MAITRE_HEROS = 5;
const char* const OU_SECTION = "ImportationSectionEditeur()";

struct Point {
    int x, y;
};
constexpr Point AncresChefs[9] = {{64, 123}, {0, 123}, {0, 64}, {0, 0}, {64, 0}, {123, 0}, {123, 64}, {123, 123}, {64, 64}};
constexpr Point AncresRenforts[9] = {{64, 125}, {0, 125}, {0, 64}, {0, 0}, {64, 0}, {127, 0}, {125, 64}, {125, 125}, {64, 64}};

bool MaitreCharge(int t) { return t >= 0 && t < NombreMaitres && t < NOMBRE_TYPES_MAITRES && NomsMaitres[static_cast<size_t>(t)]; }

bool CaseLibre(int x, int y) {
    return x >= 6 && x <= 122 && y >= 6 && y <= 122 && Univers__CaseUnites(x, y) == 0;
}

// Whether a living object of the master is on the map.
bool Vivant(int maitre) {
    return maitre >= 0 && maitre < NOMBRE_TYPES_MAITRES && PopulationParType[static_cast<size_t>(maitre)] > 0;
}

// The section's file name from the master list of mv.ini.
bool NomSection(int code, std::string* nom) {
    FILE* f = nullptr;
    Configuration_Position("..\\ini\\mv.ini", "//liste_des_objets_maîtres.", &f);
    FermetureFlux fermeture{f};
    LecteurJetons l(f);
    if (!LecteurJetons_ChercheMaitre(l, code)) return false;
    *nom = l.Texte();
    return true;
}

struct Mort {
    int maitre;
    int genre;              // the ransom requester's kind
    const char* rancon;     // the ransom text
    const char* perte;      // the final loss: a requester text, or a movie
    bool film;
};
constexpr Mort Morts[] = {
    {120, 855, "..\\Texte\\Generiques\\MortLeaders\\MortDral.txt", "..\\Texte\\Generiques\\MortTotale\\Dralmog.txt", false},
    {121, 827, "..\\Texte\\Generiques\\MortLeaders\\MortBelvor.txt", "..\\Texte\\Generiques\\MortTotale\\Belvor.txt", false},
    {122, 860, "..\\Texte\\Generiques\\MortLeaders\\MortGalv.txt", "..\\Texte\\Generiques\\MortTotale\\Galvarre.txt", false},
    {123, 862, "..\\Texte\\Generiques\\MortLeaders\\MortSorlane.txt", "rvf\\Sor0001.rvs", true},
    {124, 869, "..\\Texte\\Generiques\\MortLeaders\\MortEbr.txt", "rvf\\Qui0001.rvs", true},
    {125, 858, "..\\Texte\\Generiques\\MortLeaders\\MortTovr.txt", "..\\Texte\\Generiques\\MortTotale\\Tovrek.txt", false},
    {374, 853, "..\\Texte\\Generiques\\MortLeaders\\MortEmp.txt", "..\\Texte\\Generiques\\MortTotale\\Welmsgard.txt", false},
    {376, 852, "..\\Texte\\Generiques\\MortLeaders\\MortSuc.txt", "..\\Texte\\Generiques\\MortTotale\\Succube.txt", false},
};

}  // namespace

void Cercle__Point(int ax, int ay, int r, int k, int* x, int* y) {
    // The searches walk k over 0..359 for every radius: those angles' cosines and sines are
    // computed once (the same values), others as they come.
    static const auto [cosinus, sinus] = [] {
        std::array<double, 360> c{}, s{};
        for (int i = 0; i < 360; ++i) {
            const double a = i * 6.283184 / 180;
            c[static_cast<size_t>(i)] = std::cos(a);
            s[static_cast<size_t>(i)] = std::sin(a);
        }
        return std::pair{c, s};
    }();
    double c, s;
    if (k >= 0 && k < 360) {
        c = cosinus[static_cast<size_t>(k)];
        s = sinus[static_cast<size_t>(k)];
    } else {
        const double a = k * 6.283184 / 180;
        c = std::cos(a);
        s = std::sin(a);
    }
    *x = ax + static_cast<int>(c * r);
    *y = ay + static_cast<int>(s * r);
}

bool Cercle__PointAdmis(int x, int y) {
    if (ModeSceneCourant == MODE_CHATEAU || !ZoneBatimentsPresente) return true;
    return !(x >= ZoneBatimentsX && x < ZoneBatimentsX + ZoneBatimentsLargeur && y >= ZoneBatimentsY &&
             y < ZoneBatimentsY + ZoneBatimentsHauteur);
}

int Renforts_CaseLibre(int x, int y, int taille) { return Renforts_ZoneLibre(x, y, taille, taille); }

int Renforts_ZoneLibre(int x, int y, int largeur, int hauteur) {
    for (int j = 0; j < hauteur; ++j)
        for (int i = 0; i < largeur; ++i)
            if (!CaseLibre(x + i, y + j)) return 0;
    return 1;
}

int Chef_Placement(int maitre, int armee, int pointEntree, int rayon) {
    if (!MaitreCharge(maitre) || GrilleUnites == nullptr) return -1;
    Point ancre = pointEntree >= 0 && pointEntree <= 8 ? AncresChefs[pointEntree] : Point{0, 0};
    if (ModeSceneCourant == MODE_CHATEAU) ancre = {46, 60};
    const int taille = std::max(1, TableMaitres[static_cast<size_t>(maitre)].taille);
    for (int r = std::max(rayon, 0); r <= RAYON_MAXI; ++r)
        for (int k = 0; k < 360; ++k) {
            int x = 0, y = 0;
            Cercle__Point(ancre.x, ancre.y, r, k, &x, &y);
            if (!Cercle__PointAdmis(x, y) || !Renforts_CaseLibre(x, y, taille)) continue;
            const int g = Groupe___Creation(maitre, armee, x, y, 1, 1, ((pointEntree % 8) + 8) % 8);
            if (g <= 0 || TableGroupes[static_cast<size_t>(g)].nbMembres <= 0) return -1;
            EngagementLibre = !EngagementLibre;
            TableGroupes[static_cast<size_t>(g)].engagementLibre = 0;
            Groupe__VitesseCommune(g, 1);
            if (maitre == MAITRE_HEROS) {
                const int o = TableGroupes[static_cast<size_t>(g)].membres[0];
                Objet& heros = TableObjets[static_cast<size_t>(o)];
                heros.niveau = heros.experience / 1000 + 1;
                if (heros.niveau > 20) {
                    heros.niveau = 20;
                    heros.experience = 20000;
                }
                Experience__AppliqueNiveau(o);
            }
            return 0;
        }
    return -1;
}

void Renforts_RemiseAZero() {
    NbRenforts = 0;
    TableRenforts.fill(DemandeRenfort{-1, -1, -1});
}

void Renforts_Demande(int section, int copies, int niveau) {
    if (NbRenforts < 0) NbRenforts = 0;
    if (NbRenforts >= NOMBRE_RENFORTS) {
        Erreur_Question("Renforts", "Trop de renforts en attente : section %d non ajoutée", section);
        return;
    }
    TableRenforts[static_cast<size_t>(NbRenforts++)] = DemandeRenfort{section, copies, niveau};
}

void Renforts_Importation() {
    const int n = std::clamp(NbRenforts, 0, NOMBRE_RENFORTS);
    const int importes = std::min(n, 4);
    for (int i = 0; i < importes; ++i) {
        const DemandeRenfort d = TableRenforts[static_cast<size_t>(i)];
        for (int c = 0; c < std::min(d.copies, 100); ++c) ImportationSectionRenfort(d.section, d.niveau, d.section);
    }
    // The requests past the fourth wait for the next battle instead of vanishing.
    std::array<DemandeRenfort, NOMBRE_RENFORTS> reste{};
    reste.fill(DemandeRenfort{-1, -1, -1});
    for (int i = importes; i < n; ++i) reste[static_cast<size_t>(i - importes)] = TableRenforts[static_cast<size_t>(i)];
    TableRenforts = reste;
    NbRenforts = n - importes;
}

int Renforts_RecherchePlaceCercle(int, int largeur, int hauteur, int taille) {
    if (GrilleUnites == nullptr || largeur <= 0 || hauteur <= 0) return 0;
    taille = std::max(taille, 1);
    // Every cell of a place lies in 6..122: a layout longer than 117 cells fits nowhere.
    if (largeur > 117 / taille || hauteur > 117 / taille) return 0;
    // Nothing changes on the map during the search: a cell refused once (many angles, radii and
    // entry points land on the same one) is refused again without being tested.
    std::vector<bool> refusees(128 * 128);
    const int premier = std::clamp(TableChefs[0].PointEntree, 0, 8);
    for (int essai = 0; essai < 9; ++essai) {
        const int entree = (premier + essai) % 9;
        const Point ancre = AncresRenforts[entree];
        for (int r = 0; r <= RAYON_MAXI; ++r)
            for (int k = 0; k < 360; ++k) {
                int x = 0, y = 0;
                Cercle__Point(ancre.x, ancre.y, r, k, &x, &y);
                const bool surCarte = x >= 0 && x < 128 && y >= 0 && y < 128;
                if (surCarte && refusees[static_cast<size_t>(x * 128 + y)]) continue;
                bool libre = Cercle__PointAdmis(x, y);
                for (int j = 0; j < hauteur && libre; ++j)
                    for (int i = 0; i < largeur && libre; ++i)
                        libre = Renforts_ZoneLibre(x + i * taille, y + j * taille, taille, taille) == 1;
                if (!libre) {
                    if (surCarte) refusees[static_cast<size_t>(x * 128 + y)] = true;
                    continue;
                }
                RenfortX = x;
                RenfortY = y;
                RenfortDirection = entree % 8;
                return 1;
            }
    }
    return 0;
}

void ImportationSectionRenfort(int code, int niveau, int) {
    std::string nom;
    if (!NomSection(code, &nom)) Erreur_Fatale(OU_SECTION, "Le code section %d n'est pas trouvé", code);
    char chemin[1200];
    std::snprintf(chemin, sizeof chemin, "..\\sections\\%s.sct", nom.c_str());
    FILE* f = Fichier_Ouvrir(chemin, "rt");
    if (f == nullptr) {
        Erreur_Question(OU_SECTION, "Impossible de trouver le fichier : %s", chemin);
        return;
    }
    FermetureFlux fermeture{f};
    LecteurJetons l(f);
    for (;;) {
        if (!l.Jusqua("NIVEAU")) {
            Erreur_Question(OU_SECTION, "Niveau %d absent du fichier : %s", niveau, chemin);
            return;
        }
        int n = 0;
        if (l.Entier(&n) && n == niveau) break;
    }
    int largeur = 0, hauteur = 0;
    if (!l.Mot() || !l.Entier(&largeur) || !l.Entier(&hauteur) || !l.Mot()) {
        Erreur_Question(OU_SECTION, "Niveau %d incomplet dans le fichier : %s", niveau, chemin);
        return;
    }
    if (largeur < 1 || hauteur < 1 || largeur > 128 || hauteur > 128) {
        Erreur_Question(OU_SECTION, "Dimensions incorrectes : %d x %d (%s)", largeur, hauteur, chemin);
        return;
    }
    // The layout first: the place is searched for the whole of it.
    std::vector<int> maitres(static_cast<size_t>(largeur * hauteur), -1);
    int taille = 1;
    for (int j = 0; j < hauteur; ++j)
        for (int i = 0; i < largeur; ++i) {
            if (!l.Mot()) {
                Erreur_Question(OU_SECTION, "Fin de fichier dans le niveau %d : %s", niveau, chemin);
                j = hauteur;
                break;
            }
            if (l.Egal("-")) continue;
            const int m = ObjetGraphique(l.Texte());
            maitres[static_cast<size_t>(j * largeur + i)] = m;
            if (MaitreCharge(m)) taille = std::max(1, TableMaitres[static_cast<size_t>(m)].taille);
        }
    if (!Renforts_RecherchePlaceCercle(code, largeur, hauteur, taille)) return;
    int groupe = -1;
    int32_t vitesse = 0;
    for (int j = 0; j < hauteur; ++j)
        for (int i = 0; i < largeur; ++i) {
            const int m = maitres[static_cast<size_t>(j * largeur + i)];
            if (!MaitreCharge(m)) continue;
            if (groupe <= 0) {
                groupe = Groupe___Creation(m, 0, RenfortX + i, RenfortY + j, 1, 1, RenfortDirection);
                if (groupe <= 0 || TableGroupes[static_cast<size_t>(groupe)].nbMembres <= 0) return;
                Groupe& g = TableGroupes[static_cast<size_t>(groupe)];
                g.codeSection = code;
                g.niveauSection = niveau;
                g.groupeCible = -1;
                vitesse = TableObjets[static_cast<size_t>(g.membres[0])].vitesse;
            } else {
                const int o = ObjetNaissance(m, 0, RenfortX + i, RenfortY + j, groupe, RenfortDirection);
                if (o > 0) TableObjets[static_cast<size_t>(o)].vitesse = vitesse;
            }
        }
    if (groupe <= 0) return;
    Groupe& g = TableGroupes[static_cast<size_t>(groupe)];
    g.colonnes = std::max(1, largeur / taille);
    g.lignes = std::max(1, hauteur / taille);
    Groupe__Initialise(groupe);
}

void MortChef() {
    const Chef& heros = TableChefs[0];
    if (heros.present == 1 && heros.maitre != 0 && !Vivant(heros.maitre)) {
        EtatFinPartie = 2;
        Cinematique_Jouer("rvf\\Orv0001.rvs", 1, Ecran_AffichageRappel);
        if (EcranTampon) std::fill(EcranTampon, EcranTampon + static_cast<size_t>(LargeurEcran) * static_cast<size_t>(HauteurEcran), uint16_t{0});
        RequesterFichierSimple(864, "..\\Texte\\Generiques\\Mort_O_Region.txt");
        return;
    }
    for (const Chef& chef : TableChefs) {
        if (EtatFinPartie == 3) break;
        if (chef.present != 1 || chef.maitre == 0 || Vivant(chef.maitre)) continue;
        const Mort* mort = nullptr;
        for (const Mort& m : Morts)
            if (m.maitre == chef.maitre) mort = &m;
        if (mort == nullptr) continue;
        if (OrJoueur < 1000) {
            EtatFinPartie = 3;
            if (mort->film) Cinematique_Jouer(mort->perte, 1, Ecran_AffichageRappel);
            else RequesterFichierSimple(861, mort->perte);
        } else {
            OrJoueur -= 1000;
            RequesterFichier(mort->genre, mort->rancon);
        }
    }
}
