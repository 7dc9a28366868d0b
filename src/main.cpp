// The program: the platform starts, then the game.
#include <cstdio>
#include <string>

#include "foundation/cinematique.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/fenetre.h"
#include "foundation/demo_images.h"
#include "foundation/demo_sprites.h"
#include "foundation/demo_texte.h"
#include "foundation/erreurs.h"
#include "foundation/objetsgfx.h"
#include "foundation/polices.h"
#include "foundation/sprites.h"
#include "foundation/son.h"
#include "platform/blitter.h"
#include "platform/temps.h"
#include "world/demo_batiments.h"
#include "world/demo_monde.h"

namespace {

// Until the shell's start-up exists: a frame that shows presentation and input work.
void ImageDEssai() {
    for (int y = 0; y < HauteurEcran; ++y)
        for (int x = 0; x < LargeurEcran; ++x) {
            int r = x * 31 / (LargeurEcran - 1), v = y * 31 / (HauteurEcran - 1), b = 31 - r;
            EcranTampon[y * LargeurEcran + x] = static_cast<uint16_t>(r << 10 | v << 5 | b);
        }
    // The mouse: a white cross, black-edged.
    for (int d = -8; d <= 8; ++d)
        for (int e = -1; e <= 1; ++e) {
            auto point = [](int x, int y, uint16_t c) {
                if (x >= 0 && y >= 0 && x < LargeurEcran && y < HauteurEcran) EcranTampon[y * LargeurEcran + x] = c;
            };
            uint16_t c = e == 0 ? 0x7FFF : 0;
            point(SourisX + d, SourisY + e, c);
            point(SourisX + e, SourisY + d, c);
        }
}

// The menu's background movie, played again at its end until Escape or a right click.
int32_t RappelMenuDemo(int32_t) {
    if (ToucheEchap || BoutonDroit == 1) {
        ToucheEchap = 0;
        BoutonDroit = 0;
        return 0;
    }
    Ecran_Affichage();
    return 3;
}

// The sprite library for this processor, then the graphic object list.
void ChargerSprites() {
    CpuClasse = Cpu_Famille();
    if (CpuClasse < 0) CpuClasse = 5;
    int code = SprDll_Chargement(CpuClasse >= 4 ? "spr_p6.dll" : "spr_p5.dll");
    if (code == 0) code = SprDll_Init(12, BLITTER_FORMAT_555, nullptr);
    if (code != 0) {
        char texte[512] = "";
        Spr_MessageErreur(code, texte, sizeof texte);
        Erreur_Fatale("Init librairie sprite", "%s", texte);
    }
    CreationDeLalIsteDesObjetsGfx();
}

}  // namespace

int main() {
    std::string erreur;
    if (!Plateforme_Initialiser(Plateforme_OptionsEnvironnement(), &erreur)) {
        std::fprintf(stderr, "morvane: %s\n", erreur.c_str());
        return 2;
    }
    if (!Fenetre_Creation(nullptr)) return 1;
    Ressource__Initialisation();
    Son__Initialisation(FenetrePrincipale);
    Son__LectureListe("..\\Son\\SoundList.ini");
    if (!Polices_Creation(nullptr)) Erreur_Fatale("Init Direct X", "problème d'initialisation Direct X");
    ChargerSprites();
    Demo_ChargerMaitres();
    // Until the game exists, the keys 1 to 6 choose what the program shows; Q asks a question,
    // V plays the movies.
    int page = 1;
    Message m;
    for (;;) {
        if (Message_Attente(&m)) {
            if (!Message_Lire(&m)) break;
            Message_Traduire(&m);
            Message_Distribuer(&m);
        } else {
            int32_t* pages[] = {&Touche1, &Touche2, &Touche3, &Touche4, &Touche5, &Touche6};
            for (int i = 0; i < 6; ++i)
                if (*pages[i]) {
                    page = i + 1;
                    *pages[i] = 0;
                }
            // S plays the feedback sounds one after the other, M the music track.
            if (ToucheS) {
                static const int32_t sons[] = {2011, 2012, 2017, 2018, 2019, 2010};
                static int suivant = 0;
                ToucheS = 0;
                Son__JoueIntervalle(sons[suivant], 0);
                suivant = (suivant + 1) % 6;
            }
            if (ToucheM) {
                ToucheM = 0;
                CD__Joue(2);
            }
            // V plays the start-up movies (Escape skips the intro), then the menu's background
            // movie over and over until Escape or a right click.
            if (ToucheV) {
                ToucheV = 0;
                Cinematique_Jouer("Rvf\\Tesk.rvs", 1, Ecran_AffichageRappel);
                if (!QuitterJeu) Cinematique_Jouer("Rvf\\Intro.rvs", 1, Ecran_AffichageRappel);
                if (!QuitterJeu) Cinematique_Jouer("rvf\\Menu.rvf", 0, RappelMenuDemo);
            }
            if (page == 2) Demo_ImagesEtTuiles();
            else if (page == 3) Demo_Sprites();
            else if (page == 4) Demo_Texte();
            else if (page == 5) Demo_Figures();
            else if (page == 6) Demo_Batiments();
            else ImageDEssai();
            if (ToucheQ) {
                ToucheQ = 0;
                Ecran_Affichage();
                Demo_Question();
            }
            Ecran_Affichage();
            if (!Plateforme_SansTete()) Temps_Dormir(10);
        }
    }
    Ecran_FinCinematique();
    ObjetsGfx_Liberation();
    SprDll_Free();
    Son__Fin();
    Ressource__Fin();
    Plateforme_Fermer();
    return 0;
}
