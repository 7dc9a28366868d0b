#include "campaign/catalogue.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "campaign/campagne.h"
#include "campaign/variables.h"
#include "foundation/erreurs.h"
#include "platform/fichiers.h"

std::unique_ptr<CatalogueDonnees> Catalogue;
int32_t NumeroJoueur = 0;
int32_t CampCatalogue = 1;

namespace {

constexpr const char* FICHIER_MAITRES = "..\\ini\\mv.ini";
const char* const MOTS_CAMPS[4] = {"Empire", "Justice", "Lumiere", "Morvane"};

bool Blanc(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Words of a whole text file, and the quoted names of the catalogue.
class Lecteur {
  public:
    explicit Lecteur(std::string texte) : texte_(std::move(texte)) {}

    // The next word, empty at the end of the text.
    std::string Mot() {
        while (pos_ < texte_.size() && (Blanc(texte_[pos_]) || texte_[pos_] == '\f' || texte_[pos_] == '\v')) ++pos_;
        const size_t debut = pos_;
        while (pos_ < texte_.size() && !Blanc(texte_[pos_]) && texte_[pos_] != '\f' && texte_[pos_] != '\v') ++pos_;
        return texte_.substr(debut, pos_ - debut);
    }
    // From the start of the text, places the reader after the first word equal to `mot`. The
    // words before it are compared where they lie, none of them copied.
    bool Chercher(const char* mot) {
        pos_ = 0;
        const size_t n = std::strlen(mot);
        for (;;) {
            while (pos_ < texte_.size() && Separateur(texte_[pos_])) ++pos_;
            const size_t debut = pos_;
            while (pos_ < texte_.size() && !Separateur(texte_[pos_])) ++pos_;
            if (pos_ == debut) return false;
            if (pos_ - debut == n && texte_.compare(debut, n, mot) == 0) return true;
        }
    }
    // A name between double quotes, only blanks before it.
    bool Nom(std::string* nom) {
        while (pos_ < texte_.size() && Blanc(texte_[pos_])) ++pos_;
        if (pos_ >= texte_.size() || texte_[pos_] != '"') return false;
        const size_t fin = texte_.find('"', pos_ + 1);
        if (fin == std::string::npos || fin - pos_ - 1 > 127) return false;
        *nom = texte_.substr(pos_ + 1, fin - pos_ - 1);
        pos_ = fin + 1;
        return true;
    }
    bool Entier(int32_t* valeur) { return EntierDe(Mot(), valeur); }

    static bool EntierDe(const std::string& mot, int32_t* valeur) {
        if (mot.empty()) return false;
        errno = 0;
        char* fin = nullptr;
        const long v = std::strtol(mot.c_str(), &fin, 10);
        if (*fin != 0 || errno != 0 || v < INT32_MIN || v > INT32_MAX) return false;
        *valeur = static_cast<int32_t>(v);
        return true;
    }

  private:
    static bool Separateur(char c) { return Blanc(c) || c == '\f' || c == '\v'; }

    std::string texte_;
    size_t pos_ = 0;
};

std::string LireFichier(const std::string& chemin) {
    std::string texte;
    if (!Fichier_LireTout(chemin.c_str(), &texte)) Erreur_Fatale("Erreur", "Fichier non trouvé : %s", chemin.c_str());
    return texte;
}

[[noreturn]] void Fautif(const std::string& fichier, const char* attendu) {
    Erreur_Fatale("Erreur", "Erreur dans le fichier : %s (%s)", fichier.c_str(), attendu);
}

void LireEntier(Lecteur& l, const std::string& fichier, const char* attendu, int32_t* valeur, int32_t min = INT32_MIN,
                int32_t max = INT32_MAX) {
    if (!l.Entier(valeur) || *valeur < min || *valeur > max) Fautif(fichier, attendu);
}

// A cost word: "-", "<n>PA" or "<n>T".
PaireCout LireCout(Lecteur& l, const std::string& fichier, int rangPaire) {
    const std::string mot = l.Mot();
    if (mot.empty()) Fautif(fichier, "coût");
    if (mot == "-") return {-1, -1};
    size_t i = 0;
    if (mot[0] == '-' || mot[0] == '+') ++i;
    while (i < mot.size() && mot[i] >= '0' && mot[i] <= '9') ++i;
    int32_t n = 0;
    if (!Lecteur::EntierDe(mot.substr(0, i), &n)) Fautif(fichier, "coût");
    const std::string unite = mot.substr(i);
    if (unite == "PA") return {0, n};
    if (unite == "T") return {n, 0};
    if (rangPaire < 2) {
        const std::string attendu = "unité " + unite + " incorrecte dans déplacement en plaine";
        Fautif(fichier, attendu.c_str());
    }
    Fautif(fichier, "unité incorrecte dans déplacement en montagne");
}

void LireUnites(Lecteur& l, const std::string& fichier, const ListeObjetsMaitres& maitres) {
    CatalogueDonnees& c = *Catalogue;
    if (!l.Chercher("[UNITES]")) return;
    LireEntier(l, fichier, "nombre d'unités", &c.nombreTypesUnites, 0, CATALOGUE_MAX_TYPES);
    for (int i = 0; i < c.nombreTypesUnites; ++i) {
        TypeUnite& t = c.typesUnites[i];
        std::string maitre, variable;
        if (!l.Nom(&t.nom)) Fautif(fichier, "nom de la l'unité");
        if (!l.Nom(&maitre)) Fautif(fichier, "nom de l'objet maître");
        if (!l.Nom(&variable)) Fautif(fichier, "nom de la variable");
        LireEntier(l, fichier, "numero de frame", &t.frame, 0, 255);
        LireEntier(l, fichier, "numero de symbole", &t.symbole, 0, 255);
        int32_t typeSection = -1, drapeau = 0;
        LireEntier(l, fichier, "type de section", &typeSection, -1, CATALOGUE_MAX_TYPES - 1);
        LireEntier(l, fichier, "catégorie", &t.categorie);
        LireEntier(l, fichier, "flag section", &drapeau);
        t.variable = Variables__chercher(variable.c_str(), CampCatalogue);
        if (t.variable == nullptr) Fautif(fichier, variable.c_str());
        if (t.categorie != 2 && *t.variable->valeur == 0) t.categorie = 0;
        t.numeroMaitre = ObjetsMaitres__numero(&maitres, maitre.c_str());
        if (drapeau != 0) t.typeSection = typeSection;
    }
}

void LireDisposition(const std::string& chemin, int s, const ListeObjetsMaitres& maitres) {
    CatalogueDonnees& c = *Catalogue;
    Lecteur l(LireFichier(chemin));
    std::string mot = l.Mot();
    while (!mot.empty()) {
        if (mot != "NIVEAU") {
            mot = l.Mot();
            continue;
        }
        int32_t niveau = 0;
        LireEntier(l, chemin, "niveau du chateau", &niveau, INT32_MIN, 4);
        if (niveau <= 1) {
            mot = l.Mot();
            continue;
        }
        DispositionSection& d = c.dispositions[niveau - 1][s];
        d = DispositionSection{};
        for (auto& ligne : d.disposition) ligne.fill(-1);
        if (l.Mot() != "LARGEURHAUTEUR") Fautif(chemin, "largeur et hauteur");
        LireEntier(l, chemin, "largeur ou hauteur", &d.largeur, 1, CATALOGUE_MAX_COTE);
        LireEntier(l, chemin, "largeur ou hauteur", &d.hauteur, 1, CATALOGUE_MAX_COTE);
        if (l.Mot() != "COMPOSITION") Fautif(chemin, "composition");
        for (int ligne = 0; ligne < d.hauteur; ++ligne)
            for (int colonne = 0; colonne < d.largeur; ++colonne) {
                const std::string cas = l.Mot();
                if (cas.empty()) Fautif(chemin, "case");
                if (cas == "-") continue;
                const int32_t numero = ObjetsMaitres__numero(&maitres, cas.c_str());
                const int32_t u = numero < 0 ? -1 : Catalogue__typeDepuisMaitre(numero);
                if (u < 0) Fautif(chemin, cas.c_str());
                if (d.composition[u] == 255) Fautif(chemin, "composition");
                d.disposition[ligne][colonne] = static_cast<int16_t>(u);
                ++d.composition[u];
                ++d.nombreUnites;
            }
        mot = l.Mot();
    }
}

void LireSections(Lecteur& l, const std::string& fichier, const ListeObjetsMaitres& maitres) {
    CatalogueDonnees& c = *Catalogue;
    if (!l.Chercher("[SECTIONS]")) return;
    LireEntier(l, fichier, "nombre de sections", &c.nombreTypesSections, 0, CATALOGUE_MAX_TYPES);
    for (int s = 0; s < c.nombreTypesSections; ++s) {
        TypeSection& t = c.typesSections[s];
        std::string maitre, variable;
        if (!l.Nom(&t.nom)) Fautif(fichier, "nom de la section");
        if (!l.Nom(&maitre)) Fautif(fichier, "nom de l'objet maître");
        if (!l.Nom(&variable)) Fautif(fichier, "nom de la variable");
        int32_t frame = 0, symbole = 0;
        LireEntier(l, fichier, "numero de frame", &frame, 0, 255);
        LireEntier(l, fichier, "numero de symbole", &symbole, 0, 255);
        t.frame = static_cast<uint8_t>(frame);
        t.symbole = static_cast<uint8_t>(symbole);
        LireEntier(l, fichier, "gain en points d'action", &t.gainPointsAction);
        const std::string siege = l.Mot();
        if (siege.empty()) Fautif(fichier, "flag siege non trouvé");
        if (siege == "-")
            t.siegeSeul = 0;
        else if (!Lecteur::EntierDe(siege, &t.siegeSeul))
            Fautif(fichier, "flag siege seul incorrecte");
        for (int rang = 0; rang < NOMBRE_RANGS_COUT; ++rang) {
            const int paires = rang < COUT_ATTAQUER ? 1 : 3;
            for (int p = 0; p < paires; ++p) t.couts[rang][p] = LireCout(l, fichier, p);
        }
        t.variable = Variables__chercher(variable.c_str(), CampCatalogue);
        if (t.variable == nullptr) Fautif(fichier, "variable inconnue");
        t.numeroMaitre = ObjetsMaitres__numero(&maitres, maitre.c_str());
        if (t.numeroMaitre < 0 || maitres.entrees[t.numeroMaitre].commentaire.empty())
            Erreur_Fatale("Erreur", "Erreur dans le fichier %s : %s (pas de fichier maître)", fichier.c_str(),
                          maitre.c_str());
        LireDisposition("..\\sections\\" + maitres.entrees[t.numeroMaitre].commentaire + ".sct", s, maitres);
    }
}

}  // namespace

ListeObjetsMaitres* ObjetsMaitres__charger() {
    Lecteur l(LireFichier(FICHIER_MAITRES));
    if (!l.Chercher("//liste_des_objets_maîtres.")) Erreur_Fatale("Erreur", "Erreur dans le fichier : %s", FICHIER_MAITRES);
    auto liste = std::make_unique<ListeObjetsMaitres>();
    for (std::string mot = l.Mot(); !mot.empty() && mot != "//."; mot = l.Mot()) {
        if (mot != "#define") continue;
        const std::string nom = l.Mot();
        int32_t numero = 0;
        if (nom.empty() || !l.Entier(&numero) || l.Mot() != "//")
            Erreur_Fatale("Erreur", "Erreur dans le fichier : %s", FICHIER_MAITRES);
        const std::string commentaire = l.Mot();
        if (commentaire.empty()) Erreur_Fatale("Erreur", "Erreur dans le fichier : %s", FICHIER_MAITRES);
        if (numero < 0 || numero >= NOMBRE_MAITRES_LISTE) Fautif(FICHIER_MAITRES, "MAX");
        ObjetMaitreNom& e = liste->entrees[numero];
        e.nom = nom;
        e.commentaire = commentaire == "-" ? std::string() : commentaire;
        e.defini = true;
    }
    return liste.release();
}

int32_t ObjetsMaitres__numero(const ListeObjetsMaitres* liste, const char* nom) {
    if (liste == nullptr || nom == nullptr) return -1;
    for (int i = 0; i < NOMBRE_MAITRES_LISTE; ++i)
        if (liste->entrees[i].defini && liste->entrees[i].nom == nom) return i;
    return -1;
}

void ObjetsMaitres__liberer(ListeObjetsMaitres* liste) { delete liste; }

void Catalogue__charger(int32_t numeroJoueur) {
    std::unique_ptr<ListeObjetsMaitres, void (*)(ListeObjetsMaitres*)> maitres(ObjetsMaitres__charger(),
                                                                             ObjetsMaitres__liberer);
    Catalogue__chargerAvecMaitres(numeroJoueur, *maitres);
}

void Catalogue__chargerAvecMaitres(int32_t numeroJoueur, const ListeObjetsMaitres& maitres) {
    NumeroJoueur = numeroJoueur;
    // Player numbers beyond the table (the skirmish's all-factions choice) read the all-factions catalogue.
    const bool tous = numeroJoueur < 0 || numeroJoueur >= 4;
    CampCatalogue = CampParJoueur[tous ? 4 : numeroJoueur];
    Catalogue = std::make_unique<CatalogueDonnees>();
    // Every cell of every layout empty (-1, each byte 0xFF), each layout in one pass.
    for (auto& niveau : Catalogue->dispositions)
        for (auto& d : niveau) std::memset(d.disposition.data(), 0xFF, sizeof d.disposition);
    std::string fichier = "..\\Sections\\All.txt";
    if (!tous) fichier = std::string("..\\Sections\\") + MOTS_CAMPS[CampCatalogue & 3] + ".txt";
    Lecteur l(LireFichier(fichier));
    LireUnites(l, fichier, maitres);
    LireSections(l, fichier, maitres);
    // A unit type's section must be one of the file's section types.
    for (int i = 0; i < Catalogue->nombreTypesUnites; ++i)
        if (Catalogue->typesUnites[i].typeSection >= Catalogue->nombreTypesSections) Fautif(fichier, "type de section");
}

void Catalogue__liberer() { Catalogue.reset(); }

int32_t Catalogue__typeDepuisMaitre(int32_t numeroMaitre) {
    if (!Catalogue) return -1;
    for (int i = 0; i < Catalogue->nombreTypesUnites; ++i)
        if (Catalogue->typesUnites[i].numeroMaitre == numeroMaitre) return i;
    return -1;
}

int32_t Catalogue__sectionDepuisMaitre(int32_t numeroMaitre) {
    if (!Catalogue) return -1;
    for (int i = 0; i < Catalogue->nombreTypesSections; ++i)
        if (Catalogue->typesSections[i].numeroMaitre == numeroMaitre) return i;
    return -1;
}

const DispositionSection* Catalogue__disposition(int32_t niveauChateau, int32_t typeSection) {
    if (!Catalogue || niveauChateau < 1 || niveauChateau > 3 || typeSection < 0 ||
        typeSection >= Catalogue->nombreTypesSections)
        return nullptr;
    return &Catalogue->dispositions[niveauChateau][typeSection];
}
