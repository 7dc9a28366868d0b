// morvane_bataille: the battle simulation with no window and no sound, one logic pass per 66 ms of
// the manual clock, on worlds built in code from the game tree's men or on a level of the tree;
// with --dessin the scene is drawn after each pass as the game frame draws it (into a back buffer
// of our own), since the drawing of units writes state the battle reads. Prints plain lines for
// scripts:
//   passes N / armee A vivants N / armee A engages N / armee A pertes N / armee A tirs N / etat HASH /
//   ms_par_passe p50 .. p99 .. max .. moyenne ..
#include <algorithm>
#include <array>
#include <ctime>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "battle/deplacement.h"
#include "battle/impacts.h"
#include "battle/ia.h"
#include "battle/occupation.h"
#include "battle/projectiles.h"
#include "battle/simulation.h"
#include "battle/trajet.h"
#include "campaign/campagne.h"
#include "campaign/region.h"
#include "foundation/ecran.h"
#include "foundation/objetsgfx.h"
#include "foundation/sprites.h"
#include "platform/blitter.h"
#include "platform/fichiers.h"
#include "platform/hasard.h"
#include "platform/plateforme.h"
#include "platform/temps.h"
#include "scene/affichage.h"
#include "scene/eclairs.h"
#include "scene/meteo.h"
#include "scene/palettes.h"
#include "scene/particules.h"
#include "scene/particules_effets.h"
#include "scene/plans.h"
#include "shell/cycles.h"
#include "shell/routeur.h"
#include "shell/trame.h"
#include "world/batiments.h"
#include "world/gestion_objets.h"
#include "world/grilles.h"
#include "world/groupes.h"
#include "world/maitres.h"
#include "world/mort.h"
#include "world/niveau.h"
#include "world/objets.h"
#include "world/univers.h"

namespace {

constexpr int PASSE_MS = 66;

// The thread's CPU time in ms: passes are timed with it, so that other work on a shared machine
// does not count.
double MsCpu() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

struct Options {
    uint32_t graine = 1;
    int passes = 2000;
    int echauffement = 0;
    std::string scenario = "ouvert";
    bool scenarioDonne = false;   // --scenario given: with --niveau, only dispersion, laid on the level
    std::string niveau;   // a level of the game tree, in the game's own form ("..\\niveau\\essai.mv")
    std::string jeu = MORVANE_JEU_DIR;
    int unites = 2000;    // the open battle's size, both armies together (scaling runs)
    bool armees = false;  // the level battle also deploys the player's and an enemy regiment from their files
    bool dessin = false;  // the scene drawn after each pass, as in the game
    bool vueChargee = false;  // with --dessin, the view moved over the most units before the timed passes
    bool empreinteImage = false;  // with --dessin, a hash of every frame drawn printed as `image HASH`
};

Options opt;

// The sample game's foot soldier and archer: men of family HUMAIN whose attack animations carry
// their hits and shots in their event files.
constexpr int MAITRE_SOLDAT = 20, MAITRE_ARCHER = 13;
constexpr int MAITRE_REPERE = 130;

// A group of n men of one army, laid in rows of `colonnes` from (x0, y0), facing the other army;
// archers where the rules stream says so (part in percent). -1 when the tables are full.
int NouveauGroupe(int armee, int x0, int y0, int n, int colonnes, int partArchers) {
    const bool archers = Hasard_Regles() % 100 < partArchers;
    // The last group takes the rows that still fit in the object table.
    const int lignes = std::min((n + colonnes - 1) / colonnes, (NOMBRE_OBJETS - 1 - NombreObjets) / colonnes);
    if (NombreGroupes >= NOMBRE_GROUPES - 3 || lignes <= 0) return -1;
    const int gi = Groupe___Creation(archers ? MAITRE_ARCHER : MAITRE_SOLDAT, armee, x0, y0, colonnes, lignes,
                                     armee == 0 ? 2 : 6);
    ::Groupe& g = TableGroupes[static_cast<size_t>(gi)];
    g.modeFormation = g.modeFormationMaitre = n > 1 ? 4 : 1;
    g.engagementLibre = 1;
    return gi;
}

bool Libre(int x, int y, int l, int h) { return Univers__ZoneLibreUnites(x, y, l, h) == 1; }

void Bloc(int x, int y) {
    for (int i = x; i < x + 2; ++i)
        for (int j = y; j < y + 2; ++j) GrilleUnites[i + TAILLE_UNIVERS * j] = 1;
}

// Two armies of 1000 (or --unites in all) in groups of 25, 30 % archers, scattered 2 x 2 blocks between.
void Ouvert() {
    for (int k = 0; k < 60; ++k) {
        const int x = 30 + Hasard_Regles() % 66, y = 4 + Hasard_Regles() % 118;
        Bloc(x, y);
    }
    const int groupes = std::clamp((opt.unites / 2 + 24) / 25, 1, 40);
    for (int armee = 0; armee < 2; ++armee)
        for (int k = 0; k < groupes; ++k) {
            const int x0 = (armee == 0 ? 2 : 100) + 6 * (k % 4), y0 = 2 + 6 * (k / 4) + 3 * (k % 2);
            NouveauGroupe(armee, x0, y0, 25, 5, k % 10 < 3 ? 100 : 0);
        }
}

// About 2000 objects in about 1500 groups, mostly single units, scattered over the map.
void Dispersion() {
    // The armies are laid in turn, so that they share the object table evenly.
    for (int k = 0; k < 125; ++k)
        for (int armee = 0; armee < 2; ++armee) {
            const int x0 = (armee == 0 ? 4 : 84) + 8 * (k % 5), y0 = 2 + 5 * (k / 5);
            NouveauGroupe(armee, x0, y0, 4, 2, 30);
        }
    for (int k = 0; k < 620; ++k)
        for (int armee = 0; armee < 2; ++armee)
            for (int essai = 0; essai < 50; ++essai) {
                const int x = (armee == 0 ? 2 : 64) + Hasard_Regles() % 62, y = 1 + Hasard_Regles() % 126;
                if (!Libre(x, y, 1, 1)) continue;
                NouveauGroupe(armee, x, y, 1, 1, 30);
                break;
            }
}

// Dispersion's units laid on a level's free cells, after its own objects: the groups of four where
// their 2 x 2 rows are free, the single units as in the world built in code.
void DispersionSurNiveau() {
    for (int k = 0; k < 125; ++k)
        for (int armee = 0; armee < 2; ++armee) {
            const int x0 = (armee == 0 ? 4 : 84) + 8 * (k % 5), y0 = 2 + 5 * (k / 5);
            if (Libre(x0, y0, 2, 2)) NouveauGroupe(armee, x0, y0, 4, 2, 30);
        }
    for (int k = 0; k < 620; ++k)
        for (int armee = 0; armee < 2; ++armee)
            for (int essai = 0; essai < 50; ++essai) {
                const int x = (armee == 0 ? 2 : 64) + Hasard_Regles() % 62, y = 1 + Hasard_Regles() % 126;
                if (!Libre(x, y, 1, 1)) continue;
                NouveauGroupe(armee, x, y, 1, 1, 30);
                break;
            }
}

// A wall across the map with one 4-cell gap; the armies start on either side.
void Breche() {
    for (int y = 0; y < TAILLE_UNIVERS; ++y)
        if (y < 62 || y >= 66) GrilleUnites[64 + TAILLE_UNIVERS * y] = 1;
    for (int armee = 0; armee < 2; ++armee)
        for (int k = 0; k < 20; ++k) {
            const int x0 = (armee == 0 ? 4 : 100) + 6 * (k % 4), y0 = 30 + 6 * (k / 4);
            NouveauGroupe(armee, x0, y0, 25, 5, 30);
        }
}

// A logic pass of the game frame in battle, without its input, victory test and minimap: the frame
// counters, the tick counter, the group tick, every object's behaviour, the death delay, the
// impact effects, the projectiles and the bolts, and the dead released as after the display. With
// --dessin also the particles, the wind and the time of day, and the scene drawn before the dead
// are released, as in the game frame; the view stays where the scene start put it.
std::array<int, 6> Tirs{};   // projectiles launched per army
std::vector<uint16_t> Tampon;   // the back buffer drawn into with --dessin

void Passe() {
    Cycle__Avance(&CompteurCycle25, 25);
    Cycle__Avance(&CompteurCycle43B, 43);
    Cycle__Avance(&CompteurCycle43, 43);
    Cycle__Avance(&CompteurCycle100, 100);
    Cycle__Avance(&CompteurCycle12, 12);
    if (Cycle__Avance(&CompteurCycle20, 20)) Pulsation = -Pulsation;
    Cycle__Avance(&CompteurCycle32, 32);
    ++CompteurTours;
    GroupesGeres = 0;
    Simulation__Tour();
    Objets__GestionTour();
    TemporisationMort__Tick();
    EffetImpactGestion();
    if (opt.dessin) Particules_Gestion(FacteurTemps);
    // Shots fired in this pass: projectiles launched by the behaviours that have not flown yet.
    for (const Projectile* p = ProjectileTete; p; p = p->suivant) {
        if (p->pas != 0 || p->tireur < 1 || p->tireur >= NOMBRE_OBJETS) continue;
        const int a = TableObjets[static_cast<size_t>(p->tireur)].armee;
        if (a >= 0 && a < 6) ++Tirs[static_cast<size_t>(a)];
    }
    ProjectileGestion();
    Eclair__Gestion();
    if (opt.dessin) {
        Vent__Evolution();
        Heure__Evolution();
        PlanObjet__RazAffiche();
        Scene__Affichage();
    }
    ObjetsMorts__Liberation();
    if (Temps_Manuel()) Temps_Avancer(PASSE_MS);
}

// The back buffer, the blitter and the screen geometry the scene is drawn with; for a world
// built in code also what a scene start loads for drawing (particle effects, terrain set).
// False with a message when the blitter cannot start.
bool PreparerDessin(bool monde) {
    Tampon.assign(640 * 480, 0);
    EcranTampon = Tampon.data();
    LargeurEcran = 640;
    HauteurEcran = 480;
    if (SprDll_Init(12, BLITTER_FORMAT_555, nullptr) != 0) {
        std::fprintf(stderr, "morvane_bataille: the sprite blitter did not start\n");
        return false;
    }
    Ecran__Geometrie(640, 480);
    // Past the tutorial, whose battle tip would open a requester that waits for the player.
    CampagneCourante = EtapeCampagne = 1;
    if (monde) {
        Particules_Initialisation();
        ChargementSprite();
        Effets_Chargement();
        Effets_AdressesScene();
        Terrain__Chargement("..\\spredit\\moteur\\matiere1", 676);
    }
    return true;
}

// Moves the view (an even origin, as the terrain keeps it) to where it shows the most units: the
// busiest frame to draw.
void VueChargee() {
    if (!GrilleUnites || CasesVisiblesX <= 0 || CasesVisiblesY <= 0) return;
    constexpr int T = TAILLE_UNIVERS;
    std::vector<int> somme(static_cast<size_t>((T + 1) * (T + 1)), 0);   // prefix sums of units per cell
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            const int n = GrilleUnites[x + T * y];
            const bool unite = n > 1 && n < NOMBRE_OBJETS && TableObjets[static_cast<size_t>(n)].groupe >= 1 &&
                               TableObjets[static_cast<size_t>(n)].armee >= 0 &&
                               TableObjets[static_cast<size_t>(n)].armee <= 5;
            somme[static_cast<size_t>((y + 1) * (T + 1) + x + 1)] = (unite ? 1 : 0) +
                                                                     somme[static_cast<size_t>(y * (T + 1) + x + 1)] +
                                                                     somme[static_cast<size_t>((y + 1) * (T + 1) + x)] -
                                                                     somme[static_cast<size_t>(y * (T + 1) + x)];
        }
    auto S = [&](int x, int y) { return somme[static_cast<size_t>(y * (T + 1) + x)]; };
    const int w = std::min(CasesVisiblesX, T - 1), h = std::min(CasesVisiblesY, T - 1);
    int meilleur = -1;
    for (int y = 0; y + h <= 127; y += 2)
        for (int x = 0; x + w <= 127; x += 2) {
            const int n = S(x + w, y + h) - S(x, y + h) - S(x + w, y) + S(x, y);
            if (n > meilleur) meilleur = n, RepereX = x, RepereY = y;
        }
}

// FNV-1a over bytes.
struct Empreinte {
    uint64_t h = 1469598103934665603ULL;
    template <typename T>
    void Ajoute(const T& v) {
        const auto* p = reinterpret_cast<const unsigned char*>(&v);
        for (size_t i = 0; i < sizeof(T); ++i) h = (h ^ p[i]) * 1099511628211ULL;
    }
};

// Every frame drawn, folded into one hash (outside the timed passes): drawing work must keep it.
uint64_t EmpreinteImages = 1469598103934665603ULL;

void AjouteImage() {
    for (const uint16_t p : Tampon) EmpreinteImages = (EmpreinteImages ^ p) * 1099511628211ULL;
}

uint64_t Etat() {
    Empreinte e;
    for (int o = 1; o < NOMBRE_OBJETS; ++o) {
        const Objet& u = TableObjets[static_cast<size_t>(o)];
        for (const int32_t v : {u.typeMaitre, u.animation, u.image, u.direction, u.enIncantation, u.mana, u.actif, u.x, u.y, u.prochaineCaseX, u.prochaineCaseY, u.decalageX, u.decalageY,
                                u.ordreSecondaire, u.cible, u.groupeCible, u.totalEngage, u.attenteCase,
                                u.xPrecedent, u.yPrecedent, u.dernierEnnemi, u.dernierAllie, u.pointsDeVie,
                                u.modeDeplacement, u.pointCourantUnite, u.nbPointsTrajetUnite})
            e.Ajoute(v);
    }
    for (const NoeudEntier* n = ListeGroupesActifs; n && n->suivant; n = n->suivant) {
        const ::Groupe& g = TableGroupes[static_cast<size_t>(n->valeur)];
        for (const int32_t v : {g.nbMembres, g.modeFormation, g.ancreX, g.ancreY, g.pasX, g.pasY, g.nbPointsTrajet,
                                g.pointCourant, g.toursArrivee, g.etatPas, g.groupeCibleIA, g.groupeCibleIAPropose,
                                g.ordreAttaque, g.force, g.forceEngagee, g.bloque, g.enFuite, g.butX, g.butY})
            e.Ajoute(v);
    }
    for (int i = 0; i < CASES_CARTE; ++i) {
        e.Ajoute(CarteOccupationSol[i]);
        e.Ajoute(CarteOccupationAir[i]);
    }
    e.Ajoute(SimulationCompteur);
    e.Ajoute(IACompteur);
    // The streams' states, read through their next draws (the run is over).
    for (int i = 0; i < 4; ++i) {
        e.Ajoute(Hasard_Regles());
        e.Ajoute(Hasard_Visuel());
    }
    return e.h;
}

bool Entier(const char* texte, int& valeur) {
    char* fin = nullptr;
    const long v = std::strtol(texte, &fin, 10);
    if (!*texte || *fin || v < 0 || v > 100000000) return false;
    valeur = static_cast<int>(v);
    return true;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: morvane_bataille [--scenario ouvert|dispersion|breche | --niveau LEVEL [--armees | --scenario dispersion] [--jeu DIR]] "
                 "[--unites N] [--passes N] [--echauffement N] [--graine N] [--dessin [--vue-chargee] [--empreinte-image]]\n"
                 "  --unites sets the size of the open battle, both armies together (50 to 2000)\n"
                 "  LEVEL is a level file of the game tree DIR as the game names it, e.g. ..\\niveau\\essai.mv\n"
                 "  --armees also deploys the tree's working regiment 0 and its sample enemy regiment\n"
                 "  --scenario dispersion with --niveau lays dispersion's units on the level's free cells\n"
                 "  --dessin draws the scene after each pass as the game does (the drawing writes battle state)\n"
                 "  --vue-chargee first moves the view to where it shows the most units\n"
                 "  --empreinte-image also prints `image HASH`, a hash of every frame drawn\n");
    return 2;
}

// Loads the game tree's graphic list and masters (with their event files). False with a message
// when the tree cannot be read.
bool ChargerJeu() {
    std::error_code ec;
    std::filesystem::current_path(std::filesystem::path(opt.jeu) / "bin", ec);
    if (ec) {
        std::fprintf(stderr, "morvane_bataille: no game tree in %s\n", opt.jeu.c_str());
        return false;
    }
    OptionsPlateforme options;
    options.sansTete = true;
    std::string erreur;
    if (!Plateforme_Initialiser(options, &erreur)) {
        std::fprintf(stderr, "morvane_bataille: %s\n", erreur.c_str());
        return false;
    }
    // A fatal report ends the program with its code; the report itself is in ..\Erreur.txt.
    Plateforme_CrochetTerminer([](int code) {
        std::fprintf(stderr, "morvane_bataille: the game stopped (code %d), see %s/Erreur.txt\n", code,
                     opt.jeu.c_str());
        std::exit(1);
    });
    CreationDeLalIsteDesObjetsGfx();
    if (Maitres__Liste__Creation() <= 0) {
        std::fprintf(stderr, "morvane_bataille: no master objects in %s\n", opt.jeu.c_str());
        return false;
    }
    ModeSceneCourant = 2;
    ModeJeuCourant = -1;
    return true;
}

// Starts the battle scene on the level; with --armees, as a region battle of the working army's
// regiment 0 (from the west) against the tree's sample enemy regiment (at the centre).
void DemarrerNiveau() {
    std::snprintf(NomNiveauBataille, sizeof NomNiveauBataille, "%s", opt.niveau.c_str());
    if (opt.armees) {
        Fichier_Copier("..\\Armees\\Regimentsnmi\\nmi100.txt", "..\\tmp\\Joueur0\\nmi100.txt", true);
        NbRegimentsRegion = 1;
        RegimentsRegion[0].enBataille = 1;
        RegimentsRegion[0].directionEntree = 2;
        NbRegimentsNmi = 1;
        RegimentNmi& n = RegimentsNmi[0];
        std::snprintf(n.fichier, sizeof n.fichier, "nmi100.txt");
        n.id = 100;
        n.joueur = n.camp = n.enBataille = 1;
        n.directionEntree = 8;
    }
    ChargeRegion();
}

// A world built in code for scenario `nom`, of the tree's men: the grids, the object and group
// tables, the placeholder whose index 1 marks impassable cells, the armies. False when it cannot
// be made.
bool Monde(const std::string& nom) {
    if (nom != "ouvert" && nom != "dispersion" && nom != "breche") return Usage() == 0;
    Univers__AlloueGrilles();
    Univers__AlloueGrillesBatiments();
    ObjetsGroupes__Initialisation();
    Groupe___Creation(MAITRE_REPERE, ARMEE_REPERE, 1, 1, 1, 1, 1);
    Univers__EffaceCaseUnites(1, 1);
    if (nom == "ouvert") Ouvert();
    else if (nom == "dispersion") Dispersion();
    else Breche();
    if (Univers__AlloueCartes() != 1) {
        std::fprintf(stderr, "morvane_bataille: out of memory\n");
        return false;
    }
    Occupation__Reconstruit();
    return true;
}

// The units of each army: live objects of a group (a level's buildings, trees and decors have
// none) that are not dying.
std::array<int, 6> Vivants(int* engages = nullptr) {
    std::array<int, 6> vivants{};
    for (int o = 1; o < NOMBRE_OBJETS; ++o) {
        const Objet& u = TableObjets[static_cast<size_t>(o)];
        if (u.noeudListe == nullptr || u.armee < 0 || u.armee > 5 || u.actif != 1 || u.ordreSecondaire == 3 ||
            u.ordreSecondaire == 4)
            continue;
        if (u.groupe < 1 || u.groupe >= NOMBRE_GROUPES) continue;
        ++vivants[static_cast<size_t>(u.armee)];
        if (engages && (u.cible != -1 || u.ordreSecondaire == 1)) ++engages[u.armee];
    }
    return vivants;
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--vue-chargee") {
            opt.vueChargee = true;
            continue;
        }
        if (a == "--empreinte-image") {
            opt.empreinteImage = true;
            continue;
        }
        if (a == "--armees" || a == "--dessin") {
            (a == "--armees" ? opt.armees : opt.dessin) = true;
            continue;
        }
        if (i + 1 >= argc) return Usage();
        int v = 0;
        if (a == "--scenario") opt.scenario = argv[++i], opt.scenarioDonne = true;
        else if (a == "--niveau") opt.niveau = argv[++i];
        else if (a == "--jeu") opt.jeu = argv[++i];
        else if (a == "--passes" && Entier(argv[i + 1], v)) opt.passes = v, ++i;
        else if (a == "--echauffement" && Entier(argv[i + 1], v)) opt.echauffement = v, ++i;
        else if (a == "--graine" && Entier(argv[i + 1], v)) opt.graine = static_cast<uint32_t>(v), ++i;
        else if (a == "--unites" && Entier(argv[i + 1], v) && v >= 50 && v <= 2000) opt.unites = v, ++i;
        else return Usage();
    }
    if ((opt.scenarioDonne && !opt.niveau.empty() && (opt.scenario != "dispersion" || opt.armees)) ||
        (opt.armees && opt.niveau.empty()) || ((opt.vueChargee || opt.empreinteImage) && !opt.dessin))
        return Usage();

    Hasard_Graine(opt.graine);
    if (!ChargerJeu()) return 1;
    if (opt.dessin && !PreparerDessin(opt.niveau.empty())) return 1;
    if (!opt.niveau.empty()) {
        DemarrerNiveau();
        if (opt.scenarioDonne) {
            DispersionSurNiveau();
            Occupation__Reconstruit();
        }
    } else if (!Monde(opt.scenario)) return 1;
    const std::array<int, 6> depart = Vivants();
    SimulationCompteur = 0;
    SimulationInitialisee = 0;
    IAActive = 1;
    TricheIAJoueur = 1;   // every army is a computer player here

    for (int i = 0; i < opt.echauffement; ++i) {
        Passe();
        if (opt.empreinteImage) AjouteImage();
    }
    if (opt.vueChargee) VueChargee();
    std::vector<double> ms;
    ms.reserve(static_cast<size_t>(opt.passes));
    for (int i = 0; i < opt.passes; ++i) {
        const double t0 = MsCpu();
        Passe();
        ms.push_back(MsCpu() - t0);
        if (opt.empreinteImage) AjouteImage();
    }

    int engages[6] = {};
    const std::array<int, 6> vivants = Vivants(engages);
    // Armies 0 and 1 always, the others when they had units.
    auto montrer = [&](size_t a) { return a < 2 || depart[a] > 0 || vivants[a] > 0; };
    std::printf("passes %d\n", opt.passes);
    for (size_t a = 0; a < 6; ++a)
        if (montrer(a)) std::printf("armee %zu vivants %d\n", a, vivants[a]);
    for (size_t a = 0; a < 6; ++a)
        if (montrer(a)) std::printf("armee %zu engages %d\n", a, engages[a]);
    for (size_t a = 0; a < 6; ++a)
        if (montrer(a)) std::printf("armee %zu pertes %d\n", a, std::max(0, depart[a] - vivants[a]));
    for (size_t a = 0; a < 6; ++a)
        if (montrer(a)) std::printf("armee %zu tirs %d\n", a, Tirs[a]);
    std::printf("etat %016llx\n", static_cast<unsigned long long>(Etat()));
    if (opt.empreinteImage) std::printf("image %016llx\n", static_cast<unsigned long long>(EmpreinteImages));
    std::sort(ms.begin(), ms.end());
    auto centile = [&](double p) {
        return ms.empty() ? 0.0 : ms[std::min(ms.size() - 1, static_cast<size_t>(p * static_cast<double>(ms.size())))];
    };
    double somme = 0;
    for (double m : ms) somme += m;
    std::printf("ms_par_passe p50 %.2f p99 %.2f max %.2f moyenne %.4f\n", centile(0.50), centile(0.99),
                ms.empty() ? 0.0 : ms.back(), ms.empty() ? 0.0 : somme / static_cast<double>(ms.size()));

    Region__Quitte();
    Plateforme_Fermer();
    return 0;
}
