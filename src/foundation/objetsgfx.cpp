#include "foundation/objetsgfx.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "foundation/ecran.h"
#include "foundation/erreurs.h"
#include "foundation/fichier.h"
#include "foundation/sprites.h"
#include "world/objets.h"
#include "world/univers.h"

std::array<ObjetGfx, NOMBRE_OBJETS_GFX> TableObjetsGfx{};
int32_t NbObjetsGfx = 0;

namespace {

struct MotCle {
    const char* motCle;
    int numero;
};

// Unit, creature and building keywords; the first match wins.
const MotCle MOTS_CLES[] = {
    {"MORVANE___PD", 339}, {"MORVANE___DP", 339}, {"MORVANE___ORC", 10}, {"MORVANE___GEANT", 8},
    {"MORVANE___TROLL", 12}, {"MORVANE___NECROMANT", 9}, {"MORVANE___PRETRE", 11},
    {"MORVANE___CAVALERIE", 7}, {"MORVANE___SNEG", 6}, {"VACHE1", 35}, {"VACHE2", 197}, {"COCHON", 300},
    {"COCHONM", 301}, {"MERCENAIRE", 195}, {"PAYSAN", 202}, {"PAYSANNE", 375}, {"JUSTICE___PHALANGE", 25},
    {"JUSTICE___MAGICIEN", 24}, {"JUSTICE___ARCHANGE", 340}, {"JUSTICE___PRETRE", 26},
    {"JUSTICE___PALADIN", 23}, {"JUSTICE___ARCHER", 21}, {"JUSTICE___PRETRE", 26}, {"JUSTICE___PD", 194},
    {"JUSTICE___CAVALERIE", 22}, {"LUMIERE___MAGICIEN", 31}, {"LUMIERE___DRAGON", 134},
    {"LUMIERE___PHALANGE", 32}, {"LUMIERE___PRETRE", 33}, {"LUMIERE___ARCHER", 28},
    {"LUMIERE___CHEVALIER", 30}, {"LUMIERE___PD", 129}, {"LUMIERE___SOLDAT", 34},
    {"LUMIERE___CAVALERIE", 29}, {"SORNET", 123}, {"VOSKAL", 391}, {"DRALMOG", 120}, {"EMPIRE___SOLDAT", 20},
    {"EMPIRE___PD", 196}, {"EMPIRE___ARCHER", 13}, {"EMPIRE___PRETRE", 19}, {"EMPIRE___MAGICIEN", 17},
    {"EMPIRE___CHEVALIER", 15}, {"EMPIRE___LEVIATHAN", 16}, {"EMPIRE___CAVALERIE", 14},
    {"DEMON___PETIT_DEMON", 37}, {"DEMON___BALGATOR", 36}, {"DEMON___SUCCUBE", 38},
    {"MORT_VIVANT___LICHE", 263}, {"MORT_VIVANT___ZOMBIE", 341}, {"MORT_VIVANT___PD", 266},
    {"MORT_VIVANT___SOLDAT", 267}, {"MORT_VIVANT___ARCHER", 265}, {"MORT_VIVANT___VAMPIRE", 262},
    {"MORT_VIVANT___LEVIATHAN", 264}, {"MORT_VIVANT___AME_NOIRE", 192}, {"BELVOR", 121}, {"BARON", 125},
    {"ELFE___WARDANCER", 43}, {"ELFE___ARBRE_GUERRIER", 143}, {"ELFE___HAUT_ELFE", 41}, {"ELFE___PD", 193},
    {"NAIN___ARBALETRIER", 44}, {"NAIN___TORTUE", 47}, {"TORTUE_COMMUNE", 373}, {"NAIN___PD", 46},
    {"LEVIATHAN", 27}, {"ELEMENTAIRE___TERRE", 138}, {"ELEMENTAIRE___AIR", 135}, {"ELEMENTAIRE___FEU", 137},
    {"ELEMENTAIRE___EAU", 136}, {"HOMME___FEU", 18}, {"DRAGON", 132}, {"EMPIRE___DRAGON", 133},
    {"JUSTICE___FORGE1", 96}, {"JUSTICE___FORGE2", 97}, {"JUSTICE___FORGE3", 98},
    {"JUSTICE___AMBASSADE2", 86}, {"JUSTICE___BARAQUE2", 88}, {"JUSTICE___BARAQUE3", 89},
    {"JUSTICE___MENUISERIE2", 91}, {"JUSTICE___ECURIE1", 94}, {"JUSTICE___ECURIE2", 95},
    {"JUSTICE___SALLEARMES1", 274}, {"JUSTICE___SALLEARMES2", 275}, {"JUSTICE___SALLEARMES3", 276},
    {"JUSTICE___EGLISE1", 99}, {"JUSTICE___EGLISE2", 100}, {"JUSTICE___EGLISE3", 101},
    {"JUSTICE___MAGIE1", 93}, {"JUSTICE___MAGIE2", 277}, {"EMPIRE___FORGE1", 61}, {"EMPIRE___FORGE2", 62},
    {"EMPIRE___FORGE3", 63}, {"EMPIRE___AMBASSADE1", 49}, {"EMPIRE___AMBASSADE2", 50},
    {"EMPIRE___AMBASSADE3", 51}, {"EMPIRE___BARAQUE1", 52}, {"EMPIRE___BARAQUE2", 53},
    {"EMPIRE___BARAQUE3", 54}, {"EMPIRE___MENUISERIE1", 64}, {"EMPIRE___MENUISERIE2", 55},
    {"EMPIRE___MENUISERIE3", 56}, {"EMPIRE___ECURIE1", 58}, {"EMPIRE___ECURIE2", 59},
    {"EMPIRE___SALLEARMES1", 284}, {"EMPIRE___SALLEARMES2", 285}, {"EMPIRE___SALLEARMES3", 286},
    {"EMPIRE___EGLISE1", 65}, {"EMPIRE___EGLISE2", 60}, {"EMPIRE___MAGIE1", 57}, {"EMPIRE___MAGIE2", 280},
    {"EMPIRE___MAGIE3", 48}, {"NAIN___HACHEUR", 45}, {"EMPEREUR", 374}, {"QUIVETH", 124},
    {"MACHINE___CATAPULTE", 141}, {"MACHINE___BALISTE", 139}, {"SUCCUBE", 376}, {"GALVARRE", 122},
    {"ELFE___ARCHER", 39}, {"MACHINE___BELIER", 140}, {"SORNET", 123},
};

// A copy at its length + 10, ending in zero bytes.
char* Copie(const char* texte) {
    const size_t n = std::strlen(texte);
    char* copie = new char[n + 10]();
    std::memcpy(copie, texte, n);
    return copie;
}

struct FermerFichier {
    void operator()(FILE* f) const {
        if (f) std::fclose(f);
    }
};

uint8_t Niveau31(int v) { return static_cast<uint8_t>(std::clamp(v, 0, 31)); }

// Reads one token of at most 511 characters, as "%511s" does (a longer token's rest is the next
// token); false at the end of the file. The blank that ends a token is taken with it: every read
// of the list skips the blanks before its own. The stream is this reader's alone: read without
// taking its lock for each byte.
bool LireMot(FILE* f, char (&mot)[512]) {
    mot[0] = 0;
    int c;
    do c = getc_unlocked(f);
    while (c != EOF && Fichier_Blanc(c));
    if (c == EOF) return false;
    size_t n = 0;
    while (c != EOF && !Fichier_Blanc(c)) {
        mot[n++] = static_cast<char>(c);
        if (n == sizeof mot - 1) break;
        c = getc_unlocked(f);
    }
    mot[n] = 0;
    return true;
}

}  // namespace

ObjetGfx* ObjetGfx_Pret(int n) {
    if (n < 0 || n >= NbObjetsGfx) return nullptr;
    ObjetGfx* objet = &TableObjetsGfx[static_cast<size_t>(n)];
    if (objet->sprite == nullptr && !objet->chargementEchoue) Spr_Load(objet->fichierSprite, objet);
    return objet->sprite ? objet : nullptr;
}

int CreationDeLalIsteDesObjetsGfx() {
    const char* ou = "CreationDeLalIsteDesObjetsGfx()";
    FILE* flux = nullptr;
    Configuration_Position("..\\Ini\\mv.ini", "//liste_des_objets.", &flux);
    std::unique_ptr<FILE, FermerFichier> fermeture(flux);
    FILE* f = flux;
    NbObjetsGfx = 0;
    char mot[512], nom[512], fichier[512];
    for (;;) {
        std::memset(nom, 0, sizeof nom);
        std::memset(fichier, 0, sizeof fichier);
        if (!LireMot(f, mot)) {
            Erreur_Question(ou, "MV.INI: \"//.\" non trouvé après %d objets", NbObjetsGfx);
            break;
        }
        if (std::strcmp(mot, "//.") == 0) break;
        int numero = 0;
        if (!LireMot(f, nom) || std::fscanf(f, "%d", &numero) != 1 || !LireMot(f, fichier) || !LireMot(f, fichier)) {
            Erreur_Question(ou, "MV.INI: Format non respecté : %s", nom);
            break;
        }
        if (NbObjetsGfx >= NOMBRE_OBJETS_GFX) {
            Erreur_Question(ou, "MV.INI: plus de %d objets graphiques, la suite est ignorée", NOMBRE_OBJETS_GFX);
            break;
        }
        if (numero != NbObjetsGfx)
            Erreur_Question(ou, "MV.INI: Suite %d - %d, Erreur de numérotation!", NbObjetsGfx - 1, NbObjetsGfx);
        ObjetGfx& objet = TableObjetsGfx[static_cast<size_t>(NbObjetsGfx)];
        delete[] objet.nom;
        delete[] objet.fichierSprite;
        delete[] objet.sprite;
        objet = ObjetGfx{};
        objet.nom = Copie(nom);
        objet.fichierSprite = Copie(fichier);
        ++NbObjetsGfx;
    }
    return NbObjetsGfx;
}

void Spr_Load(const char* nomFichier, ObjetGfx* objet) {
    if (objet == nullptr) return;
    std::snprintf(CheminTampon, sizeof CheminTampon, "..\\sprite\\%s.spr", nomFichier ? nomFichier : "");
    const uint32_t taille = Fichier_TailleNom(CheminTampon);
    delete[] objet->sprite;
    objet->sprite = new (std::nothrow) uint8_t[taille ? taille : 1];
    const int code = objet->sprite ? Spr_Chargement(CheminTampon, objet->sprite, taille) : 7;
    if (code != 0) {
        // Nothing usable is kept; drawing skips the object until the sprites are freed.
        delete[] objet->sprite;
        objet->sprite = nullptr;
        objet->chargementEchoue = 1;
        Erreur_Question("Spr_Load()", "Chargement du fichier sprite %s", CheminTampon);
    }
    // A sprite as loaded is drawn as in its file: shade level 31. Recording 0 there would make a
    // first request for the darkest level look like a repeat and leave the sprite unshaded.
    objet->niveauOmbre = 31;
    objet->cleCouleur = -1;
}

void ObjetsGfx_LiberationSprites() {
    for (ObjetGfx& objet : TableObjetsGfx) {
        delete[] objet.sprite;
        objet.sprite = nullptr;
        objet.chargementEchoue = 0;
    }
}

void ObjetsGfx_Liberation() {
    ObjetsGfx_LiberationSprites();
    for (ObjetGfx& objet : TableObjetsGfx) {
        delete[] objet.nom;
        delete[] objet.fichierSprite;
        objet.nom = objet.fichierSprite = nullptr;
    }
    NbObjetsGfx = 0;
}

int DonneNomObjetGraphique(const char* nom) {
    for (int i = 0; i < NbObjetsGfx; ++i) {
        const char* n = TableObjetsGfx[static_cast<size_t>(i)].nom;
        // The first letter compared first: most names differ there, and the list is long.
        if (n && nom && n[0] == nom[0] && std::strcmp(n, nom) == 0) return i;
    }
    Avertissement("", "DonneNomObjetGraphique: L'objet gfx nontrouvé: %s", nom ? nom : "");
    return 0;
}

int ObjetGraphique(const char* motCle) {
    for (const MotCle& m : MOTS_CLES)
        if (motCle && std::strcmp(m.motCle, motCle) == 0) return m.numero;
    Erreur_Fatale("ObjetGraphique()", "Il faut ajouter %s", motCle ? motCle : "");
}

void ObjetGfx_CouleurJoueur(int n, int32_t cle) {
    if (ObjetCourant == nullptr || ObjetCourant->couleur[0] == ' ') return;
    ObjetGfx* objet = ObjetGfx_Pret(n);
    if (objet == nullptr) return;
    const auto* c = reinterpret_cast<const uint8_t*>(ObjetCourant->couleur);
    Spr_Repal(objet->sprite, 0, 32, c[0], c[1], c[2]);
    objet->cleCouleur = cle;
}

void ObjetGfx_Ombre(int n, int niveau) {
    niveau = std::clamp(niveau, 0, 31);
    // Loaded first: a load puts the level back to 31, and the comparison must see that.
    ObjetGfx* objet = ObjetGfx_Pret(n);
    if (objet == nullptr || niveau == objet->niveauOmbre) return;
    objet->niveauOmbre = niveau;
    Spr_OmbrePal(objet->sprite, static_cast<uint8_t>(31 - niveau), 0);
}

void Sprite__Affiche(int n, int x, int y, int image) {
    if (ObjetGfx* objet = ObjetGfx_Pret(n)) Spr_Aff(objet->sprite, &EcranDestination, x, y, image);
}

void Sprite__AfficheTrs50(int n, int x, int y, int image) {
    if (ObjetGfx* objet = ObjetGfx_Pret(n)) Spr_AffTrs50(objet->sprite, &EcranDestination, x, y, image);
}

void Sprite__AfficheTrs(int n, int x, int y, int image, uint8_t niveau) {
    if (ObjetGfx* objet = ObjetGfx_Pret(n)) Spr_AffTrs(objet->sprite, &EcranDestination, x, y, image, niveau);
}

void Sprite__AfficheEclaire(int16_t n, int16_t x, int16_t y, int16_t image, int r, int g, int b) {
    if (ObjetGfx* objet = ObjetGfx_Pret(n))
        Spr_Ecl(objet->sprite, &EcranDestination, x, y, image, Niveau31(r), Niveau31(g), Niveau31(b));
}

void Sprite__AfficheOmbreRGB(int16_t n, int16_t x, int16_t y, int16_t image, int r, int g, int b) {
    if (ObjetGfx* objet = ObjetGfx_Pret(n))
        Spr_Omb(objet->sprite, &EcranDestination, x, y, image, Niveau31(r), Niveau31(g), Niveau31(b));
}

void Sprite__AfficheOmbre(int16_t n, int16_t x, int16_t y, int16_t image) {
    if (ObjetGfx* objet = ObjetGfx_Pret(n)) Spr_Omb(objet->sprite, &EcranDestination, x, y, image, 14, 14, 14);
}

// Both bytes of each pixel take the value; the span is clipped to the back buffer.
void Ecran__RemplitLigne(int x, int y, int n, uint8_t valeur) {
    if (EcranTampon == nullptr || y < 0 || y >= HauteurEcran) return;
    const int debut = std::max(x, 0);
    const int fin = static_cast<int>(std::min<int64_t>(int64_t{x} + std::max(n, 0), LargeurEcran));
    const uint16_t v = static_cast<uint16_t>(valeur | (valeur << 8));
    for (int i = debut; i < fin; ++i) EcranTampon[static_cast<size_t>(y) * LargeurLigneEcran + i] = v;
}

void Ecran__RemplitColonne(int x, int y, int n, uint8_t valeur) {
    if (EcranTampon == nullptr || x < 0 || x >= LargeurEcran) return;
    const int debut = std::max(y, 0);
    const int fin = static_cast<int>(std::min<int64_t>(int64_t{y} + std::max(n, 0), HauteurEcran));
    const uint16_t v = static_cast<uint16_t>(valeur | (valeur << 8));
    for (int i = debut; i < fin; ++i) EcranTampon[static_cast<size_t>(i) * LargeurLigneEcran + x] = v;
}
