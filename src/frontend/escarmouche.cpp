#include "frontend/escarmouche.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <set>

#include "campaign/armee.h"
#include "campaign/armee_fichiers.h"
#include "campaign/campagne.h"
#include "campaign/catalogue.h"
#include "campaign/chargement_armees.h"
#include "campaign/gestion_armee.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "foundation/journal.h"
#include "foundation/objetsgfx.h"
#include "foundation/texte.h"
#include "foundation/tuiles.h"
#include "frontend/localisation.h"
#include "platform/fichiers.h"
#include "scene/carte_reduite.h"
#include "scene/panneau.h"
#include "scene/rectangle.h"
#include "shell/curseur.h"
#include "shell/routeur.h"
#include "world/univers.h"

const char* const ESCARMOUCHE_CAMPS[NOMBRE_CAMPS_ESCARMOUCHE] = {"Lumiere", "Morvane", "Justice", "Empire", "All"};
const int32_t PointEntreeEscarmouche[9] = {3, 4, 5, 2, 8, 6, 1, 0, 7};

char* CarteEscarmouche = nullptr;
int32_t EscarmoucheConfirmee = 0;
int32_t CampEscarmoucheJoueur = 0;
int32_t CampEscarmoucheAdversaire = 2;
int32_t PositionEscarmoucheJoueur = 3;
int32_t PositionEscarmoucheAdversaire = 5;
int32_t OrEscarmouche = 5000;
int32_t CampEscarmoucheArmee = 0;

std::vector<std::string> ListeCartesEscarmouche, ListeArmeesJoueur, ListeArmeesAdversaire;
int32_t PremiereLigneEscarmouche[3] = {};
int32_t ChoixLigneEscarmouche[3] = {};

namespace {

constexpr int OBJET_POINTEUR = 19;
constexpr int OBJET_FOND = 976;
constexpr int OBJET_BOUTONS = 977;
constexpr int OBJET_CAMPS = 978;
constexpr size_t TAILLE_CARTE = 256;
constexpr int32_t OR_PAS = 500, OR_MAXIMUM = 10000;
constexpr int32_t REGIMENTS_APERCU = 8;

// The columns' x ranges (last excluded) and the x of their scroll arrows.
struct Colonne {
    int32_t x0, x1, flecheX0, flecheX1;
};
constexpr Colonne COLONNES[3] = {{39, 197, 201, 217}, {231, 389, 394, 409}, {421, 579, 583, 599}};

bool carteChangee = false;
bool apercuConstruit = false;
int32_t orAvant = 0;
struct {
    int32_t haut, bas, gauche, droite;
} decoupeAvant{};
// The damaged armies already reported, so that a rebuild of the lists does not report them again.
std::set<std::string> armeesSignalees;

// The catalogues kept between listings, by player number, with the faction each was read for.
struct CatalogueGarde {
    int32_t camp = -1;
    std::unique_ptr<CatalogueDonnees> donnees;
};
bool garderCatalogues = false;
std::map<int32_t, CatalogueGarde> cataloguesGardes;

bool Dans(int32_t x0, int32_t x1, int32_t y0, int32_t y1) {
    return SourisX >= x0 && SourisX < x1 && SourisY >= y0 && SourisY < y1;
}

std::vector<std::string>& Liste(int32_t colonne) {
    return colonne == COLONNE_JOUEUR ? ListeArmeesJoueur
           : colonne == COLONNE_CARTES ? ListeCartesEscarmouche
                                       : ListeArmeesAdversaire;
}

int32_t CampColonne(int32_t colonne) {
    return colonne == COLONNE_JOUEUR ? CampEscarmoucheJoueur : CampEscarmoucheAdversaire;
}

bool EgalSansCasse(const std::string& a, const char* b) {
    if (a.size() != std::strlen(b)) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool FinitPar(const std::string& nom, const char* fin) {
    const size_t n = std::strlen(fin);
    return nom.size() >= n && EgalSansCasse(nom.substr(nom.size() - n), fin);
}

// The regiment count of an army's header ("%s%d"), -1 when the header cannot be read.
int32_t RegimentsArmee(const std::string& dossier) {
    FILE* f = Fichier_Ouvrir((dossier + "entete_armee.txt").c_str(), "rt");
    if (f == nullptr) return -1;
    char mot[128];
    int n = -1;
    if (std::fscanf(f, "%127s%d", mot, &n) != 2) n = -1;
    std::fclose(f);
    return n;
}

std::string CheminRegiment(const std::string& dossier, int32_t i) {
    char nom[32];
    std::snprintf(nom, sizeof nom, "Regiment%d.txt", i);
    return dossier + nom;
}

std::string DossierArmee(int32_t camp, const std::string& nom);

// An army the battle can take: a header of 1 to 12 regiments, its first regiment file there, every
// regiment file there read without fault with the faction's catalogue (loaded), and a unit at least.
bool ArmeeValide(const std::string& dossier) {
    const int32_t n = RegimentsArmee(dossier);
    if (n < 1 || n > MAX_REGIMENTS || !Fichier_Existe(CheminRegiment(dossier, 0).c_str())) return false;
    int32_t total = 0;
    for (int32_t i = 0; i < n; ++i) {
        const std::string chemin = CheminRegiment(dossier, i);
        if (!Fichier_Existe(chemin.c_str())) continue;   // skipped by the battle, which says so
        int32_t unites = 0;
        if (!Regiment__verifierFichier(chemin.c_str(), &unites)) return false;
        total += unites;
    }
    return total > 0;
}

std::string DossierArmee(int32_t camp, const std::string& nom) {
    return std::string("..\\Armees\\Escarmouche\\") + ESCARMOUCHE_CAMPS[camp] + "\\" + nom + "\\";
}

void ListerArmees(int32_t camp, std::vector<std::string>* liste) {
    liste->clear();
    // The faction's catalogue as the battle loads it, for the time of the listing.
    const int32_t jeu = Escarmouche__CampJeu(camp);
    const int32_t numeroJoueur = jeu >= 0 && jeu < 4 ? jeu : 4;
    const int32_t campAvant = CampParJoueur[numeroJoueur], numeroAvant = NumeroJoueur, catalogueAvant = CampCatalogue;
    if (numeroJoueur < 4) CampParJoueur[numeroJoueur] = jeu;
    auto garde = cataloguesGardes.find(numeroJoueur);
    if (garde != cataloguesGardes.end() && garde->second.camp == CampParJoueur[numeroJoueur < 4 ? numeroJoueur : 4]) {
        NumeroJoueur = numeroJoueur;
        CampCatalogue = garde->second.camp;
        Catalogue = std::move(garde->second.donnees);
    } else {
        Catalogue__charger(numeroJoueur);
    }
    struct Retour {
        int32_t numeroJoueur, camp, numero, catalogue;
        ~Retour() {
            if (garderCatalogues && Catalogue)
                cataloguesGardes[numeroJoueur] = CatalogueGarde{CampCatalogue, std::move(Catalogue)};
            Catalogue__liberer();
            CampParJoueur[numeroJoueur] = camp;
            NumeroJoueur = numero;
            CampCatalogue = catalogue;
        }
    } retour{numeroJoueur, campAvant, numeroAvant, catalogueAvant};
    // "*" and not "*.*": army folders have no dot in their names.
    const std::string motif = std::string("..\\Armees\\escarmouche\\") + ESCARMOUCHE_CAMPS[camp] + "\\*";
    for (const std::string& nom : Repertoire_Lister(motif.c_str())) {
        if (nom == "." || nom == "..") continue;
        const std::string dossier = DossierArmee(camp, nom);
        if (!Repertoire_Existe(dossier.c_str())) continue;
        if (!ArmeeValide(dossier)) {
            if (armeesSignalees.insert(dossier).second)
                Avertissement("Escarmouche", "L'armée %s est illisible : elle n'est pas proposée.", nom.c_str());
            continue;
        }
        liste->push_back(nom);
    }
}

void Borner(int32_t colonne) {
    const int32_t n = static_cast<int32_t>(Liste(colonne).size());
    int32_t& choix = ChoixLigneEscarmouche[colonne];
    int32_t& premiere = PremiereLigneEscarmouche[colonne];
    if (choix > n - 1) choix = n - 1;
    if (choix < 0) choix = 0;
    if (premiere > n - 1) premiere = n - 1;
    if (premiere < 0) premiere = 0;
}

void FixerCarte() {
    if (CarteEscarmouche == nullptr) CarteEscarmouche = new char[TAILLE_CARTE];
    const int32_t i = ChoixLigneEscarmouche[COLONNE_CARTES];
    const std::string nom = i >= 0 && i < static_cast<int32_t>(ListeCartesEscarmouche.size())
                                ? ListeCartesEscarmouche[static_cast<size_t>(i)]
                                : std::string();
    std::snprintf(CarteEscarmouche, TAILLE_CARTE, "..\\Skirmish\\%s", nom.c_str());
}

// ---- drawing ---------------------------------------------------------------------------------

// The first regiment's master of each chosen army, drawn as unit cards.
void ChargeArmees() {
    for (int32_t cote = 0; cote < 2; ++cote) {
        const std::string dossier = Escarmouche__DossierArmee(cote == 0 ? COLONNE_JOUEUR : COLONNE_ADVERSAIRE);
        if (dossier.empty()) continue;
        int32_t n = RegimentsArmee(dossier);
        if (n > REGIMENTS_APERCU) n = REGIMENTS_APERCU;
        for (int32_t i = 0; i < n; ++i) {
            FILE* f = Fichier_Ouvrir(CheminRegiment(dossier, i).c_str(), "rt");
            if (f == nullptr) continue;
            char mot[256];
            int maitre = -1;
            while (maitre == -1 && std::fscanf(f, "%255s", mot) == 1)
                if (std::strcmp(mot, "Section__numeroObjetMaitre") == 0 && std::fscanf(f, "%d", &maitre) != 1) break;
            std::fclose(f);
            if (maitre == -1) continue;
            FicheUniteType = maitre;
            const int32_t x = (cote == 0 ? 77 : 459) + 34 * (i % 4);
            FicheUnite__Affichage(x, i < 4 ? 385 : 419);
        }
    }
}

void DessinerColonnes() {
    static const int TITRES[3] = {125, 126, 127};
    for (int c = 0; c < 3; ++c) {
        const int centre = (COLONNES[c].x0 + COLONNES[c].x1) / 2;
        Texte__AfficheAligne(centre, 57, 255, 255, 255, 1, TexteInterface(TITRES[c]));
        const std::vector<std::string>& l = Liste(c);
        for (int r = 0; r < LIGNES_ESCARMOUCHE; ++r) {
            const size_t i = static_cast<size_t>(PremiereLigneEscarmouche[c] + r);
            if (i >= l.size()) break;
            std::string nom = l[i];
            if (c == COLONNE_CARTES) nom = nom.substr(0, nom.find('.'));
            Texte__AfficheAligne16(COLONNES[c].x0 + 6, 150 + 22 * r, 255, 255, 255, 0, 2, nom.c_str());
        }
    }
    Texte__AfficheAligne(128, 338, 255, 255, 255, 1, TexteInterface(128));
    Texte__AfficheAligne(508, 338, 255, 255, 255, 1, TexteInterface(128));
}

void DessinerEcran() {
    Sprite__Affiche(OBJET_FOND, 0, 0, 0);
    Sprite__Affiche(OBJET_CAMPS, 60 + 35 * CampEscarmoucheJoueur, 88, CampEscarmoucheJoueur);
    Sprite__Affiche(OBJET_CAMPS, 441 + 35 * CampEscarmoucheAdversaire, 88, CampEscarmoucheAdversaire);
    Sprite__Affiche(OBJET_BOUTONS, 195, 293, Dans(196, 223, 294, 321) ? 1 : 0);
    Sprite__Affiche(OBJET_BOUTONS, 577, 293, Dans(578, 605, 294, 321) ? 3 : 2);
    Sprite__Affiche(OBJET_BOUTONS, 280, 416, Dans(281, 316, 417, 452) ? 5 : 4);
    Sprite__Affiche(OBJET_BOUTONS, 324, 416, Dans(325, 360, 417, 452) ? 7 : 6);
    if (apercuConstruit) CarteReduite_Affichage();
    // The starting gold between its two buttons, and the two start positions on their grid.
    char or_[16];
    std::snprintf(or_, sizeof or_, "%d", OrEscarmouche);
    Texte__AfficheAligne(318, 110, 255, 255, 255, 1, or_);
    auto cellule = [](int32_t p, int32_t r, int32_t g, int32_t b) {
        const int32_t x = 273 + 31 * (p % 3), y = 311 + 31 * (p / 3);
        Escarmouche__Cadre(x + 2, y + 2, x + 29, y + 29, r, g, b);
    };
    cellule(PositionEscarmoucheJoueur, 4, 4, 14);
    cellule(PositionEscarmoucheAdversaire, 14, 4, 4);
}

void Pointeur() {
    Sprite__Affiche(OBJET_POINTEUR, SourisX, SourisY, 0);
    Curseur__Ombre(OBJET_POINTEUR, 0);
}

// ---- actions ---------------------------------------------------------------------------------

void ChoisirCarte(int32_t index) {
    ChoixLigneEscarmouche[COLONNE_CARTES] = index;
    FixerCarte();
    if (apercuConstruit) {
        UniversDestruction();
        UniversCreation();
    }
    carteChangee = true;
}

void CreerArmee(int32_t colonne) {
    const int32_t camp = CampColonne(colonne);
    const int32_t jeu = Escarmouche__CampJeu(camp);
    OrJoueur = 90000;
    CampDuJoueur = jeu;
    CampCatalogue = jeu;
    if (jeu >= 0 && jeu < 4) CampParJoueur[jeu] = jeu;
    CampEscarmoucheArmee = camp;
    InterfaceArmee(jeu);
    OrJoueur = OrEscarmouche;
    Escarmouche__Liberation();
    Escarmouche__ListeFichiers();
}

void Quitter(bool confirme) {
    EcranDestination.clipHaut = decoupeAvant.haut;
    EcranDestination.clipBas = decoupeAvant.bas;
    EcranDestination.clipGauche = decoupeAvant.gauche;
    EcranDestination.clipDroite = decoupeAvant.droite;
    if (confirme) {
        ModeSceneCourant = 2;
        ModeJeuCourant = 3;
        MorvaneCode = 10;
        CarteReduiteX = EcranDestination.clipDroite - 120;
        CarteReduiteY = EcranDestination.clipBas - 120;
        VerificationArmee = 0;
    } else {
        ModeSceneCourant = 0;
        ModeJeuCourant = -1;
        VerificationArmee = 1;
        if (apercuConstruit) Region__Quitte();
        ModeSceneCourant = 0;
    }
    apercuConstruit = false;
    OrJoueur = orAvant;
}

}  // namespace

int32_t Escarmouche__CampJeu(int32_t campEscarmouche) {
    static const int32_t JEU[4] = {2, 3, 1, 0};
    return campEscarmouche >= 0 && campEscarmouche < 4 ? JEU[campEscarmouche] : 9;
}

int32_t Escarmouche__Suivant(int32_t index, int32_t nombre) {
    return index + 1 > nombre - 1 ? (nombre - 1 < 0 ? 0 : nombre - 1) : index + 1;
}

int32_t Escarmouche__Precedent(int32_t index) { return index - 1 < 0 ? 0 : index - 1; }

std::string Escarmouche__DossierArmee(int32_t colonne) {
    const std::vector<std::string>& l = Liste(colonne);
    const int32_t i = ChoixLigneEscarmouche[colonne];
    if (i < 0 || i >= static_cast<int32_t>(l.size())) return std::string();
    return DossierArmee(CampColonne(colonne), l[static_cast<size_t>(i)]);
}

void Escarmouche__Liberation() {
    ListeCartesEscarmouche.clear();
    ListeArmeesJoueur.clear();
    ListeArmeesAdversaire.clear();
}

void Escarmouche__GarderCatalogues(bool garder) {
    garderCatalogues = garder;
    if (!garder) cataloguesGardes.clear();
}

void Escarmouche__ListeFichiers() {
    Escarmouche__Liberation();
    for (const std::string& nom : Repertoire_Lister("..\\Skirmish\\*.*"))
        if (nom != "." && nom != ".." && !EgalSansCasse(nom, "ESCARMOUCHE.VBAT") && FinitPar(nom, ".mv"))
            ListeCartesEscarmouche.push_back(nom);
    ListerArmees(CampEscarmoucheJoueur, &ListeArmeesJoueur);
    ListerArmees(CampEscarmoucheAdversaire, &ListeArmeesAdversaire);
    for (int c = 0; c < 3; ++c) Borner(c);
}

void Escarmouche__Cadre(int32_t x0, int32_t y0, int32_t x1, int32_t y1, int32_t r, int32_t g, int32_t b) {
    if (EcranTampon == nullptr) return;
    for (int32_t y = y0; y < y1; ++y)
        for (int32_t x = x0; x < x1; ++x) Pixel_AjoutRGB(EcranTampon, x, y, r, g, b);
}

void Escarmouche__SupprimeArmee(int32_t colonne) {
    const std::string dossier = Escarmouche__DossierArmee(colonne);
    if (dossier.empty()) return;
    for (const std::string& nom : Repertoire_Lister((dossier + "*").c_str()))
        if (nom != "." && nom != "..") Fichier_Supprimer((dossier + nom).c_str());
    std::error_code e;
    std::filesystem::remove(Chemin_Resoudre(dossier.substr(0, dossier.size() - 1).c_str()), e);
    Escarmouche__ListeFichiers();
}

int Escarmouche__Gestion() {
    // The highlight of the chosen rows and of the row under the pointer.
    for (int c = 0; c < 3; ++c) {
        const int32_t r = ChoixLigneEscarmouche[c] - PremiereLigneEscarmouche[c];
        if (!Liste(c).empty() && r >= 0 && r < LIGNES_ESCARMOUCHE)
            Escarmouche__Cadre(COLONNES[c].x0, 134 + 22 * r, COLONNES[c].x1, 156 + 22 * r, 5, 5, 15);
        if (Dans(COLONNES[c].x0, COLONNES[c].x1, 134, 134 + 22 * LIGNES_ESCARMOUCHE)) {
            const int32_t s = (SourisY - 134) / 22;
            Escarmouche__Cadre(COLONNES[c].x0, 134 + 22 * s, COLONNES[c].x1, 156 + 22 * s, 5, 5, 5);
        }
    }

    const bool clic = ClicGauche != 0;
    const bool clicDroit = ClicDroitEtat != 0;
    ClicGauche = 0;
    ClicDroitEtat = 0;
    int resultat = 0;

    for (int c = 0; c < 3; ++c) {
        const int32_t n = static_cast<int32_t>(Liste(c).size());
        int32_t& premiere = PremiereLigneEscarmouche[c];
        // Scroll arrows.
        if (clic && Dans(COLONNES[c].flecheX0, COLONNES[c].flecheX1, 128, 145)) premiere = Escarmouche__Precedent(premiere);
        if (clic && Dans(COLONNES[c].flecheX0, COLONNES[c].flecheX1, 277, 293)) premiere = Escarmouche__Suivant(premiere, n);
        // Rows; an empty column has none to choose.
        if (Dans(COLONNES[c].x0, COLONNES[c].x1, 129, 292)) {
            if (clic && n > 0) {
                int32_t ligne = (SourisY - 128) / 22;
                if (ligne > LIGNES_ESCARMOUCHE - 1) ligne = LIGNES_ESCARMOUCHE - 1;
                int32_t i = premiere + ligne;
                if (i > n - 1) i = n - 1;
                if (c == COLONNE_CARTES) {
                    if (i != ChoixLigneEscarmouche[c]) ChoisirCarte(i);
                } else {
                    ChoixLigneEscarmouche[c] = i;
                }
            }
            if (ToucheHaut) {
                ToucheHaut = 0;
                premiere = Escarmouche__Precedent(premiere);
            }
            if (ToucheBas) {
                ToucheBas = 0;
                premiere = Escarmouche__Suivant(premiere, n);
            }
        }
    }

    // Factions: the two sides never share one.
    if (clic && SourisY >= 89 && SourisY < 118) {
        int32_t camp = -1, *cote = nullptr, autre = 0;
        if (SourisX >= 60 && SourisX < 196) {
            camp = (SourisX - 59) / 33;
            cote = &CampEscarmoucheJoueur;
            autre = CampEscarmoucheAdversaire;
        } else if (SourisX >= 441 && SourisX < 579) {
            camp = (SourisX - 440) / 33;
            cote = &CampEscarmoucheAdversaire;
            autre = CampEscarmoucheJoueur;
        }
        if (cote && camp < 4 && camp != autre && camp != *cote) {
            *cote = camp;
            const int32_t colonne = cote == &CampEscarmoucheJoueur ? COLONNE_JOUEUR : COLONNE_ADVERSAIRE;
            ChoixLigneEscarmouche[colonne] = PremiereLigneEscarmouche[colonne] = 0;
            Escarmouche__ListeFichiers();
        }
    }

    // Delete an army, once the player said yes.
    if (clic && SourisY >= 294 && SourisY < 321) {
        int32_t colonne = -1;
        if (SourisX >= 196 && SourisX < 223) colonne = COLONNE_JOUEUR;
        else if (SourisX >= 578 && SourisX < 605) colonne = COLONNE_ADVERSAIRE;
        const int32_t i = colonne < 0 ? -1 : ChoixLigneEscarmouche[colonne];
        if (i >= 0 && i < static_cast<int32_t>(Liste(colonne).size()) &&
            Question_Formatee("Escarmouche", "Supprimer l'armée %s ?", Liste(colonne)[static_cast<size_t>(i)].c_str()) == 1)
            Escarmouche__SupprimeArmee(colonne);
    }

    // Confirm, only with a map and an army on each side; cancel.
    if (clic && SourisY >= 417 && SourisY < 452) {
        if (SourisX >= 281 && SourisX < 316 && !ListeCartesEscarmouche.empty() && !ListeArmeesJoueur.empty() &&
            !ListeArmeesAdversaire.empty()) {
            EscarmoucheConfirmee = 1;
            EscarmoucheEnCours = 3;
            resultat = 1;
        } else if (SourisX >= 325 && SourisX < 360) {
            resultat = -1;
        }
    }

    // Gold.
    const bool bandeOr = SourisY >= 88 && SourisY < 120;
    bool moins = clic && bandeOr && SourisX >= 230 && SourisX < 260;
    bool plus = clic && bandeOr && SourisX >= 377 && SourisX < 413;
    if (bandeOr && SourisX >= 230 && SourisX < 413) {
        if (ToucheGauche) moins = true;
        if (ToucheDroite) plus = true;
        ToucheGauche = ToucheDroite = 0;
    }
    if (moins) OrEscarmouche = OrEscarmouche - OR_PAS < OR_PAS ? 0 : OrEscarmouche - OR_PAS;
    if (plus) OrEscarmouche = OrEscarmouche + OR_PAS > OR_MAXIMUM ? OR_MAXIMUM : OrEscarmouche + OR_PAS;

    // Start positions: the left button the player's, the right button the opponent's.
    if ((clic || clicDroit) && Dans(273, 367, 311, 405)) {
        int32_t colonne = (SourisX - 272) / 31, ligne = (SourisY - 310) / 31;
        if (colonne > 2) colonne = 2;
        if (ligne > 2) ligne = 2;
        const int32_t cellule = 3 * ligne + colonne;
        if (clic) PositionEscarmoucheJoueur = cellule;
        if (clicDroit) PositionEscarmoucheAdversaire = cellule;
    }

    // Create an army through the army screen.
    if (clic && resultat == 0 && SourisY >= 322 && SourisY < 356) {
        if (SourisX >= 48 && SourisX < 209) CreerArmee(COLONNE_JOUEUR);
        else if (SourisX >= 427 && SourisX < 591) CreerArmee(COLONNE_ADVERSAIRE);
    }
    return resultat;
}

void Escarmouche() {
    EscarmoucheConfirmee = 0;
    OrEscarmouche = 5000;
    EscarmoucheEnCours = -1;
    ModeSceneCourant = 3;
    orAvant = OrJoueur;

    // The map and the lists.
    decoupeAvant = {EcranDestination.clipHaut, EcranDestination.clipBas, EcranDestination.clipGauche,
                    EcranDestination.clipDroite};
    // The selection box reads the saved top-left edge.
    ClipSauveX = decoupeAvant.gauche;
    ClipSauveY = decoupeAvant.haut;
    EcranDestination.clipHaut = 0;
    EcranDestination.clipGauche = 0;
    EcranDestination.clipDroite = 640;
    EcranDestination.clipBas = 480;
    CampEscarmoucheJoueur = 0;
    CampEscarmoucheAdversaire = 2;
    for (int c = 0; c < 3; ++c) ChoixLigneEscarmouche[c] = PremiereLigneEscarmouche[c] = 0;
    Escarmouche__ListeFichiers();
    FixerCarte();

    // The preview of the map, when there is one.
    apercuConstruit = false;
    if (!ListeCartesEscarmouche.empty()) {
        ChargeRegion();
        apercuConstruit = true;
    }
    Scene__RemiseAZero();
    OrJoueur = OrEscarmouche;
    carteChangee = true;

    // Each turn draws a frame, then takes one waiting message: a press and its release queued
    // together still make a click, read by the next frame.
    int resultat = 0;
    while (resultat == 0) {
        if (carteChangee && apercuConstruit) {
            CarteReduite_Liberation();
            CarteReduite_Creation();
        }
        carteChangee = false;
        DessinerEcran();
        ChargeArmees();
        resultat = Escarmouche__Gestion();
        DessinerColonnes();
        Pointeur();
        if (ToucheEchap) {
            ToucheEchap = 0;
            if (resultat == 0) resultat = -1;
        }
        Ecran_Affichage();
        int code = 0;
        if (resultat == 0 && EcranModal__Message(&code) < 0) resultat = -1;   // the quit: a cancel, and it goes on
    }
    if (resultat < 0) EscarmoucheConfirmee = 0;
    Quitter(resultat > 0);
}

void Escarmouche__ArmeesVersSections() {
    for (int32_t cote = 0; cote < 2; ++cote) {
        const int32_t colonne = cote == 0 ? COLONNE_JOUEUR : COLONNE_ADVERSAIRE;
        const std::string dossier = Escarmouche__DossierArmee(colonne);
        if (dossier.empty()) continue;
        const int32_t jeu = Escarmouche__CampJeu(CampColonne(colonne));
        int32_t numeroJoueur = jeu;
        if (jeu >= 0 && jeu < 4) {
            CampDuJoueur = jeu;
            CampParJoueur[jeu] = jeu;
        } else {
            // "All": the all-factions catalogue, its variables those of the faction set last.
            numeroJoueur = 4;
            if (CampDuJoueur < 0 || CampDuJoueur > 3) CampDuJoueur = 0;
        }
        int32_t n = RegimentsArmee(dossier);
        if (n > MAX_REGIMENTS) n = MAX_REGIMENTS;
        const int32_t position = cote == 0 ? PositionEscarmoucheJoueur : PositionEscarmoucheAdversaire;
        const int32_t entree = PointEntreeEscarmouche[position >= 0 && position < 9 ? position : 4];
        for (int32_t i = 0; i < n; ++i) {
            const std::string fichier = CheminRegiment(dossier, i);
            if (!Fichier_Existe(fichier.c_str())) {
                // Reported in the battle's message log; the other regiments still enter.
                char texte[512];
                std::snprintf(texte, sizeof texte, "fichier %s non trouvé", fichier.c_str());
                Messages_Ajout(texte, 4);
                continue;
            }
            Armee__chargerFichier(numeroJoueur, fichier.c_str(), entree, cote);
        }
    }
}
