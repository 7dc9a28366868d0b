#include "campaign/armee_fichiers.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "campaign/campagne.h"
#include "campaign/gestion_armee.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "frontend/escarmouche.h"
#include "frontend/localisation.h"
#include "platform/fichiers.h"
#include "shell/routeur.h"

bool (*EcritureSure__avantRenommage)(const char* cible) = nullptr;

EcritureSure::EcritureSure(const std::string& cheminJeu)
    : cible_(Chemin_Ecriture(cheminJeu.c_str())), temporaire_(cible_ + ".tmp") {
    flux_ = std::fopen(temporaire_.c_str(), "w");
}

EcritureSure::~EcritureSure() {
    if (flux_) {
        std::fclose(flux_);
        std::remove(temporaire_.c_str());
    }
}

bool EcritureSure::Valider() {
    if (flux_ == nullptr) return false;
    bool ok = !std::ferror(flux_);
    ok = std::fclose(flux_) == 0 && ok;
    flux_ = nullptr;
    if (ok && EcritureSure__avantRenommage) ok = EcritureSure__avantRenommage(cible_.c_str());
    if (ok) ok = std::rename(temporaire_.c_str(), cible_.c_str()) == 0;
    if (!ok) std::remove(temporaire_.c_str());
    return ok;
}

EcritureGroupee::~EcritureGroupee() { Abandonner(); }

void EcritureGroupee::Abandonner() {
    for (Fichier& f : fichiers_) {
        if (f.flux) std::fclose(f.flux);
        f.flux = nullptr;
        std::remove(f.temporaire.c_str());
    }
    fichiers_.clear();
}

FILE* EcritureGroupee::Ouvrir(const std::string& cheminJeu) {
    Fichier f;
    f.cible = Chemin_Ecriture(cheminJeu.c_str());
    f.temporaire = f.cible + ".tmp";
    f.ancien = f.cible + ".old";
    f.flux = std::fopen(f.temporaire.c_str(), "w");
    if (f.flux == nullptr) return nullptr;
    fichiers_.push_back(f);
    return fichiers_.back().flux;
}

bool EcritureGroupee::Valider() {
    bool ok = true;
    for (Fichier& f : fichiers_) {
        if (std::ferror(f.flux)) ok = false;
        if (std::fclose(f.flux) != 0) ok = false;
        f.flux = nullptr;
    }
    if (!ok) {
        Abandonner();
        return false;
    }
    // Each old file is moved aside before the new one takes its name; a failure puts them back.
    size_t fait = 0;
    for (; fait < fichiers_.size(); ++fait) {
        Fichier& f = fichiers_[fait];
        std::error_code e;
        if (std::filesystem::exists(f.cible, e)) {
            if (std::rename(f.cible.c_str(), f.ancien.c_str()) != 0) break;
            f.ancienGarde = true;
        }
        if (EcritureSure__avantRenommage && !EcritureSure__avantRenommage(f.cible.c_str())) break;
        if (std::rename(f.temporaire.c_str(), f.cible.c_str()) != 0) break;
    }
    if (fait < fichiers_.size()) {
        for (size_t i = 0; i <= fait && i < fichiers_.size(); ++i) {
            Fichier& f = fichiers_[i];
            if (i < fait) std::remove(f.cible.c_str());
            if (f.ancienGarde) std::rename(f.ancien.c_str(), f.cible.c_str());
        }
        Abandonner();
        return false;
    }
    for (Fichier& f : fichiers_)
        if (f.ancienGarde) std::remove(f.ancien.c_str());
    fichiers_.clear();
    return true;
}

namespace {

using Flux = std::unique_ptr<FILE, int (*)(FILE*)>;

constexpr int32_t MAX_NOM = 127;
constexpr int32_t MAX_SECTIONS = 64;
constexpr int32_t MAX_UNITES_SECTION = 1024;   // a layout has at most 32 x 32 cells
constexpr int32_t MAX_UNITES = 4096;           // a reserve
// The bound of a unit's experience (the highest level's), hit points, mana and morale: a regiment's
// sums stay within 32 bits and no unit enters a battle with a negative level.
constexpr int32_t MAX_VALEUR_UNITE = 20000;

// The next line that is not blank, without its line end; false at the end of the file.
bool LireLigne(FILE* f, std::string* ligne) {
    for (;;) {
        ligne->clear();
        int c;
        while ((c = std::fgetc(f)) != EOF && c != '\n') ligne->push_back(static_cast<char>(c));
        if (!ligne->empty() && ligne->back() == '\r') ligne->pop_back();
        if (ligne->find_first_not_of(" \t\r\f\v") != std::string::npos) return true;
        if (c == EOF) return false;
    }
}

// While a file is only checked, a fault ends the check instead of the program.
int verificationEnCours = 0;
struct FichierRefuse {};
void SiVerification() {
    if (verificationEnCours) throw FichierRefuse{};
}

[[noreturn]] void NonDefini(const char* cle) {
    SiVerification();
    Erreur_Fatale("Chargement", "%s non défini", cle);
}

// The text after the key (blanks before the key skipped), or false when the line is not the key's.
bool ApresCle(const std::string& ligne, const char* cle, std::string* reste) {
    const size_t debut = ligne.find_first_not_of(" \t");
    if (debut == std::string::npos || ligne.compare(debut, std::strlen(cle), cle) != 0) return false;
    *reste = ligne.substr(debut + std::strlen(cle));
    return true;
}

bool Entiers(const std::string& texte, int32_t* valeurs, int n) {
    const char* p = texte.c_str();
    for (int i = 0; i < n; ++i) {
        char* fin = nullptr;
        errno = 0;
        const long v = std::strtol(p, &fin, 10);
        if (fin == p || errno != 0 || v < INT32_MIN || v > INT32_MAX) return false;
        valeurs[i] = static_cast<int32_t>(v);
        p = fin;
    }
    return true;
}

void LireCle(FILE* f, const char* cle, int32_t* valeurs, int n) {
    std::string ligne, reste;
    if (!LireLigne(f, &ligne) || !ApresCle(ligne, cle, &reste) || !Entiers(reste, valeurs, n)) NonDefini(cle);
}

int32_t LireCle(FILE* f, const char* cle, int32_t min = INT32_MIN, int32_t max = INT32_MAX) {
    int32_t v = 0;
    LireCle(f, cle, &v, 1);
    if (v < min || v > max) NonDefini(cle);
    return v;
}

// "<key> =" and the rest of the line, cut to the field's size.
std::string LireNom(FILE* f, const char* cle) {
    std::string ligne, reste;
    if (!LireLigne(f, &ligne) || !ApresCle(ligne, cle, &reste)) NonDefini(cle);
    const size_t egal = reste.find_first_not_of(" \t");
    if (egal == std::string::npos || reste[egal] != '=') NonDefini(cle);
    return reste.substr(egal + 1, MAX_NOM);
}

std::string CheminRegiment(const char* dossier, int32_t id) {
    char chemin[512];
    std::snprintf(chemin, sizeof chemin, "%sregiment%d.txt", dossier, id);
    return chemin;
}

std::string DossierJoueur(int32_t numero) {
    char dossier[64];
    std::snprintf(dossier, sizeof dossier, "..\\Armees\\joueur%d\\", numero);
    return dossier;
}

int32_t MaitreUnite(int32_t u) {
    return Catalogue && u >= 0 && u < Catalogue->nombreTypesUnites ? Catalogue->typesUnites[u].numeroMaitre : -1;
}

}  // namespace

void Unite__sauvegarder(const Unite* u, FILE* f) {
    std::fprintf(f, "\t\t%d %d %d %d %d %d %d %d %d\n", MaitreUnite(u->typeUnite), u->experience, u->sante,
                 u->santeMaximum, u->mana, u->manaMaximum, u->moral, u->valeur7, u->valeur8);
}

Unite* Unite__charger(FILE* f) {
    std::string ligne;
    int32_t v[9] = {};
    if (!LireLigne(f, &ligne) || !Entiers(ligne, v, 9)) NonDefini("Unite__sante");
    const int32_t type = v[0] < 0 ? -1 : Catalogue__typeDepuisMaitre(v[0]);
    if (type < 0) SiVerification();
    if (type < 0) Erreur_Fatale("Chargement", "L'unité d'objet maître n°%d n'est dans le camp du joueur", v[0]);
    for (int i = 1; i <= 6; ++i) v[i] = v[i] < 0 ? 0 : v[i] > MAX_VALEUR_UNITE ? MAX_VALEUR_UNITE : v[i];
    return creerUnite(type, v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8]);
}

void Section__sauvegarder(const Section* s, FILE* f) {
    const int32_t maitre = Catalogue && s->typeSection >= 0 && s->typeSection < Catalogue->nombreTypesSections
                               ? Catalogue->typesSections[s->typeSection].numeroMaitre
                               : -1;
    std::fprintf(f, "\tSection__nom =%s\n", s->nom.c_str());
    std::fprintf(f, "\tSection__numeroObjetMaitre %d\n", maitre);
    std::fprintf(f, "\tSection__niveauChateau %d\n", s->niveauChateau);
    std::fprintf(f, "\tSection__nbUnites %d\n", s->unites.nombre);
    for (const Unite* u : s->unites) Unite__sauvegarder(u, f);
}

Section* Section__charger(FILE* f) {
    const std::string nom = LireNom(f, "Section__nom");
    const int32_t maitre = LireCle(f, "Section__numeroObjetMaitre");
    const int32_t type = maitre < 0 ? -1 : Catalogue__sectionDepuisMaitre(maitre);
    if (type < 0) SiVerification();
    if (type < 0) Erreur_Fatale("Chargement", "La section d'objet maître n°%d n'est pas dans le camp du joueur", maitre);
    const int32_t niveau = LireCle(f, "Section__niveauChateau", 1, 3);
    const int32_t n = LireCle(f, "Section__nbUnites", 0, MAX_UNITES_SECTION);
    std::unique_ptr<Section> s(creerSection(nom, type, niveau, nullptr));
    for (int32_t i = 0; i < n; ++i) Section__ajouterUnite(s.get(), Unite__charger(f));
    return s.release();
}

void Regiment__sauvegarder(const Regiment* r, FILE* f) {
    if (r == nullptr || r->sections.nombre == 0) {
        std::fprintf(f, "Regiment__mort 1\n");
        return;
    }
    std::fprintf(f, "Regiment__mort %d\n", 0);
    std::fprintf(f, "Regiment__nom =%s\n", r->nom.c_str());
    std::fprintf(f, "Regiment__pointsAction %d\n", r->pointsAction);
    std::fprintf(f, "Regiment__siegeSeul %d\n", r->siegeSeul);
    static const char* const TERRAINS[4] = {"plaine", "foret", "montagne", "riviere"};
    for (int t = 0; t < 4; ++t)
        std::fprintf(f, "Regiment__%s %d %d\n", TERRAINS[t], r->couts[t][0].PA, r->couts[t][0].T);
    static const char* const MODES[5] = {"attaquer", "rompre", "embuscade", "marcheForcee", "defense"};
    for (int m = 0; m < 5; ++m) {
        const auto& c = r->couts[COUT_ATTAQUER + m];
        std::fprintf(f, "Regiment__%s %d %d %d %d %d %d\n", MODES[m], c[0].PA, c[0].T, c[1].PA, c[1].T, c[2].PA,
                     c[2].T);
    }
    const Unite* chef = Regiment__leader(r);
    std::fprintf(f, "Regiment__leader %d\n", chef ? MaitreUnite(chef->typeUnite) : -1);
    std::fprintf(f, "Regiment__id %d\n", r->id);
    std::fprintf(f, "Regiment__nbSections %d\n", r->sections.nombre);
    for (const Section* s : r->sections) Section__sauvegarder(s, f);
}

Regiment* chargerRegiment(FILE* f) {
    if (LireCle(f, "Regiment__mort") != 0) return nullptr;
    const std::string nom = LireNom(f, "Regiment__nom");
    int32_t v[6];
    for (const char* cle : {"Regiment__pointsAction", "Regiment__siegeSeul"}) LireCle(f, cle, v, 1);
    for (const char* cle : {"Regiment__plaine", "Regiment__foret", "Regiment__montagne", "Regiment__riviere"})
        LireCle(f, cle, v, 2);
    for (const char* cle : {"Regiment__attaquer", "Regiment__rompre", "Regiment__embuscade", "Regiment__marcheForcee",
                            "Regiment__defense"})
        LireCle(f, cle, v, 6);
    LireCle(f, "Regiment__leader", v, 1);
    const int32_t id = LireCle(f, "Regiment__id");
    const int32_t n = LireCle(f, "Regiment__nbSections", 0, MAX_SECTIONS);
    ListeExtensible<Section> sections;
    for (int32_t i = 0; i < n; ++i) {
        Section* s = Section__charger(f);
        if (s == nullptr) SiVerification();
        if (s == nullptr) Erreur_Fatale("chargerRegiment()", "chargerSection n'a pas pû charger une section");
        sections.ajouter(s);
    }
    return creerRegiment(nom, id, &sections);
}

bool Regiment__verifierFichier(const char* cheminJeu, int32_t* unites) {
    if (unites) *unites = 0;
    Flux f(Fichier_Ouvrir(cheminJeu, "rt"), std::fclose);
    if (f == nullptr) return false;
    struct Verification {
        Verification() { ++verificationEnCours; }
        ~Verification() { --verificationEnCours; }
    } verification;
    try {
        std::unique_ptr<Regiment> r(chargerRegiment(f.get()));
        if (unites && r) *unites = r->nbUnites;
        return true;
    } catch (const FichierRefuse&) {
        return false;
    }
}

std::string Regiment__lireNom(FILE* f) {
    LireCle(f, "Regiment__mort");
    return LireNom(f, "Regiment__nom");
}

namespace {

void EcrireReserves(FILE* f) {
    const int32_t n = ListeReservesJoueur ? ListeReservesJoueur->nombre : 0;
    std::fprintf(f, "or %d\n", OrJoueur);
    std::fprintf(f, "nbReserves %d\n", n);
    for (int32_t i = 0; i < n; ++i) {
        const Reserve* r = (*ListeReservesJoueur)[i];
        std::fprintf(f, "Reserve__typeUnite %d\n", r->typeUnite);
        std::fprintf(f, "Reserve__prix %d\n", r->prix);
        std::fprintf(f, "Reserve__nbUnites %d\n", r->unites.nombre);
        for (const Unite* u : r->unites) Unite__sauvegarder(u, f);
    }
}

}  // namespace

bool Armee__sauvegarderDans(const std::string& dossier, bool reserves) {
    int32_t h = -1;
    if (ArmeeJoueur)
        for (const Regiment* r : *ArmeeJoueur)
            if (r->id > h) h = r->id;
    EcritureGroupee ecriture;
    bool ok = true;
    for (int32_t id = 0; ok && id <= h; ++id) {
        FILE* f = ecriture.Ouvrir(CheminRegiment(dossier.c_str(), id));
        if (f == nullptr) ok = false;
        else Regiment__sauvegarder(Armee__chercherRegiment(id), f);
    }
    FILE* entete = ok ? ecriture.Ouvrir(dossier + "entete_armee.txt") : nullptr;
    if (entete == nullptr) ok = false;
    else std::fprintf(entete, "nbRegiments %d\n", h + 1);
    if (ok && reserves) {
        FILE* f = ecriture.Ouvrir("..\\Armees\\reserve.txt");
        if (f == nullptr) ok = false;
        else EcrireReserves(f);
    }
    if (!ok || !ecriture.Valider()) {
        Avertissement("Sauvegarde", "sauvegarde des régiments impossible");
        return false;
    }
    return true;
}

std::string Armee__nomDossierEscarmouche(const char* nom) {
    std::string dossier = nom ? nom : "";
    bool points = true;
    for (char& c : dossier) {
        if (std::strchr("\\/:*?\"<>|", c) != nullptr || static_cast<unsigned char>(c) < 32) c = '_';
        if (c != '.' && c != ' ') points = false;
    }
    return points ? std::string() : dossier;
}

bool Armee__sauvegarderEscarmouche() {
    // The proposed name: the faction's word (menus.txt lines 145, 146, 144, 147).
    static const int LIGNES_CAMPS[4] = {145, 146, 144, 147};
    char nom[16] = "";
    const char* propose = CampDuJoueur >= 0 && CampDuJoueur < 4 ? TexteInterface(LIGNES_CAMPS[CampDuJoueur]) : "All";
    std::snprintf(nom, sizeof nom, "%s", propose);
    std::string dossier;
    for (int32_t maximum = 12; dossier.empty(); maximum = 11) {
        if (SaisieNom(170, 150, 0, 194, 174, TexteInterface(136), 194, 214, nom, maximum) != 1 || QuitterJeu)
            return false;
        dossier = Armee__nomDossierEscarmouche(nom);
    }
    const int32_t camp = CampEscarmoucheArmee >= 0 && CampEscarmoucheArmee <= 4 ? CampEscarmoucheArmee : 4;
    std::string chemin = std::string("..\\Armees\\Escarmouche\\") + ESCARMOUCHE_CAMPS[camp];
    Repertoire_Creer("..\\Armees");
    Repertoire_Creer("..\\Armees\\Escarmouche");
    Repertoire_Creer(chemin.c_str());
    chemin += "\\" + dossier;
    Repertoire_Creer(chemin.c_str());
    return Armee__sauvegarderDans(chemin + "\\");
}

void Armee__sauvegarder() { Armee__sauvegarderDans(DossierJoueur(NumeroJoueur)); }

bool Armee__sauvegarderAvecReserves() { return Armee__sauvegarderDans(DossierJoueur(NumeroJoueur), true); }

void Armee__charger() {
    if (ArmeeJoueur == nullptr) Armee__creer();
    const std::string entete =
        NumeroJoueur != 0 ? DossierJoueur(NumeroJoueur) + "entete_armee.txt" : "..\\tmp\\Joueur0\\entete_armee.txt";
    FILE* f = Fichier_Ouvrir(entete.c_str(), "rt");
    if (f == nullptr) {
        Avertissement("Chargement", "chargement des régiments impossible");
        return;
    }
    int32_t n = 0;
    std::string ligne, reste;
    const bool lu = LireLigne(f, &ligne) && ApresCle(ligne, "nbRegiments", &reste) && Entiers(reste, &n, 1);
    std::fclose(f);
    if (!lu || n < 0 || n > MAX_REGIMENTS) NonDefini("nbRegiments");
    const std::string dossier = DossierJoueur(NumeroJoueur);
    for (int32_t id = 0; id < n; ++id) {
        const std::string chemin = CheminRegiment(dossier.c_str(), id);
        Flux r(Fichier_Ouvrir(chemin.c_str(), "rt"), std::fclose);
        if (r == nullptr) Erreur_Fatale("chargement", "fichier %s non trouvé", chemin.c_str());
        Regiment* regiment = chargerRegiment(r.get());
        r.reset();
        if (regiment == nullptr) continue;
        regiment->id = id;
        ArmeeJoueur->ajouter(regiment);
    }
}

void ListeReserves__sauvegarder() {
    EcritureSure ecriture("..\\Armees\\reserve.txt");
    if (ecriture.Flux() == nullptr) {
        Avertissement("Sauvegarde", "sauvegarde de la réserve impossible");
        return;
    }
    EcrireReserves(ecriture.Flux());
    if (!ecriture.Valider()) Avertissement("Sauvegarde", "sauvegarde de la réserve impossible");
}

void ListeReserves__charger() {
    if (ModeSceneCourant == 3) return;   // the skirmish set-up keeps its own gold
    Flux flux(Fichier_Ouvrir("..\\Armees\\reserve.txt", "rt"), std::fclose);
    FILE* f = flux.get();
    if (f == nullptr) return;
    if (ListeReservesJoueur == nullptr) ListeReserves__creer();
    OrJoueur = LireCle(f, "or");
    const int32_t n = LireCle(f, "nbReserves", 0, CATALOGUE_MAX_TYPES);
    const int32_t types = Catalogue ? Catalogue->nombreTypesUnites : 0;
    for (int32_t i = 0; i < n; ++i) {
        const int32_t type = LireCle(f, "Reserve__typeUnite", 0, types - 1);
        const int32_t prix = LireCle(f, "Reserve__prix");
        const int32_t nb = LireCle(f, "Reserve__nbUnites", 0, MAX_UNITES);
        ListeExtensible<Unite> unites;
        for (int32_t j = 0; j < nb; ++j) unites.ajouter(Unite__charger(f));
        ListeReserves__ajouter(creerReserve(type, prix, &unites));
    }
}
