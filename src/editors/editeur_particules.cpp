#include "editors/editeur_particules.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "campaign/gestion_armee.h"
#include "editors/saisie_modale.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "foundation/objetsgfx.h"
#include "foundation/texte.h"
#include "platform/fichiers.h"
#include "platform/plateforme.h"
#include "platform/temps.h"
#include "scene/particules.h"
#include "scene/particules_effets.h"
#include "shell/cycles.h"

int32_t EditeurLigne = 0;
int16_t EditeurAction = 0;
int32_t EditeurBloque = 0;

namespace {

constexpr int LONGUEUR_REPONSE = 20;   // the entries of the page keep 19 characters
constexpr int DERNIERE_LIGNE = 24;
constexpr const char* OU_EDITEUR = "Editeur de particules";

const char* const NomsAnimations[] = {"BOUCLE", "PING-PONG", "FIXE", "ECHELONNEE", "TRACE PROJECTILE", "RESTE FRAME"};
const char* const NomsModes[] = {"TRANSPARENT", "ADDITIF", "SOUSTRACTIF", "PLEIN"};
const char* const NomsEmissions[] = {"HASARD", "CIRCULAIRE FIXE", "CIRCULAIRE VARIABLE", "TRAINEE", "FLUX"};
const char* const NomsTrajets[] = {"CHAOS", "SPIRALE", "CERCLE", "UNIFORME", "UNSPIRALE"};

template <size_t N>
const char* Nom(const char* const (&noms)[N], int v) {
    return v >= 0 && static_cast<size_t>(v) < N ? noms[v] : "?";
}

// Records of deleted effects: fixed handles and animation events may still point at them.
std::vector<EffetParticule*>& EffetsRetires() {
    static auto* retires = new std::vector<EffetParticule*>;
    return *retires;
}

NoeudEffet* Tete(NoeudEffet* n) {
    if (n)
        while (n->precedent) n = n->precedent;
    return n;
}

NoeudEffet* Queue(NoeudEffet* n) {
    if (n)
        while (n->suivant) n = n->suivant;
    return n;
}

int16_t Tronque(int v) { return static_cast<int16_t>(std::clamp(v, -32768, 32767)); }

// Right (+1) goes up to the maximum, Left (-1) down to the minimum; a value already past its
// bound (from a file) is left where it is.
void Pas(int16_t& v, int sens, int minimum, int maximum) {
    if (sens > 0 && v < maximum) v = Tronque(v + 1);
    if (sens < 0 && v > minimum) v = Tronque(v - 1);
}

// A name the header can hold: one word that is neither a path nor a pattern.
bool NomValide(const char* nom) {
    if (nom[0] == 0) return false;
    for (const char* c = nom; *c; ++c)
        if (*c == ' ' || *c == '/' || *c == '\\' || *c == '*' || *c == '?' || *c == '.' || *c == ':') return false;
    return true;
}

// The entry of a name for the page; false when it is not usable (said in a box) or the program ends.
bool SaisirNom(const char* invite, char (&nom)[LONGUEUR_REPONSE]) {
    Particules_SaisieTexte(170, 170, invite, 170, 190, nom, LONGUEUR_REPONSE);
    if (QuitterJeu) return false;
    if (!NomValide(nom)) {
        Avertissement(OU_EDITEUR, "Nom incorrect : <%s>", nom);
        return false;
    }
    return true;
}

void Sauver() {
    NoeudEffet* courant = ListeEffets;
    if (courant == nullptr || courant->effet == nullptr) return;
    char nom[LONGUEUR_REPONSE];
    if (!SaisirNom("Entrez le nom de l'effet", nom)) return;
    if (std::strcmp(nom, courant->nomEffet) == 0) {
        if (!Question_Formatee("", "écrasement de l'effet courant")) return;
        Effet_Sauvegarde(courant->effet, courant->nomFichier, courant->repertoire);
        Effets_SauvegardeEntete(ListeEffets);
        return;
    }
    NoeudEffet* trouve = Tete(courant);
    while (trouve && std::strcmp(trouve->nomEffet, nom) != 0) trouve = trouve->suivant;
    if (trouve) {
        // The values on the page go into the effect of that name, which becomes the current one.
        if (!Question_Formatee("", "écrasement de l'effet %s", nom)) return;
        if (trouve->effet != courant->effet) *trouve->effet = *courant->effet;
        ListeEffets = trouve;
        Effet_Sauvegarde(trouve->effet, trouve->nomFichier, trouve->repertoire);
        Effets_SauvegardeEntete(ListeEffets);
        return;
    }
    if (!Question_Formatee("", "ajout d'un nouvel effet")) return;
    char fichier[LONGUEUR_REPONSE];
    if (!SaisirNom("Entrez le nom du fichier", fichier)) return;
    NoeudEffet* dernier = Queue(courant);
    NoeudEffet* n = Effet_NouveauNoeud(dernier);
    n->effet = new EffetParticule(*dernier->effet);
    NombreEffets = Tronque(NombreEffets + 1);
    n->numero = Tronque(NombreEffets - 1);
    std::snprintf(n->nomEffet, sizeof n->nomEffet, "%s", nom);
    std::snprintf(n->repertoire, sizeof n->repertoire, "%s", "..\\Particules\\");
    std::snprintf(n->nomFichier, sizeof n->nomFichier, "%s", fichier);
    Effet_Sauvegarde(courant->effet, n->nomFichier, n->repertoire);
    Effets_SauvegardeEntete(n);
    Effet_Chargement(n->effet, n->nomFichier, n->repertoire);
    ListeEffets = n;
}

void Effacer() {
    NoeudEffet* courant = ListeEffets;
    if (courant == nullptr) return;
    char reponse[LONGUEUR_REPONSE];
    Particules_SaisieTexte(170, 170, "Etes-vous sûr ???", 170, 190, reponse, LONGUEUR_REPONSE);
    if (QuitterJeu || std::strcmp(reponse, "n") == 0 || std::strcmp(reponse, "N") == 0) return;
    if (NombreEffets < 2 || (courant->precedent == nullptr && courant->suivant == nullptr)) {
        Avertissement(OU_EDITEUR, "impossible de supprimer l'effet car c'est le dernier");
        return;
    }
    char chemin[160];
    std::snprintf(chemin, sizeof chemin, "%s%s.txt", courant->repertoire, courant->nomFichier);
    if (!Question_Formatee("", "editeur de particules %s", chemin)) return;
    // A file that other effects read too stays for them.
    bool partage = false;
    for (NoeudEffet* n = Tete(courant); n; n = n->suivant)
        if (n != courant && std::strcmp(n->nomFichier, courant->nomFichier) == 0 &&
            std::strcmp(n->repertoire, courant->repertoire) == 0)
            partage = true;
    if (!partage) Fichier_Supprimer(chemin);
    NoeudEffet* suivant = courant->suivant;
    NoeudEffet* precedent = courant->precedent;
    if (precedent) precedent->suivant = suivant;
    if (suivant) suivant->precedent = precedent;
    for (NoeudEffet* n = suivant; n; n = n->suivant) n->numero = Tronque(n->numero - 1);
    if (courant->effet) EffetsRetires().push_back(courant->effet);
    delete courant;
    NombreEffets = Tronque(NombreEffets - 1);
    ListeEffets = Queue(suivant ? suivant : precedent);
    Effets_SauvegardeEntete(ListeEffets);
}

void Changer(EffetParticule& e, int ligne, int sens) {
    switch (ligne) {
        case 0: e.nombre = Tronque(std::max(0, e.nombre + sens)); break;
        case 1: e.dureeDeVie = Tronque(std::max(0, e.dureeDeVie + sens)); break;
        case 2: e.directionX = Tronque(e.directionX + sens); break;
        case 3: e.directionY = Tronque(e.directionY + sens); break;
        case 4: Pas(e.typePosition, sens, 0, 1); break;
        case 5: e.positionRelativeX = e.typePosition == 0 ? 0 : std::clamp(e.positionRelativeX + sens, -32768, 32767); break;
        case 6: e.positionRelativeY = e.typePosition == 0 ? 0 : std::clamp(e.positionRelativeY + sens, -32768, 32767); break;
        case 7: e.vent = e.vent ? 0 : 1; break;
        case 8: Pas(e.animation, sens, 0, 5); break;
        case 9: Pas(e.modeCopie, sens, 0, 3); break;
        case 10: Pas(e.rouge, sens, 0, 31); break;
        case 11: Pas(e.vert, sens, 0, 31); break;
        case 12: Pas(e.bleu, sens, 0, 31); break;
        case 13: Pas(e.emission, sens, 0, 4); break;
        case 14: Pas(e.trajet, sens, 0, 4); break;
        case 15: Pas(e.pasAngle, sens, 0, 360); break;
        case 16: Pas(e.typeVitesse, sens, 0, 1); break;
        case 17:
            if (e.typeVitesse == 0) e.vitesse = std::max(0.0f, e.vitesse + 0.1f * static_cast<float>(sens));
            break;
        case 18: Pas(e.plan, sens, 0, 2); break;
        case 19: Pas(e.repere, sens, 0, 1); break;
        case 20: e.naissanceDifferee = Tronque(std::max(0, e.naissanceDifferee + sens)); break;
        case 21: Pas(e.typeVie, sens, 0, 1); break;
        case 22: {
            NoeudEffet* n = ListeEffets ? (sens > 0 ? ListeEffets->suivant : ListeEffets->precedent) : nullptr;
            if (n == nullptr) break;
            ListeEffets = n;
            // Read again: what was changed and not saved is lost.
            Effet_Chargement(n->effet, n->nomFichier, n->repertoire);
            break;
        }
        case 23: Pas(EditeurAction, sens, 0, 1); break;
        case 24: {
            if (ListeSprites == nullptr) break;
            NoeudSprite* n = sens > 0 ? ListeSprites->suivant : ListeSprites->precedent;
            if (n) ListeSprites = n;
            e.sprite = Tronque(ListeSprites->codeGraphique);
            e.nombreFrames = Tronque(ListeSprites->nombreFrames);
            break;
        }
        default: break;   // past the last line
    }
}

void Ligne(int n, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Ligne(int n, const char* format, ...) {
    char texte[128];
    va_list args;
    va_start(args, format);
    std::vsnprintf(texte, sizeof texte, format, args);
    va_end(args);
    // The text layer draws no tabs: a blank for each.
    for (char* c = texte; *c; ++c)
        if (*c == '\t') *c = ' ';
    Texte__AfficheOmbre(0, 32 + 16 * n, "%s", texte);
}

void Dessiner(const EffetParticule& e) {
    Texte__AfficheOmbre(0, 16, "%s", " SYSTEME DE PARTICULE :");
    Ligne(0, " NOMBRE       : %d", e.nombre);
    Ligne(1, " DUREE DE VIE : %d", e.dureeDeVie);
    if (e.emission != 1 && e.emission != 2) {
        Ligne(2, " DIRECTION X  : %d", e.directionX);
        Ligne(3, " DIRECTION Y  : %d", e.directionY);
    }
    Ligne(4, " TYPE DE POSITION : %s", e.typePosition == 0 ? "HASARD RELATIF" : "CONSTANT RELATIVE");
    if (e.typePosition == 1) {
        Ligne(5, " POSITION RELATIVE X  : %d", e.positionRelativeX);
        Ligne(6, " POSITION RELATIVE Y  : %d", e.positionRelativeY);
    }
    Ligne(7, " VENT         : %s", e.vent ? "SOUMISE" : "INDEPENDANTE");
    Ligne(8, " ANIMATION SPRITE      : %s", Nom(NomsAnimations, e.animation));
    Ligne(9, " MODE DE COPIE    : %s", Nom(NomsModes, e.modeCopie));
    if (e.modeCopie != 0) {
        Ligne(10, "      ROUGE       : %d", e.rouge);
        Ligne(11, "      VERT        : %d", e.vert);
        Ligne(12, "      BLEU        : %d", e.bleu);
    }
    Ligne(13, " EMISSION     : %s", Nom(NomsEmissions, e.emission));
    Ligne(14, " TRAJET PARTICULE     : %s", Nom(NomsTrajets, e.trajet));
    Ligne(15, " PAS DE L'ANGLE : %hd", e.pasAngle);
    Ligne(16, " TYPE DE VITESSE    : %s", e.typeVitesse == 0 ? "UNIFORME" : "HASARD");
    if (e.typeVitesse == 0) Ligne(17, "      VITESSE       : %f", static_cast<double>(e.vitesse));
    Ligne(18, " PLAN\t\t\t\t : %d", e.plan);
    Ligne(19, " REPERE\t\t\t : %s", e.repere == 0 ? "MONDE" : "ECRAN");
    Ligne(20, " NAISSANCE DIFFERE\tDE %d FRAME", e.naissanceDifferee);
    Ligne(21, " TYPE DE VIE DES PARTICULES : %s", e.typeVie == 0 ? "HASARD" : "UNIFORME");
    Ligne(22, " APPARENCE           : %s", ListeEffets ? ListeEffets->nomEffet : "");
    Ligne(23, "%s", EditeurAction == 0 ? " SAUVER  EFFET" : " EFFACER EFFET");
    Ligne(24, "%s", "sprite selectionne ");
    if (EditeurLigne >= 0 && EditeurLigne <= DERNIERE_LIGNE) Texte__AfficheOmbre(16, 32 + 16 * EditeurLigne, "%s", ">");
    Texte__Affiche(320, 200, "%d", NombreParticulesTotal);
    Texte__Affiche(320, 240, "%d", TopFlamme);
    Sprite__Affiche(e.sprite, 150, 416, 0);
}

}  // namespace

void Touches_RAZ() { Entrees_RAZ(); }

int Particules_SaisieTexte(int inviteX, int inviteY, const char* invite, int saisieX, int saisieY, char* tampon,
                           int maximum) {
    return Saisie__Modale(inviteX, inviteY, invite, saisieX, saisieY, tampon, maximum);
}

void EditeurParticules(EffetParticule* effet) {
    if (ToucheBas) {
        ToucheBas = 0;
        ++EditeurLigne;
    }
    if (ToucheHaut) {
        ToucheHaut = 0;
        if (EditeurLigne > 0) --EditeurLigne;
    }
    for (int sens : {1, -1}) {
        int32_t& touche = sens > 0 ? ToucheDroite : ToucheGauche;
        if (!touche) continue;
        touche = 0;
        if (!EditeurBloque && effet) Changer(*effet, EditeurLigne, sens);
        effet = ListeEffets ? ListeEffets->effet : effet;
    }
    if (ToucheEspace) {
        ToucheEspace = 0;
        if (effet) effet->nombre = 0;
    }
    if (ToucheF7) {
        ToucheF7 = 0;
        if (EditeurAction == 0) Sauver();
        else Effacer();
        effet = ListeEffets ? ListeEffets->effet : nullptr;
    }
    if (effet && EcranTampon) Dessiner(*effet);
}

void EditeurParticules__Trame(int32_t trames) {
    if (EcranTampon) std::memset(EcranTampon, 0, static_cast<size_t>(LargeurEcran) * HauteurEcran * 2);
    Particules_Gestion(trames);
    Particules_Affichage(PlanParticules0.data(), NombreParticules0);
    Particules_Affichage(PlanParticules1.data(), NombreParticules1);
    Particules_Affichage(PlanParticules2.data(), NombreParticules2);
    if (ToucheF8) {
        ToucheF8 = 0;
        EffetParticule* e = ListeEffets ? ListeEffets->effet : nullptr;
        if (e) {
            EmissionTest = 1;
            switch (e->plan) {
                case 0: Particules_Emission(e, PlanParticules0.data(), 1000, &NombreParticules0, SourisX, SourisY, 0, 0, 0, -1); break;
                case 1: Particules_Emission(e, PlanParticules1.data(), 1000, &NombreParticules1, SourisX, SourisY, 0, 0, 0, -1); break;
                case 2: Particules_Emission(e, PlanParticules2.data(), 1000, &NombreParticules2, SourisX, SourisY, 0, 0, 0, -1); break;
                default: break;   // no such plan: nothing is emitted
            }
            EmissionTest = 0;
        }
    }
    EditeurParticules(ListeEffets ? ListeEffets->effet : nullptr);
}

void EditeurParticules__Boucle() {
    constexpr uint32_t PERIODE = 66;
    Touches_RAZ();
    Particules_Initialisation();
    uint32_t derniere = Temps_Ticks() - PERIODE;
    int32_t compteurFlamme = 0;
    while (!QuitterJeu) {
        if (ToucheEchap) {
            ToucheEchap = 0;
            break;
        }
        const uint32_t maintenant = Temps_Ticks();
        if (maintenant - derniere >= PERIODE) {
            derniere = maintenant;
            TopFlamme = ++compteurFlamme % 7 == 0 ? 1 : 0;
            EditeurParticules__Trame(1);
            Sprite__Affiche(19, SourisX, SourisY, 0);
            Ecran_Affichage();
        }
        Plateforme_Echeance(derniere + PERIODE);   // headless: the clock stops at each frame
        int code = 0;
        const int lu = EcranModal__Message(&code);
        if (lu < 0) break;
        const int32_t reste = static_cast<int32_t>(derniere + PERIODE - Temps_Ticks());
        if (lu == 0 && reste > 0 && reste <= static_cast<int32_t>(PERIODE)) Message_AttendreJusqua(static_cast<uint32_t>(reste));
    }
    Particules_Initialisation();
    Touches_RAZ();
}
