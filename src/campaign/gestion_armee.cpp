#include "campaign/gestion_armee.h"

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "campaign/armee_fichiers.h"
#include "campaign/catalogue.h"
#include "campaign/variables.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/majuscules.h"
#include "foundation/erreurs.h"
#include "foundation/objetsgfx.h"
#include "foundation/texte.h"
#include "frontend/localisation.h"
#include "platform/temps.h"
#include "shell/curseur.h"
#include "shell/routeur.h"

Regiment* RegimentAffiche = nullptr;
ListeGraphique ListeRegiments, ListeSections, ListeReservesGraphique;
ListeGraphique* ListeFocus = nullptr;
int32_t GlissementEnCours = 0;
int32_t CurseurExperience = 5;

namespace {

constexpr int OBJET_POINTEUR = 19;
constexpr int OBJET_FANTOME = 105;
constexpr int OBJET_CADRE = 785;
constexpr int OBJET_FOND = 786;
constexpr int OBJET_BOUTONS = 787;
constexpr int OBJET_CURSEUR_GLISSIERE = 788;
constexpr int OBJET_BOITE_NOM = 789;
constexpr int OBJET_BOUTON_OK = 790;
constexpr int OBJET_PIECE = 954;
constexpr int OBJET_TERRAINS = 1033;
constexpr int OBJET_PIECE_PETITE = 1345;
constexpr int32_t MAX_SECTIONS_REGIMENT = 8;
constexpr int32_t POSITIONS_GLISSIERE = 11;

constexpr ZoneEcran PISTE{447, 378, 126, 16};
constexpr ZoneEcran FLECHE_GAUCHE{426, 378, 16, 17};
constexpr ZoneEcran FLECHE_DROITE{579, 378, 16, 17};

// The clip rectangle of the scene, kept while the screen is up.
struct Decoupe {
    int32_t haut, bas, gauche, droite;
} decoupeScene{};

const TypeUnite* TypeDUnite(int32_t u) {
    if (!Catalogue || u < 0 || u >= Catalogue->nombreTypesUnites) return nullptr;
    return &Catalogue->typesUnites[u];
}

int32_t NombreRegiments() { return ArmeeJoueur ? ArmeeJoueur->nombre : 0; }
int32_t NombreSections() { return RegimentAffiche ? RegimentAffiche->sections.nombre : 0; }
int32_t NombreReserves() { return ListeReservesJoueur ? ListeReservesJoueur->nombre : 0; }

Regiment* RegimentNumero(int32_t i) { return i >= 0 && i < NombreRegiments() ? (*ArmeeJoueur)[i] : nullptr; }
Section* SectionNumero(int32_t i) { return i >= 0 && i < NombreSections() ? RegimentAffiche->sections[i] : nullptr; }
Reserve* ReserveNumero(int32_t i) { return i >= 0 && i < NombreReserves() ? (*ListeReservesJoueur)[i] : nullptr; }

// Keeps a list's selection and first row within its items after the model changed.
void Rafraichir(ListeGraphique& l) {
    const int32_t n = l.nombre ? l.nombre() : 0;
    if (l.indexSelection >= n) l.indexSelection = n - 1;
    if (l.premiere > n - l.lignesVisibles) l.premiere = n - l.lignesVisibles;
    if (l.premiere < 0) l.premiere = 0;
    l.selection = l.indexSelection < 0 ? -1 : l.indexSelection - l.premiere;
}

void Choisir(ListeGraphique& l, int32_t index) {
    l.indexSelection = index;
    if (index >= 0 && index < l.premiere) l.premiere = index;
    if (index >= l.premiere + l.lignesVisibles) l.premiere = index - l.lignesVisibles + 1;
    Rafraichir(l);
}

void Afficher(Regiment* r) {
    RegimentAffiche = r;
    ListeSections.premiere = 0;
    ListeSections.indexSelection = -1;
    Rafraichir(ListeSections);
}

bool ArmeeALeader(const Regiment* r) { return r && Regiment__leader(r) != nullptr; }

void Avertir(int titre, int format, int nombre) {
    char texte[256];
    Localisation__Texte(texte, sizeof texte, TexteInterface(format), "", nombre);
    Avertissement(TexteInterface(titre), "%s", texte);
}

// Removes a regiment from the army and sends its units to the reserves; false (nothing changed)
// when the reserves have no room.
bool DissoudreRegiment(int32_t index) {
    Regiment* r = RegimentNumero(index);
    if (r == nullptr) return false;
    if (r->espace > EspaceLibreReserves) {
        Avertissement("Dissolution d'une armées", "L'espace libre dans la réserve est insuffisant");
        return false;
    }
    ArmeeJoueur->retirer(index);
    if (RegimentAffiche == r) Afficher(nullptr);
    Regiment__dissoudre(r);
    Rafraichir(ListeRegiments);
    Rafraichir(ListeReservesGraphique);
    return true;
}

// ---- drawing ---------------------------------------------------------------------------------

void DessinerCadre(int32_t x, int32_t y, bool choisi) { Sprite__Affiche(OBJET_CADRE, x, y, choisi ? 1 : 0); }

void DessinerRegiment(int32_t i, int32_t x, int32_t y, bool choisi) {
    const Regiment* r = RegimentNumero(i);
    if (r == nullptr) return;
    DessinerCadre(x, y, choisi);
    Regiment__afficher(r, x + 4, y + 4);
    Texte__AfficheAligne16(x + 74, y + 20, 255, 255, 255, 0, 2, r->nom.c_str());
}

void DessinerSection(int32_t i, int32_t x, int32_t y, bool choisi) {
    const Section* s = SectionNumero(i);
    if (s == nullptr) return;
    DessinerCadre(x, y, choisi);
    Section__afficher(s, x + 4, y + 4);
}

void DessinerReserve(int32_t i, int32_t x, int32_t y, bool choisi) {
    const Reserve* r = ReserveNumero(i);
    if (r == nullptr) return;
    DessinerCadre(x, y, choisi);
    Reserve__afficher(r, x + 4, y + 4);
    const TypeUnite* t = TypeDUnite(r->typeUnite);
    if (t == nullptr) return;
    Texte__AfficheAligne16(x + 74, y + 14, 255, 255, 255, 0, 2, t->nom.c_str());
    if (t->categorie == 1) {
        Sprite__Affiche(OBJET_PIECE_PETITE, x + 85, y + 28, 0);
        char prix[16];
        std::snprintf(prix, sizeof prix, "%d", r->prix);
        Texte__AfficheAligne16(x + 95, y + 31, 255, 255, 255, 0, 2, prix);
    }
}

// The dragged item: graphic object 105 with the item's portrait frame, shaded, then plain.
void DessinerFantome(int32_t frame) {
    Sprite__AfficheOmbre(OBJET_FANTOME, static_cast<int16_t>(SourisX + 18), static_cast<int16_t>(SourisY + 22),
                         static_cast<int16_t>(frame < 0 ? 0 : frame));
    Sprite__Affiche(OBJET_FANTOME, SourisX - 16, SourisY - 16, frame < 0 ? 0 : frame);
}

void DessinerListe(const ListeGraphique& l) {
    const int32_t n = l.nombre ? l.nombre() : 0;
    for (int32_t r = 0; r < l.lignesVisibles && l.premiere + r < n; ++r)
        if (l.dessinerElement)
            l.dessinerElement(l.premiere + r, l.zone.x, l.zone.y + r * l.hauteurLigne,
                              l.premiere + r == l.indexSelection);
}

void DessinerCaracteristiques() {
    if (RegimentAffiche == nullptr) return;
    static const int FRAMES[4] = {0, 2, 3, 1};   // plaine, foret, montagne, riviere
    for (int t = 0; t < 4; ++t) {
        Sprite__Affiche(OBJET_TERRAINS, 26, 231 + 22 * t, FRAMES[t]);
        const PaireCout c = RegimentAffiche->couts[t][0];
        char texte[64] = "";
        if (c.PA >= 1) std::snprintf(texte, sizeof texte, "%d PA", c.PA);
        else if (c.T > 0) std::snprintf(texte, sizeof texte, "%d T", c.T);
        else if (c.PA < 0 || c.T < 0) std::snprintf(texte, sizeof texte, "%s", TexteInterface(2));
        Texte__AfficheAligne16(46, 238 + 22 * t, 255, 255, 255, 0, 2, texte);
    }
}

void DessinerGlissiere() {
    Sprite__Affiche(OBJET_CURSEUR_GLISSIERE, PISTE.x + CurseurExperience * PISTE.largeur / 10 - 2, PISTE.y - 6, 0);
}

void DessinerPointeur() {
    Sprite__Affiche(OBJET_POINTEUR, SourisX, SourisY, 0);
    Curseur__Ombre(OBJET_POINTEUR, 0);
}

// ---- input -----------------------------------------------------------------------------------

void Deplacer(ListeGraphique& l, int32_t sens) {
    const int32_t n = l.nombre ? l.nombre() : 0;
    if (n == 0) return;
    int32_t i = l.indexSelection + sens;
    if (l.indexSelection < 0) i = 0;
    if (i < 0 || i >= n) return;
    Choisir(l, i);
    if (l.selectionner) l.selectionner(i);
}

void EntreesListe(ListeGraphique& l) {
    if (GlissementEnCours || !ClicGauche) return;
    if (l.zone.Contient(SourisX, SourisY)) {
        ClicGauche = 0;
        ListeFocus = &l;
        const int32_t i = (SourisY - l.zone.y) / l.hauteurLigne + l.premiere;
        if (i >= (l.nombre ? l.nombre() : 0)) return;
        Choisir(l, i);
        const int32_t type = l.selectionner ? l.selectionner(i) : 0;
        if (type != 0) {
            l.glissement = 1;
            l.typeGlissement = type;
            GlissementEnCours = 1;
        }
    } else if (l.boiteBas.Contient(SourisX, SourisY) || l.boiteHaut.Contient(SourisX, SourisY)) {
        ClicGauche = 0;
        ListeFocus = &l;
        Deplacer(l, l.boiteBas.Contient(SourisX, SourisY) ? 1 : -1);
        Temps_Dormir(100);
    }
}

void Touches() {
    if (ListeFocus == nullptr || GlissementEnCours) return;
    if (ToucheBas) {
        ToucheBas = 0;
        Deplacer(*ListeFocus, 1);
    }
    if (ToucheHaut) {
        ToucheHaut = 0;
        Deplacer(*ListeFocus, -1);
    }
}

// The button released during a drag: the linked list under the mouse takes the item or not.
void Depot(ListeGraphique& source) {
    if (!source.glissement || BoutonGauche) return;
    const int32_t index = source.indexSelection, type = source.typeGlissement;
    source.glissement = 0;
    source.typeGlissement = 0;
    GlissementEnCours = 0;
    for (ListeGraphique* cible : source.cibles) {
        if (!cible->zone.Contient(SourisX, SourisY)) continue;
        int32_t ligne = (SourisY - cible->zone.y) / cible->hauteurLigne + cible->premiere;
        if (ligne >= (cible->nombre ? cible->nombre() : 0)) ligne = -1;
        if (cible->deposer && cible->deposer(index, ligne, type)) {
            if (cible->accepter) cible->accepter(index);
            if (source.retirer) source.retirer(index);
        }
        break;
    }
    Rafraichir(ListeRegiments);
    Rafraichir(ListeSections);
    Rafraichir(ListeReservesGraphique);
}

bool Bouton(int32_t x) {
    return !GlissementEnCours && ClicGauche && SourisX >= x && SourisX < x + 36 && SourisY >= 413 && SourisY < 449;
}

void EntreesGlissiere() {
    if (GlissementEnCours || !ClicGauche) return;
    if (FLECHE_GAUCHE.Contient(SourisX, SourisY)) {
        ClicGauche = 0;
        InterfaceArmee__Curseur(CurseurExperience - 1);
        Temps_Dormir(100);
    } else if (FLECHE_DROITE.Contient(SourisX, SourisY)) {
        ClicGauche = 0;
        InterfaceArmee__Curseur(CurseurExperience + 1);
        Temps_Dormir(100);
    } else if (PISTE.Contient(SourisX, SourisY)) {
        ClicGauche = 0;
        InterfaceArmee__Curseur(((SourisX - PISTE.x + 6) * 10) / PISTE.largeur);
    }
}

// ---- the three lists -------------------------------------------------------------------------

void PreparerListes() {
    ListeRegiments = ListeGraphique{};
    ListeRegiments.zone = {26, 61, 170, 168};
    ListeRegiments.boiteBas = {198, 144, 16, 83};
    ListeRegiments.boiteHaut = {198, 61, 16, 83};
    ListeRegiments.nombre = NombreRegiments;
    ListeRegiments.selectionner = [](int32_t i) {
        Afficher(RegimentNumero(i));
        return 1;
    };
    ListeRegiments.deposer = [](int32_t source, int32_t ligne, int32_t type) -> int32_t {
        Regiment* cible = RegimentNumero(ligne);
        if (type == 2) {
            if (cible == nullptr || cible == RegimentAffiche || RegimentAffiche == nullptr ||
                cible->sections.nombre >= MAX_SECTIONS_REGIMENT)
                return 0;
            Section* s = Regiment__retirerSection(RegimentAffiche, source);
            if (s == nullptr) return 0;
            Regiment__ajouterSection(cible, s);
            return 1;
        }
        if (type == 3) {
            if (NombreRegiments() == 0 || cible != nullptr) InterfaceArmee__CreerSection(cible, ReserveNumero(source));
            return 0;   // the reserve list was kept in step by the creation
        }
        return 0;
    };
    ListeRegiments.retirer = [](int32_t i) { return DissoudreRegiment(i) ? 1 : 0; };
    ListeRegiments.dessinerElement = DessinerRegiment;

    ListeSections = ListeGraphique{};
    ListeSections.zone = {237, 61, 170, 336};
    ListeSections.nombre = NombreSections;
    ListeSections.selectionner = [](int32_t) { return 2; };
    ListeSections.deposer = [](int32_t source, int32_t, int32_t type) -> int32_t {
        if (type == 3 && (RegimentAffiche != nullptr || NombreRegiments() == 0))
            InterfaceArmee__CreerSection(RegimentAffiche, ReserveNumero(source));
        return 0;
    };
    ListeSections.retirer = [](int32_t) { return 1; };
    ListeSections.dessinerElement = DessinerSection;

    ListeReservesGraphique = ListeGraphique{};
    ListeReservesGraphique.zone = {426, 61, 170, 252};
    ListeReservesGraphique.boiteBas = {598, 187, 16, 126};
    ListeReservesGraphique.boiteHaut = {598, 61, 16, 126};
    ListeReservesGraphique.nombre = NombreReserves;
    ListeReservesGraphique.selectionner = [](int32_t i) -> int32_t {
        const Reserve* r = ReserveNumero(i);
        const TypeUnite* t = r ? TypeDUnite(r->typeUnite) : nullptr;
        return t && t->typeSection >= 0 ? 3 : 0;
    };
    ListeReservesGraphique.deposer = [](int32_t source, int32_t, int32_t type) -> int32_t {
        if (type == 1) {
            const Regiment* r = RegimentNumero(source);
            if (r == nullptr) return 0;
            if (r->espace > EspaceLibreReserves) {
                Avertissement("Dissolution d'une armée", "L'espace est insuffisant dans la réserve ");
                return 0;
            }
            return 1;   // the regiment list dissolves it
        }
        if (type == 2) {
            Section* s = SectionNumero(source);
            if (s == nullptr) return 0;
            if (s->espace > EspaceLibreReserves) {
                Avertissement("Dissolution d'une section", "L'espace est insuffisant dans la réserve");
                return 0;
            }
            return Section__dissoudre(s);
        }
        return 0;
    };
    ListeReservesGraphique.dessinerElement = DessinerReserve;

    for (ListeGraphique* l : {&ListeRegiments, &ListeSections, &ListeReservesGraphique})
        l->lignesVisibles = l->zone.hauteur / l->hauteurLigne;
    ListeRegiments.cibles = {&ListeReservesGraphique};
    ListeReservesGraphique.cibles = {&ListeRegiments, &ListeSections};
    ListeSections.cibles = {&ListeReservesGraphique, &ListeRegiments};
}

// The portrait frame of the dragged item.
int32_t FrameGlissee() {
    for (ListeGraphique* l : {&ListeRegiments, &ListeSections, &ListeReservesGraphique}) {
        if (!l->glissement) continue;
        if (l == &ListeRegiments) {
            const Regiment* r = RegimentNumero(l->indexSelection);
            return r ? r->frame : 0;
        }
        if (l == &ListeSections) {
            const Section* s = SectionNumero(l->indexSelection);
            return s && Catalogue && s->typeSection >= 0 && s->typeSection < Catalogue->nombreTypesSections
                       ? Catalogue->typesSections[s->typeSection].frame
                       : 0;
        }
        const Reserve* r = ReserveNumero(l->indexSelection);
        const TypeUnite* t = r ? TypeDUnite(r->typeUnite) : nullptr;
        return t ? t->frame : 0;
    }
    return -1;
}

// Where the name box stands on the screen.
constexpr int32_t BOITE_NOM_X = 170, BOITE_NOM_Y = 150;

}  // namespace

int EcranModal__Message(int* codeQuitter) {
    Message m;
    if (QuitterJeu) {
        if (codeQuitter) *codeQuitter = 0;
        return -1;
    }
    if (!Message_Attente(&m)) return 0;
    if (Message_Lire(&m) == 0) {
        // The quit goes on to the loops outside.
        QuitterJeu = 1;
        Message_PosterQuitter(static_cast<int>(m.wParam));
        if (codeQuitter) *codeQuitter = static_cast<int>(m.wParam);
        return -1;
    }
    Message_Traduire(&m);
    Message_Distribuer(&m);
    return 1;
}

void InterfaceArmee__Curseur(int32_t position) {
    if (position < 0) position = 0;
    if (position > POSITIONS_GLISSIERE - 1) position = POSITIONS_GLISSIERE - 1;
    CurseurExperience = position;
    ExperienceChoisie = (ListeReserves__experienceMaximum() * position) / POSITIONS_GLISSIERE + 1;
}

namespace {

bool ArmeeAvecUnites() {
    for (int32_t i = 0; i < NombreRegiments(); ++i)
        if ((*ArmeeJoueur)[i]->nbUnites > 0) return true;
    return false;
}

}  // namespace

bool InterfaceArmee__SortiePossible() { return ModeSceneCourant == 3 || ArmeeAvecUnites(); }

Regiment* InterfaceArmee__NouveauRegiment() {
    if (ArmeeJoueur == nullptr) Armee__creer();
    if (ArmeeJoueur->nombre >= MAX_REGIMENTS) {
        Avertir(117, 118, MAX_REGIMENTS);
        return nullptr;
    }
    char nom[16] = "Orvandel";
    const int titre = ArmeeJoueur->nombre == 0 ? 116 : 77;
    do {
        if (SaisieNom(BOITE_NOM_X, BOITE_NOM_Y, 0, BOITE_NOM_X + 24, BOITE_NOM_Y + 24, TexteInterface(titre),
                      BOITE_NOM_X + 24, BOITE_NOM_Y + 64, nom, 11) != 1 ||
            QuitterJeu)
            return nullptr;
    } while (nom[0] == 0);
    Regiment* r = creerRegiment(nom, Armee__nouvelId(), nullptr);
    ArmeeJoueur->ajouter(r);
    Choisir(ListeRegiments, ArmeeJoueur->nombre - 1);
    Afficher(r);
    return r;
}

int32_t InterfaceArmee__CreerSection(Regiment* r, Reserve* reserve) {
    if (reserve == nullptr) return 0;
    if (NombreRegiments() == 0) {
        InterfaceArmee__NouveauRegiment();
        return 0;
    }
    if (r == nullptr) return 0;
    if (r->sections.nombre >= MAX_SECTIONS_REGIMENT) {
        Avertir(73, 76, MAX_SECTIONS_REGIMENT);
        return 0;
    }
    const TypeUnite* t = TypeDUnite(reserve->typeUnite);
    if (t == nullptr) return 0;
    const bool leader = t->categorie == 2;
    if (leader && ArmeeALeader(r)) {
        Avertissement("Création d'une section", "Il y a déjà un leader dans le régiment");
        return 0;
    }
    // A section type needs its layout at the castle level to hold any unit.
    const DispositionSection* disposition = Catalogue__disposition(NiveauChateau, t->typeSection);
    if (t->typeSection < 0 || disposition == nullptr || disposition->nombreUnites == 0) {
        Avertissement("Création d'une section", "Impossible de créer une section de %s", t->nom.c_str());
        return 0;
    }
    int32_t prix = 0;
    const int32_t cout = Section__coutCreation(t->typeSection, NiveauChateau, &prix);
    if (cout < 0) {
        Avertir(73, 75, 0);
        return 0;
    }
    if (cout == 0) {
        Avertir(73, 74, prix - OrJoueur);
        return 0;
    }
    if (prix > 0) {
        char question[256];
        Localisation__Texte(question, sizeof question, TexteInterface(89), "", prix);
        if (!Question_Formatee(TexteInterface(73), "%s", question)) return 0;
    }
    Section* s = creerSectionNeuve(t->typeSection, NiveauChateau, 1, ExperienceChoisie);
    Regiment__ajouterSection(r, s);
    if (r == RegimentAffiche) Rafraichir(ListeSections);
    // The leader's reserve leaves the list once it is empty (only once: the drop does not remove it again).
    if (leader && ListeReservesJoueur)
        for (int32_t i = 0; i < ListeReservesJoueur->nombre; ++i)
            if ((*ListeReservesJoueur)[i] == reserve && reserve->unites.nombre == 0) {
                delete ListeReserves__retirer(i);
                break;
            }
    Rafraichir(ListeReservesGraphique);
    return 1;
}

void InterfaceArmee__Ouverture(int32_t numeroJoueur) {
    decoupeScene = {EcranDestination.clipHaut, EcranDestination.clipBas, EcranDestination.clipGauche,
                    EcranDestination.clipDroite};
    EcranDestination.clipHaut = 0;
    EcranDestination.clipGauche = 0;
    EcranDestination.clipDroite = 640;
    EcranDestination.clipBas = 480;
    Catalogue__charger(numeroJoueur);
    EspaceLibreReserves = 10000;
    Armee__creer();
    ListeReserves__creer();
    RegimentAffiche = nullptr;
    GlissementEnCours = 0;
    ListeFocus = nullptr;
    if (ModeSceneCourant != 3) {
        Armee__charger();
        // The skirmish set-up builds its armies from the catalogue alone.
        ListeReserves__charger();
    }
    ListeReserves__bloquerTypes();
    ListeReserves__ameliorer();
    PreparerListes();
    InterfaceArmee__Curseur(5);
}

int InterfaceArmee__Tour() {
    Sprite__Affiche(OBJET_FOND, 0, 0, 0);
    Texte__AfficheAligne(100, 51, 255, 255, 255, 1, TexteInterface(70));
    Texte__AfficheAligne(320, 51, 255, 255, 255, 1, TexteInterface(71));
    Texte__AfficheAligne(500, 51, 255, 255, 255, 1, TexteInterface(72));
    Sprite__Affiche(OBJET_PIECE, 426, 333, 0);
    char or_[16];
    std::snprintf(or_, sizeof or_, "%d", OrJoueur);
    Texte__AfficheAligne16(451, 344, 255, 255, 255, 0, 2, or_);
    DessinerCaracteristiques();
    DessinerListe(ListeRegiments);
    DessinerListe(ListeSections);
    DessinerListe(ListeReservesGraphique);
    DessinerGlissiere();
    static const int32_t BOUTONS[6][2] = {{59, 0}, {101, 1}, {283, 2}, {451, 4}, {492, 5}, {535, 6}};
    for (const auto& b : BOUTONS) Sprite__Affiche(OBJET_BOUTONS, b[0], 413, b[1]);

    EntreesListe(ListeRegiments);
    EntreesListe(ListeSections);
    EntreesListe(ListeReservesGraphique);
    EntreesGlissiere();
    Touches();

    int sortie = 0;
    if (Bouton(59)) {
        ClicGauche = 0;
        InterfaceArmee__NouveauRegiment();
        Temps_Dormir(100);
    } else if (Bouton(101)) {
        ClicGauche = 0;
        DissoudreRegiment(ListeRegiments.indexSelection);
        Temps_Dormir(100);
    } else if (Bouton(283)) {
        ClicGauche = 0;
        if (Section* s = SectionNumero(ListeSections.indexSelection)) {
            // Units added to a section count in its regiment too.
            Section__completer(s, 1, ExperienceChoisie);
            Regiment__calculerCaracteristiques(RegimentAffiche);
        }
        Temps_Dormir(100);
    } else if (Bouton(451)) {
        ClicGauche = 0;
        Reserve* r = ReserveNumero(ListeReservesGraphique.indexSelection);
        const TypeUnite* t = r ? TypeDUnite(r->typeUnite) : nullptr;
        if (t && t->categorie == 1) Reserve__acheterUnite(r);
        Temps_Dormir(100);
    } else if (Bouton(492)) {
        ClicGauche = 0;
        Reserve* r = ReserveNumero(ListeReservesGraphique.indexSelection);
        const TypeUnite* t = r ? TypeDUnite(r->typeUnite) : nullptr;
        if (t && t->categorie != 2) Reserve__vendreUnite(r, 1, ExperienceChoisie);   // the unit nearest the slider
        Temps_Dormir(100);
    } else if (Bouton(535)) {
        ClicGauche = 0;
        if (InterfaceArmee__SortiePossible()) sortie = 1;
        Temps_Dormir(100);
    }

    for (ListeGraphique* l : {&ListeRegiments, &ListeSections, &ListeReservesGraphique}) Depot(*l);

    const int32_t frame = FrameGlissee();
    if (frame >= 0) DessinerFantome(frame);
    DessinerPointeur();
    if (ToucheEchap) {
        ToucheEchap = 0;
        if (InterfaceArmee__SortiePossible()) sortie = 1;
    }
    // A click that fell on nothing is spent.
    ClicGauche = 0;
    return sortie;
}

void InterfaceArmee__Fermeture() {
    // The campaign's army and reserves are written together, an empty army too (its units went to
    // the reserves). The skirmish's gold and reserves are not the campaign's: they are not written.
    if (ModeSceneCourant == 3) {
        if (ArmeeAvecUnites()) Armee__sauvegarderEscarmouche();   // an army of no unit could not fight
    } else {
        Armee__sauvegarderAvecReserves();
    }
    ListeRegiments = ListeGraphique{};
    ListeSections = ListeGraphique{};
    ListeReservesGraphique = ListeGraphique{};
    ListeFocus = nullptr;
    RegimentAffiche = nullptr;
    GlissementEnCours = 0;
    Armee__liberer();
    ListeReserves__liberer();
    Catalogue__liberer();
    EcranDestination.clipHaut = decoupeScene.haut;
    EcranDestination.clipBas = decoupeScene.bas;
    EcranDestination.clipGauche = decoupeScene.gauche;
    EcranDestination.clipDroite = decoupeScene.droite;
    if (EcranTampon) std::memset(EcranTampon, 0, static_cast<size_t>(LargeurEcran) * HauteurEcran * 2);
}

int InterfaceArmee(int32_t numeroJoueur) {
    InterfaceArmee__Ouverture(numeroJoueur);
    int code = 0;
    for (;;) {
        if (InterfaceArmee__Tour()) break;
        Ecran_Affichage();
        if (EcranModal__Message(&code) < 0) break;
    }
    InterfaceArmee__Fermeture();
    return code;
}

int SaisieNom(int32_t x, int32_t y, int32_t, int32_t titreX, int32_t titreY, const char* titre, int32_t texteX,
              int32_t texteY, char* texte, int32_t maximum) {
    if (texte == nullptr || maximum < 0) return 1;
    const SaisieTexteOuverte saisie;   // the keys typed go to the name only
    const size_t pixels = EcranTampon ? static_cast<size_t>(LargeurEcran) * HauteurEcran : 0;
    const std::vector<uint16_t> dessous(EcranTampon, EcranTampon + pixels);
    const int largeur = LargeurEcran, hauteur = HauteurEcran;
    auto restaurer = [&] {
        if (EcranTampon && LargeurEcran == largeur && HauteurEcran == hauteur && pixels)
            std::memcpy(EcranTampon, dessous.data(), pixels * 2);
    };
    ToucheCaractere = 0;
    ToucheEntree = 0;
    int code = 0;
    for (;;) {
        size_t n = std::strlen(texte);
        if (ToucheCaractere) {
            const char c = static_cast<char>(ToucheCaractere);
            ToucheCaractere = 0;
            const bool signe = c == ' ' || c == '+' || c == '-' || c == '*' || c == '/';
            if (static_cast<int32_t>(n) < maximum && (!signe || n >= 2)) {
                texte[n++] = c;
                texte[n] = 0;
            }
        }
        if (ToucheRetourArriere) {
            ToucheRetourArriere = 0;
            if (n > 0) texte[--n] = 0;
        }
        if (n > 0) texte[0] = Texte__Majuscule(texte[0]);
        const bool surOk = SourisX >= x + 207 && SourisX < x + 243 && SourisY >= y + 108 && SourisY < y + 144;
        bool valide = false;
        if (ToucheEntree) {
            ToucheEntree = 0;
            valide = true;
        }
        if (surOk && ClicGauche) {
            ClicGauche = 0;
            valide = true;
        }
        if (valide) {
            if (n > 0) restaurer();
            return 1;
        }
        restaurer();
        Sprite__Affiche(OBJET_BOITE_NOM, x, y, 0);
        if (surOk) Sprite__Affiche(OBJET_BOUTON_OK, x + 207, y + 108, 0);
        Texte__AfficheAligne16(titreX, titreY, 255, 255, 255, 0, 2, titre ? titre : "");
        std::string montre = texte;
        if ((Temps_Ticks() / 250) % 2 == 0) montre += "_";
        Texte__AfficheAligne16(texteX, texteY, 255, 255, 255, 0, 2, montre.c_str());
        DessinerPointeur();
        Ecran_Affichage();
        if (EcranModal__Message(&code) < 0) {
            restaurer();
            return code;
        }
    }
}
