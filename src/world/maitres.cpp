#include "world/maitres.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "editors/evenements.h"
#include "foundation/erreurs.h"
#include "foundation/fichier.h"
#include "foundation/objetsgfx.h"
#include "platform/fichiers.h"
#include "platform/hasard.h"
#include "world/descriptions.h"
#include "world/codes.h"

std::array<Objet, NOMBRE_TYPES_MAITRES> TableMaitres{};
int32_t NombreMaitres = 0;
std::array<char*, NOMBRE_TYPES_MAITRES> NomsMaitres{};

TableParMaitre ObjetGfx_ANIM__DPL{}, ObjetGfx_ANIM__ARA{}, ObjetGfx_ANIM__ARE{}, ObjetGfx_ANIM__DRA{},
    ObjetGfx_ANIM__DRE{}, ObjetGfx_ANIM__SPL{}, ObjetGfx_ANIM__ASP{}, ObjetGfx_ANIM__VOL{}, ObjetGfx_ANIM__DEC{},
    ObjetGfx_ANIM__ATT{}, ObjetGfx_ANIM__ECR{}, ObjetGfx_ANIM__SSP{}, ObjetGfx_ANIM__SIN{}, ObjetGfx_ANIM__SPJ{},
    ObjetGfx_ANIM__APU{}, ObjetGfx_ANIM__CCA{}, ObjetGfx_ANIM__CCH{}, ObjetGfx_ANIM__VOR{}, ObjetGfx_ANIM__MOR{},
    ObjetGfx_ANIM__MOV{}, ObjetGfx_ANIM__APP{};

const std::array<TableParMaitre*, NOMBRE_ANIMATIONS> TablesObjetGfxAnimations = {
    &ObjetGfx_ANIM__DPL, &ObjetGfx_ANIM__ARA, &ObjetGfx_ANIM__ARE, &ObjetGfx_ANIM__DRA, &ObjetGfx_ANIM__DRE,
    &ObjetGfx_ANIM__SPL, &ObjetGfx_ANIM__ASP, &ObjetGfx_ANIM__VOL, &ObjetGfx_ANIM__DEC, &ObjetGfx_ANIM__ATT,
    &ObjetGfx_ANIM__ECR, &ObjetGfx_ANIM__SSP, &ObjetGfx_ANIM__SIN, &ObjetGfx_ANIM__SPJ, &ObjetGfx_ANIM__APU,
    &ObjetGfx_ANIM__CCA, &ObjetGfx_ANIM__CCH, &ObjetGfx_ANIM__VOR, &ObjetGfx_ANIM__MOR, &ObjetGfx_ANIM__MOV,
    &ObjetGfx_ANIM__APP};

const std::array<const char*, NOMBRE_ANIMATIONS> MotsClesAnimations = {
    "ANIM__DPL", "ANIM__ARA", "ANIM__ARE", "ANIM__DRA", "ANIM__DRE", "ANIM__SPL", "ANIM__ASP",
    "ANIM__VOL", "ANIM__DEC", "ANIM__ATT", "ANIM__ECR", "ANIM__SSP", "ANIM__SIN", "ANIM__SPJ",
    "ANIM__APU", "ANIM__CCA", "ANIM__CCH", "ANIM__VOR", "ANIM__MOR", "ANIM__MOV", "ANIM__APP"};

VoixParMaitre VoixSelection{}, VoixDeplacement{}, VoixAttaque{};

namespace {

struct MotCle {
    const char* mot;
    int valeur;
};

constexpr MotCle Familles[] = {
    {"HUMAIN", 0}, {"BATIMENT", 1}, {"DECORS", 2}, {"ARBRES", 3}, {"PROJECTILE", 4},
    {"MACHINES__DE__GUERRE", 5}, {"DRAGON", 6}, {"PORTE", 10}, {"GENERATEUR", 11}, {"TELEPORTEUR", 12},
    {"CADAVRE", 13}, {"GEANT", 19}, {"CRENAU", 20}, {"ANGE", 21}, {"REGIMENT", 23}, {"REGIMENT_NMI", 25},
    {"GRILLE", 26}, {"LEVIATHAN", 0}};

constexpr MotCle Classes[] = {
    {"MAGICIEN", 0}, {"PRETRE", 1}, {"NECROMANT", 2}, {"GUERRIER", 3}, {"ARCHER", 4}, {"BATIMENT", 5},
    {"PROGRAMME__VERS__ORTHO", 6}, {"DEMON", 7}, {"DRAGON", 8}, {"CATAPULTE", 9}, {"BALISTE", 10},
    {"PORTE", 14}, {"TELEPORTEUR", 15}, {"GENERATEUR", 16}, {"CADAVRE", 17}, {"LEVIATHAN", 18},
    {"GEANT", 19}, {"CRENAU", 20}, {"ANGE", 21}, {"ARBRES", 22}, {"REGIMENT", 23}, {"EAU", 24},
    {"FORTIFICATION", 25}};

constexpr MotCle Sorts[] = {
    {"-1", -1}, {"-", -1}, {"BOULE_DE_FEU", 33}, {"INVOCATION_ELEMENTAIRE", 34}, {"ERRADICATION", 35},
    {"PLUIE_DE_FEU", 36}, {"INVISIBLE", 37}, {"POLYMORPHE", 38}, {"CHANGEMENT_DE_FORME", 39},
    {"BOULE_DE_NETHER", 40}, {"LA_MAIN_EMPEREUR", 41}, {"LUMIERE_CELESTE", 42}, {"JUGEMENT_DERNIER", 43},
    {"SOINS", 44}, {"BENEDICTION_DIVINE", 45}, {"SPHERE_EMPRISONNEMENT", 46}, {"RESURRECTION", 47},
    {"EXORCISME", 48}, {"VISION_INVISIBLE", 49}, {"AURORE", 50}, {"RETOUR_VERS_DIEU", 51},
    {"DOME_ANTI_MAGIE", 52}, {"ANIMATION_DES_MORTS", 53}, {"POSSESSION", 54}, {"PRENDRE_LA_VIE", 55},
    {"FOUDRE_DIVINE", 55}, {"INVOCATION_DEMONIAQUE", 57}, {"TENEBRES", 58}, {"ESPRIT_ERRANT", 59},
    {"FOLIE_SUICIDAIRE", 60}, {"PARALYSATION", 61}, {"LAMES_DU_CANCER", 62}, {"TELEPORTATION", 1052},
    {"0", 0}, {"1", 1}, {"2", 2}, {"3", 3}, {"4", 4}, {"5", 5}, {"6", 6}, {"7", 7}, {"8", 8}, {"9", 9}};

template <size_t N>
bool Chercher(const MotCle (&table)[N], const char* mot, int* valeur) {
    for (const MotCle& m : table)
        if (std::strcmp(m.mot, mot) == 0) {
            *valeur = m.valeur;
            return true;
        }
    return false;
}

// A decimal integer filling the whole token.
bool Entier(const char* mot, int* valeur) {
    if (*mot == 0) return false;
    errno = 0;
    char* fin = nullptr;
    long v = std::strtol(mot, &fin, 10);
    if (*fin != 0 || errno != 0 || v < INT32_MIN || v > INT32_MAX) return false;
    *valeur = static_cast<int>(v);
    return true;
}

const char* const OU_CHARGEMENT = "Chargement";

// Closes a stream when its reader leaves, a report included.
struct Fermeture {
    FILE*& f;
    ~Fermeture() {
        if (f) std::fclose(f);
        f = nullptr;
    }
};

// Whitespace-separated tokens of a text file, each at most 1023 bytes; the end of the file is
// reported with the name of what was expected instead of being read as garbage.
class Lecteur {
  public:
    Lecteur(FILE* f, const char* chemin) : f_(f), chemin_(chemin) {}

    bool Essayer(char (&mot)[1024]) {
        // The stream is this reader's alone: read without taking its lock for each byte.
        int c;
        do c = getc_unlocked(f_);
        while (c != EOF && std::isspace(c));
        if (c == EOF) return false;
        size_t n = 0;
        while (c != EOF && !std::isspace(c)) {
            if (n < sizeof mot - 1) mot[n++] = static_cast<char>(c);
            c = getc_unlocked(f_);
        }
        mot[n] = 0;
        return true;
    }
    // The next token; its absence is fatal.
    const char* Mot(const char* attendu) {
        if (!Essayer(mot_)) Erreur_Fatale(OU_CHARGEMENT, "%s non défini", attendu);
        return mot_;
    }
    // A label and its value; the value is returned and the label kept in Etiquette().
    const char* Entree(const char* attendu) {
        std::strcpy(etiquette_, Mot(attendu));
        return Mot(attendu);
    }
    int EntreeEntier(const char* attendu) {
        const char* v = Entree(attendu);
        int valeur = 0;
        if (!Entier(v, &valeur))
            Erreur_Fatale(OU_CHARGEMENT, "Format non respecté : %s %s (%s)", etiquette_, v, chemin_);
        return valeur;
    }
    const char* Etiquette() const { return etiquette_; }

  private:
    FILE* f_;
    const char* chemin_;
    char mot_[1024] = {};
    char etiquette_[1024] = {};
};

// A graphic object name, or "-" for none.
int32_t NumeroGfx(const char* valeur) {
    if (std::strcmp(valeur, "-") == 0) return -1;
    return DonneNomObjetGraphique(valeur);
}

// The most directions (war machines turn in 16) and frames per direction a pair may give: the
// event tables and the frame numbers are sized from them.
constexpr int DIRECTIONS_MAX = 16;
constexpr int IMAGES_MAX = 256;

// One animation pair entry (directions, images); "-" in either token gives -1 for both, and so
// does a pair out of bounds, after a question.
void LirePaire(const char* premier, const char* second, const char* chemin, int n, int32_t* directions,
               int32_t* images) {
    *directions = *images = -1;
    if (std::strcmp(premier, "-") == 0 || std::strcmp(second, "-") == 0) return;
    int d = 0, i = 0;
    if (!Entier(premier, &d) || !Entier(second, &i))
        Erreur_Fatale(OU_CHARGEMENT, "Format non respecté : %s %s (%s)", premier, second, chemin);
    if (d < -1 || d > DIRECTIONS_MAX || i < -1 || i > IMAGES_MAX) {
        Erreur_Question("Maitre_Liste__Creation", "Paire d'animation incorrecte : %d %d (objet m %d)", d, i, n);
        return;
    }
    *directions = d;
    *images = i;
}

void LireDescription(Lecteur& lecteur, int n, const char* chemin) {
    Objet& m = TableMaitres[n];
    const char* v;

    // Family and header.
    v = lecteur.Entree("FAMILLE");
    if (!Chercher(Familles, v, &m.famille)) {
        m.famille = 0;
        Erreur_Question("Famille inconnu", "%d: %s", n, v);
    }
    m.actif = lecteur.EntreeEntier("ACTIF");
    m.categorie = lecteur.EntreeEntier("CATEGORIE");
    m.taille = lecteur.EntreeEntier("TAILLE");
    if (m.taille < 0 || m.taille > 6) {
        Erreur_Question("Maitre_Liste__Creation", "Taille incorrect (objet m %d)", n);
        // Footprints wider than the grids' stamps allow are not kept.
        m.taille = m.taille < 0 ? 0 : 6;
    }
    // A new load replaces the table of the last one.
    delete[] m.animations;
    m.animations = m.famille != 1 ? new AnimationInfo[NOMBRE_ANIMATIONS]() : nullptr;

    // Animations.
    if (std::strcmp(lecteur.Mot("[ANIMATION]"), "[ANIMATION]") != 0)
        Erreur_Fatale("maîtres (animation)", "le positionnement sur les animations est incorrect dans le script %d", n);
    v = lecteur.Entree("ANIM__DPL");
    if (std::strcmp(lecteur.Etiquette(), "ANIM__DPL") != 0)
        Erreur_Fatale("maîtres (animation)", "le positionnement sur l'animation dpl est incorrect dans le script %d", n);
    (*TablesObjetGfxAnimations[0])[n] = NumeroGfx(v);
    bool paireIgnoreeSignalee = false;
    for (int k = 0; k < NOMBRE_ANIMATIONS; ++k) {
        const char* suivant = k + 1 < NOMBRE_ANIMATIONS ? MotsClesAnimations[k + 1] : "SELECTIONNABLE";
        v = lecteur.Entree(suivant);
        if (std::strcmp(lecteur.Etiquette(), suivant) != 0) {
            // The entry is the pair of animation k; the next entry is then the next animation.
            int32_t directions = 0, images = 0;
            LirePaire(lecteur.Etiquette(), v, chemin, n, &directions, &images);
            if (m.animations) {
                m.animations[k].directions = directions;
                m.animations[k].images = images;
                m.animationParDefaut = 0;
            } else if (!paireIgnoreeSignalee) {
                // A building has no animation block: its pairs are read and dropped.
                paireIgnoreeSignalee = true;
                Erreur_Question("Maitre_Liste__Creation", "Paire d'animation ignorée pour un bâtiment (objet m %d)", n);
            }
            v = lecteur.Entree(suivant);
        } else if (m.animations) {
            m.animations[k].images = 12;
            m.animations[k].directions = (k == 18 || k == 19) ? 4 : 8;
            m.animationParDefaut = 1;
        }
        if (k + 1 < NOMBRE_ANIMATIONS) (*TablesObjetGfxAnimations[k + 1])[n] = NumeroGfx(v);
    }
    if (m.famille != 1) AnimationChargerEvenements(n, chemin);
    m.compteurEvenement = -1;

    // The entry read last is the selectable flag.
    if (std::strcmp(v, "oui") == 0 || std::strcmp(v, "OUI") == 0) m.selectionnable = 1;
    else if (std::strcmp(v, "non") == 0 || std::strcmp(v, "NON") == 0) m.selectionnable = 0;
    else Erreur_Fatale("maîtres (sélectionnable)", "la valeur selectionnable est incorrect dans le fichier script : %s", chemin);

    v = lecteur.Entree("MORAL");
    if (v[0] >= 'A' && v[0] <= 'E' && v[1] == 0) m.moral = 5 - (v[0] - 'A');
    else Erreur_Fatale("Maîtres__Liste__Creation", "Le moral est incorrect dans le fichier : %s", chemin);

    m.pointsDeVie = m.pointsDeVieMaximum = lecteur.EntreeEntier("POINTS_DE_VIE");
    m.modeArmure = lecteur.EntreeEntier("ARMURE");
    m.vitesse = lecteur.EntreeEntier("VITESSE");
    bool mobile = m.famille == 0 || (m.famille >= 3 && m.famille != 20);
    if (mobile && m.vitesse < 1) m.vitesse = (n == 433 || n == 473 || n == 551 || n == 590) ? 0 : 1;

    m.niveau = lecteur.EntreeEntier("NIVEAU");
    if (m.niveau > 3) Erreur_Question("ObjetMaitre()", "Création de l'objet %d niveau %d", n, m.niveau);

    for (int i = 0; i < 9; ++i) m.sorts[i] = Sort__Numero(lecteur.Entree("SORT"), chemin);

    v = lecteur.Entree("CLASSE");
    if (!Chercher(Classes, v, &m.classe)) {
        m.classe = 0;
        Erreur_Question("MAITRES__C: Maitres_Liste__Creation()", "La classe est inconnu dans le fichier : %s", chemin);
    }
    if (m.classe == CLASSE_FORTIFICATION) m.pointsDeVie = m.pointsDeVieMaximum = 600;

    m.mana = lecteur.EntreeEntier("MANA");
    lecteur.EntreeEntier("MANA_MAXIMUM");
    m.manaMaximum = m.mana;
    m.degats = lecteur.EntreeEntier("DEGATS");
    m.regenerationVie = lecteur.EntreeEntier("REGENERATION");
    m.degatsContinus = std::strcmp(lecteur.Entree("DEGATS_CONTINUS"), "I") == 0 ? 254 : 0;
    lecteur.Entree("RESERVE");

    v = lecteur.Entree("FORMATION");
    if (std::strcmp(v, "TOUJOURS") == 0) m.formation = 4;
    else if (std::strcmp(v, "JAMAIS") == 0) m.formation = 1;
    else {
        m.formation = 0;
        Erreur_Question("Maitre_Liste__Creation", "Formation non gérée : %s dans le fichier : %s", v, chemin);
    }

    static const char* const Composantes[3] = {"R", "V", "B"};
    for (int c = 0; c < 3; ++c) {
        v = lecteur.Entree(Composantes[c]);
        if (std::strcmp(lecteur.Etiquette(), Composantes[c]) != 0)
            Erreur_Question("!", "fin non normal%s, objet %d: <%s> fichier %s", Composantes[c], n, lecteur.Etiquette(),
                            chemin);
        int valeur = 32;
        if (std::strcmp(v, "-") != 0 && !Entier(v, &valeur))
            Erreur_Fatale(OU_CHARGEMENT, "Format non respecté : %s %s (%s)", lecteur.Etiquette(), v, chemin);
        m.couleur[c] = static_cast<char>(valeur);
    }

    m.pointsDeVieParNiveau = lecteur.EntreeEntier("POINTS_DE_VIE_PAR_NIVEAU");
    m.degatsParNiveau = lecteur.EntreeEntier("DEGATS_PAR_NIVEAU");

    char mot[1024];
    if (lecteur.Essayer(mot) && std::strcmp(mot, "SELECTION") == 0) {
        VoixParMaitre* voix[3] = {&VoixSelection, &VoixDeplacement, &VoixAttaque};
        for (int rang = 0; rang < 3; ++rang) {
            if (rang > 0) lecteur.Mot("SELECTION");
            for (int i = 0; i < 4; ++i) {
                const char* s = lecteur.Mot("SELECTION");
                int valeur = 0;
                if (!Entier(s, &valeur)) Erreur_Fatale(OU_CHARGEMENT, "Format non respecté : SELECTION %s (%s)", s, chemin);
                (*voix[rang])[n][i] = valeur;
            }
        }
    }
}

void AppliquerReglesFinales(int n) {
    Objet& m = TableMaitres[n];
    if (m.famille == 1 || m.famille == 2) m.selectionnable = 0;
    if (m.famille != 1) {
        m.direction = 0;
        m.imageCadavre = 0;
    }
    m.image = m.famille == 3 ? (Hasard_Regles() & 3) : 0;
    m.typeLiberation = 0;
    m.decalageX = m.decalageY = 0;
    m.groupe = 0;
    // Its three building descriptions load again on first use.
    for (int o = 0; o < 3; ++o) Batiment__LibereGrilles(Batiment__Description(n, o));
}

}  // namespace

void Chaine__SoulignesEnBlancs(char* texte) {
    if (texte == nullptr) return;
    for (; *texte; ++texte)
        if (*texte == '_') *texte = ' ';
}

int Sort__Numero(const char* motCle, const char* nomFichier) {
    int valeur = 0;
    if (Chercher(Sorts, motCle ? motCle : "", &valeur)) return valeur;
    Erreur_Question("MAITRES__C: Sort__Numero()", "Dans le fichier : %s", nomFichier ? nomFichier : "");
    Erreur_Fatale("MAITRES__C: Sort__Numero()", "Le sort est inconnu : %s", motCle ? motCle : "");
}

int Maitres__Liste__Creation() {
    static const char* const OU_TROP = "MAITRES__C: Maitres__Liste__Creation()";
    static const char* const MESSAGE_TROP = "Le nombre d'objets maîtres est insuffisant.";
    auto chemin = std::make_unique<char[]>(1024);
    // A second load (a new scene) replaces the names of the first.
    for (char*& nom : NomsMaitres) {
        delete[] nom;
        nom = nullptr;
    }
    NombreMaitres = 0;

    FILE* liste = nullptr;
    Fermeture fermetureListe{liste};
    Configuration_Position("..\\ini\\mv.ini", "//liste_des_objets_maîtres.", &liste);
    Lecteur lecteur(liste, "..\\ini\\mv.ini");
    for (;;) {
        const char* mot = lecteur.Mot("//.");
        if (std::strcmp(mot, "//.") == 0) break;
        if (std::strcmp(mot, "#define") != 0) continue;
        char nom[1024];
        std::strcpy(nom, lecteur.Mot("#define"));
        const char* texteNumero = lecteur.Mot(nom);
        int numero = 0;
        if (!Entier(texteNumero, &numero))
            Erreur_Fatale(OU_CHARGEMENT, "Format non respecté : #define %s %s (..\\ini\\mv.ini)", nom, texteNumero);
        lecteur.Mot(nom);
        char fichier[1024];
        std::strcpy(fichier, lecteur.Mot(nom));

        if (numero != NombreMaitres) {
            Erreur_Question("ObjetMaitreCreationListe()", "MV.INI: Ligne %d, Erreur de numérotation!", numero);
            Erreur_Question("ObjetMaitreCreationListe()", "%s", nom);
        }
        // Checked before the slot is used, empty slots included.
        if (NombreMaitres >= NOMBRE_TYPES_MAITRES) Erreur_Fatale(OU_TROP, "%s", MESSAGE_TROP);
        int n = NombreMaitres;
        if (std::strcmp(fichier, "-") == 0) {
            ++NombreMaitres;
            continue;
        }
        if (std::snprintf(chemin.get(), 1024, "..\\maitres\\%.1000s.txt", fichier) < 0) chemin[0] = 0;
        FILE* f = Fichier_Ouvrir(chemin.get(), "rt");
        Fermeture fermeture{f};
        if (f == nullptr) Erreur_Fatale("Maitre_Liste__Creation", "Fichier non trouvé : %s", chemin.get());
        TableMaitres[n].typeMaitre = n;
        size_t longueur = std::strlen(nom);
        NomsMaitres[n] = new char[longueur + 1];
        std::memcpy(NomsMaitres[n], nom, longueur + 1);
        Chaine__SoulignesEnBlancs(NomsMaitres[n]);
        Lecteur description(f, chemin.get());
        LireDescription(description, n, chemin.get());
        std::fclose(f);
        f = nullptr;
        AppliquerReglesFinales(n);
        ++NombreMaitres;
        if (NombreMaitres >= NOMBRE_TYPES_MAITRES) Erreur_Fatale(OU_TROP, "%s", MESSAGE_TROP);
    }
    std::fclose(liste);
    liste = nullptr;
    return NombreMaitres;
}
