// The building editor's pictures: the TGA export of the buildings and the sprite hot-spot
// calibration.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "campaign/armee_fichiers.h"
#include "editors/editeur_batiment.h"
#include "editors/editeur_batiment_interne.h"
#include "editors/impression.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "foundation/objetsgfx.h"
#include "foundation/sprites.h"
#include "platform/blitter.h"
#include "platform/fichiers.h"
#include "platform/octets.h"
#include "platform/plateforme.h"
#include "platform/temps.h"
#include "scene/elements.h"
#include "world/affichage_batiments.h"
#include "world/descriptions.h"
#include "world/maitres.h"
#include "world/objets.h"

int32_t CalibrationDx = 0, CalibrationDy = 0, CalibrationPas = 1;

namespace {

const char* const OU_CALAGE = "Calage Pt Chaud de Sprite";

// The sprite file name of a master's graphic object for an orientation, empty when none.
std::string NomSprite(int maitre, int orientation) {
    const int n = EditeurBatiment__GfxOrientation(maitre, orientation);
    if (n < 0 || n >= NOMBRE_OBJETS_GFX) return {};
    const char* nom = TableObjetsGfx[static_cast<size_t>(n)].fichierSprite;
    if (nom == nullptr || std::strcmp(nom, "(null)") == 0) return {};
    return nom;
}

void ElementsA(int x, int y) {
    static Objet factice;
    factice.typeMaitre = 0;
    factice.aleaAffichage = 31;
    Objet* avant = ObjetCourant;
    ObjetCourant = &factice;
    Batiment__AffichageElements(x, y);
    ObjetCourant = avant;
}

struct Calibration {
    std::string chemin;
    std::vector<uint8_t> sprite;   // the file without its first 8 bytes, as the reader loads it
    bool charge = false;
};
Calibration& Etat() {
    static auto* etat = new Calibration;
    return *etat;
}

}  // namespace

std::string Tga__NomBatiment(int orientation, int maitre) {
    const std::string nom = NomSprite(maitre, orientation);
    if (nom.empty()) return {};
    static const char* const MOTIFS[3] = {"%s001D%s", "%sT001%s", "%s001G%s"};
    char fichier[512];
    std::snprintf(fichier, sizeof fichier, MOTIFS[orientation < 0 || orientation > 2 ? 1 : orientation], nom.c_str(), ".tga");
    return std::string("..\\spredit\\batiments\\") + fichier;
}

bool Tga__SauvegardeBatiment(const uint16_t* pixels, int largeur, int hauteur, int orientation, int maitre) {
    const std::string nom = Tga__NomBatiment(orientation, maitre);
    if (pixels == nullptr || largeur <= 0 || hauteur <= 0 || nom.empty()) return false;
    // The sprite names hold their own folders ("figures\\x"): made as needed.
    Repertoire_Creer(nom.substr(0, nom.rfind('\\')).c_str());
    std::vector<uint8_t> image(static_cast<size_t>(largeur) * static_cast<size_t>(hauteur) * 4, 0);
    Tga__Conversion555(image.data(), pixels, largeur, hauteur);
    EcritureSure ecriture(nom);
    FILE* f = ecriture.Flux();
    if (f != nullptr) Tga__Ecrire(f, image.data(), largeur, hauteur);
    if (ecriture.Valider()) return true;
    // The picture is skipped; the export goes on.
    Avertissement("Ecrit TGA", "Erreur creation fichier : %s\n", nom.c_str());
    return false;
}

int EditeurBatiment__ExportTout() {
    Ecran_ModeVideo(800, 600);
    int ecrites = 0;
    DescriptionBatiment* courante = DescriptionBatimentCourante;
    for (int m = 1; m <= NombreMaitres && m < NOMBRE_TYPES_MAITRES && m < NOMBRE_DESCRIPTIONS; ++m) {
        // One message a master, a millisecond each (headless: the clock moves no further):
        // Escape stops the export.
        Plateforme_Echeance(Temps_Ticks() + 1);
        if (EditeurBatiment__Message() < 0 || QuitterJeu || ToucheEchap) break;
        if (TableMaitres[static_cast<size_t>(m)].famille != 1) continue;
        for (int o = 0; o < 3; ++o) {
            const std::string nom = NomSprite(m, o);
            if (nom.empty()) continue;
            if (!Fichier_Existe(("..\\sprite\\" + nom + ".SPR").c_str())) continue;
            DescriptionBatimentCourante = Batiment__Description(m, o);
            EditeurBatiment__Remplir(0);
            EditeurBatiment__DessinerCouches(m, o, 400, 300, true, true);
            ElementsA(400, 300);
            const int n = EditeurBatiment__GfxOrientation(m, o);
            ObjetGfx& objet = TableObjetsGfx[static_cast<size_t>(n)];
            delete[] objet.sprite;
            objet.sprite = nullptr;
            objet.chargementEchoue = 0;
            Ecran_Affichage();
            if (EcranTampon && Tga__SauvegardeBatiment(EcranTampon, LargeurEcran, HauteurEcran, o, m)) ++ecrites;
        }
    }
    ToucheEchap = 0;
    DescriptionBatimentCourante = courante;
    SaisieValidee = 0;
    Ecran_ModeVideo(640, 480);
    return ecrites;
}

void EditeurBatiment__ExportCourant() {
    Ecran_ModeVideo(800, 600);
    SourisX = 400;
    SourisY = 300;
    ClicGauche = 0;
    int etape = 0, x = SourisX, y = SourisY;
    const DescriptionBatiment* d = DescriptionBatimentCourante;
    while (etape < 2) {
        if (ToucheEchap) break;
        EditeurBatiment__Remplir(0);
        if (etape == 0) {
            x = SourisX;
            y = SourisY;
        }
        EditeurBatiment__DessinerCouches(BatimentEdite, OrientationEditee, x, y, false, true);
        if (etape == 1 && d != nullptr)
            for (int ligne = 0; ligne < d->hauteur; ++ligne)
                for (int colonne = 0; colonne < d->largeur; ++colonne)
                    AfficherPersonnagePrePlace(colonne, ligne, x + 24 * colonne, y + 24 * ligne, 0);
        if (ClicGauche) {
            ClicGauche = 0;
            etape = etape == 0 && Batiment__NombreCodes(d) > 0 ? 1 : 2;
        }
        if (etape == 2) break;
        if (!EditeurBatiment__TourModal()) return;
    }
    if (etape == 2 && EcranTampon) Tga__SauvegardeBatiment(EcranTampon, LargeurEcran, HauteurEcran, OrientationEditee, BatimentEdite);
    ToucheEchap = 0;
    SaisieValidee = 0;
    Ecran_ModeVideo(640, 480);
}

std::string EditeurBatiment__CheminCalibration(int orientation, int maitre) {
    const std::string nom = NomSprite(maitre, orientation);
    if (nom.empty()) return {};
    static const char LETTRE[3] = {'d', 't', 'g'};
    return "..\\spredit\\batiments\\" + nom + LETTRE[orientation < 0 || orientation > 2 ? 1 : orientation] + ".SPR";
}

bool Sprite__Calibrer(const char* chemin, int32_t dx, int32_t dy) {
    std::string contenu;
    if (chemin == nullptr || !Fichier_LireTout(chemin, &contenu) || contenu.size() < 8 + 24) return false;
    if (contenu.compare(0, 8, "SPRTESK1") != 0 && contenu.compare(0, 8, "SPRTESK ") != 0) return false;
    auto* s = reinterpret_cast<uint8_t*>(contenu.data()) + 8;
    const size_t taille = contenu.size() - 8;
    if (!Blitter_Verifier(s, taille)) return false;
    // Each frame's hot spot, and the file's copy of it, moved by the shift.
    const int images = Octets_Lire16(s + 8), couleurs = Octets_Lire16(s + 10);
    const size_t table = 24 + 4 * static_cast<size_t>(couleurs);
    for (int i = 0; i < images; ++i) {
        uint8_t* image = s + Octets_Lire32(s + table + 4 * static_cast<size_t>(i));
        const int x = Octets_LireS16(image + 8) + dx, y = Octets_LireS16(image + 10) + dy;
        for (size_t champ : {size_t{4}, size_t{8}}) Octets_Ecrire16(image + champ, static_cast<uint16_t>(x));
        for (size_t champ : {size_t{6}, size_t{10}}) Octets_Ecrire16(image + champ, static_cast<uint16_t>(y));
    }
    EcritureSure ecriture(chemin);
    if (ecriture.Flux() != nullptr) std::fwrite(contenu.data(), 1, contenu.size(), ecriture.Flux());
    return ecriture.Valider();
}

void EditeurBatiment__FinCalibration() {
    Calibration& c = Etat();
    c.sprite.clear();
    c.sprite.shrink_to_fit();
    c.charge = false;
}

void EditeurBatiment__Calibration() {
    Calibration& c = Etat();
    if (!c.charge) {
        c.charge = true;
        CalibrationDx = CalibrationDy = 0;
        CalibrationPas = 1;
        c.chemin = EditeurBatiment__CheminCalibration(OrientationEditee, BatimentEdite);
        c.sprite.clear();
        const int64_t taille = c.chemin.empty() ? -1 : Fichier_TailleChemin(c.chemin.c_str());
        if (taille < 0) {
            // Said once: the calibration stays loaded without a sprite until it ends.
            Avertissement(OU_CALAGE, "%s (fichier absent)", c.chemin.empty() ? "(pas de sprite)" : c.chemin.c_str());
        } else {
            c.sprite.assign(static_cast<size_t>(taille), 0);
            const int code = Spr_Chargement(c.chemin.c_str(), c.sprite.data(), static_cast<uint32_t>(taille));
            if (code != 0) {
                char texte[512] = "";
                Spr_MessageErreur(code, texte, sizeof texte);
                Avertissement("Load du Sprite pour calage", "%s", texte);
                c.sprite.clear();
            }
        }
    }
    static int32_t* const CHIFFRES[10] = {&Touche0, &Touche1, &Touche2, &Touche3, &Touche4,
                                          &Touche5, &Touche6, &Touche7, &Touche8, &Touche9};
    for (int k = 0; k < 10; ++k)
        if (*CHIFFRES[k]) {
            *CHIFFRES[k] = 0;
            CalibrationPas = k == 0 ? 10 : k;
        }
    if (ToucheGauche) CalibrationDx += CalibrationPas;
    if (ToucheDroite) CalibrationDx -= CalibrationPas;
    if (ToucheHaut) CalibrationDy += CalibrationPas;
    if (ToucheBas) CalibrationDy -= CalibrationPas;
    ToucheGauche = ToucheDroite = ToucheHaut = ToucheBas = 0;
    if (c.sprite.empty()) {
        ToucheEntree = 0;
        return;
    }
    uint8_t* sprite = c.sprite.data();
    const int images = Spr_GetNb(sprite);
    for (int i = 0; i < images; ++i) Spr_Modoff(sprite, CalibrationDx, CalibrationDy, i);
    const DescriptionBatiment* d = DescriptionBatimentCourante;
    if (d != nullptr && EcranTampon != nullptr) Spr_AffTrs50(sprite, &EcranDestination, 12 * d->largeur, 12 * d->hauteur, 0);
    if (ToucheEntree) {
        ToucheEntree = 0;
        if (Sprite__Calibrer(c.chemin.c_str(), CalibrationDx, CalibrationDy))
            Avertissement(OU_CALAGE, "Sprite %s Sauvegarde ", c.chemin.c_str());
        else
            Avertissement(OU_CALAGE, "Erreur d ouverture fichier sprite %s", c.chemin.c_str());
        EditeurBatiment__FinCalibration();
    }
}
