#include "editors/evenements.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "foundation/ecran.h"
#include "foundation/erreurs.h"
#include "foundation/texte.h"
#include "platform/fichiers.h"
#include "scene/particules_effets.h"
#include "world/jetons.h"
#include "world/maitres.h"

const char* const IconesEvenements[NOMBRE_TYPES_EVENEMENTS] = {
    "soins", "Poison", "creeunite", "projecti", "transform", "boulefeu", "epee", "horloge", "hp", "magie", "demembre"};

int32_t MaitreEvenementsCourant = 0;

namespace {

const char* const OU_LECTURE = "Chargement Player";

template <typename Evenement>
Evenement* Queue(Evenement* liste) {
    if (liste == nullptr) return nullptr;
    while (liste->suivant) liste = liste->suivant;
    return liste;
}

template <typename Evenement>
void LibererListe(Evenement* liste) {
    while (liste) {
        Evenement* suivant = liste->suivant;
        delete liste;
        liste = suivant;
    }
}

template <typename Evenement>
void Lier(Evenement*& liste, Evenement* nouveau) {
    if (Evenement* queue = Queue(liste)) {
        queue->suivant = nouveau;
        nouveau->precedent = queue;
    } else {
        liste = nouveau;
    }
}

// Appends and returns the new node, or null when the effect is unknown.
EvenementVisuel* AjouterVisuel(EvenementVisuel*& liste, const char* nom) {
    EvenementVisuel lu{};
    std::snprintf(lu.nom, sizeof lu.nom, "%s", nom ? nom : "");
    lu.effet = AdresseEffet(ListeEffets, lu.nom);
    if (lu.effet == nullptr) return nullptr;
    auto* nouveau = new EvenementVisuel(lu);
    Lier(liste, nouveau);
    return nouveau;
}

EvenementConcret* AjouterConcret(EvenementConcret*& liste, int type) {
    if (type < 0 || type >= NOMBRE_TYPES_EVENEMENTS) return nullptr;
    auto* nouveau = new EvenementConcret{};
    nouveau->type = type;
    Lier(liste, nouveau);
    return nouveau;
}

void LibererTable(TableEvenements* table) {
    if (table == nullptr) return;
    for (int a = 0; a < NOMBRE_ANIMATIONS; ++a) {
        EvenementsImage** positions = table->animations[a];
        if (positions == nullptr) continue;
        for (int p = 0; p < table->directions[a]; ++p) {
            EvenementsImage* images = positions[p];
            if (images == nullptr) continue;
            for (int f = 0; f < table->images[a]; ++f) {
                LibererListe(images[f].visuels);
                LibererListe(images[f].concrets);
            }
            delete[] images;
        }
        delete[] positions;
    }
    delete table;
}

// An animation's counts as the master gives them; no positions for a count below 1.
void Dimensions(const Objet& m, int a, int32_t* directions, int32_t* images) {
    *directions = *images = 0;
    if (m.animations == nullptr) return;
    *directions = m.animations[a].directions > 0 ? m.animations[a].directions : 0;
    *images = m.animations[a].images > 0 ? m.animations[a].images : 0;
}

EvenementsImage** NouvellesPositions(int32_t directions) {
    auto** positions = new EvenementsImage*[static_cast<size_t>(directions)];
    for (int p = 0; p < directions; ++p) positions[p] = nullptr;
    return positions;
}

EvenementsImage* NouvellesImages(int32_t images) {
    return images > 0 ? new EvenementsImage[static_cast<size_t>(images)]() : nullptr;
}

TableEvenements* TableVide(const Objet& m) {
    auto* table = new TableEvenements{};
    for (int a = 0; a < NOMBRE_ANIMATIONS; ++a) {
        Dimensions(m, a, &table->directions[a], &table->images[a]);
        if (table->directions[a] == 0) continue;
        table->animations[a] = NouvellesPositions(table->directions[a]);
        for (int p = 0; p < table->directions[a]; ++p) table->animations[a][p] = NouvellesImages(table->images[a]);
    }
    return table;
}

// The words of a ".cfg" with one word of look-ahead. A damaged stream (its end inside an
// animation, a word that is not where the layout puts it, a number that is not one) is reported
// once; the reader then goes on at the next "Anime".
class LecteurEvenements {
  public:
    LecteurEvenements(FILE* f, int maitre) : l_(f), maitre_(maitre) {}

    bool Mot() {
        if (remis_) {
            remis_ = false;
            return true;
        }
        return l_.Mot();
    }
    void Remettre() { remis_ = true; }
    const char* Texte() const { return l_.Texte(); }
    bool Egal(const char* mot) const { return l_.Egal(mot); }

    bool Entier(int32_t* valeur) {
        int v = 0;
        if (!Mot() || !LecteurJetons::EntierDe(Texte(), &v)) return false;
        *valeur = v;
        return true;
    }
    // A header word and its number (the number itself is not used).
    bool EnTete(const char* mot) {
        int32_t numero;
        if (!Mot()) return false;
        if (!Egal(mot)) {
            Remettre();
            return false;
        }
        return Entier(&numero);
    }

    void Defectueux() {
        if (signale_) return;
        signale_ = true;
        Erreur_Question(OU_LECTURE, "Attention Fichier defectueux de type %d", maitre_);
    }
    // Skips to the next "Anime", left as the next word; false at the end of the stream.
    bool AnimeSuivante() {
        if (!remis_ && Egal("Anime")) {
            Remettre();
            return true;
        }
        while (Mot())
            if (Egal("Anime")) {
                Remettre();
                return true;
            }
        return false;
    }

  private:
    LecteurJetons l_;
    int maitre_;
    bool remis_ = false;
    bool signale_ = false;
};

// One visual list: "-" or events closed by "//". False when the stream is damaged.
bool LireVisuels(LecteurEvenements& l, EvenementVisuel*& liste) {
    if (!l.Mot()) return false;
    if (l.Egal("-")) return true;
    while (!l.Egal("//")) {
        if (l.Egal("Anime")) return false;
        std::string nom = l.Texte();
        int32_t v[6];
        for (int32_t& x : v)
            if (!l.Entier(&x)) return false;
        // A plan outside the particle planes is kept as read (the player emits nothing for it), so
        // that a save gives the file back whole.
        if (EvenementVisuel* e = AjouterVisuel(liste, nom.c_str())) {
            e->marqueur = v[0];
            e->ecartX = v[1];
            e->ecartY = v[2];
            e->directionX = v[3];
            e->directionY = v[4];
            e->plan = v[5];
        }
        if (!l.Mot()) return false;
    }
    return true;
}

bool LireConcrets(LecteurEvenements& l, EvenementConcret*& liste) {
    if (!l.Mot()) return false;
    if (l.Egal("-")) return true;
    while (!l.Egal("//")) {
        int type = 0;
        if (!LecteurJetons::EntierDe(l.Texte(), &type)) return false;
        int32_t sons[4] = {0, 0, 0, 0}, caseX, caseY;
        if (type == EVENEMENT_SONS)
            for (int32_t& s : sons)
                if (!l.Entier(&s)) return false;
        if (!l.Entier(&caseX) || !l.Entier(&caseY)) return false;
        if (EvenementConcret* e = AjouterConcret(liste, type)) {
            std::memcpy(e->sons, sons, sizeof sons);
            e->caseX = caseX;
            e->caseY = caseY;
        } else {
            l.Defectueux();   // a kind the player does not know
        }
        if (!l.Mot()) return false;
    }
    return true;
}

// The positions of animation a after its "Anime" header. False when the stream is damaged.
bool LireAnimation(LecteurEvenements& l, TableEvenements& table, int a) {
    if (!l.Mot()) return false;
    if (l.Egal("-")) return true;
    l.Remettre();
    const int32_t directions = table.directions[a], images = table.images[a];
    // Positions for an animation the master does not have.
    if (directions == 0) return false;
    if (table.animations[a] == nullptr) table.animations[a] = NouvellesPositions(directions);
    for (int p = 0; p < directions; ++p) {
        if (!l.EnTete("Position")) return false;
        if (!l.Mot()) return false;
        if (l.Egal("-")) continue;
        l.Remettre();
        if (table.animations[a][p] == nullptr) table.animations[a][p] = NouvellesImages(images);
        // Frames for a position of none.
        if (images == 0) return false;
        for (int f = 0; f < images; ++f) {
            if (!l.EnTete("Frame")) return false;
            EvenementsImage& image = table.animations[a][p][f];
            if (!LireVisuels(l, image.visuels) || !LireConcrets(l, image.concrets)) return false;
        }
    }
    return true;
}

void EcrireVisuels(FILE* f, const EvenementVisuel* e) {
    if (e == nullptr) {
        std::fprintf(f, "%s\n", "-");
        return;
    }
    for (; e; e = e->suivant) {
        std::fprintf(f, " %s", e->nom);
        std::fprintf(f, " %d", e->marqueur);
        std::fprintf(f, " %d", e->ecartX);
        std::fprintf(f, " %d", e->ecartY);
        std::fprintf(f, " %d", e->directionX);
        std::fprintf(f, " %d", e->directionY);
        std::fprintf(f, e->suivant ? " %d" : " %d //\n", e->plan);
    }
}

void EcrireConcrets(FILE* f, const EvenementConcret* e) {
    if (e == nullptr) {
        std::fprintf(f, "%s\n", "-");
        return;
    }
    for (; e; e = e->suivant) {
        std::fprintf(f, " %d", e->type);
        if (e->type == EVENEMENT_SONS)
            for (int32_t s : e->sons) std::fprintf(f, " %d", s);
        std::fprintf(f, " %d", e->caseX);
        std::fprintf(f, e->suivant ? " %d" : " %d //\n", e->caseY);
    }
}

void EcrireTable(FILE* f, const TableEvenements& table) {
    for (int a = 0; a < NOMBRE_ANIMATIONS; ++a) {
        std::fprintf(f, " %s %d\n", "Anime", a);
        EvenementsImage* const* positions = table.animations[a];
        if (positions == nullptr) {
            std::fprintf(f, "%s\n", "-");
            continue;
        }
        for (int p = 0; p < table.directions[a]; ++p) {
            std::fprintf(f, " %s", "Position");
            std::fprintf(f, " %d\n", p);
            const EvenementsImage* images = positions[p];
            if (images == nullptr) {
                std::fprintf(f, "%s\n", "-");
                continue;
            }
            for (int i = 0; i < table.images[a]; ++i) {
                std::fprintf(f, " %s", "Frame");
                std::fprintf(f, " %d\n", i);
                EcrireVisuels(f, images[i].visuels);
                EcrireConcrets(f, images[i].concrets);
            }
        }
    }
}

// The master's file name in the master list of "..\ini\mv.ini".
bool NomFichierMaitre(int maitre, std::string* nom) {
    FILE* f = Fichier_Ouvrir("..\\ini\\mv.ini", "rt");
    if (f == nullptr) return false;
    FermetureFlux fermeture{f};
    LecteurJetons l(f);
    if (!l.Jusqua("//liste_des_objets_maîtres.") || !LecteurJetons_ChercheMaitre(l, maitre)) return false;
    *nom = l.Texte();
    return true;
}

}  // namespace

EvenementVisuel* EvenementVisuel_Ajouter(EvenementVisuel* liste, const char* nom) {
    AjouterVisuel(liste, nom);
    return liste;
}

EvenementConcret* EvenementConcret_Ajouter(EvenementConcret* liste, int type) {
    AjouterConcret(liste, type);
    return liste;
}

void AnimationLibererEvenements(int maitre) {
    if (maitre < 0 || maitre >= NOMBRE_TYPES_MAITRES) return;
    LibererTable(TableMaitres[maitre].evenements);
    TableMaitres[maitre].evenements = nullptr;
}

void AnimationChargerEvenements(int maitre, const char* cheminMaitre) {
    if (maitre < 0 || maitre >= NOMBRE_TYPES_MAITRES) return;
    AnimationLibererEvenements(maitre);
    Objet& m = TableMaitres[maitre];

    std::string chemin = cheminMaitre ? cheminMaitre : "";
    chemin = chemin.substr(0, chemin.size() >= 4 ? chemin.size() - 4 : 0) + ".cfg";
    FILE* f = Fichier_Ouvrir(chemin.c_str(), "rt");
    if (f == nullptr) {
        m.evenements = TableVide(m);
        return;
    }
    FermetureFlux fermeture{f};
    MaitreEvenementsCourant = maitre;

    auto* table = new TableEvenements{};
    for (int a = 0; a < NOMBRE_ANIMATIONS; ++a) Dimensions(m, a, &table->directions[a], &table->images[a]);
    m.evenements = table;

    // Each animation is one "Anime" block. After a damaged block, reading goes on at the next
    // "Anime": at the animation its number gives when that one is further on, else at the next.
    LecteurEvenements l(f, maitre);
    bool enTeteLue = false;
    int a = 0;
    while (a < NOMBRE_ANIMATIONS) {
        int32_t numero = 0;
        bool bon = true;
        if (!enTeteLue) {
            if (!l.Mot()) {
                l.Defectueux();   // fewer animations than the master's
                return;
            }
            bon = l.Egal("Anime") && l.Entier(&numero);
        }
        enTeteLue = false;
        bon = bon && LireAnimation(l, *table, a);
        // The block ends at the next "Anime" (or at the end of the file after the last).
        if (bon && l.Mot()) {
            bon = l.Egal("Anime") && a + 1 < NOMBRE_ANIMATIONS;
            if (bon) l.Remettre();
        }
        if (bon) {
            ++a;
            continue;
        }
        l.Defectueux();
        if (!l.AnimeSuivante()) return;
        l.Mot();
        a = l.Entier(&numero) && numero > a && numero < NOMBRE_ANIMATIONS ? numero : a + 1;
        enTeteLue = true;
    }
}

int AnimationSauverEvenements(int maitre) {
    if (maitre < 0 || maitre >= NOMBRE_TYPES_MAITRES || TableMaitres[maitre].evenements == nullptr) return -1;
    std::string nom;
    if (!NomFichierMaitre(maitre, &nom)) {
        Avertissement("AnimationSauverEvenements", "Pas de fichier pour l'objet maître %d dans ..\\ini\\mv.ini", maitre);
        return -1;
    }
    const std::string chemin = "..\\maitres\\" + nom + ".cfg", provisoire = chemin + ".tmp";
    // Written beside the file, then put in its place: a failed save leaves the old file whole.
    FILE* f = Fichier_Ouvrir(provisoire.c_str(), "wt");
    if (f == nullptr) {
        Avertissement("AnimationSauverEvenements", "Ecriture impossible : %s", chemin.c_str());
        return -1;
    }
    EcrireTable(f, *TableMaitres[maitre].evenements);
    bool ecrit = std::ferror(f) == 0;
    ecrit = std::fclose(f) == 0 && ecrit;
    if (!ecrit || std::rename(Chemin_Resoudre(provisoire.c_str()).c_str(), Chemin_Ecriture(chemin.c_str()).c_str()) != 0) {
        Fichier_Supprimer(provisoire.c_str());
        Avertissement("AnimationSauverEvenements", "Ecriture impossible : %s", chemin.c_str());
        return -1;
    }
    if (EcranTampon != nullptr) Texte__Affiche(200, 240, "%s", "Sauvegarde effectuée");
    return 0;
}
