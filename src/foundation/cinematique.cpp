#include "foundation/cinematique.h"

#include <strings.h>

#include <cstdio>
#include <cstdlib>

#include "battle/impacts.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "foundation/son.h"
#include "media/tmfilm.h"
#include "media/tminterface.h"
#include "media/tmnotification.h"
#include "platform/fichiers.h"
#include "platform/son.h"
#include "platform/temps.h"
#include "shell/curseur.h"
#include "shell/demarrage.h"

std::atomic<int32_t> EtatCinematique{0};
RappelFilm RappelCinematique = nullptr;
TMMovie* FilmCourant = nullptr;
TMPlayParams ParametresFilm;
TMSettings ReglagesFilm;

namespace {

constexpr const char* FilmMenu = "rvf\\Menu.rvf";

// Start results that end the program.
const char* MessageEchec(int32_t code) {
    switch (code) {
        case -5: return "Il y a eu un problème d'allocation mémoire pour les buffers.";
        case -6: return "Erreur dans l'utilisation des surfaces DirectDraw (ne doit pas survenir !)";
        case -13: return "Le format de pixels de la cinématique n'est pas supporté.";
        case -14: return "La largeur de la cinématique n'est pas supportée.";
        case -15: return "Erreur dans l'initialisation des listes de buffers (ne doit pas survenir !)";
        case -17: return "Erreur lors de la création d'une Thread.";
        case -18: return "Erreur lors de la création d'un Event.";
        case -19: return "TeskMovie n'a pas réussi à charger la DLL de décompression.";
        case -21: return "TeskMovie n'a pas trouvé la fonction d'initialisation de la DLL de décompression.";
        case -23:
            return "TeskMovie a rencontré une erreur DirectX dans l'utilisation de DirectDraw. Le code d'erreur  "
                   "DirectX est dans la variable globale lastdxerror.";
        case -24: return "Le handle de fenêtre est invalide.";
        case -25:
            return "TeskMovie a rencontré une erreur DirectX dans l'utilisation de DirectSound. Le code d'erreur  "
                   "DirectX est dans la variable globale lastdxerror.";
        case -35: return "Le paramètre pcp est NULL, TM_StartMovie() ne peut pas démarrer la cinématique.";
        case -38: return "TeskMovie n'a pas pu initialiser DirectSound.";
        default: return nullptr;
    }
}

bool Passer(int passable) {
    if (!passable || (ToucheEchap == 0 && BoutonDroit != 1)) return false;
    ToucheEchap = 0;
    BoutonDroit = 0;
    EtatCinematique = 0;
    return true;
}

// Takes one message and hands it to the window; the quit message ends the wait. F2's release
// does what it does in the player's own window: the next frame-rate display, kept for the
// movie's replays.
void TraiterMessage() {
    Message m;
    if (!Message_Lire(&m)) {
        QuitterJeu = 1;
        return;
    }
    if (m.message == MSG_TOUCHE_RELACHEE && m.wParam == TOUCHE_F1 + 1 && FilmCourant != nullptr)
        ReglagesFilm.ShowRate = TM_ChangerAffichageTaux(FilmCourant);
    Message_Traduire(&m);
    Message_Distribuer(&m);
}

bool Continuer() { return (EtatCinematique & 1) != 0 && QuitterJeu == 0; }

// One turn of the wait with a clock of its own: every waiting message (a real hand makes many
// between two frames), then up to 60 ms for the next frame.
void TourReel(int passable) {
    Message m;
    while (Continuer() && Message_Attente(&m)) {
        TraiterMessage();
        if (Passer(passable)) return;
    }
    TM_AttendreNotifications(60);
    Passer(passable);
}

// One turn on the manual clock. Time moves only when the movie's threads can do nothing more
// without it, and never past the moment the next frame is due: every frame is shown, and a
// run gives the same frames whatever the machine's speed.
void TourManuel(int passable) {
    uint32_t echeance = 0, activite = 0, activitePrecedente = 0;
    bool repos = false, vuRepos = false;
    // At most about two seconds of real time; past that, time moves anyway.
    for (int i = 0; i < 2000 && Continuer(); ++i) {
        TM_AttendreNotifications(1);
        if (!Continuer()) return;
        bool r = TM_Repos(FilmCourant, &echeance, &activite);
        if (r && vuRepos && activite == activitePrecedente) {
            repos = true;
            break;
        }
        vuRepos = r;
        activitePrecedente = activite;
    }
    if (!Continuer()) return;
    const uint32_t maintenant = Temps_Ticks();
    uint32_t cible = maintenant + 10;
    if (repos && echeance != 0 && static_cast<int32_t>(echeance - maintenant) > 0) cible = echeance;
    if (repos && echeance != 0 && static_cast<int32_t>(echeance - maintenant) <= 0) cible = maintenant;
    // Input due before then is taken on the way. The deadline is given again on every turn: an
    // earlier one left by someone else (a movie stopped before its frame) replaces it until it
    // passes, and then nothing would hold the clock before the next scripted input.
    Message m;
    for (int n = 0; n < 100000 && Continuer(); ++n) {
        Plateforme_Echeance(cible);
        if (Message_Attente(&m)) {
            TraiterMessage();
            if (Passer(passable)) return;
        } else if (static_cast<int32_t>(Temps_Ticks() - cible) >= 0) {
            break;
        }
    }
    // The sound is mixed up to now before the movie's threads go on.
    Son_Rattraper();
    Passer(passable);
}

void JouerUneFois(const std::string& chemin, int passable) {
    ReglagesFilm.SoundOn = ObjetDirectSound != nullptr ? 1 : 0;
    TM_Init(FilmCourant, &ReglagesFilm);
    EtatCinematique = 1;
    int32_t resultat = TM_StartMovie(FilmCourant, chemin.c_str(), &ParametresFilm);
    if (const char* message = MessageEchec(resultat)) Erreur_Fatale("TeskMovie", "%s", message);
    if (resultat < 0) {
        // No end will be notified for a movie that did not start: nothing to wait for.
        std::fprintf(stderr, "TeskMovie: %s: %d\n", chemin.c_str(), resultat);
        EtatCinematique = 0;
    }
    const bool manuel = Plateforme_SansTete() && Temps_Manuel();
    while (Continuer()) {
        if (manuel) TourManuel(passable);
        else TourReel(passable);
    }
    TM_Stop(FilmCourant);
    TM_Close(FilmCourant);
}

}  // namespace

std::vector<std::string> Cinematique_Lecteurs() {
    std::vector<std::string> lecteurs;
    if (const char* cd = std::getenv("MORVANE_CD"); cd != nullptr && *cd != 0) lecteurs.emplace_back(cd);
    lecteurs.emplace_back("..");
    return lecteurs;
}

void Cinematique_Jouer(const char* nom, int passable, RappelFilm rappel) {
    if (nom == nullptr) return;
    TremblementAmplitude = 0;
    FonduNiveau = 0;
    Ecran_ModeVideo(640, 480);
    Curseur__Masquer();
    EffetImpactViderTable();
    const bool menu = strcasecmp(nom, FilmMenu) == 0;
    std::string chemin;
    bool trouve = false;
    if (menu) {
        chemin = std::string("..\\") + nom;
        trouve = true;
    } else {
        CD__Arrete();
        for (const std::string& lecteur : Cinematique_Lecteurs()) {
            std::string essai = lecteur + "\\" + nom;
            if (FILE* f = Fichier_Ouvrir(essai.c_str(), "rb")) {
                std::fclose(f);
                chemin = essai;
                trouve = true;
                break;
            }
        }
        if (!trouve) Avertissement("Morvane", "%s not found ! (Insert CD 2)", nom);
    }
    RappelCinematique = rappel;
    // A movie found nowhere is not played: no end would ever be notified.
    if (trouve && FilmCourant != nullptr) {
        do {
            JouerUneFois(chemin, passable);
        } while ((EtatCinematique & 2) != 0 && QuitterJeu == 0);
    }
    EtatCinematique = 0;
    RappelCinematique = nullptr;
    if (!menu && PisteCDDemandee != -1) CD__Joue(PisteCDDemandee);
    Curseur__Masquer();
    if (ModeSceneCourant == 2) Ecran_ModeVideo(ResolutionLargeur, ResolutionHauteur);
}
