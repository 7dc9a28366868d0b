#include "shell/requetes.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "campaign/armee.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "foundation/objetsgfx.h"
#include "foundation/polices.h"
#include "foundation/son.h"
#include "foundation/texte.h"
#include "frontend/localisation.h"
#include "platform/fichiers.h"
#include "platform/hasard.h"
#include "platform/temps.h"
#include "scene/affichage.h"
#include "scene/plans.h"
#include "shell/chefs.h"
#include "shell/curseur.h"
#include "shell/images.h"
#include "shell/missions.h"
#include "shell/routeur.h"
#include "shell/trame.h"
#include "shell/victoire.h"
#include "world/maitres.h"

namespace {

bool FinTexte(const char* p) { return *p == 0 || (p[0] == '/' && p[1] == '/'); }

int Largeur(const char* texte, int longueur) {
    int l = 0;
    Texte_Mesurer(EcranDC, texte, longueur, &l, nullptr);
    return l;
}

void Ligne(int x, int y, const char* texte, int longueur, int dessin) {
    if (!dessin || longueur <= 0) return;
    uint32_t couleur = ContexteTexte_Couleur(EcranDC, 0);
    Texte_Dessiner(EcranDC, x + 1, y + 1, texte, longueur);
    ContexteTexte_Couleur(EcranDC, couleur);
    Texte_Dessiner(EcranDC, x, y, texte, longueur);
}

}  // namespace

int Texte__Paragraphe(const char* texte, int gauche, int haut, int droite, int bas, int dessin) {
    if (texte == nullptr || EcranDC == nullptr) return -1;
    int hauteurLigne = 0;
    Texte_Mesurer(EcranDC, "A", 1, nullptr, &hauteurLigne);
    if (hauteurLigne <= 0) return -1;
    const int largeurBoite = droite - gauche, hauteurBoite = bas - haut;
    int position = 0;
    for (int y = haut; y - haut < hauteurBoite; y += hauteurLigne) {
        const char* debut = texte + position;
        if (FinTexte(debut)) return -1;
        // The characters that fit, up to a line break or the end.
        int limite = 0;
        while (!FinTexte(debut + limite) && debut[limite] != '\n') ++limite;
        int n = limite;
        if (Largeur(debut, limite) > largeurBoite) {
            // The longest prefix that fits (widths grow with the prefix).
            int tient = 0, deborde = limite - 1;
            while (tient < deborde) {
                int milieu = (tient + deborde + 1) / 2;
                if (Largeur(debut, milieu) <= largeurBoite) tient = milieu;
                else deborde = milieu - 1;
            }
            n = tient;
        }
        const char* fin = debut + n;
        if (FinTexte(fin)) {
            Ligne(gauche, y, debut, n, dessin);
            return -1;
        }
        if (*fin == '\n') {
            int longueur = n > 0 && debut[n - 1] == '\r' ? n - 1 : n;
            Ligne(gauche, y, debut, longueur, dessin);
            position += n + 1;
            continue;
        }
        // Too wide: cut after the last blank; a line without one keeps what fits (at least a character).
        int blanc = n;
        while (blanc >= 0 && debut[blanc] != ' ') --blanc;
        if (blanc >= 0) {
            Ligne(gauche, y, debut, blanc, dessin);
            position += blanc + 1;
        } else {
            if (n == 0) n = 1;
            Ligne(gauche, y, debut, n, dessin);
            position += n;
        }
    }
    return FinTexte(texte + position) ? -1 : position;
}

int32_t RequesterOuvert = 0;
std::array<std::array<Evennement, EVENNEMENTS_PAR_GROUPE>, GROUPES_EVENNEMENTS> TableEvennements = [] {
    std::array<std::array<Evennement, EVENNEMENTS_PAR_GROUPE>, GROUPES_EVENNEMENTS> t{};
    for (auto& groupe : t)
        for (Evennement& e : groupe) e = Evennement{-1, nullptr, -1, {-1, -1, -1}};
    return t;
}();

namespace {

const char* const OU_REQUESTER = "RequesterFichier()";
const char* const OU_EVENNEMENTS = "InitEvennements()";
constexpr uint32_t COULEUR_TEXTE = 145u << 16 | 166u << 8 | 170u;
constexpr uint32_t COULEUR_SURVOL = 0xFFFFFF;
constexpr int OBJET_BOITE = 826, OBJET_CURSEUR = 19;
constexpr int REPONSES_MAXI = 4;

// The message and the answers of a requester text.
struct Decoupage {
    int d = 0;
    const char* message = "";
    std::array<const char*, REPONSES_MAXI> reponses{};
};

bool Fin(const char* p) { return *p == 0 || (p[0] == '/' && p[1] == '/'); }

// Past the next "//" (or at the end of the text).
const char* ApresFin(const char* p) {
    while (!Fin(p)) ++p;
    return *p ? p + 2 : p;
}

const char* SauteLignes(const char* p) {
    while (*p == '\n' || *p == '\r') ++p;
    return p;
}

Decoupage Decouper(const char* texte) {
    Decoupage r;
    const char* p = texte;
    if (*p >= '0' && *p <= '9') {
        r.d = *p - '0';
        ++p;
    }
    if (p == texte || r.d > REPONSES_MAXI) {
        // No count of answers, or one the box cannot hold: a plain message.
        Erreur_Question(OU_REQUESTER, "Nombre de réponses incorrect : %c", *texte ? *texte : ' ');
        r.d = 0;
    }
    if (*p == '\n' || *p == '\r') ++p;
    r.message = SauteLignes(p);
    p = r.message;
    for (int i = 0; i < r.d; ++i) {
        p = ApresFin(p);
        if (*p) ++p;   // the character after "//"
        p = SauteLignes(p);
        r.reponses[static_cast<size_t>(i)] = p;
    }
    return r;
}

int HauteurLigne() {
    int h = 0;
    if (EcranDC) Texte_Mesurer(EcranDC, "A", 1, nullptr, &h);
    return h > 0 ? h : 14;
}

int LargeurTexte(const char* t) {
    int l = 0;
    if (EcranDC) Texte_Mesurer(EcranDC, t, static_cast<int>(std::strlen(t)), &l, nullptr);
    return l;
}

bool Dans(int x, int y, int largeur, int hauteur) {
    return SourisX >= x && SourisX < x + largeur && SourisY >= y && SourisY < y + hauteur;
}

// A word of the box: drawn white under the mouse; true when clicked.
bool Mot(const char* mot, int x, int y, int h) {
    const int l = LargeurTexte(mot);
    const bool survol = Dans(x, y, l, h);
    Texte__Couleur(survol ? COULEUR_SURVOL : COULEUR_TEXTE);
    if (EcranDC) Texte_Dessiner(EcranDC, x, y, mot, -1);
    Texte__Couleur(COULEUR_TEXTE);
    if (survol && ClicGauche) {
        ClicGauche = 0;
        return true;
    }
    return false;
}

struct Orateur {
    int genre, maitre;
};
constexpr Orateur Orateurs[] = {
    {827, 121}, {850, 340}, {851, 36}, {852, 376}, {853, 374}, {854, 8},   {855, 120}, {856, 41},
    {857, 24},  {858, 125}, {859, 45}, {860, 122}, {861, 202}, {862, 123}, {863, 20},  {864, 267},
    {865, 5},   {866, 30},  {867, 132}, {868, 15}, {869, 124}, {870, 263}, {871, 9},   {872, 10},
    {873, 23},  {874, 34},  {875, 262}, {876, 12}, {924, 17},  {925, 11},  {926, 26},  {927, 33},
    {928, 135},
};

// The box's own loop; the background is what the screen holds when it is called.
int Boite(int genre, const char* texte, bool bataille) {
    const uint32_t debut = Temps_Ticks();
    ToucheEntree = ToucheEchap = 0;
    BoutonGauche = ClicGauche = 0;
    const int32_t survol[3] = {SourisSurvol, SourisSurvolAir, SourisSurvolUnite};
    SourisSurvol = SourisSurvolAir = SourisSurvolUnite = 0;
    PoliceSysteme* policeAvant = EcranDC ? ContexteTexte_ChoisirPolice(EcranDC, Police14) : nullptr;
    const uint32_t couleurAvant = Texte__LitCouleur();
    RequesterOuvert = 1;

    const Decoupage decoupe = Decouper(texte ? texte : "");
    const int d = decoupe.d;
    const int h = HauteurLigne();
    const int cx = (LargeurEcran - 453) / 2 + 229, cy = (HauteurEcran - 314) / 2 + 157;
    const int gauche = cx - 56, haut = cy - 123, largeur = 250, hauteur = 200 - d * 3 * h;

    // Title and voice of the speaker.
    const int maitre = Requester__MaitreOrateur(genre);
    Sprite__Affiche(OBJET_BOITE, cx, cy, 0);
    Sprite__Affiche(static_cast<int16_t>(genre), cx - 130, cy - 18, 0);
    if (maitre >= 0 && maitre < NOMBRE_TYPES_MAITRES) {
        const char* nom = NomsMaitres[static_cast<size_t>(maitre)];
        if (nom != nullptr) {
            char titre[160];
            std::snprintf(titre, sizeof titre, "- %s -", nom);
            Texte__Couleur(COULEUR_TEXTE);
            if (EcranDC) Texte_Dessiner(EcranDC, gauche - 138 + (128 - LargeurTexte(titre)) / 2, cy + 87, titre, -1);
        }
        const int32_t voix = VoixSelection[static_cast<size_t>(maitre)][static_cast<size_t>(Hasard_Visuel() % 4)];
        if (voix > 0) Son__Joue(voix);
    }
    std::vector<uint16_t> fond;
    if (EcranTampon) fond.assign(EcranTampon, EcranTampon + static_cast<size_t>(LargeurEcran) * static_cast<size_t>(HauteurEcran));
    const int largeurFond = LargeurEcran, hauteurFond = HauteurEcran;

    std::vector<int> pages{0};   // the starts of the pages shown so far
    int reponse = -1;
    bool quitter = false;
    int codeQuitter = 0;
    while (reponse < 0) {
        Message m;
        if (Message_Attente(&m)) {
            if (Message_Lire(&m) == 0) {
                quitter = true;
                codeQuitter = static_cast<int>(m.wParam);
                break;
            }
            Message_Traduire(&m);
            Message_Distribuer(&m);
            continue;
        }
        if (EcranTampon && LargeurEcran == largeurFond && HauteurEcran == hauteurFond && !fond.empty())
            std::copy(fond.begin(), fond.end(), EcranTampon);
        const int page = pages.back();
        Texte__Couleur(COULEUR_TEXTE);
        const int suite = Texte__Paragraphe(decoupe.message + page, gauche, haut, gauche + largeur, haut + hauteur, 1);
        const bool dernierePage = suite < 0;
        const int yMots = haut + hauteur;
        bool pageSuivante = false, pagePrecedente = false;
        if (d == 0 && dernierePage) {
            const char* mot = TexteInterface(81);
            if (Mot(mot, gauche + largeur - LargeurTexte(mot), yMots, h)) reponse = 0;
        }
        if (pages.size() > 1 && Mot(TexteInterface(82), gauche, yMots, h)) pagePrecedente = true;
        if (!dernierePage) {
            const char* mot = TexteInterface(83);
            if (Mot(mot, gauche + largeur - LargeurTexte(mot), yMots, h)) pageSuivante = true;
        }
        for (int i = 0; i < d; ++i) {
            const int y = haut + hauteur + 3 * h + 3 * h * i;
            const bool survole = Dans(gauche, y, largeur, 3 * h);
            Texte__Couleur(survole ? COULEUR_SURVOL : COULEUR_TEXTE);
            Texte__Paragraphe(decoupe.reponses[static_cast<size_t>(i)], gauche, y, gauche + largeur, y + 3 * h, 1);
            if (survole && ClicGauche) {
                ClicGauche = 0;
                reponse = i;
            }
        }
        Texte__Couleur(COULEUR_TEXTE);
        ClicGauche = 0;   // a click elsewhere does nothing
        if (d == 0 && (ToucheEntree || ToucheEspace || ToucheEchap)) {
            ToucheEntree = ToucheEspace = ToucheEchap = 0;
            if (dernierePage) reponse = 0;
            else pageSuivante = true;
        }
        if (pageSuivante && !dernierePage) pages.push_back(page + suite);
        else if (pagePrecedente && pages.size() > 1) pages.pop_back();
        Curseur__Ombre(OBJET_CURSEUR, 0);
        Sprite__Affiche(OBJET_CURSEUR, SourisX, SourisY, 0);
        Ecran_Affichage();
        Temps_Dormir(10);
    }

    RequesterOuvert = 0;
    if (policeAvant) ContexteTexte_ChoisirPolice(EcranDC, policeAvant);
    Texte__Couleur(couleurAvant);
    SourisSurvol = survol[0];
    SourisSurvolAir = survol[1];
    SourisSurvolUnite = survol[2];
    Conditions_DecalageTemps(Temps_Ticks() - debut);
    BoutonGauche = ClicGauche = 0;
    if (bataille) Glissement = 0;
    if (quitter) {
        // The quit goes on to the loops outside; no event of the box runs.
        QuitterJeu = 1;
        Message_PosterQuitter(codeQuitter);
        return -1;
    }
    return reponse;
}

// The words of an events part, with numbers read one at a time.
class Mots {
  public:
    explicit Mots(const std::string& texte) : texte_(texte) {}
    bool Suivant(std::string* mot) {
        while (i_ < texte_.size() && std::isspace(static_cast<unsigned char>(texte_[i_]))) ++i_;
        if (i_ >= texte_.size()) return false;
        const size_t debut = i_;
        while (i_ < texte_.size() && !std::isspace(static_cast<unsigned char>(texte_[i_]))) ++i_;
        *mot = texte_.substr(debut, i_ - debut);
        return true;
    }
    bool Nombre(int32_t* n) {
        std::string mot;
        if (!Suivant(&mot)) return false;
        char* fin = nullptr;
        const long v = std::strtol(mot.c_str(), &fin, 10);
        if (fin == mot.c_str() || *fin != 0) return false;
        *n = static_cast<int32_t>(std::clamp<long>(v, INT32_MIN, INT32_MAX));
        return true;
    }

  private:
    const std::string& texte_;
    size_t i_ = 0;
};

char* Copie(const std::string& texte) {
    char* c = new char[texte.size() + 1];
    std::memcpy(c, texte.c_str(), texte.size() + 1);
    return c;
}

// One event's keyword and values; false at the end of the text or a missing value.
bool LireEvennement(Mots& mots, const std::string& mot, Evennement* e, bool* connu) {
    *e = Evennement{-1, nullptr, -1, {-1, -1, -1}};
    *connu = true;
    static const char* const Gains[] = {"GAIN_DRALMOG", "GAIN_BELVOR", "GAIN_SUCCUBE", "GAIN_GALVARRE",
                                        "GAIN_SORNET", "GAIN_QUIVETH", "GAIN_BARON", "GAIN_EMPEREUR"};
    for (int i = 0; i < 8; ++i)
        if (mot == Gains[i]) {
            e->genre = EV_GAIN_DRALMOG + i;
            return true;
        }
    std::string nom;
    if (mot == "REQUESTER" || mot == "IMAGE") {
        if (!mots.Suivant(&nom)) return false;
        if (mot == "REQUESTER" && !mots.Nombre(&e->valeur)) return false;
        e->genre = mot == "IMAGE" ? EV_IMAGE : EV_REQUESTER;
        e->fichier = Copie(nom);
        return true;
    }
    const struct {
        const char* mot;
        int32_t genre;
    } Valeurs[] = {{"GAINS_OR", EV_GAINS_OR}, {"ALLIANCE", EV_ALLIANCE}, {"DEFECTION", EV_DEFECTION}, {"PERTES_OR", EV_PERTES_OR}};
    for (const auto& v : Valeurs)
        if (mot == v.mot) {
            if (!mots.Nombre(&e->valeur)) return false;
            e->genre = v.genre;
            return true;
        }
    if (mot == "GAINS_UNITES") {
        int32_t code = 0, copies = 0, niveau = 0;
        if (!mots.Nombre(&code) || !mots.Nombre(&copies) || !mots.Nombre(&niveau)) return false;
        e->genre = EV_GAINS_UNITES;
        e->nombres[0] = copies;
        e->nombres[1] = code;
        e->nombres[2] = niveau;
        return true;
    }
    *connu = false;
    return true;
}

// A copy of one event, safe once the table is emptied.
struct EvennementCopie {
    int32_t genre, valeur;
    std::string fichier;
    int32_t nombres[3];
};

std::vector<EvennementCopie> CopieGroupe(int groupe) {
    std::vector<EvennementCopie> v;
    if (groupe < 0 || groupe >= GROUPES_EVENNEMENTS) return v;
    for (const Evennement& e : TableEvennements[static_cast<size_t>(groupe)]) {
        if (e.genre == -1) continue;
        v.push_back({e.genre, e.valeur, e.fichier ? e.fichier : "", {e.nombres[0], e.nombres[1], e.nombres[2]}});
    }
    return v;
}

bool ArmeeIA(int a) { return a >= 1 && a <= 4; }

}  // namespace

int Requester__MaitreOrateur(int genre) {
    for (const Orateur& o : Orateurs)
        if (o.genre == genre) return o.maitre;
    return -1;
}

int Requester__Affichage(int genre, const char* texte) { return Boite(genre, texte, false); }

int Requester__AffichageBataille(int genre, const char* texte) {
    Entrees_RAZ();
    const int32_t tremblement = TremblementAmplitude, fondu = FonduNiveau;
    TremblementAmplitude = 0;
    FonduNiveau = 0;
    PlanObjet__RazAffiche();
    Scene__Affichage();
    const int r = Boite(genre, texte, true);
    TremblementAmplitude = tremblement;
    FonduNiveau = fondu;
    return r;
}

bool RequesterFichier__Lecture(const char* fichier, std::string* texte) {
    texte->clear();
    if (fichier == nullptr || !Fichier_LireTout(fichier, texte)) {
        Erreur_Question(OU_REQUESTER, "Le fichier %s n'existe pas", fichier ? fichier : "");
        return false;
    }
    // Read as text: line ends are single line feeds.
    texte->erase(std::remove(texte->begin(), texte->end(), '\r'), texte->end());
    // The text ends at its first NUL as a C string would.
    texte->resize(std::strlen(texte->c_str()));
    return true;
}

void RequesterFichier(int genre, const char* fichier) {
    std::string texte;
    if (!RequesterFichier__Lecture(fichier, &texte)) return;
    const int reponse = Requester__AffichageBataille(genre, texte.c_str());
    if (reponse < 0) return;
    InitEvennements(fichier);
    RequesterFichier__Evenements(reponse);
}

void RequesterFichierSimple(int genre, const char* fichier) {
    std::string texte;
    if (!RequesterFichier__Lecture(fichier, &texte)) return;
    const int reponse = Requester__Affichage(genre, texte.c_str());
    if (reponse < 0) return;
    InitEvennements(fichier);
    RequesterFichier__Evenements(reponse);
}

int RequesterFichierMission(int genre, const char* fichier) {
    std::string texte;
    if (!RequesterFichier__Lecture(fichier, &texte)) return -1;
    const int reponse = Requester__Affichage(genre, texte.c_str());
    if (reponse < 0) return -1;
    InitEvennements(fichier);
    RequesterFichier__EvenementsMission(reponse);
    return reponse;
}

void Evenements__Liberation() {
    for (auto& groupe : TableEvennements)
        for (Evennement& e : groupe) {
            delete[] e.fichier;
            e = Evennement{-1, nullptr, -1, {-1, -1, -1}};
        }
}

void InitEvennements(const char* fichier) {
    Evenements__Liberation();
    std::string texte;
    if (fichier == nullptr || !Fichier_LireTout(fichier, &texte)) return;
    Mots mots(texte);
    std::string mot;
    do {
        if (!mots.Suivant(&mot)) return;   // no events part
    } while (mot != "[EVENEMENTS]");
    int32_t total = 0;
    if (!mots.Nombre(&total)) return;
    int groupe = 0, place = 0, lus = 0;
    bool tropSignale = false;
    while (lus < total) {
        if (!mots.Suivant(&mot)) {
            Erreur_Question(OU_EVENNEMENTS, "erreur1");
            return;
        }
        if (mot == "//") {
            ++groupe;
            place = 0;
            tropSignale = false;
            if (groupe >= GROUPES_EVENNEMENTS) {
                Erreur_Question(OU_EVENNEMENTS, "trop de groupe  d'ev %s", fichier);
                return;
            }
            continue;
        }
        Evennement e;
        bool connu = true;
        if (!LireEvennement(mots, mot, &e, &connu)) {
            delete[] e.fichier;
            Erreur_Question(OU_EVENNEMENTS, "erreur1");
            return;
        }
        if (!connu) continue;   // any other word is ignored
        ++lus;
        if (place >= EVENNEMENTS_PAR_GROUPE) {
            // The extra events are skipped; the table holds ten per group.
            if (!tropSignale) Erreur_Question(OU_EVENNEMENTS, "trop d'ev dans un groupe");
            tropSignale = true;
            delete[] e.fichier;
            continue;
        }
        TableEvennements[static_cast<size_t>(groupe)][static_cast<size_t>(place++)] = e;
    }
}

void RequesterFichier__Evenements(int groupe) {
    const std::vector<EvennementCopie> evenements = CopieGroupe(groupe);
    Evenements__Liberation();
    for (const EvennementCopie& e : evenements) {
        switch (e.genre) {
            case EV_REQUESTER:
                // The chained file's answer runs its own group; the rest of this one does not.
                RequesterFichier(e.valeur, e.fichier.c_str());
                return;
            case EV_GAINS_OR:
                OrJoueur += e.valeur;
                Son__Joue(2019);
                break;
            case EV_PERTES_OR:
                OrJoueur -= e.valeur;
                Son__Joue(2019);
                break;
            case EV_ALLIANCE:
                if (!ArmeeIA(e.valeur)) break;
                Joueur_Alliance(e.valeur);
                AlliancesEnAttente[static_cast<size_t>(e.valeur)] = 1;
                Unites_Comptage();
                break;
            case EV_DEFECTION:
                if (!ArmeeIA(e.valeur)) break;
                Joueur_Defection(e.valeur);
                DefectionsEnAttente[static_cast<size_t>(e.valeur)] = 1;
                Unites_Comptage();
                break;
            case EV_GAINS_UNITES: Renforts_Demande(e.nombres[1], e.nombres[0], e.nombres[2]); break;
            case EV_IMAGE: Image__AffichageFondu(e.fichier.c_str(), 500); break;
            default:
                if (e.genre >= EV_GAIN_DRALMOG && e.genre <= EV_GAIN_EMPEREUR) {
                    static constexpr int32_t Maitres[] = {120, 121, 376, 122, 123, 124, 125, 374};
                    Chef& chef = TableChefs[static_cast<size_t>(e.genre - 4)];
                    chef.present = 1;
                    chef.maitre = Maitres[e.genre - EV_GAIN_DRALMOG];
                }
                break;
        }
    }
}

void RequesterFichier__EvenementsMission(int groupe) {
    const std::vector<EvennementCopie> evenements = CopieGroupe(groupe);
    Evenements__Liberation();
    if (groupe == 0 && NbMissionsSpeciales > 0)
        MissionSpecialeChoisie = (MissionSpecialeChoisie + 1) % NbMissionsSpeciales;
    for (const EvennementCopie& e : evenements)
        if (e.genre == EV_REQUESTER) RequesterFichierMission(e.valeur, e.fichier.c_str());
}
