#include "campaign/chateau.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "campaign/armee.h"
#include "campaign/armee_fichiers.h"
#include "campaign/campagne.h"
#include "campaign/catalogue.h"
#include "campaign/gestion_armee.h"
#include "campaign/region.h"
#include "campaign/variables.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "foundation/objetsgfx.h"
#include "foundation/son.h"
#include "foundation/texte.h"
#include "platform/fichiers.h"
#include "shell/curseur.h"
#include "shell/routeur.h"
#include "world/groupes.h"
#include "world/objets.h"

TableBatiments CatalogueBatiments;

namespace {

constexpr int32_t SON_OR = 2019;
const char* const OU_CHARGEMENT = "Chargement";

const char* const CAMPS[4] = {"Empire", "Justice", "Lumiere", "Morvane"};
const char* const TYPES[2][BATIMENTS_TYPES] = {
    {"Donjon", "Baraquement", "Forge", "Scierie", "Ecurie", "SalleArmes", "Ambassade", "TourMagiciens", "LieuCulte"},
    {"Donjon", "Baraquement", "Forge", "Scierie", "Ecurie", "SalleArmes", "Ambassade", "LieuCulte",
     "RepaireTenebres"},
};

// The catalogue file read word by word, as the formatted reads do.
class Lecteur {
  public:
    explicit Lecteur(std::string texte) : texte_(std::move(texte)) {}

    bool Mot(std::string* mot) {
        Blancs();
        mot->clear();
        while (pos_ < texte_.size() && !std::isspace(static_cast<unsigned char>(texte_[pos_]))) {
            if (mot->size() >= 255) return false;
            mot->push_back(texte_[pos_++]);
        }
        return !mot->empty();
    }
    bool Cle(const char* cle) {
        std::string mot;
        return Mot(&mot) && mot == cle;
    }
    bool Entier(int32_t* valeur) {
        Blancs();
        size_t p = pos_;
        bool negatif = false;
        if (p < texte_.size() && (texte_[p] == '-' || texte_[p] == '+')) negatif = texte_[p++] == '-';
        int64_t v = 0;
        const size_t debut = p;
        while (p < texte_.size() && std::isdigit(static_cast<unsigned char>(texte_[p]))) {
            v = v * 10 + (texte_[p++] - '0');
            if (v > INT32_MAX) return false;
        }
        if (p == debut) return false;
        pos_ = p;
        *valeur = static_cast<int32_t>(negatif ? -v : v);
        return true;
    }
    // A text between double quotes, before which only blanks, tabs and line ends may stand.
    bool Texte(std::string* texte) {
        while (pos_ < texte_.size() &&
               (texte_[pos_] == ' ' || texte_[pos_] == '\t' || texte_[pos_] == '\n' || texte_[pos_] == '\r'))
            ++pos_;
        if (pos_ >= texte_.size() || texte_[pos_] != '"') return false;
        const size_t fin = texte_.find('"', pos_ + 1);
        if (fin == std::string::npos || fin - pos_ - 1 > 1023) return false;
        *texte = texte_.substr(pos_ + 1, fin - pos_ - 1);
        texte->erase(std::remove(texte->begin(), texte->end(), '\r'), texte->end());
        pos_ = fin + 1;
        return true;
    }

  private:
    void Blancs() {
        while (pos_ < texte_.size() && std::isspace(static_cast<unsigned char>(texte_[pos_]))) ++pos_;
    }
    std::string texte_;
    size_t pos_ = 0;
};

[[noreturn]] void Manque(const char* cle) { Erreur_Fatale(OU_CHARGEMENT, "%s non défini", cle); }

// A variable that holds a next value; the always-available one has none and names nothing here.
const Variable* VariableConnue(const std::string& nom) {
    const Variable* v = Variables__chercher(nom.c_str(), CampFichiers);
    if (v == nullptr || v->valeurSuivante == nullptr) Erreur_Fatale(OU_CHARGEMENT, "La variable %s est inconnue", nom.c_str());
    return v;
}

int32_t TypeConnu(int32_t camp, const std::string& nom) {
    const int t = Batiment__typeDepuisNom(camp, nom.c_str());
    if (t < 0) Erreur_Fatale(OU_CHARGEMENT, "Le type de batiment %s est inconnu", nom.c_str());
    return t;
}

void LireDescription(Lecteur& l, std::array<std::string, 5>* description, const char* cle, const std::string& nom) {
    const bool developpement = std::strcmp(cle, "Developpement__description") == 0;
    const auto manque = [&] {
        if (developpement) Erreur_Fatale(OU_CHARGEMENT, " %s Developpement__description non défini", nom.c_str());
        Manque(cle);
    };
    if (!l.Cle(cle)) manque();
    for (std::string& texte : *description)
        if (!l.Texte(&texte)) manque();
}

std::unique_ptr<Batiment> LireBatiment(Lecteur& l, int32_t camp, const ListeObjetsMaitres* maitres) {
    auto b = std::make_unique<Batiment>();
    std::string texte;
    int32_t n = 0;
    if (!l.Cle("Batiment__type") || !l.Texte(&texte)) Manque("Batiment__type");
    b->type = TypeConnu(camp, texte);
    if (!l.Cle("Batiment__niveau") || !l.Entier(&n)) Manque("Batiment__niveau");
    if (n < 1) Erreur_Fatale(OU_CHARGEMENT, "Batiment__niveau < 0");
    if (n > BATIMENTS_NIVEAUX) Erreur_Fatale(OU_CHARGEMENT, "Batiment__niveau > 3");
    b->niveau = n - 1;
    if (!l.Cle("Batiment__nomObjetMaitre") || !l.Texte(&texte)) Manque("Batiment__nomObjetMaitre");
    b->numeroMaitre = maitres ? ObjetsMaitres__numero(maitres, texte.c_str()) : -1;
    if (!l.Cle("Batiment__nom") || !l.Texte(&b->nom)) Manque("Batiment_nom");
    if (!l.Cle("Batiment__nomVariable") || !l.Texte(&texte)) Manque("Batiment__nomVariable");
    b->variable = VariableConnue(texte);
    if (!l.Cle("Batiment__estDeBase") || !l.Entier(&b->estDeBase)) Manque("Batiment__estDeBase");

    if (!l.Cle("Batiment__nbPossibilites") || !l.Entier(&n) || n < 0) Manque("Batiment__nbPossibilites");
    for (int32_t i = 0; i < n; ++i) {
        Possibilite p;
        if (!l.Cle("Possibilite__nomVariable") || !l.Texte(&texte)) Manque("Possibilite__nomVariable");
        p.variable = VariableConnue(texte);
        if (!l.Cle("Possibilite__valeur") || !l.Entier(&p.valeur)) Manque("Possibilite__valeur");
        b->possibilites.push_back(p);
    }

    if (!l.Cle("Batiment__nbDeveloppements") || !l.Entier(&n) || n < 0) Manque("Batiment__nbDeveloppements");
    for (int32_t i = 0; i < n; ++i) {
        Developpement d;
        if (!l.Cle("Developpement__nom") || !l.Texte(&d.nom)) Manque("Developpement__nom");
        if (!l.Cle("Developpement__prix") || !l.Entier(&d.prix)) Manque("Developpement__prix");
        if (!l.Cle("Developpement__nomVariable") || !l.Texte(&texte)) Manque("Developpement__nomVariable");
        d.variable = VariableConnue(texte);
        if (!l.Cle("Developpement__valeur") || !l.Entier(&d.valeur)) Manque("Developpement__valeur");
        LireDescription(l, &d.description, "Developpement__description", texte);
        b->developpements.push_back(std::move(d));
    }

    if (!l.Cle("Batiment__nbConstructions") || !l.Entier(&n) || n < 0) Manque("Batiment__nbConstructions");
    for (int32_t i = 0; i < n; ++i) {
        Construction c;
        if (!l.Cle("Construction__nom") || !l.Texte(&c.nom)) Manque("Construction__nom");
        if (!l.Cle("Construction__prix") || !l.Entier(&c.prix)) Manque("Construction__prix");
        if (!l.Cle("Construction__typeBatiment") || !l.Texte(&texte)) Manque("Construction__typeBatiment");
        c.typeBatiment = TypeConnu(camp, texte);
        int32_t niveau = 0;
        if (!l.Cle("Construction__niveauBatiment") || !l.Entier(&niveau) || niveau < 1 ||
            niveau > BATIMENTS_NIVEAUX)
            Manque("Construction__niveauBatiment");
        c.niveauBatiment = niveau - 1;
        LireDescription(l, &c.description, "Construction__description", c.nom);
        b->constructions.push_back(std::move(c));
    }
    return b;
}

struct LiberationMaitres {
    ListeObjetsMaitres* liste;
    ~LiberationMaitres() { ObjetsMaitres__liberer(liste); }
};

// The catalogue building a construction orders; none outside the table.
Batiment* Cible(const Construction& c) {
    if (c.niveauBatiment < 0 || c.niveauBatiment >= BATIMENTS_NIVEAUX || c.typeBatiment < 0 ||
        c.typeBatiment >= BATIMENTS_TYPES)
        return nullptr;
    return CatalogueBatiments[static_cast<size_t>(c.niveauBatiment)][static_cast<size_t>(c.typeBatiment)].get();
}

// Ordered: its next value and its possibilities' next values.
void Commander(const Batiment& b) {
    *b.variable->valeurSuivante = b.niveau + 1;
    for (const Possibilite& p : b.possibilites) *p.variable->valeurSuivante = p.valeur;
}

bool Construit(const Batiment& b) { return *b.variable->valeur >= b.niveau + 1; }

void AppliquerBatimentsDeBase() {
    if (NiveauChateau < 1 || NiveauChateau > BATIMENTS_NIVEAUX) return;
    for (auto& b : CatalogueBatiments[static_cast<size_t>(NiveauChateau - 1)]) {
        if (!b || !b->estDeBase) continue;
        *b->variable->valeur = *b->variable->valeurSuivante = NiveauChateau;
        for (const Possibilite& p : b->possibilites) *p.variable->valeur = *p.variable->valeurSuivante = p.valeur;
    }
}

}  // namespace

int Batiment__typeDepuisNom(int32_t camp, const char* nom) {
    if (nom == nullptr) return -1;
    const auto& liste = TYPES[camp == 3 ? 1 : 0];
    for (int t = 0; t < BATIMENTS_TYPES; ++t)
        if (std::strcmp(liste[t], nom) == 0) return t;
    return -1;
}

void Batiments__chargerCatalogue() { Batiments__chargerCatalogueAvecMaitres(nullptr); }

void Batiments__chargerCatalogueAvecMaitres(const ListeObjetsMaitres* donnee) {
    for (auto& niveau : CatalogueBatiments)
        for (auto& b : niveau) b.reset();
    const int32_t camp = CampFichiers;
    if (camp < 0 || camp > 3) {
        Avertissement(OU_CHARGEMENT, "Camp inconnu pour les batiments : %d", camp);
        return;
    }
    char chemin[256];
    std::snprintf(chemin, sizeof chemin, "%s\\%s.txt", "..\\Localisation", CAMPS[camp]);
    std::string contenu;
    if (!Fichier_LireTout(chemin, &contenu)) Erreur_Fatale(OU_CHARGEMENT, "%s non trouvé", chemin);
    Lecteur l(std::move(contenu));
    int32_t nombre = 0;
    if (!l.Cle("nbBatiments") || !l.Entier(&nombre) || nombre < 0) Manque("nbBatiments");

    LiberationMaitres lue{donnee ? nullptr : ObjetsMaitres__charger()};
    const ListeObjetsMaitres* maitres = donnee ? donnee : lue.liste;
    TableBatiments table;
    for (int32_t i = 0; i < nombre; ++i) {
        std::unique_ptr<Batiment> b = LireBatiment(l, camp, maitres);
        auto& place = table[static_cast<size_t>(b->niveau)][static_cast<size_t>(b->type)];
        if (place) {
            // The first definition stays.
            Avertissement("Attention", "Définition multiple du batiment %s (niveau %d)", b->nom.c_str(), b->niveau + 1);
            continue;
        }
        place = std::move(b);
    }
    // A construction must order a building of the catalogue.
    for (const auto& niveau : table)
        for (const auto& b : niveau) {
            if (!b) continue;
            for (const Construction& c : b->constructions)
                if (!table[static_cast<size_t>(c.niveauBatiment)][static_cast<size_t>(c.typeBatiment)])
                    Erreur_Fatale(OU_CHARGEMENT, "La construction %s désigne un batiment absent du catalogue (%s niveau %d)",
                                  c.nom.c_str(), TYPES[camp == 3 ? 1 : 0][c.typeBatiment], c.niveauBatiment + 1);
        }
    CatalogueBatiments = std::move(table);
    AppliquerBatimentsDeBase();
}

int PositionnementFichier(FILE* f, const char* mot) {
    if (f == nullptr || mot == nullptr) return 0;
    constexpr size_t LIMITE = 2048;
    const size_t longueurMot = std::strlen(mot);
    char lu[LIMITE];
    int c;
    // The stream is this reader's alone: read without taking its lock for each byte.
    for (;;) {
        while ((c = getc_unlocked(f)) != EOF && std::isspace(c)) {}
        if (c == EOF) return 0;
        size_t n = 0;
        while (c != EOF && !std::isspace(c)) {
            // A word this long is no word sought here: the file is not what it should be.
            if (n + 1 >= LIMITE) return 0;
            lu[n++] = static_cast<char>(c);
            c = getc_unlocked(f);
        }
        if (n == longueurMot && std::memcmp(lu, mot, n) == 0) return 1;
        if (c == EOF) return 0;
    }
}

void Batiments__chargerPlacement(const char* fichierNiveau) {
    if (fichierNiveau == nullptr) return;
    FILE* f = Fichier_Ouvrir(fichierNiveau, "rt");
    // A missing level is reported by the level loader, which reads it next.
    if (f == nullptr) return;
    struct Fermeture {
        FILE* f;
        ~Fermeture() { std::fclose(f); }
    } fermeture{f};
    if (!PositionnementFichier(f, "[BATIMENTS]")) return;
    int n = 0;
    if (std::fscanf(f, "%d", &n) != 1 || n < 0)
        Erreur_Fatale("Erreur", "Erreur dans le fichier %s (nombre de batiments)", fichierNiveau);
    for (int i = 0; i < n; ++i) {
        int m = 0, x = 0, y = 0, d = 0, a = 0;
        if (std::fscanf(f, "%d %d %d %d %d", &m, &x, &y, &d, &a) != 5)
            Erreur_Fatale("Erreur", "Erreur dans le fichier %s (batiment)", fichierNiveau);
        int32_t type = 0, niveau = 0;
        if (!Batiment__chercher(m, &type, &niveau)) continue;
        for (int32_t v = niveau; v < BATIMENTS_NIVEAUX; ++v) {
            Batiment* b = CatalogueBatiments[static_cast<size_t>(v)][static_cast<size_t>(type)].get();
            if (!b) continue;
            b->x = x;
            b->y = y;
            b->direction = d;
            b->place = 1;
        }
    }
}

void Batiment__poser(Batiment* b) {
    if (b == nullptr || !b->place) return;
    if (b->numeroMaitre >= 0) {
        Groupe___Creation(b->numeroMaitre, 0, b->x, b->y, 1, 1, b->direction);
    } else {
        Avertissement("Batiment__poser", "L'objet maître pour le batiment %s n'a pas été défini", b->nom.c_str());
    }
    Commander(*b);
}

bool Batiment__chercher(int32_t numeroMaitre, int32_t* type, int32_t* niveau) {
    for (int32_t v = 0; v < BATIMENTS_NIVEAUX; ++v)
        for (int32_t t = 0; t < BATIMENTS_TYPES; ++t) {
            const Batiment* b = CatalogueBatiments[static_cast<size_t>(v)][static_cast<size_t>(t)].get();
            if (b && b->numeroMaitre == numeroMaitre) {
                if (type) *type = t;
                if (niveau) *niveau = v;
                return true;
            }
        }
    return false;
}

int Batiment__poserParId(int maitre, int niveauChateau) {
    int32_t type = 0;
    if (!Batiment__chercher(maitre, &type, nullptr)) return 1;
    for (int v = std::min(niveauChateau, BATIMENTS_NIVEAUX) - 1; v >= 0; --v) {
        Batiment* b = CatalogueBatiments[static_cast<size_t>(v)][static_cast<size_t>(type)].get();
        if (b && Construit(*b)) {
            Batiment__poser(b);
            break;
        }
    }
    return 0;
}

bool Developpement__acquis(const Developpement& d) { return *d.variable->valeur >= d.valeur; }

bool Construction__acquise(const Construction& c) {
    const Batiment* b = Cible(c);
    return b == nullptr || *b->variable->valeurSuivante >= c.niveauBatiment + 1;
}

int Batiments__toutAcquis(int32_t niveauChateau) {
    if (niveauChateau < 1 || niveauChateau > BATIMENTS_NIVEAUX) return 0;
    for (const auto& b : CatalogueBatiments[static_cast<size_t>(niveauChateau - 1)]) {
        if (!b) continue;
        for (const Developpement& d : b->developpements)
            if (!Developpement__acquis(d)) return 0;
        for (const Construction& c : b->constructions)
            if (!Construction__acquise(c)) return 0;
    }
    return 1;
}

void Batiments__preparerNiveauSuivant() {
    const int32_t haut = std::clamp(NiveauChateau, 1, BATIMENTS_NIVEAUX) - 1;
    for (int32_t t = 0; t < BATIMENTS_TYPES; ++t) {
        int32_t v = haut;
        while (v >= 0 && !CatalogueBatiments[static_cast<size_t>(v)][static_cast<size_t>(t)]) --v;
        if (v < 0 || v + 1 >= BATIMENTS_NIVEAUX) continue;
        const Batiment* suivant = CatalogueBatiments[static_cast<size_t>(v + 1)][static_cast<size_t>(t)].get();
        if (suivant && suivant->estDeBase) *suivant->variable->valeurSuivante = suivant->niveau + 1;
    }
}

bool Developpement__acheter(const Developpement& d) {
    if (OrJoueur < d.prix) return false;
    *d.variable->valeurSuivante = *d.variable->valeur = d.valeur;
    OrJoueur -= d.prix;
    Son__Joue(SON_OR);
    return true;
}

bool Construction__acheter(const Construction& c) {
    const Batiment* b = Cible(c);
    if (b == nullptr || OrJoueur < c.prix) return false;
    Commander(*b);
    OrJoueur -= c.prix;
    Son__Joue(SON_OR);
    return true;
}
