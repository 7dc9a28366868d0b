#include "foundation/fenetre.h"

#include <cstdio>

#include "foundation/cinematique.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/polices.h"
#include "foundation/son.h"
#include "platform/fichiers.h"
#include "shell/curseur.h"

int Fenetre_Creation(void* instance) {
    InstanceApplication = instance;
    if (!Fenetre_EnregistrerClasse("MORVANE", Fenetre_Procedure)) return 0;
    FenetrePrincipale = Fenetre_Creer("MORVANE", "MORVANE", 0, 0, 640, 480);
    if (FenetrePrincipale == nullptr) return 0;
    TableTexteFondu_Construction();
    return 1;
}

namespace {

// A frame of the movie player: copied into the back buffer, then the frame callback draws over it.
void Film_Image(ParamLong l) {
    if ((EtatCinematique & 1) == 0) return;
    const auto* notification = reinterpret_cast<const NotificationFilm*>(l);
    if (notification == nullptr || notification->image == nullptr) return;
    SurfaceImage* surface = notification->image;
    uint16_t* pixels = Surface_Verrouiller(surface);
    if (pixels == nullptr) {
        if (FILE* f = Fichier_Ouvrir("ErreurLock.txt", "wt")) {
            std::fprintf(f, "%s\n", "Erreur lockl");
            std::fclose(f);
        }
        return;
    }
    if (EcranTampon != nullptr) {
        if (surface->largeur == 640) {
            // A full-width frame fills the buffer from the top, row by row with its own pitch.
            int lignes = surface->hauteur < HauteurEcran ? surface->hauteur : HauteurEcran;
            int n = LargeurEcran < 640 ? LargeurEcran : 640;
            for (int y = 0; y < lignes; ++y)
                for (int x = 0; x < n; ++x)
                    EcranTampon[static_cast<size_t>(y) * LargeurEcran + x] = pixels[static_cast<size_t>(y) * surface->pas + x];
        } else {
            Ecran_CopieImage(EcranTampon, pixels, surface->largeur, surface->hauteur, surface->pas);
        }
    }
    Surface_Deverrouiller(surface);
    if (RappelCinematique) EtatCinematique = RappelCinematique(EtatCinematique);
}

}  // namespace

intptr_t Fenetre_Procedure(HandleFenetre fenetre, uint32_t message, ParamMot w, ParamLong l) {
    intptr_t resultat = 0;
    if (Entrees_Message(fenetre, message, w, l, &resultat)) return resultat;
    switch (message) {
        case MSG_PEINTURE:
            return 0;
        case MSG_FERMER:
            CD__Arrete();
            Polices_Retrait();
            Message_PosterQuitter(0);
            return 0;
        case MSG_QUITTER:
            QuitterJeu = 1;
            return 0;
        case MSG_ACTIVATION_APP:
            ApplicationActive = static_cast<int32_t>(w);
            if (w) CD__Reprise();
            else CD__Pause();
            return Fenetre_ProcedureDefaut(fenetre, message, w, l);
        case MSG_CURSEUR:
            Curseur__Masquer();
            return 0;
        case MSG_CD_NOTIFICATION:
            if (w == 1) CD__Redemarre();
            return 0;
        case MSG_APPLICATION:
            if (w == 1) {
                if (EcranTampon) std::fill(EcranTampon, EcranTampon + static_cast<size_t>(LargeurEcran) * HauteurEcran, uint16_t{0});
            } else if (w == 2) {
                Film_Image(l);
            } else if (w == 3) {
                EtatCinematique &= ~1;
            }
            return 0;
        default:
            return Fenetre_ProcedureDefaut(fenetre, message, w, l);
    }
}
