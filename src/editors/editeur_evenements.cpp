#include "editors/editeur_evenements.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "campaign/gestion_armee.h"
#include "editors/evenements.h"
#include "editors/saisie_modale.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "foundation/objetsgfx.h"
#include "foundation/sprites.h"
#include "foundation/texte.h"
#include "platform/fichiers.h"
#include "platform/plateforme.h"
#include "platform/temps.h"
#include "scene/particules.h"
#include "scene/particules_effets.h"
#include "world/maitres.h"

NoeudChoixObjet* ListeChoixObjet = nullptr;
int16_t MaitreEdite = -1;
int16_t GfxAnimationEditee = -1;
int16_t AnimationEditee = 0;
int16_t NbImagesEditees = 0;
int16_t NbPositionsEditees = 0;
int32_t ModeEditionEvenements = 0;
int32_t IconeChoisie = -1;
char EffetChoisi[52] = "";
int32_t DirectionXCourante = 0, DirectionYCourante = 0, PlanCourant = 0;
int32_t MarqueurCourant = 0;
int32_t ObjetEditeCaseX = 4, ObjetEditeCaseY = 4;

const char* const NomsAnimationsEditeur[21] = {
    "Deplacement", "Attaque ratee", "Attaque reussie", "Defense ratee", "Defense reussie", "Surplace",
    "Animation speciale", "Vol", "Decoller", "Atterrir", "S'ecraser", "Sort special (en l'air)",
    "Sort par invocation(au sol)", "Sort par projection(au sol)", "Augmenter la puissance", "Charge cavalerie",
    "Commencer la charge", "Vorpale", "Mort", "Mort violente", "Apparition"};

namespace {

constexpr uint8_t FOND = 74;
constexpr int CURSEUR = 19;
constexpr int TUILE_GRILLE = 28;
constexpr int CASE = 24;

// The family of each row of the picker; -1: the row has none.
constexpr int FamillesChoix[] = {0, 1, 2, 3, 4, 5, 6, -1, -1, -1, 10, 11, 12, 13, 18, 19, 20, 21};
const char* const NomsFamillesChoix[] = {"Humains", "Bâtiment", "Decors", "Arbres", "Projectiles",
                                         "Machines de guerre", "Dragon", "Cochon", "Cochon M", "Bonus",
                                         "Porte", "Generateur", "Teleporteur", "Cadavre", "Leviathan",
                                         "Geant", "Creneau", "Ange"};
constexpr int LIGNES_FAMILLES = 18;

// The editor's own icons.
struct Icones {
    std::vector<uint8_t> sprites[NOMBRE_TYPES_EVENEMENTS];
    bool signale[NOMBRE_TYPES_EVENEMENTS] = {};
};
Icones& IconesEditeur() {
    static Icones icones;
    return icones;
}

void Remplir() {
    if (EcranTampon) std::memset(EcranTampon, FOND, static_cast<size_t>(LargeurEcran) * HauteurEcran * 2);
}

// The clip of the whole screen for the life of a page.
class EcranEntier {
  public:
    EcranEntier() : ancien_(EcranDestination) {
        EcranDestination.clipHaut = 0;
        EcranDestination.clipGauche = 0;
        EcranDestination.clipBas = HauteurEcran;
        EcranDestination.clipDroite = LargeurEcran;
    }
    ~EcranEntier() {
        EcranDestination.clipHaut = ancien_.clipHaut;
        EcranDestination.clipGauche = ancien_.clipGauche;
        EcranDestination.clipBas = ancien_.clipBas;
        EcranDestination.clipDroite = ancien_.clipDroite;
    }
    EcranEntier(const EcranEntier&) = delete;
    EcranEntier& operator=(const EcranEntier&) = delete;

  private:
    EcranSprite ancien_;
};

// Presents the frame and takes one message; false when the program is to end.
bool Tour() {
    Plateforme_Echeance(Temps_Ticks() + 33);   // headless: the clock stops at each turn's frame
    Sprite__Affiche(CURSEUR, SourisX, SourisY, 0);
    Ecran_Affichage();
    int code = 0;
    const int lu = EcranModal__Message(&code);
    if (lu < 0 || QuitterJeu) return false;
    if (lu == 0) Message_AttendreJusqua(20);
    return true;
}

bool Echap() {
    if (!ToucheEchap) return false;
    ToucheEchap = 0;
    return true;
}

bool Clic() {
    if (!ClicGauche) return false;
    ClicGauche = 0;
    return true;
}

bool ClicDroit() {
    if (!ClicDroitEtat) return false;
    ClicDroitEtat = 0;
    return true;
}

bool Dans(int x0, int y0, int x1, int y1) { return SourisX >= x0 && SourisX <= x1 && SourisY >= y0 && SourisY <= y1; }

int Taille(int maitre) { return maitre >= 0 && maitre < NOMBRE_TYPES_MAITRES ? TableMaitres[maitre].taille : 0; }

// The screen point of the edited object's footprint centre (and of its picture).
void CentreObjet(int maitre, int* x, int* y) {
    *x = GRILLE_EDITEUR_X + CASE * ObjetEditeCaseX + 12 * Taille(maitre);
    *y = GRILLE_EDITEUR_Y + CASE * ObjetEditeCaseY + 12 * Taille(maitre);
}

int GfxAnimation(int maitre, int animation) {
    if (maitre < 0 || maitre >= NOMBRE_TYPES_MAITRES || animation < 0 || animation >= NOMBRE_ANIMATIONS) return -1;
    return (*TablesObjetGfxAnimations[static_cast<size_t>(animation)])[static_cast<size_t>(maitre)];
}

Particule* Plan(int plan, int16_t** nombre) {
    switch (plan) {
        case 0: *nombre = &NombreParticules0; return PlanParticules0.data();
        case 1: *nombre = &NombreParticules1; return PlanParticules1.data();
        case 2: *nombre = &NombreParticules2; return PlanParticules2.data();
        default: *nombre = nullptr; return nullptr;
    }
}

void ViderPlans() {
    NombreParticules0 = NombreParticules1 = NombreParticules2 = 0;
    NombreParticulesTotal = 0;
}

// Bytes compared as signed; of two names equal over the shorter length the longer goes after.
bool Apres(const char* a, const char* b) {
    for (;; ++a, ++b) {
        if (*a == 0 || *b == 0) return *a != 0 && *b == 0;
        const auto ca = static_cast<signed char>(*a), cb = static_cast<signed char>(*b);
        if (ca != cb) return ca > cb;
    }
}

NoeudChoixObjet* Noeud(NoeudChoixObjet* n, int rang) {
    for (; n && rang > 0; --rang) n = n->suivant;
    return rang == 0 ? n : nullptr;
}

void Placer(int maitre) {
    ObjetEditeCaseX = Taille(maitre) <= 2 ? 4 : 3;
    ObjetEditeCaseY = 5;
}

template <typename E>
int Longueur(const E* e) {
    int n = 0;
    for (; e; e = e->suivant) ++n;
    return n;
}

template <typename E>
E* Rang(E* e, int rang) {
    for (; e && rang > 0; --rang) e = e->suivant;
    return rang == 0 ? e : nullptr;
}

template <typename E>
void Retirer(E*& liste, E* e) {
    if (e->precedent) e->precedent->suivant = e->suivant;
    else liste = e->suivant;
    if (e->suivant) e->suivant->precedent = e->precedent;
    delete e;
}

void DemanderSons(EvenementConcret* e) {
    for (int k = 0; k < 4 && !QuitterJeu; ++k) Saisie__Entier("Entre le Numero du son ???", &e->sons[k], 0, 32767);
}

// The effect list's head and count.
NoeudEffet* TeteEffets() {
    NoeudEffet* n = ListeEffets;
    if (n)
        while (n->precedent) n = n->precedent;
    return n;
}

}  // namespace

void TeinteRectangle(int x, int y, int hauteur, int largeur, int delta) {
    if (EcranTampon == nullptr) return;
    const int x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int x1 = std::min(x + largeur, static_cast<int>(LargeurEcran)), y1 = std::min(y + hauteur, static_cast<int>(HauteurEcran));
    if (x0 >= x1 || y0 >= y1) return;
    auto* octets = reinterpret_cast<uint8_t*>(EcranTampon);
    const size_t pas = static_cast<size_t>(LargeurEcran) * 2;
    for (int j = y0; j < y1; ++j) {
        uint8_t* ligne = octets + static_cast<size_t>(j) * pas;
        for (int i = x0 * 2; i < x1 * 2; ++i) ligne[i] = static_cast<uint8_t>(ligne[i] + delta);
    }
}

// Picker lists.

void ChoixObjet__Liberation(NoeudChoixObjet* liste) {
    if (liste)
        while (liste->precedent) liste = liste->precedent;
    while (liste) {
        NoeudChoixObjet* suivant = liste->suivant;
        delete liste;
        liste = suivant;
    }
}

NoeudChoixObjet* ChoixObjet__CreationListe(int famille, NoeudChoixObjet* liste) {
    ChoixObjet__Liberation(liste);
    NoeudChoixObjet* tete = nullptr;
    NoeudChoixObjet* queue = nullptr;
    for (int m = 0; m < NOMBRE_TYPES_MAITRES; ++m) {
        const char* nom = NomsMaitres[static_cast<size_t>(m)];
        if (TableMaitres[static_cast<size_t>(m)].famille != famille || nom == nullptr || nom[0] == 0) continue;
        auto* n = new NoeudChoixObjet{};
        n->maitre = m;
        std::snprintf(n->nom, sizeof n->nom, "%s", nom);
        n->precedent = queue;
        if (queue) queue->suivant = n;
        else tete = n;
        queue = n;
    }
    return tete;
}

void ChoixObjet__Tri(NoeudChoixObjet* liste) {
    for (bool echange = true; echange;) {
        echange = false;
        for (NoeudChoixObjet* n = liste; n && n->suivant; n = n->suivant) {
            NoeudChoixObjet* s = n->suivant;
            if (!Apres(n->nom, s->nom)) continue;
            std::swap(n->maitre, s->maitre);
            char nom[sizeof n->nom];
            std::memcpy(nom, n->nom, sizeof nom);
            std::memcpy(n->nom, s->nom, sizeof nom);
            std::memcpy(s->nom, nom, sizeof nom);
            echange = true;
        }
    }
}

// Icons.

void EdEvenementChargerIcones() {
    Icones& icones = IconesEditeur();
    for (int k = 0; k < NOMBRE_TYPES_EVENEMENTS; ++k) {
        std::vector<uint8_t>& sprite = icones.sprites[k];
        if (!sprite.empty()) continue;
        char chemin[128];
        std::snprintf(chemin, sizeof chemin, "..\\sprite\\icones\\ed_evenement\\%s.spr", IconesEvenements[k]);
        const int64_t taille = Fichier_TailleChemin(chemin);
        if (taille > 0 && taille < (int64_t{1} << 26)) {
            sprite.resize(static_cast<size_t>(taille));
            if (Spr_Chargement(chemin, sprite.data(), static_cast<uint32_t>(taille)) == 0) continue;
        }
        sprite.clear();
        // Drawn as a plain square: the editor still works without its pictures.
        if (!icones.signale[k]) {
            icones.signale[k] = true;
            Avertissement("Spr_Load()", "Chargement du fichier sprite %s", chemin);
        }
    }
}

void EdEvenementLibererIcones() {
    for (std::vector<uint8_t>& s : IconesEditeur().sprites) std::vector<uint8_t>().swap(s);
}

bool EdEvenementIconeChargee(int type) {
    return type >= 0 && type < NOMBRE_TYPES_EVENEMENTS && !IconesEditeur().sprites[type].empty();
}

void EdEvenementAfficheIcone(int type, int x, int y) {
    if (type < 0 || type >= NOMBRE_TYPES_EVENEMENTS || EcranTampon == nullptr) return;
    std::vector<uint8_t>& sprite = IconesEditeur().sprites[type];
    if (!sprite.empty()) {
        Spr_Aff(sprite.data(), &EcranDestination, x, y, 0);
        return;
    }
    TeinteRectangle(x + 1, y + 1, 22, 22, 96);
    Texte__Affiche(x + 6, y + 4, "%d", type);
}

EvenementsImage* EdEvenementImage(int maitre, int animation, int position, int image) {
    if (maitre < 0 || maitre >= NOMBRE_TYPES_MAITRES || animation < 0 || animation >= NOMBRE_ANIMATIONS) return nullptr;
    TableEvenements* t = TableMaitres[static_cast<size_t>(maitre)].evenements;
    if (t == nullptr || t->animations[animation] == nullptr) return nullptr;
    if (position < 0 || position >= t->directions[animation] || image < 0 || image >= t->images[animation]) return nullptr;
    EvenementsImage*& images = t->animations[animation][position];
    if (images == nullptr) images = new EvenementsImage[static_cast<size_t>(t->images[animation])]();
    return &images[image];
}

void EdEvenementClicGrille(EvenementsImage* image, int sourisX, int sourisY) {
    if (image == nullptr) return;
    const int caseX = (sourisX - GRILLE_EDITEUR_X) / CASE, caseY = (sourisY - GRILLE_EDITEUR_Y) / CASE;
    if (sourisX < GRILLE_EDITEUR_X || sourisY < GRILLE_EDITEUR_Y || caseX >= GRILLE_EDITEUR_COLONNES ||
        caseY >= GRILLE_EDITEUR_LIGNES)
        return;
    if (IconeChoisie >= 0 && IconeChoisie < NOMBRE_TYPES_EVENEMENTS) {
        const int dx = caseX - ObjetEditeCaseX, dy = caseY - ObjetEditeCaseY, taille = Taille(MaitreEdite);
        if (dx >= 0 && dy >= 0 && dx < taille && dy < taille) return;   // the object's own cells
        EvenementConcret* e = image->concrets;
        while (e && (e->caseX != dx || e->caseY != dy)) e = e->suivant;
        if (e == nullptr) {
            image->concrets = EvenementConcret_Ajouter(image->concrets, IconeChoisie);
            for (e = image->concrets; e->suivant;) e = e->suivant;
            e->caseX = dx;
            e->caseY = dy;
        }
        e->type = IconeChoisie;
        if (e->type == EVENEMENT_SONS) DemanderSons(e);
        return;
    }
    const int avant = Longueur(image->visuels);
    image->visuels = EvenementVisuel_Ajouter(image->visuels, EffetChoisi);
    if (Longueur(image->visuels) == avant) return;   // no effect of that name
    EvenementVisuel* e = image->visuels;
    while (e->suivant) e = e->suivant;
    int cx = 0, cy = 0;
    CentreObjet(MaitreEdite, &cx, &cy);
    e->ecartX = sourisX - cx;
    e->ecartY = sourisY - cy;
    e->marqueur = MarqueurCourant;
    e->directionX = DirectionXCourante;
    e->directionY = DirectionYCourante;
    e->plan = std::clamp(PlanCourant, 0, 2);
}

void EdEvenementRetirerConcret(EvenementsImage* image, int sourisX, int sourisY) {
    if (image == nullptr || sourisX < GRILLE_EDITEUR_X || sourisY < GRILLE_EDITEUR_Y) return;
    const int dx = (sourisX - GRILLE_EDITEUR_X) / CASE - ObjetEditeCaseX;
    const int dy = (sourisY - GRILLE_EDITEUR_Y) / CASE - ObjetEditeCaseY;
    for (EvenementConcret* e = image->concrets; e; e = e->suivant)
        if (e->caseX == dx && e->caseY == dy) {
            Retirer(image->concrets, e);
            return;
        }
}

// Pages.

int EdEvenementChoixObjet(const char* titre) {
    const EcranEntier ecran;
    int famille = 0;
    NoeudChoixObjet* tete = ChoixObjet__CreationListe(famille, nullptr);
    ChoixObjet__Tri(tete);
    ListeChoixObjet = tete;
    ClicGauche = 0;
    int resultat = -1;
    for (;;) {
        if (Echap()) break;
        Remplir();
        for (int k = 0; k < LIGNES_FAMILLES; ++k) Texte__Affiche(400, 24 + 16 * k, "%s", NomsFamillesChoix[k]);
        Texte__Affiche(200, 8, "%s", titre ? titre : "");
        TeinteRectangle(0, 0, 16, 640, 1);
        int k = 0;
        for (NoeudChoixObjet* n = ListeChoixObjet; n && k < 29; n = n->suivant, ++k)
            Texte__Affiche(16, 24 + 16 * k, "%s", n->nom);
        if (SourisY > 478 && ListeChoixObjet && ListeChoixObjet->suivant) ListeChoixObjet = ListeChoixObjet->suivant;
        if (SourisY < 18 && ListeChoixObjet && ListeChoixObjet->precedent) ListeChoixObjet = ListeChoixObjet->precedent;
        const int rang = SourisY / 16 - 1;
        if (SourisX < 320) {
            NoeudChoixObjet* n = rang >= 0 && rang < 29 ? Noeud(ListeChoixObjet, rang) : nullptr;
            if (n) TeinteRectangle(8, 16 * (rang + 1), 16, 8 * static_cast<int>(std::strlen(n->nom)) + 8, 1);
            if (Clic() && n) {
                resultat = n->maitre;
                Placer(resultat);
                break;
            }
        } else if (SourisY < 304 && rang >= 0 && rang < LIGNES_FAMILLES) {
            TeinteRectangle(392, 16 * (rang + 1), 16, 160, 1);
            if (Clic() && FamillesChoix[rang] >= 0) {
                famille = FamillesChoix[rang];
                tete = ChoixObjet__CreationListe(famille, tete);
                ChoixObjet__Tri(tete);
                ListeChoixObjet = tete;
            }
        }
        ClicGauche = 0;
        Texte__Affiche(500, 20, "X:%d Y:%d", SourisX, SourisY);
        Texte__Affiche(500, 40, "%d %d %d", famille, SourisY / 16, MaitreEdite);
        if (!Tour()) break;
    }
    ChoixObjet__Liberation(tete);
    ListeChoixObjet = nullptr;
    return resultat;
}

int EdEvenementPreparer(int maitre) {
    if (maitre < 0 || maitre >= NOMBRE_TYPES_MAITRES || TableMaitres[static_cast<size_t>(maitre)].animations == nullptr)
        return -1;
    const EcranEntier ecran;
    const Objet& m = TableMaitres[static_cast<size_t>(maitre)];
    for (int a = 0; a < NOMBRE_ANIMATIONS; ++a) ObjetGfx_Pret(GfxAnimation(maitre, a));
    const uint32_t debut = Temps_Ticks();
    int premier = 0;
    double defilement = 0;
    ClicGauche = 0;
    for (;;) {
        if (Echap()) return -1;
        Remplir();
        const uint32_t ecoule = Temps_Ticks() - debut;
        for (int k = 0; k < 4; ++k) {
            const int a = premier + k;
            if (a >= NOMBRE_ANIMATIONS) break;
            const int qx = 320 * (k % 2), qy = 240 * (k / 2);
            const AnimationInfo& info = m.animations[a];
            Texte__Affiche(qx + 16, qy + 16, "%s", NomsAnimationsEditeur[a]);
            if (info.images > 0) Sprite__Affiche(GfxAnimation(maitre, a), qx + 50, qy + 150, static_cast<int>((uint64_t{ecoule} * 12 / 1000) % static_cast<uint32_t>(info.images)));
            const int tx = k % 2 ? 486 : 150;
            Texte__Affiche(tx, qy + 32, "Nbre Position %d", info.directions);
            Texte__Affiche(tx, qy + 48, k < 2 ? "Nbre Frame    %d" : "Nbre Frame %d", info.images);
        }
        const int quadrant = SourisX / 320 + 2 * (SourisY / 240);
        if (SourisX >= 0 && SourisY >= 0 && SourisX < 640 && SourisY < 480)
            TeinteRectangle(320 * (quadrant % 2), 240 * (quadrant / 2), 240, 320, 1);
        if (SourisY > 478 || SourisY < 2) {
            defilement += 0.1;
            if (defilement > 0.5) {
                defilement = 0;
                premier = SourisY > 478 ? std::min(premier + 2, 20) : std::max(premier - 2, 0);
            }
        }
        if (Clic() && SourisX >= 0 && SourisY >= 0 && SourisX < 640 && SourisY < 480) {
            const int a = premier + quadrant;
            if (a < NOMBRE_ANIMATIONS) {
                NbImagesEditees = static_cast<int16_t>(m.animations[a].images);
                NbPositionsEditees = static_cast<int16_t>(m.animations[a].directions);
                AnimationEditee = static_cast<int16_t>(a);
                if (m.animationParDefaut == 1) {
                    Avertissement("", "Vous devez renseizgner le script sur le nb de frame et position");
                    return -1;
                }
                const int gfx = GfxAnimation(maitre, a);
                // An animation with no picture or no frames has nothing to place events on.
                if (gfx >= 0 && EdEvenementImage(maitre, a, 0, 0) != nullptr) return gfx;
            }
        }
        if (!Tour()) return -1;
    }
}

void EdEvenementPlacerEmetteur(EvenementVisuel* liste, int indice) {
    const EcranEntier ecran;
    EvenementVisuel* e = Rang(liste, indice);
    int ligne = 0;
    for (;;) {
        if (Echap()) return;
        Remplir();
        if (e == nullptr) {
            Texte__Affiche(25, 240, "%s", "Vous devez placer un emetteur avant");
        } else {
            if (ToucheHaut) {
                ToucheHaut = 0;
                ligne = (ligne + 2) % 3;
            }
            if (ToucheBas) {
                ToucheBas = 0;
                ligne = (ligne + 1) % 3;
            }
            for (int sens : {1, -1}) {
                int32_t& touche = sens > 0 ? ToucheDroite : ToucheGauche;
                if (!touche) continue;
                touche = 0;
                if (ligne == 0) e->directionX += sens;
                if (ligne == 1) e->directionY += sens;
                if (ligne == 2) e->plan = std::clamp(e->plan + sens, 0, 2);
            }
            Texte__Affiche(280, 240, "DirectionX %d", e->directionX);
            Texte__Affiche(280, 256, "DirectionY %d", e->directionY);
            Texte__Affiche(280, 272, "Plan       %d", e->plan);
            TeinteRectangle(272, 232 + 16 * ligne, 16, 160, 1);
        }
        if (!Tour()) return;
    }
}

void EdEvenementCopierEffet(int position, int image, int maitre, int animation, EvenementConcret* liste, int positions) {
    if (liste == nullptr) {
        Avertissement("Copier tte Position", "vous devez placer au moins un effet");
        return;
    }
    for (int k = 1; k < positions; ++k) {
        const int p = (position + k) % positions;
        const EvenementsImage* autre = EdEvenementImage(maitre, animation, p, image);
        if (autre && autre->concrets) {
            Avertissement("Copier Effet", "Attention Position %d Phase %d il ya un effet", p, image);
            return;
        }
    }
    Avertissement("Copier Effet", "Verification OK");
    for (int k = 1; k < positions; ++k) {
        EvenementsImage* autre = EdEvenementImage(maitre, animation, (position + k) % positions, image);
        if (autre == nullptr) continue;
        for (const EvenementConcret* e = liste; e; e = e->suivant) {
            autre->concrets = EvenementConcret_Ajouter(autre->concrets, e->type);
            EvenementConcret* copie = autre->concrets;
            while (copie->suivant) copie = copie->suivant;
            copie->caseX = e->caseX;
            copie->caseY = e->caseY;
            std::memcpy(copie->sons, e->sons, sizeof copie->sons);
        }
    }
}

void EdEvenementApercu(int position, int maitre) {
    const EcranEntier ecran;
    const int images = std::max<int>(NbImagesEditees, 1);
    const uint32_t debut = Temps_Ticks();
    uint32_t derniere = debut - 66;
    int montree = images - 1;
    ViderPlans();
    int cx = 0, cy = 0;
    CentreObjet(maitre, &cx, &cy);
    for (;;) {
        if (Echap()) break;
        Remplir();
        const uint32_t maintenant = Temps_Ticks();
        const int image = static_cast<int>((uint64_t{maintenant - debut} * 12 / 1000) % static_cast<uint32_t>(images));
        // At the game's pace: each frame's effects start as the frame comes up (also those of a
        // frame a slow turn went past), then the particles move on.
        if (maintenant - derniere >= 66) {
            const int32_t trames = static_cast<int32_t>(std::min<uint32_t>((maintenant - derniere) / 66, 4));
            derniere = maintenant;
            while (montree != image) {
                montree = (montree + 1) % images;
                if (const EvenementsImage* evenements = EdEvenementImage(maitre, AnimationEditee, position, montree))
                    for (EvenementVisuel* e = evenements->visuels; e; e = e->suivant) {
                        int16_t* nombre = nullptr;
                        Particule* plan = Plan(e->plan, &nombre);
                        if (plan) Particules_Emission(e->effet, plan, CAPACITE_PLAN_PARTICULES, nombre, cx + e->ecartX,
                                                      cy + e->ecartY, 0, e->directionX, e->directionY, -1);
                    }
                if (montree == images - 1) ViderPlans();   // the effects start again with each loop
            }
            Particules_Gestion(trames);
        }
        Plateforme_Echeance(maintenant + 33);
        Particules_Affichage(PlanParticules0.data(), NombreParticules0);
        Sprite__Affiche(GfxAnimationEditee, cx, cy, position * images + image);
        Texte__Affiche(540, 200, "%d", image);
        Particules_Affichage(PlanParticules1.data(), NombreParticules1);
        Particules_Affichage(PlanParticules2.data(), NombreParticules2);
        if (!Tour()) break;
    }
    ViderPlans();
}

int EdEvenementEdition(int gfx) {
    const EcranEntier ecran;
    EdEvenementChargerIcones();
    IconeChoisie = -1;
    std::snprintf(EffetChoisi, sizeof EffetChoisi, "%s", ListeEffets ? ListeEffets->nomEffet : "");
    MarqueurCourant = 0;
    DirectionXCourante = DirectionYCourante = 0;
    int position = 0, image = 0, premierEffet = 0, premierVisuel = 0;
    const int images = std::max<int>(NbImagesEditees, 1), positions = std::max<int>(NbPositionsEditees, 1);
    ClicGauche = 0;
    ClicDroitEtat = 0;
    const int maitre = MaitreEdite;
    const char* nomMaitre = maitre >= 0 && maitre < NOMBRE_TYPES_MAITRES && NomsMaitres[static_cast<size_t>(maitre)]
                                ? NomsMaitres[static_cast<size_t>(maitre)]
                                : "";
    for (;;) {
        if (Echap()) break;
        EvenementsImage* evenements = EdEvenementImage(maitre, AnimationEditee, position, image);
        int cx = 0, cy = 0;
        CentreObjet(maitre, &cx, &cy);

        // Input.
        const bool clic = Clic(), clicDroit = ClicDroit();
        const bool surReglages = Dans(101, 409, 199, 455);
        if (surReglages) {
            const int ligne = (SourisY - 408) / 16;
            for (int sens : {1, -1}) {
                int32_t& touche = sens > 0 ? ToucheDroite : ToucheGauche;
                if (!touche) continue;
                touche = 0;
                if (ligne == 0) DirectionXCourante += sens;
                if (ligne == 1) DirectionYCourante += sens;
                if (ligne == 2) PlanCourant = std::clamp(PlanCourant + sens, 0, 2);
            }
        }
        if (clic && Dans(183, 25, 239, 39)) AnimationSauverEvenements(maitre);
        if (clic && Dans(183, 43, 257, 57) && evenements)
            EdEvenementCopierEffet(position, image, maitre, AnimationEditee, evenements->concrets, positions);
        int rangEffet = -1;
        if (SourisX > 450) {
            if (SourisY > 478) ++premierEffet;
            if (SourisY < 40 && premierEffet > 0) --premierEffet;
        }
        if (Dans(421, 64, 639, 477)) {
            rangEffet = (SourisY - 64) / 16;
            NoeudEffet* n = Rang(TeteEffets(), premierEffet + rangEffet);
            if (clic && n) {
                std::snprintf(EffetChoisi, sizeof EffetChoisi, "%s", n->nomEffet);
                MarqueurCourant = premierEffet + rangEffet;
                IconeChoisie = -1;
            }
        }
        if (Dans(49, 73, 71, 335) && clic) {
            IconeChoisie = (SourisY - 72) / 24;
            MarqueurCourant = -1;
        }
        const bool dansGrille = Dans(GRILLE_EDITEUR_X, GRILLE_EDITEUR_Y, GRILLE_EDITEUR_X + CASE * GRILLE_EDITEUR_COLONNES - 1,
                                     GRILLE_EDITEUR_Y + CASE * GRILLE_EDITEUR_LIGNES - 1);
        if (dansGrille && clicDroit) EdEvenementRetirerConcret(evenements, SourisX, SourisY);
        if (dansGrille && clic) EdEvenementClicGrille(evenements, SourisX, SourisY);
        int rangVisuel = -1;
        if (Dans(293, 367, 429, 479) && evenements) {
            const int nombre = Longueur(evenements->visuels);
            if (SourisY > 478 && premierVisuel + 1 < nombre) ++premierVisuel;
            if (SourisY < 382 && premierVisuel > 0) --premierVisuel;
            if (SourisY >= 382) {
                rangVisuel = premierVisuel + (SourisY - 382) / 16;
                if (EvenementVisuel* e = Rang(evenements->visuels, rangVisuel)) {
                    if (clic) EdEvenementPlacerEmetteur(evenements->visuels, rangVisuel);
                    else if (clicDroit) Retirer(evenements->visuels, e);
                } else {
                    rangVisuel = -1;
                }
            }
        }
        if (!surReglages) {
            if (ToucheDroite) position = (position + 1) % positions;
            if (ToucheGauche) position = (position + positions - 1) % positions;
        }
        ToucheDroite = ToucheGauche = 0;
        if (ToucheHaut) image = (image + 1) % images;
        if (ToucheBas) image = (image + images - 1) % images;
        ToucheHaut = ToucheBas = 0;
        if (ToucheEspace) {
            ToucheEspace = 0;
            EdEvenementApercu(position, maitre);
        }
        evenements = EdEvenementImage(maitre, AnimationEditee, position, image);

        // Drawing.
        Remplir();
        for (int k = 0; k < NOMBRE_TYPES_EVENEMENTS; ++k) EdEvenementAfficheIcone(k, 48, 72 + 24 * k);
        if (Dans(49, 73, 71, 335)) TeinteRectangle(48, 72 + 24 * ((SourisY - 72) / 24), 24, 24, 1);
        for (int j = 0; j < GRILLE_EDITEUR_LIGNES; ++j)
            for (int i = 0; i < GRILLE_EDITEUR_COLONNES; ++i)
                Sprite__Affiche(TUILE_GRILLE, GRILLE_EDITEUR_X + CASE * i, GRILLE_EDITEUR_Y + CASE * j, 0);
        Sprite__Affiche(gfx, cx, cy, position * images + image);
        const int taille = Taille(maitre);
        for (int j = 0; j < taille; ++j)
            for (int i = 0; i < taille; ++i)
                TeinteRectangle(GRILLE_EDITEUR_X + CASE * (ObjetEditeCaseX + i), GRILLE_EDITEUR_Y + CASE * (ObjetEditeCaseY + j),
                                CASE, CASE, 128);
        if (evenements) {
            for (const EvenementConcret* e = evenements->concrets; e; e = e->suivant)
                EdEvenementAfficheIcone(e->type, GRILLE_EDITEUR_X + CASE * (ObjetEditeCaseX + e->caseX),
                                        GRILLE_EDITEUR_Y + CASE * (ObjetEditeCaseY + e->caseY));
            int k = 0;
            for (const EvenementVisuel* e = evenements->visuels; e; e = e->suivant, ++k) {
                TeinteRectangle(cx + e->ecartX - 1, cy + e->ecartY - 1, 3, 3, k == rangVisuel ? 60 : 30);
                if (k >= premierVisuel && 390 + 16 * (k - premierVisuel) < 480)
                    Texte__Affiche(300, 390 + 16 * (k - premierVisuel), "%s %d %d", e->nom, e->ecartX, e->ecartY);
            }
            for (const EvenementConcret* e = evenements->concrets; e; e = e->suivant)
                if (e->type == EVENEMENT_SONS)
                    for (int s = 0; s < 4; ++s) Texte__Affiche(100, 300 + 17 * s, "Son %d: %d", s + 1, e->sons[s]);
        }
        if (rangVisuel >= 0) TeinteRectangle(293, 382 + 16 * (rangVisuel - premierVisuel), 16, 136, 1);
        if (IconeChoisie >= 0 && dansGrille)
            EdEvenementAfficheIcone(IconeChoisie, GRILLE_EDITEUR_X + CASE * ((SourisX - GRILLE_EDITEUR_X) / CASE),
                                    GRILLE_EDITEUR_Y + CASE * ((SourisY - GRILLE_EDITEUR_Y) / CASE));
        int k = 0;
        for (NoeudEffet* n = Rang(TeteEffets(), premierEffet); n && 72 + 16 * k < 480; n = n->suivant, ++k)
            Texte__Affiche(450, 72 + 16 * k, "%s", n->nomEffet);
        if (MarqueurCourant >= premierEffet) TeinteRectangle(430, 64 + 16 * (MarqueurCourant - premierEffet), 16, 200, 1);
        if (rangEffet >= 0 && SourisX > 450) TeinteRectangle(430, 64 + 16 * rangEffet, 16, 200, 1);
        Texte__Affiche(280, 32, "%s", nomMaitre);
        Texte__Affiche(280, 48, "%s", NomsAnimationsEditeur[AnimationEditee >= 0 && AnimationEditee < 21 ? AnimationEditee : 0]);
        Texte__Affiche(280, 64, "Phase    %d", image);
        Texte__Affiche(280, 80, "Position %d", position);
        Texte__Affiche(100, 408, "DirectionX    %d", DirectionXCourante);
        Texte__Affiche(100, 424, "DirectionY    %d", DirectionYCourante);
        Texte__Affiche(100, 440, "Plan          %d", PlanCourant);
        Texte__Affiche(190, 32, "%s", "sauver");
        Texte__Affiche(190, 50, "%s", "Copier");
        TeinteRectangle(183, 25, 15, 57, Dans(183, 25, 239, 39) ? 1 : 15);
        TeinteRectangle(183, 43, 15, 75, Dans(183, 43, 257, 57) ? 1 : 15);
        Texte__Affiche(50, 32, "%s", "Effets Concrets");
        Texte__Affiche(450, 32, "%s", "Effets Visuels");
        if (!Tour()) break;
    }
    EdEvenementLibererIcones();
    return -1;
}

int EdEvenementBoucle() {
    ToucheF5 = 0;
    ModeEditionEvenements = 1;
    GfxAnimationEditee = -1;
    while (!QuitterJeu) {
        if (GfxAnimationEditee == -1) {
            MaitreEdite = static_cast<int16_t>(EdEvenementChoixObjet("Sélection d'un objet pour effet"));
            if (MaitreEdite == -1) break;
        }
        GfxAnimationEditee = static_cast<int16_t>(EdEvenementPreparer(MaitreEdite));
        if (GfxAnimationEditee != -1) EdEvenementEdition(GfxAnimationEditee);
    }
    ModeEditionEvenements = 0;
    Entrees_RAZ();
    return -1;
}
