#include "frontend/menu_principal.h"

#include <algorithm>

#include "foundation/cinematique.h"
#include "foundation/demo_images.h"
#include "foundation/demo_sprites.h"
#include "foundation/demo_texte.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/son.h"
#include "platform/temps.h"
#include "shell/curseur.h"
#include "shell/routeur.h"
#include "world/demo_batiments.h"
#include "world/demo_monde.h"

int32_t MenuChoix = -1;
int32_t MenuDelai = 30000;
uint32_t MenuHeureRepos = 0;

namespace {

int32_t Page = 0;
bool QuestionDemandee = false;
int32_t Appels = 0;
int32_t DerniereSourisX = -1, DerniereSourisY = -1;

// A gradient with the mouse marked as a white, black-edged cross.
void ImageDEssai() {
    for (int y = 0; y < HauteurEcran; ++y)
        for (int x = 0; x < LargeurEcran; ++x) {
            int r = x * 31 / (LargeurEcran - 1), v = y * 31 / (HauteurEcran - 1), b = 31 - r;
            EcranTampon[y * LargeurEcran + x] = static_cast<uint16_t>(r << 10 | v << 5 | b);
        }
    auto point = [](int x, int y, uint16_t c) {
        if (x >= 0 && y >= 0 && x < LargeurEcran && y < HauteurEcran) EcranTampon[y * LargeurEcran + x] = c;
    };
    for (int d = -8; d <= 8; ++d)
        for (int e = -1; e <= 1; ++e) {
            uint16_t c = e == 0 ? 0x7FFF : 0;
            point(SourisX + d, SourisY + e, c);
            point(SourisX + e, SourisY + d, c);
        }
}

bool Pris(int32_t& touche) {
    if (!touche) return false;
    touche = 0;
    MenuHeureRepos = Temps_Ticks();
    return true;
}

// Without the menu movie, the menu runs on a black background at the movie's pace.
void SansFilm() {
    while (!QuitterJeu) {
        Message m;
        while (!QuitterJeu && Message_Attente(&m)) {
            if (!Message_Lire(&m)) QuitterJeu = 1;
            else {
                Message_Traduire(&m);
                Message_Distribuer(&m);
            }
        }
        if (QuitterJeu) break;
        if (EcranTampon) std::fill(EcranTampon, EcranTampon + static_cast<size_t>(LargeurEcran) * HauteurEcran, uint16_t{0});
        if (CallbackMenuPrincipal(3) == 0) break;
        Temps_Dormir(66);
    }
}

}  // namespace

int32_t CallbackMenuPrincipal(int32_t etat) {
    ++Appels;
    Curseur__Masquer();
    if (SourisX != DerniereSourisX || SourisY != DerniereSourisY || BoutonGauche || BoutonDroit) {
        DerniereSourisX = SourisX;
        DerniereSourisY = SourisY;
        BoutonGauche = BoutonDroit = 0;
        MenuHeureRepos = Temps_Ticks();
    }
    if (Pris(ToucheEntree)) {
        MenuChoix = 1;
        return 0;
    }
    if (Pris(ToucheEchap)) {
        MenuChoix = 5;
        return 0;
    }
    if (Pris(ToucheV) || Temps_Ticks() - MenuHeureRepos >= static_cast<uint32_t>(MenuDelai)) {
        MenuChoix = -1;
        return 0;
    }
    if (Pris(ToucheQ)) {
        QuestionDemandee = true;
        return 0;
    }
    int32_t* pages[] = {&Touche0, &Touche1, &Touche2, &Touche3, &Touche4, &Touche5, &Touche6};
    for (int i = 0; i < 7; ++i)
        if (Pris(*pages[i])) Page = i;
    if (Pris(ToucheS)) {
        static const int32_t sons[] = {2011, 2012, 2017, 2018, 2019, 2010};
        static int suivant = 0;
        Son__JoueIntervalle(sons[suivant], 0);
        suivant = (suivant + 1) % 6;
    }
    if (Pris(ToucheM)) CD__Joue(2);
    switch (Page) {
        case 1: ImageDEssai(); break;
        case 2: Demo_ImagesEtTuiles(); break;
        case 3: Demo_Sprites(); break;
        case 4: Demo_Texte(); break;
        case 5: Demo_Figures(); break;
        case 6: Demo_Batiments(); break;
        default: break;
    }
    Ecran_Affichage();
    return etat | 3;
}

int MenuPrincipal(int32_t delai) {
    if (ModeJeuCourant == 3) return 0;
    MenuDelai = delai;
    Entrees_RAZ();
    MenuChoix = -1;
    EcranDestination.clipGauche = EcranDestination.clipHaut = 0;
    EcranDestination.clipDroite = LargeurEcran;
    EcranDestination.clipBas = HauteurEcran;
    MenuHeureRepos = Temps_Ticks();
    DerniereSourisX = SourisX;
    DerniereSourisY = SourisY;
    for (;;) {
        QuestionDemandee = false;
        Appels = 0;
        Cinematique_Jouer("rvf\\Menu.rvf", 0, CallbackMenuPrincipal);
        if (Appels == 0) SansFilm();
        // The question box runs its own message loop: never from inside a movie frame.
        if (!QuestionDemandee || QuitterJeu) break;
        Ecran_Affichage();
        Demo_Question();
        MenuHeureRepos = Temps_Ticks();
    }
    Entrees_RAZ();
    return MenuChoix;
}
