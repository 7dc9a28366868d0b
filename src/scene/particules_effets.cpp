#include "scene/particules_effets.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "editors/evenements.h"
#include "foundation/erreurs.h"
#include "platform/fichiers.h"

NoeudEffet* ListeEffets = nullptr;
int16_t NombreEffets = 0;
NoeudSprite* ListeSprites = nullptr;

EffetParticule* EffetNeige = nullptr;
EffetParticule* EffetNeige2 = nullptr;
EffetParticule* EffetFleches = nullptr;
EffetParticule* EffetFlechesOmbre = nullptr;
EffetParticule* EffetSang1 = nullptr;
EffetParticule* EffetSang2 = nullptr;
EffetParticule* EffetSang3 = nullptr;
EffetParticule* EffetSang4 = nullptr;
EffetParticule* EffetSang5 = nullptr;
EffetParticule* EffetBenediction = nullptr;
EffetParticule* EffetBenedictionFin = nullptr;
EffetParticule* EffetBenediction2 = nullptr;
EffetParticule* EffetFumeeMaison = nullptr;
EffetParticule* EffetFlammeVasque = nullptr;
EffetParticule* EffetOrdreDpl = nullptr;
EffetParticule* EffetOrdreAtt = nullptr;
EffetParticule* EffetEclair = nullptr;
EffetParticule* EffetPluieDeFeu = nullptr;
EffetParticule* EffetAnimeMort2 = nullptr;
EffetParticule* EffetApparition = nullptr;
EffetParticule* EffetTeleportation = nullptr;
EffetParticule* EffetAccumul = nullptr;
EffetParticule* EffetFury = nullptr;
EffetParticule* EffetWave = nullptr;
EffetParticule* EffetCochon = nullptr;
EffetParticule* EffetTraceSoins = nullptr;
EffetParticule* EffetElectricite = nullptr;
EffetParticule* EffetBouleFeu2 = nullptr;
EffetParticule* EffetBouletMort = nullptr;
EffetParticule* EffetBouletImpact = nullptr;
EffetParticule* EffetPoussiereImpact = nullptr;
EffetParticule* EffetProBalistePlante = nullptr;
EffetParticule* EffetSoins = nullptr;
EffetParticule* EffetBouleFeuExplo = nullptr;
EffetParticule* EffetBoom = nullptr;
EffetParticule* EffetElectricFin = nullptr;
EffetParticule* EffetPolymorphe = nullptr;
EffetParticule* EffetSoins2 = nullptr;

namespace {

constexpr const char* REPERTOIRE_PARTICULES = "..\\Particules\\";
constexpr const char* FICHIER_ENTETE = "EnteteInit.txt";
constexpr const char* FICHIER_SPRITES = "..\\particules\\ListeSprite.txt";

// Lists replaced by a later load: their effects stay valid for the handles taken from them, to
// the end of the program (the holder is never destroyed, so they stay reachable).
std::vector<NoeudEffet*>& ListesAnciennes() {
    static auto* listes = new std::vector<NoeudEffet*>;
    return *listes;
}

struct Fichier {
    FILE* f;
    explicit Fichier(FILE* fichier) : f(fichier) {}
    ~Fichier() {
        if (f) std::fclose(f);
    }
    Fichier(const Fichier&) = delete;
    Fichier& operator=(const Fichier&) = delete;
};

// One whitespace-separated token of at most 511 characters; false at the end of the file.
bool LireMot(FILE* f, char (&mot)[512]) {
    mot[0] = 0;
    return std::fscanf(f, "%511s", mot) == 1;
}

bool LireEntier(FILE* f, long minimum, long maximum, long* valeur) {
    char mot[512];
    if (!LireMot(f, mot)) return false;
    char* fin = nullptr;
    errno = 0;
    const long v = std::strtol(mot, &fin, 10);
    if (fin == mot || *fin != 0 || errno != 0 || v < minimum || v > maximum) return false;
    *valeur = v;
    return true;
}

bool LireI16(FILE* f, int16_t* valeur) {
    long v = 0;
    if (!LireEntier(f, INT16_MIN, INT16_MAX, &v)) return false;
    *valeur = static_cast<int16_t>(v);
    return true;
}

bool LireI32(FILE* f, int32_t* valeur) {
    long v = 0;
    if (!LireEntier(f, INT32_MIN, INT32_MAX, &v)) return false;
    *valeur = static_cast<int32_t>(v);
    return true;
}

bool LireReel(FILE* f, float* valeur) {
    char mot[512];
    if (!LireMot(f, mot)) return false;
    char* fin = nullptr;
    const float v = std::strtof(mot, &fin);
    if (fin == mot || *fin != 0 || v != v) return false;
    *valeur = v;
    return true;
}

// A name of the header: a single word of at most 49 characters.
bool LireNom(FILE* f, char (&nom)[LONGUEUR_NOM_EFFET]) {
    char mot[512];
    if (!LireMot(f, mot) || std::strlen(mot) >= LONGUEUR_NOM_EFFET) return false;
    std::memcpy(nom, mot, std::strlen(mot) + 1);
    return true;
}

bool LireEffet(FILE* f, EffetParticule* e) {
    return LireI32(f, &e->positionRelativeX) && LireI32(f, &e->positionRelativeY) && LireI16(f, &e->directionX) &&
           LireI16(f, &e->directionY) && LireI16(f, &e->vent) && LireI16(f, &e->rouge) && LireI16(f, &e->vert) &&
           LireI16(f, &e->bleu) && LireI16(f, &e->plan) && LireI16(f, &e->dureeDeVie) && LireI16(f, &e->emission) &&
           LireI16(f, &e->typePosition) && LireI16(f, &e->trajet) && LireI16(f, &e->typeVie) &&
           LireI16(f, &e->nombre) && LireI16(f, &e->champReserve) && LireI16(f, &e->sprite) &&
           LireI16(f, &e->modeCopie) && LireI16(f, &e->premiereFrame) && LireI16(f, &e->nombreFrames) &&
           LireReel(f, &e->vitesse) && LireI16(f, &e->typeVitesse) && LireI16(f, &e->repere) &&
           LireI16(f, &e->naissanceDifferee) && LireI16(f, &e->animation) && LireI16(f, &e->pasAngle);
}

void CheminEntete(char (&chemin)[260]) { std::snprintf(chemin, sizeof chemin, "%s%s", REPERTOIRE_PARTICULES, FICHIER_ENTETE); }

void CheminEffet(char (&chemin)[260], const char* nomFichier, const char* repertoire) {
    std::snprintf(chemin, sizeof chemin, "%s%s.txt", repertoire ? repertoire : "", nomFichier ? nomFichier : "");
}

template <typename Noeud>
Noeud* Tete(Noeud* n) {
    if (n)
        while (n->precedent) n = n->precedent;
    return n;
}

// A file written beside its place ("<name>.tmp"), then renamed over it when whole: a failed
// write leaves the old file as it was.
class FichierProvisoire {
  public:
    explicit FichierProvisoire(const char* chemin) : chemin_(chemin), provisoire_(std::string(chemin) + ".tmp") {
        f = Fichier_Ouvrir(provisoire_.c_str(), "wt");
    }
    ~FichierProvisoire() {
        if (f) {
            std::fclose(f);
            Fichier_Supprimer(provisoire_.c_str());
        }
    }
    FichierProvisoire(const FichierProvisoire&) = delete;
    FichierProvisoire& operator=(const FichierProvisoire&) = delete;
    // Closes and puts the file in its place; false (and the old file kept) when anything failed.
    bool Remplacer() {
        bool bon = std::ferror(f) == 0;
        bon = std::fclose(f) == 0 && bon;
        f = nullptr;
        if (bon && std::rename(Chemin_Resoudre(provisoire_.c_str()).c_str(), Chemin_Resoudre(chemin_.c_str()).c_str()) == 0)
            return true;
        Fichier_Supprimer(provisoire_.c_str());
        return false;
    }
    FILE* f = nullptr;

  private:
    std::string chemin_, provisoire_;
};

void LibererListeEffets(NoeudEffet* n) {
    for (n = Tete(n); n;) {
        NoeudEffet* suivant = n->suivant;
        delete n->effet;
        delete n;
        n = suivant;
    }
}

}  // namespace

NoeudSprite* ListeSprite_NouveauNoeud(NoeudSprite* noeud) {
    auto* nouveau = new NoeudSprite{};
    if (noeud) {
        noeud->suivant = nouveau;
        nouveau->precedent = noeud;
        nouveau->suivant = nullptr;
    }
    return nouveau;
}

// Pairs of graphic code and frame count up to the pair that starts with "//" (or the end of the
// file, where an unfinished pair is dropped). A second call appends the pairs again.
void ChargementSprite() {
    Fichier fichier(Fichier_Ouvrir(FICHIER_SPRITES, "rt"));
    if (!fichier.f) Erreur_Fatale("ChargementSprite() (zek part)", "fichier <particules\\ListeSprite.txt> non trouvé");
    char code[512], frames[512];
    while (LireMot(fichier.f, code)) {
        const bool paire = LireMot(fichier.f, frames);
        if (std::strcmp(code, "//") == 0 || !paire) break;
        NoeudSprite* n = ListeSprite_NouveauNoeud(ListeSprites);
        n->codeGraphique = std::atoi(code);
        n->nombreFrames = std::atoi(frames);
        ListeSprites = n;
    }
}

void ListeSprite_Liberation() {
    if (!ListeSprites) return;
    for (NoeudSprite* n = Tete(ListeSprites); n;) {
        NoeudSprite* suivant = n->suivant;
        delete n;
        n = suivant;
    }
    ListeSprites = nullptr;
}

NoeudEffet* Effet_NouveauNoeud(NoeudEffet* noeud) {
    auto* nouveau = new NoeudEffet{};
    if (noeud) {
        noeud->suivant = nouveau;
        nouveau->precedent = noeud;
        nouveau->suivant = nullptr;
    }
    return nouveau;
}

void Effets_Chargement() {
    // The list in place stays in memory: handles taken from it keep pointing at its effects.
    if (ListeEffets) ListesAnciennes().push_back(Tete(ListeEffets));
    ListeEffets = nullptr;

    char chemin[260];
    CheminEntete(chemin);
    Fichier entete(Fichier_Ouvrir(chemin, "rt"));
    if (!entete.f) {
        NombreEffets = 0;
        Erreur_Question("editeur de particules 1", "impossible de trouver le fichier : %s", chemin);
        return;
    }
    int16_t annonces = 0;
    if (!LireI16(entete.f, &annonces) || annonces < 0) {
        NombreEffets = 0;
        Erreur_Question("editeur de particules 1", "Format non respecté : %s", chemin);
        return;
    }
    // A line cut short ends the list there: the count is what was read.
    int16_t lus = 0;
    while (lus < annonces) {
        NoeudEffet lu{};
        if (!LireI16(entete.f, &lu.numero) || !LireNom(entete.f, lu.nomEffet) || !LireNom(entete.f, lu.nomFichier) ||
            !LireNom(entete.f, lu.repertoire)) {
            Erreur_Question("editeur de particules 1", "Format non respecté : %s", chemin);
            break;
        }
        NoeudEffet* n = Effet_NouveauNoeud(ListeEffets);
        n->numero = lu.numero;
        std::memcpy(n->nomEffet, lu.nomEffet, sizeof n->nomEffet);
        std::memcpy(n->nomFichier, lu.nomFichier, sizeof n->nomFichier);
        std::memcpy(n->repertoire, lu.repertoire, sizeof n->repertoire);
        ListeEffets = n;
        ++lus;
    }
    NombreEffets = lus;

    for (NoeudEffet* n = Tete(ListeEffets); n; n = n->suivant) {
        n->effet = new EffetParticule{};
        Effet_Chargement(n->effet, n->nomFichier, n->repertoire);
        ListeEffets = n;
    }
}

// All 26 values or none: a file cut short or holding a stray word leaves the record as it was.
void Effet_Chargement(EffetParticule* effet, const char* nomFichier, const char* repertoire) {
    if (!effet) return;
    char chemin[260];
    CheminEffet(chemin, nomFichier, repertoire);
    Fichier fichier(Fichier_Ouvrir(chemin, "rt"));
    if (!fichier.f) {
        Erreur_Question("editeur de particules", "impossible de trouver fichier d'effet");
        return;
    }
    EffetParticule lu{};
    if (!LireEffet(fichier.f, &lu)) {
        Erreur_Question("editeur de particules", "Format non respecté : %s", chemin);
        return;
    }
    *effet = lu;
}

void Effet_Sauvegarde(const EffetParticule* effet, const char* nomFichier, const char* repertoire) {
    if (!effet) return;
    char chemin[260];
    CheminEffet(chemin, nomFichier, repertoire);
    FichierProvisoire fichier(chemin);
    if (!fichier.f) {
        Erreur_Question("editeur de particules 2", "impossible d'ouvrir le fichier effet");
        return;
    }
    const EffetParticule& e = *effet;
    std::fprintf(fichier.f, " %d %d", e.positionRelativeX, e.positionRelativeY);
    for (int16_t v : {e.directionX, e.directionY, e.vent, e.rouge, e.vert, e.bleu, e.plan, e.dureeDeVie, e.emission,
                      e.typePosition, e.trajet, e.typeVie, e.nombre, e.champReserve, e.sprite, e.modeCopie,
                      e.premiereFrame, e.nombreFrames})
        std::fprintf(fichier.f, " %hd", v);
    std::fprintf(fichier.f, " %f", static_cast<double>(e.vitesse));
    for (int16_t v : {e.typeVitesse, e.repere, e.naissanceDifferee, e.animation, e.pasAngle})
        std::fprintf(fichier.f, " %hd", v);
    if (!fichier.Remplacer()) Erreur_Question("editeur de particules 2", "impossible d'ouvrir le fichier effet");
}

void Effets_SauvegardeEntete(NoeudEffet* noeud) {
    char chemin[260];
    CheminEntete(chemin);
    FichierProvisoire fichier(chemin);
    if (!fichier.f) {
        Erreur_Question("editeur de particules", "impossible d'ouvrir le fichier entete");
        return;
    }
    std::fprintf(fichier.f, " %hd\n", NombreEffets);
    for (NoeudEffet* n = Tete(noeud); n; n = n->suivant)
        std::fprintf(fichier.f, " %hd %s %s %s \n", n->numero, n->nomEffet, n->nomFichier, n->repertoire);
    if (!fichier.Remplacer()) Erreur_Question("editeur de particules", "impossible d'ouvrir le fichier entete");
}

void Effets_Liberation() {
    if (!ListeEffets) return;
    LibererListeEffets(ListeEffets);
    ListeEffets = nullptr;
}

// Searches the whole list from its head, whatever node it is given. An empty list answers none
// without a report: the missing header was reported when it was loaded.
EffetParticule* AdresseEffet(NoeudEffet* liste, const char* nom) {
    if (!liste || !nom) return nullptr;
    NoeudEffet* n = Tete(liste);
    while (std::strcmp(n->nomEffet, nom) != 0 && n->suivant) n = n->suivant;
    if (std::strcmp(n->nomEffet, nom) == 0) return n->effet;
    Erreur_Question("Zek_Particules AdresseEffet()", "L'effet n'existe plus :  <%s> <%s> <%s> <%d>", nom, n->nomFichier,
                    n->repertoire, MaitreEvenementsCourant);
    return nullptr;
}

void Effets_AdressesDemarrage() {
    EffetNeige = AdresseEffet(ListeEffets, "neige");
    EffetNeige2 = AdresseEffet(ListeEffets, "neige2");
    EffetFleches = AdresseEffet(ListeEffets, "fleches");
    EffetFlechesOmbre = AdresseEffet(ListeEffets, "flechesombre");
    EffetSang1 = AdresseEffet(ListeEffets, "blood1");
    EffetSang2 = AdresseEffet(ListeEffets, "blood2");
    EffetSang3 = AdresseEffet(ListeEffets, "blood3");
    EffetSang4 = AdresseEffet(ListeEffets, "blood4");
    EffetSang5 = AdresseEffet(ListeEffets, "blood5");
    EffetBenediction = AdresseEffet(ListeEffets, "benediction");
    EffetBenedictionFin = AdresseEffet(ListeEffets, "benedictionfin");
    EffetBenediction2 = AdresseEffet(ListeEffets, "benediction2");
    EffetFumeeMaison = AdresseEffet(ListeEffets, "fumeemaison");
    EffetFlammeVasque = AdresseEffet(ListeEffets, "flammevasque");
    EffetOrdreDpl = AdresseEffet(ListeEffets, "ordredpl");
    EffetOrdreAtt = AdresseEffet(ListeEffets, "ordreatt");
}

void Effets_AdressesScene() {
    EffetNeige = AdresseEffet(ListeEffets, "neige");
    EffetNeige2 = AdresseEffet(ListeEffets, "neige2");
    EffetFleches = AdresseEffet(ListeEffets, "fleches");
    EffetFlechesOmbre = AdresseEffet(ListeEffets, "flechesombre");
    EffetSang1 = AdresseEffet(ListeEffets, "blood1");
    EffetSang2 = AdresseEffet(ListeEffets, "blood2");
    EffetSang3 = AdresseEffet(ListeEffets, "blood3");
    EffetSang4 = AdresseEffet(ListeEffets, "blood4");
    EffetSang5 = AdresseEffet(ListeEffets, "blood5");
    EffetBenediction = AdresseEffet(ListeEffets, "benediction");
    EffetBenedictionFin = AdresseEffet(ListeEffets, "benedictionfin");
    EffetBenediction2 = AdresseEffet(ListeEffets, "benediction2");
    EffetFlammeVasque = AdresseEffet(ListeEffets, "flammevasque");
    EffetEclair = AdresseEffet(ListeEffets, "eclair");
    EffetPluieDeFeu = AdresseEffet(ListeEffets, "pluiedefeu");
    EffetAnimeMort2 = AdresseEffet(ListeEffets, "animemort2");
    EffetApparition = AdresseEffet(ListeEffets, "apparition");
    EffetTeleportation = AdresseEffet(ListeEffets, "teleportation");
    EffetAccumul = AdresseEffet(ListeEffets, "accumul");
    EffetFury = AdresseEffet(ListeEffets, "fury");
    EffetWave = AdresseEffet(ListeEffets, "wave");
    EffetCochon = AdresseEffet(ListeEffets, "cochon");
    EffetTraceSoins = AdresseEffet(ListeEffets, "tracesoins");
    EffetElectricite = AdresseEffet(ListeEffets, "electricite");
    EffetOrdreDpl = AdresseEffet(ListeEffets, "ordredpl");
    EffetOrdreAtt = AdresseEffet(ListeEffets, "ordreatt");
    EffetBouleFeu2 = AdresseEffet(ListeEffets, "boulefeu2");
    EffetBouletMort = AdresseEffet(ListeEffets, "bouletmort");
    EffetBouletImpact = AdresseEffet(ListeEffets, "bouletimpact");
    EffetPoussiereImpact = AdresseEffet(ListeEffets, "poussiereimpact");
    EffetProBalistePlante = AdresseEffet(ListeEffets, "probalisteplante");
    EffetSoins = AdresseEffet(ListeEffets, "soins");
    EffetBouleFeuExplo = AdresseEffet(ListeEffets, "boulefeuexplo");
    EffetBoom = AdresseEffet(ListeEffets, "boom");
    EffetElectricFin = AdresseEffet(ListeEffets, "electricfin");
    EffetPolymorphe = AdresseEffet(ListeEffets, "polymorphe");
    EffetSoins2 = AdresseEffet(ListeEffets, "soins2");
}
