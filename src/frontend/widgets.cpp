#include "frontend/widgets.h"

#include <cstdio>
#include <cstring>

#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "foundation/objetsgfx.h"
#include "foundation/son.h"
#include "foundation/texte.h"
#include "frontend/localisation.h"
#include "frontend/sauvegardes.h"
#include "platform/hasard.h"
#include "shell/curseur.h"
#include "shell/demarrage.h"

std::array<BoutonMenu, NB_BOUTONS_MENU> BoutonsMenu{};
int32_t NbBoutonsMenu = 0;
PointMenu PanneauOrigine{0, 0};

const std::array<ZoneMenu, 4> LignesListe{{{25, 55, 396, 36}, {25, 105, 396, 36}, {25, 155, 396, 36}, {25, 205, 396, 36}}};
const std::array<ZoneMenu, 4> LignesOptions = LignesListe;

int32_t SauvegardeSelection = 0;
int32_t SauvegardePremiere = 0;
int32_t SauvegardeLigne = 0;

int32_t OptionLigne = 0;
int32_t ResolutionIndex = 0;
const int32_t TableResolutions[5][2] = {{640, 480}, {800, 600}, {1024, 768}, {1152, 864}, {640, 480}};
char TexteResolution[TAILLE_TEXTE_OPTION] = "";
char TexteMusique[TAILLE_TEXTE_OPTION] = "";
char TexteSons[TAILLE_TEXTE_OPTION] = "";
char TexteParental[TAILLE_TEXTE_OPTION] = "";
OptionsMenu OptionsSauvegarde{};

char CodeSaisi[TAILLE_CODE_SAISI] = "";

namespace {

// Graphic objects of the menus.
constexpr int GFX_LOGO = 16;
constexpr int GFX_POINTEUR = 19;
constexpr int GFX_BOITE = 793;
constexpr int GFX_BOITE_BOUTONS = 794;
constexpr int GFX_BOUTON = 795;
constexpr int GFX_PANNEAU = 796;
constexpr int GFX_PANNEAU_BOUTONS = 797;
constexpr int GFX_LIGNE = 798;
constexpr int GFX_PANNEAU2 = 799;
constexpr int GFX_BARRE = 846;
constexpr int GFX_LIGNE_REGLAGE = 849;

constexpr uint32_t BLANC = 0xFFFFFF;
constexpr uint32_t NOIR = 0;

// The slider of an options row, relative to the row.
constexpr int REGLAGE_X = 278, REGLAGE_FIN_X = 371, REGLAGE_Y = 14, REGLAGE_FIN_Y = 32;
constexpr int BARRE_X = 282, BARRE_LARGEUR = 93;

// Lines of menus.txt.
constexpr int LIGNE_OUI = 1, LIGNE_NON = 2, LIGNE_RESOLUTION = 4, LIGNE_MUSIQUE = 5, LIGNE_SONS = 6,
              LIGNE_PARENTAL = 7, LIGNE_CODE = 107, LIGNE_CODE_FAUX = 108;
constexpr int LIGNES_CAMPAGNES[4] = {48, 49, 50, 51};

// Text in a colour, the colour before given back.
void Texte(int x, int y, uint32_t couleur, const char* texte) {
    const uint32_t avant = Texte__LitCouleur();
    Texte__Couleur(couleur);
    Texte__AfficheOmbre(x, y, "%s", texte ? texte : "");
    Texte__Couleur(avant);
}

// A row's text twice, black then white a pixel up and left.
void TexteDouble(int x, int y, const char* texte) {
    Texte(x + 1, y + 2, NOIR, texte);
    Texte(x, y, BLANC, texte);
}

bool TexteCampagne(const char* texte) {
    if (texte == nullptr) return false;
    for (int ligne : LIGNES_CAMPAGNES)
        if (std::strcmp(texte, TexteInterface(ligne)) == 0) return true;
    return false;
}

void Initialiser(BoutonMenu* b, int32_t type, int32_t x, int32_t y, int32_t largeur, int32_t hauteur, const char* texte) {
    if (b == nullptr) return;
    *b = BoutonMenu{type, x, y, largeur, hauteur, x, y, 0, texte};
}

// The hover marks of a panel's two buttons.
void MarquesBoutons(int gfx, const ZoneMenu& ok, const ZoneMenu& annuler, int32_t ox, int32_t oy, int imageOk, int imageAnnuler) {
    if (Menu__SourisDans(ok, ox, oy)) Sprite__Affiche(gfx, ox + ok.x, oy + ok.y, imageOk);
    if (Menu__SourisDans(annuler, ox, oy)) Sprite__Affiche(gfx, ox + annuler.x, oy + annuler.y, imageAnnuler);
}

// A click: the held left button over the zone, taken.
bool Clic(const ZoneMenu& z, int32_t ox, int32_t oy) {
    if (!BoutonGauche || !Menu__SourisDans(z, ox, oy)) return false;
    BoutonGauche = 0;
    return true;
}

bool Pris(int32_t& touche) {
    if (!touche) return false;
    touche = 0;
    return true;
}

// The sound sample of the sounds' volume.
void EchantillonSon(int32_t intervalle) { Son__JoueIntervalle(110 + Hasard_Visuel() % 40, intervalle); }

void Musique(int32_t volume) {
    VolumeMusique = volume < 0 ? 0 : volume > 100 ? 100 : volume;
    CD__Volume(VolumeMusique);
}

void Sons(int32_t volume, int32_t intervalle) {
    VolumeSons = volume < 0 ? 0 : volume > 100 ? 100 : volume;
    Son__VolumeAux(VolumeSons);
    EchantillonSon(intervalle);
}

// The Right (sens 1) or Left (sens -1) key on the selected row; true when the code box opens.
bool Changer(int sens) {
    switch (OptionLigne) {
        case 0:
            ResolutionIndex = (ResolutionIndex + sens + 4) % 4;
            ResolutionLargeur = TableResolutions[ResolutionIndex][0];
            ResolutionHauteur = TableResolutions[ResolutionIndex][1];
            Options__Textes();
            return false;
        case 1:
            Musique(VolumeMusique + sens);
            Options__Textes();
            return false;
        case 2:
            Sons(VolumeSons + sens, 1000);
            Options__Textes();
            return false;
        default:
            std::memset(CodeSaisi, 0, sizeof CodeSaisi);
            return true;
    }
}

bool SurReglage(int ligne) {
    const ZoneMenu& r = LignesOptions[static_cast<size_t>(ligne)];
    return Menu__SourisDans({r.x + REGLAGE_X, r.y + REGLAGE_Y, REGLAGE_FIN_X - REGLAGE_X, REGLAGE_FIN_Y - REGLAGE_Y},
                            PanneauOrigine.x, PanneauOrigine.y);
}

int32_t VolumeSouris() { return (SourisX - PanneauOrigine.x - 303) * 100 / 93; }

// A volume bar: the sprite cut at volume / 100 of its width.
void Barre(const ZoneMenu& r, int32_t volume) {
    const int x = PanneauOrigine.x + r.x + BARRE_X, y = PanneauOrigine.y + r.y + REGLAGE_Y;
    const int32_t droite = EcranDestination.clipDroite;
    EcranDestination.clipDroite = x + volume * BARRE_LARGEUR / 100;
    if (EcranDestination.clipDroite > LargeurEcran) EcranDestination.clipDroite = LargeurEcran;
    Sprite__Affiche(GFX_BARRE, x, y, 0);
    EcranDestination.clipDroite = droite;
}

}  // namespace

bool Menu__SourisDans(const ZoneMenu& z, int32_t ox, int32_t oy) {
    const int32_t x = SourisX - ox, y = SourisY - oy;
    return x >= z.x && x < z.x + z.largeur && y >= z.y && y < z.y + z.hauteur;
}

bool Bouton__Survole(const BoutonMenu& b) {
    return SourisX >= b.x && SourisX < b.x + b.largeur && SourisY >= b.y && SourisY < b.y + b.hauteur;
}

void Bouton__Initialisation(BoutonMenu* b, int32_t x, int32_t y, int32_t largeur, int32_t hauteur, const char* texte) {
    Initialiser(b, 0, x, y, largeur, hauteur, texte);
}

void Panneau__Initialisation(BoutonMenu* b, int32_t x, int32_t y, int32_t largeur, int32_t hauteur, const char* texte) {
    Initialiser(b, 1, x, y, largeur, hauteur, texte);
}

void Panneau2__Initialisation(BoutonMenu* b, int32_t x, int32_t y, int32_t largeur, int32_t hauteur, const char* texte) {
    Initialiser(b, 2, x, y, largeur, hauteur, texte);
}

void Panneau3__Initialisation(BoutonMenu* b, int32_t x, int32_t y, int32_t largeur, int32_t hauteur, const char* texte) {
    Initialiser(b, 3, x, y, largeur, hauteur, texte);
    Texte__Couleur(COULEUR_BOUTON);
}

void Bouton__Deplacement(BoutonMenu* b, int32_t x, int32_t y, int32_t pas) {
    if (b == nullptr) return;
    b->cibleX = x;
    b->cibleY = y;
    b->pas = pas;
}

void Bouton__Affichage(BoutonMenu* b) {
    if (b == nullptr) return;
    const uint32_t avant = Texte__LitCouleur();
    Texte__Couleur(COULEUR_BOUTON);
    const bool visible = b->x < LargeurEcran && b->y < HauteurEcran && b->x + b->largeur - 1 >= 0 &&
                         b->y + b->hauteur - 1 >= 0 && b->type >= 0 && b->type <= 3;
    if (visible) {
        const char* texte = b->texte ? b->texte : "";
        if (b->type == 0) {
            Sprite__Affiche(GFX_BOUTON, b->x, b->y, 0);
            const bool survol = Bouton__Survole(*b);
            uint32_t couleur = survol ? COULEUR_BOUTON_SURVOLE : COULEUR_BOUTON;
            if (CampagneCommencee == 0 && TexteCampagne(b->texte)) couleur = survol ? COULEUR_VERROU_SURVOLE : COULEUR_VERROU;
            Texte__Couleur(couleur);
            Texte__AfficheOmbre(b->x + 32, b->y + 20, "%s", texte);
        } else {
            static const int sprites[4] = {GFX_BOUTON, GFX_PANNEAU, GFX_PANNEAU2, GFX_BOITE};
            Sprite__Affiche(sprites[b->type], b->x, b->y, 0);
            Texte__AfficheOmbre(b->x + 32, b->y + 32, "%s", texte);
        }
    }
    if (b->pas > 0) {
        b->x += (b->cibleX - b->x) / b->pas;
        b->y += (b->cibleY - b->y) / b->pas;
        b->pas -= 1;
    }
    Texte__Couleur(avant);
}

void Menu__Logo(LogoMenu mode, int32_t decompte) {
    if (decompte < 0) decompte = 0;
    if (decompte > PAS_GLISSEMENT) decompte = PAS_GLISSEMENT;
    switch (mode) {
        case LogoMenu::Opaque:
            Sprite__Affiche(GFX_LOGO, 89, 50, 0);
            break;
        case LogoMenu::Disparait:
            Sprite__AfficheTrs(GFX_LOGO, 89, 50, 0, static_cast<uint8_t>(decompte * 31 / PAS_GLISSEMENT));
            break;
        case LogoMenu::Apparait:
            Sprite__AfficheTrs(GFX_LOGO, 89, 50, 0, static_cast<uint8_t>((PAS_GLISSEMENT - decompte) * 31 / PAS_GLISSEMENT));
            break;
    }
}

void Menu__Pointeur() {
    Sprite__Affiche(GFX_POINTEUR, SourisX, SourisY, 0);
    Curseur__Ombre(GFX_POINTEUR, 0);
}

// Save list.

void ListeSauvegardes__Ouverture(int32_t x, int32_t y) {
    PanneauOrigine = {x, y};
    LireSauvegardes();
    SauvegardeSelection = 0;
    SauvegardePremiere = 0;
    SauvegardeLigne = 0;
}

ActionPanneau ListeSauvegardes__Saisie() {
    const int32_t ox = PanneauOrigine.x, oy = PanneauOrigine.y;
    if (Pris(ToucheHaut) || (BoutonGauche && Menu__SourisDans(ZONE_FLECHE_HAUT, ox, oy) && SauvegardeSelection >= 1)) {
        if (SauvegardeSelection > 0) {
            if (SauvegardeLigne > 0) --SauvegardeLigne;
            else --SauvegardePremiere;
            --SauvegardeSelection;
        }
    }
    if (Pris(ToucheBas) || (BoutonGauche && Menu__SourisDans(ZONE_FLECHE_BAS, ox, oy) && SauvegardeSelection < 9)) {
        if (SauvegardeSelection < 9) {
            if (SauvegardeLigne < 3) ++SauvegardeLigne;
            else ++SauvegardePremiere;
            ++SauvegardeSelection;
        }
    }
    if (BoutonGauche)
        for (int i = 0; i < 4; ++i)
            if (Menu__SourisDans(LignesListe[static_cast<size_t>(i)], ox, oy) && SauvegardePremiere + i < NB_SAUVEGARDES) {
                SauvegardeLigne = i;
                SauvegardeSelection = SauvegardePremiere + i;
            }
    // OK and Cancel are clicks: a button still held does not reach the screen that follows.
    if (Pris(ToucheEchap) || Clic(ZONE_ANNULER, ox, oy)) return ActionPanneau::Annuler;
    if (Pris(ToucheEntree) || Clic(ZONE_OK, ox, oy)) return ActionPanneau::Valider;
    return ActionPanneau::Rien;
}

void ListeSauvegardes__Affichage() {
    const int32_t ox = PanneauOrigine.x, oy = PanneauOrigine.y;
    MarquesBoutons(GFX_PANNEAU_BOUTONS, ZONE_OK, ZONE_ANNULER, ox, oy, 1, 0);
    for (int i = 0; i < 4; ++i) {
        const int emplacement = SauvegardePremiere + i;
        if (emplacement < 0 || emplacement >= NB_SAUVEGARDES) continue;
        const ZoneMenu& r = LignesListe[static_cast<size_t>(i)];
        if (emplacement == SauvegardeSelection) Sprite__Affiche(GFX_LIGNE, ox + r.x, oy + r.y, 0);
        TexteDouble(ox + r.x + 32, oy + r.y + 20, NomsSauvegardes[emplacement]);
    }
}

// Options.

void Options__Textes() {
    std::snprintf(TexteResolution, sizeof TexteResolution, "%d x %d", ResolutionLargeur, ResolutionHauteur);
    std::snprintf(TexteMusique, sizeof TexteMusique, "%d", VolumeMusique);
    std::snprintf(TexteSons, sizeof TexteSons, "%d", VolumeSons);
    std::snprintf(TexteParental, sizeof TexteParental, "%s", TexteInterface(ControleParental ? LIGNE_OUI : LIGNE_NON));
}

void Options__Ouverture() {
    // The index follows the resolution read from the configuration.
    for (int i = 0; i < 4; ++i)
        if (TableResolutions[i][0] == ResolutionLargeur && TableResolutions[i][1] == ResolutionHauteur) ResolutionIndex = i;
    OptionsSauvegarde = {ResolutionIndex, ResolutionLargeur, ResolutionHauteur, VolumeMusique, VolumeSons, ControleParental};
    Options__Textes();
}

void Options__Restauration() {
    ResolutionIndex = OptionsSauvegarde.resolutionIndex;
    ResolutionLargeur = OptionsSauvegarde.largeur;
    ResolutionHauteur = OptionsSauvegarde.hauteur;
    ControleParental = OptionsSauvegarde.parental;
    // The devices play at the volumes the configuration will keep.
    if (VolumeMusique != OptionsSauvegarde.musique) Musique(OptionsSauvegarde.musique);
    if (VolumeSons != OptionsSauvegarde.sons) {
        VolumeSons = OptionsSauvegarde.sons;
        Son__VolumeAux(VolumeSons);
    }
    Options__Textes();
}

ActionPanneau Options__Saisie() {
    const int32_t ox = PanneauOrigine.x, oy = PanneauOrigine.y;
    if (BoutonGauche) {
        const int32_t avant = OptionLigne;
        bool reglage = false;
        if (SurReglage(1)) {
            Musique(VolumeSouris());
            Options__Textes();
            reglage = true;
        } else if (SurReglage(2)) {
            Sons(VolumeSouris(), 2000);
            Options__Textes();
            reglage = true;
        }
        if (Clic(ZONE_OK, ox, oy)) return ActionPanneau::Valider;
        if (Clic(ZONE_ANNULER, ox, oy)) {
            Options__Restauration();
            return ActionPanneau::Annuler;
        }
        bool surLigne = false;
        for (int i = 0; i < 4; ++i)
            if (Menu__SourisDans(LignesOptions[static_cast<size_t>(i)], ox, oy)) {
                OptionLigne = i;
                surLigne = true;
            }
        // Held on the selected row (not on its slider): its value changes once, at the release.
        if (OptionLigne == avant && surLigne && !reglage) ToucheDroite = 1;
        return ActionPanneau::Rien;
    }
    if (Pris(ToucheHaut)) OptionLigne = (OptionLigne + 3) % 4;
    if (Pris(ToucheBas)) OptionLigne = (OptionLigne + 1) % 4;
    if (Pris(ToucheDroite) && Changer(1)) return ActionPanneau::CodeParental;
    if (Pris(ToucheGauche) && Changer(-1)) return ActionPanneau::CodeParental;
    if (Pris(ToucheEntree)) return ActionPanneau::Valider;
    if (Pris(ToucheEchap)) {
        Options__Restauration();
        return ActionPanneau::Annuler;
    }
    return ActionPanneau::Rien;
}

void Options__Affichage(BoutonMenu* boutonOptions) {
    const int32_t ox = PanneauOrigine.x, oy = PanneauOrigine.y;
    Bouton__Affichage(boutonOptions);
    MarquesBoutons(GFX_PANNEAU_BOUTONS, ZONE_OK, ZONE_ANNULER, ox, oy, 1, 0);
    const auto ligne = [&](int i) -> const ZoneMenu& { return LignesOptions[static_cast<size_t>(i)]; };
    const auto x = [&](int i) { return ox + ligne(i).x; };
    const auto y = [&](int i) { return oy + ligne(i).y; };

    if (OptionLigne == 0) Sprite__Affiche(GFX_LIGNE, x(0), y(0), 0);
    TexteDouble(x(0) + 32, y(0) + 20, TexteInterface(LIGNE_RESOLUTION));
    TexteDouble(x(0) + ligne(0).largeur - 100, y(0) + 20, TexteResolution);

    const int lignesVolume[2] = {LIGNE_MUSIQUE, LIGNE_SONS};
    const int32_t volumes[2] = {VolumeMusique, VolumeSons};
    for (int k = 0; k < 2; ++k) {
        const int i = k + 1;
        if (OptionLigne == i) Sprite__Affiche(GFX_LIGNE_REGLAGE, x(i), y(i), 0);
        Texte(x(i) + 32, y(i) + 22, BLANC, TexteInterface(lignesVolume[k]));
        Barre(ligne(i), volumes[k]);
    }

    if (OptionLigne == 3) Sprite__Affiche(GFX_LIGNE, x(3), y(3), 0);
    Texte(x(3) + 32, y(3) + 22, BLANC, TexteInterface(LIGNE_PARENTAL));
    Texte(x(3) + ligne(3).largeur - 99, y(3) + 22, BLANC, TexteParental);
}

// Parental code box.

PointMenu CodeParental__Coin() { return {(LargeurEcran - 448) / 2, (HauteurEcran - 166) / 2}; }

ActionPanneau CodeParental__Saisie(bool clics) {
    const PointMenu coin = CodeParental__Coin();
    if (ToucheCaractere) {
        const size_t n = std::strlen(CodeSaisi);
        if (n < TAILLE_CODE_SAISI - 1) {
            CodeSaisi[n] = static_cast<char>(ToucheCaractere);
            CodeSaisi[n + 1] = 0;
        }
        ToucheCaractere = 0;
    }
    if (Pris(ToucheRetourArriere)) {
        const size_t n = std::strlen(CodeSaisi);
        if (n > 0) CodeSaisi[n - 1] = 0;
    }
    if (clics) {
        if (Clic(ZONE_BOITE_OK, coin.x, coin.y)) return ActionPanneau::Valider;
        if (Clic(ZONE_BOITE_ANNULER, coin.x, coin.y)) return ActionPanneau::Annuler;
    } else {
        Clic(ZONE_BOITE_OK, coin.x, coin.y);
    }
    if (Pris(ToucheEchap)) return ActionPanneau::Annuler;
    if (Pris(ToucheEntree)) return ActionPanneau::Valider;
    return ActionPanneau::Rien;
}

void CodeParental__Validation() {
    if (ControleParental == 0) {
        std::snprintf(CodeParental, sizeof CodeParental, "%s", CodeSaisi);
        ControleParental = 1;
    } else if (std::strcmp(CodeSaisi, CodeParental) == 0) {
        ControleParental = 0;
    } else {
        Avertissement(TexteInterface(LIGNE_CODE), "%s", TexteInterface(LIGNE_CODE_FAUX));
    }
    Options__Textes();
}

void CodeParental__Affichage() {
    const PointMenu coin = CodeParental__Coin();
    Sprite__Affiche(GFX_BOITE, coin.x, coin.y, 0);
    MarquesBoutons(GFX_BOITE_BOUTONS, ZONE_BOITE_OK, ZONE_BOITE_ANNULER, coin.x, coin.y, 1, 0);
    Texte__AfficheOmbre(coin.x + 24, coin.y + 24, "%s", TexteInterface(LIGNE_CODE));
    Texte__AfficheOmbre(coin.x + 24, coin.y + 64, "%s", CodeSaisi);
}

// Quit box.

ActionPanneau BoiteQuitter__Saisie() {
    const int32_t ox = PanneauOrigine.x, oy = PanneauOrigine.y;
    if (Pris(ToucheEntree) || Clic(ZONE_BOITE_OK, ox, oy)) return ActionPanneau::Valider;
    if (Pris(ToucheEchap) || Clic(ZONE_BOITE_ANNULER, ox, oy)) return ActionPanneau::Annuler;
    return ActionPanneau::Rien;
}

void BoiteQuitter__Affichage() {
    MarquesBoutons(GFX_BOITE_BOUTONS, ZONE_BOITE_OK, ZONE_BOITE_ANNULER, PanneauOrigine.x, PanneauOrigine.y, 1, 0);
}
