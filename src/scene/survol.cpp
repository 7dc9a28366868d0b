#include "scene/survol.h"

#include <cstring>

#include "campaign/armee.h"      // OrJoueur
#include "campaign/campagne.h"   // OrAffiche
#include "campaign/region.h"     // RegimentsEnMouvement
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/objetsgfx.h"
#include "foundation/polices.h"
#include "foundation/texte.h"
#include "scene/panneau.h"
#include "shell/conditions.h"    // TableAttaque
#include "shell/curseur.h"
#include "shell/cycles.h"
#include "shell/routeur.h"
#include "shell/saisie.h"
#include "shell/trame.h"
#include "world/groupes.h"
#include "world/maitres.h"
#include "world/objets.h"

int32_t CurseurAttenteImage = -1;
int32_t CurseurMasque = 0;

namespace {

constexpr int OBJET_CURSEUR = 19;
constexpr int OBJET_ATTENTE = 608;
constexpr int OBJET_CURSEUR_REGION = 619;
constexpr int OBJET_PANNEAU = 831;
constexpr int OBJET_RELATION = 930;
constexpr int OBJET_OR = 954;
constexpr int MAITRE_PLACEHOLDER = 130;

uint32_t Couleur(int r, int g, int b) { return static_cast<uint32_t>(r) | static_cast<uint32_t>(g) << 8 | static_cast<uint32_t>(b) << 16; }

bool Vivant(int indice) { return indice > 0 && indice < NOMBRE_OBJETS && TableObjets[static_cast<size_t>(indice)].noeudListe != nullptr; }

bool GroupeSelectionne(int groupe) {
    for (int i = 0; i < NombreGroupesSelectionnes && i < NOMBRE_GROUPES; ++i)
        if (GroupesSelectionnes[static_cast<size_t>(i)] == groupe) return true;
    return false;
}

const char* NomMaitre(int type) {
    return type >= 0 && type < NOMBRE_TYPES_MAITRES ? NomsMaitres[static_cast<size_t>(type)] : nullptr;
}

}  // namespace

void Curseur__Animation() {
    if (++CurseurAttenteImage >= 33) CurseurAttenteImage = 0;
    if (EcranTampon != nullptr && LargeurEcran > 0 && HauteurEcran > 0)
        std::memset(EcranTampon, 0, static_cast<size_t>(LargeurEcran) * static_cast<size_t>(HauteurEcran) * 2);
    Curseur__Ombre(OBJET_ATTENTE, static_cast<int16_t>(CurseurAttenteImage));
    Sprite__Affiche(OBJET_ATTENTE, SourisX, SourisY, CurseurAttenteImage);
    Ecran_Affichage();
}

void Curseur__Affichage() {
    if (CurseurAttenteImage != -1) {
        Curseur__Animation();
        return;
    }
    if (ModeSceneCourant == 1 && RegimentsEnMouvement == 1) {
        Sprite__Affiche(OBJET_CURSEUR_REGION, SourisX, SourisY, CompteurTrameRegion);
        Curseur__Ombre(OBJET_CURSEUR_REGION, static_cast<int16_t>(CompteurTrameRegion));
        return;
    }
    Sprite__Affiche(OBJET_CURSEUR, SourisX, SourisY, SourisAccumul);
    Curseur__Ombre(OBJET_CURSEUR, 0);
    if (CapaciteArmee != -1 && SortArme > 0) {
        if (SortCiblable) Sprite__Affiche(SortArme, SourisX, SourisY, 0);
        else Sprite__AfficheEclaire(static_cast<int16_t>(SortArme), static_cast<int16_t>(SourisX), static_cast<int16_t>(SourisY), 0, 31, 0, 0);
    }
}

int Relation__Image(int armee) {
    if (armee < 0 || armee >= 6) return -1;   // the placeholder army has no relation
    if (armee == 0) return 3;
    if (TableAttaque[0][static_cast<size_t>(armee)] == 1) return 1;
    for (int j = 0; j <= 4; ++j)
        if (TableAttaque[static_cast<size_t>(armee)][static_cast<size_t>(j)] == 1) return 0;
    return 2;
}

int Survol__Objet() {
    int o = SourisSurvol;
    if (SourisSurvolUnite) o = SourisSurvolUnite;
    if (SourisSurvolAir) o = SourisSurvolAir;
    if (!Vivant(o)) return 0;
    const Objet& objet = TableObjets[static_cast<size_t>(o)];
    if (objet.ordreSecondaire == 4 || objet.typeMaitre == MAITRE_PLACEHOLDER) return 0;
    if (GroupeSelectionne(objet.groupe)) return 0;
    return o;
}

void InfoBulle__Affichage() {
    if (CurseurMasque) return;
    if (ModeSceneCourant != 0 && ModeSceneCourant != 2) return;
    if (ModeSceneCourant == 0) {
        const int b = Objet__RechercheRayonFamille1(RepereX + SourisX / 24, RepereY + SourisY / 24, 3);
        const char* nom = Vivant(b) ? NomMaitre(TableObjets[static_cast<size_t>(b)].typeMaitre) : nullptr;
        if (nom != nullptr && std::strcmp(nom, "*") != 0) InfoBulle(LargeurEcran / 2, 80, nom);
    }
    const int bas = EcranDestination.clipBas;
    Sprite__AfficheTrs50(OBJET_PANNEAU, 0, bas, 0);
    if (LargeurEcran > 640) Sprite__AfficheTrs50(OBJET_PANNEAU, 624, bas, 0);

    const int survol = Survol__Objet();
    if (survol) {
        ObjetCourant = &TableObjets[static_cast<size_t>(survol)];
        Portrait__Affichage(8, 64, 0, 1);
        const Objet& o = TableObjets[static_cast<size_t>(survol)];
        if (o.famille != 1 && o.actif) {
            const int image = Relation__Image(o.armee);
            if (image >= 0) Sprite__Affiche(OBJET_RELATION, 108, 88, image);
        }
    }
    PanneauSelection__Affichage(survol ? 1 : 0);
}

void Or__Rapprochement(int32_t* affiche, int32_t possede) {
    if (*affiche != possede) *affiche += static_cast<int32_t>((static_cast<int64_t>(possede) - *affiche) / 10);
    if (*affiche < possede) ++*affiche;
    else if (*affiche > possede) --*affiche;
}

void PanneauInfo__Affichage() {
    if (ModeSceneCourant == 1 || ModeSceneCourant == 0) {
        const int y = ModeSceneCourant == 1 ? 31 : 6;
        Sprite__Affiche(OBJET_OR, LargeurEcran - 120, y, 0);
        const uint32_t avant = Texte__LitCouleur();
        TexteCouleurBlanc();
        Texte__AfficheOmbre(LargeurEcran - 96, ModeSceneCourant == 1 ? 40 : 13, "%d", OrAffiche);
        Texte__Couleur(avant);
    }
    Or__Rapprochement(&OrAffiche, OrJoueur);
}

void TexteCouleurBlanc() { Texte__Couleur(Couleur(255, 255, 255)); }
void TexteCouleurGris() { Texte__Couleur(Couleur(170, 165, 145)); }
void TexteCouleurClair() { Texte__Couleur(Couleur(228, 221, 190)); }

void Texte__SortieGrise(int x, int y, const char* texte) {
    if (EcranDC == nullptr || texte == nullptr) return;
    PoliceSysteme* ancienne = ContexteTexte_ChoisirPolice(EcranDC, Police14);
    Texte__Couleur(Couleur(200, 200, 200));
    Texte_Dessiner(EcranDC, x, y, texte);
    ContexteTexte_ChoisirPolice(EcranDC, ancienne);
}
