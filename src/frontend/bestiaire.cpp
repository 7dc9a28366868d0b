#include "frontend/bestiaire.h"

#include <cctype>
#include <cstring>
#include <string>

#include "campaign/gestion_armee.h"
#include "campaign/victoire_region.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/erreurs.h"
#include "foundation/objetsgfx.h"
#include "foundation/texte.h"
#include "frontend/localisation.h"
#include "platform/fichiers.h"
#include "platform/plateforme.h"
#include "platform/temps.h"
#include "scene/panneau.h"
#include "shell/curseur.h"
#include "world/jetons.h"
#include "world/maitres.h"
#include "world/objets.h"

const char* const BestiaireCamps[BESTIAIRE_ONGLETS] = {"Empire",      "Justice", "Lumiere", "Morvane", "Nains",
                                                       "Elfes",       "Mort_vivant", "Demons", "Neutres", "Orv"};

std::vector<EntreeBestiaire> TableBestiaire;
int32_t NbEntreesBestiaire = 0;
int32_t BestiaireEntreeCourante = 0;
int32_t BestiaireOnglet = 0;
int32_t BestiaireFond = 682;
int32_t BestiaireDecalageOnglet = 0;
int32_t BestiaireDefilement = 0;
int32_t BestiaireHauteurPage = 0;

int32_t BestiaireClipSauve[4] = {};
int32_t BestiaireClipSauvegarde = 0;

namespace {

constexpr int FOND_PREMIER = 682;
constexpr int OBJET_ONGLETS = 655;
constexpr int OBJET_PROGRESSION = 694;
constexpr int OBJET_QUITTER = 1366;
constexpr int OBJET_FLECHES = 643;
constexpr int OBJET_POINTEUR = 19;
constexpr uint32_t COULEUR_MENU = 0x91A5AA;
constexpr uint32_t COULEUR_TITRE = 0xFFFFFF;
constexpr uint32_t COULEUR_VALEUR = 0xBEDDE4;
constexpr int PAGE_X = 326, VALEUR_X = 336, PAGE_BAS = 450;
constexpr const char* BESTIAIRE = "..\\ini\\Bestiaire.txt";
constexpr const char* BESTIAIRE_INIT = "..\\ini\\Bestiaire_Init.txt";

// A word of at most 127 characters (longer ones are cut); false at the end of the file.
bool Mot(FILE* f, char (&mot)[128]) {
    int c;
    do c = std::fgetc(f);
    while (c != EOF && std::isspace(c));
    size_t n = 0;
    while (c != EOF && !std::isspace(c)) {
        if (n + 1 < sizeof mot) mot[n++] = static_cast<char>(c);
        c = std::fgetc(f);
    }
    mot[n] = 0;
    // The blank that ended the word goes back: a line end tells where the line stops.
    if (c != EOF) std::ungetc(c, f);
    return n > 0;
}

void SauterLigne(FILE* f) {
    int c;
    do c = std::fgetc(f);
    while (c != EOF && c != '\n');
}

// The text of a quoted word: after its opening quote, up to the next quote.
void Guillemets(const char* mot, char* sortie, size_t taille) {
    const char* p = mot[0] == '"' ? mot + 1 : mot;
    size_t n = 0;
    while (p[n] && p[n] != '"' && n + 1 < taille) {
        sortie[n] = p[n];
        ++n;
    }
    sortie[n] = 0;
}

template <size_t N>
void Copier(char (&champ)[N], const char* texte) {
    std::snprintf(champ, N, "%s", texte);
}

// A master keyword: the region's keyword table, then the master list's own names.
int32_t MaitreDuMotCle(const char* motCle) {
    int32_t n = RegionDonneMaitre__Chercher(motCle);
    if (n >= 0) return n;
    std::string nom = motCle;
    for (char& c : nom)
        if (c == '_') c = ' ';
    for (int32_t i = 0; i < NombreMaitres && i < NOMBRE_TYPES_MAITRES; ++i)
        if (NomsMaitres[static_cast<size_t>(i)] && nom == NomsMaitres[static_cast<size_t>(i)]) return i;
    return RegionDonneMaitre(motCle);
}

// Reads words until one equals the key, skipping the rest of the line after each other word.
bool Chercher(FILE* f, const char* cle) {
    char mot[128];
    while (Mot(f, mot)) {
        if (std::strcmp(mot, cle) == 0) return true;
        SauterLigne(f);
    }
    return false;
}

template <size_t N>
void LitChaine(FILE* f, const char* cle, char (&champ)[N]) {
    char mot[128];
    if (Chercher(f, cle) && Mot(f, mot)) Copier(champ, mot);
}

void LitEntier(FILE* f, const char* cle, int32_t* valeur) {
    char mot[128];
    if (!Chercher(f, cle) || !Mot(f, mot)) return;
    *valeur = std::strcmp(mot, "-") == 0 ? -1 : static_cast<int32_t>(std::strtol(mot, nullptr, 10));
}

// After the one character that follows the key, the rest of the line (cut to the field).
template <size_t N>
void LitTexte(FILE* f, const char* cle, char (&champ)[N]) {
    if (!Chercher(f, cle)) return;
    int c = std::fgetc(f);
    size_t n = 0;
    if (c != '\n' && c != EOF) {
        while ((c = std::fgetc(f)) != EOF && c != '\n')
            if (n + 1 < N) champ[n++] = static_cast<char>(c);
    }
    while (n > 0 && champ[n - 1] == '\r') --n;
    champ[n] = 0;
}

// A frame number from the time since an origin at `cadence` frames a second, wrapped at `periode`.
int32_t Minuterie(uint32_t origine, int32_t cadence, int32_t periode) {
    const uint64_t ecoule = static_cast<uint32_t>(Temps_Ticks() - origine);
    return static_cast<int32_t>((ecoule * static_cast<uint64_t>(cadence) / 1000u) % static_cast<uint64_t>(periode));
}

uint32_t MinuterieImages = 0;       // the tabs
uint32_t MinuterieImagesPage = 0;   // the unit's picture
uint64_t ChronoImage = 0;           // the performance counter at the last frame
uint64_t DureesImages[8] = {};
int32_t IndiceDuree = 0;

void Ligne(int x, int32_t y, uint32_t couleur, const char* texte) {
    if (y < 1 || y >= PAGE_BAS) return;
    Texte__Couleur(couleur);
    Texte__Affiche(x, y, "%s", texte);
}

// The text wrapped between x 326 and 640 at 8 pixels a character, 16 pixels a line.
void AfficheTexte(int32_t* y, const char* texte) {
    constexpr size_t PAR_LIGNE = (640 - PAGE_X) / 8 - 1;
    const char* p = texte;
    for (;;) {
        while (*p == ' ' || *p == '\t') ++p;
        if (*p == 0) break;
        size_t n = std::strlen(p);
        if (n > PAR_LIGNE) {
            n = PAR_LIGNE;
            for (size_t k = PAR_LIGNE; k > 0; --k)
                if (p[k] == ' ') {
                    n = k;
                    break;
                }
        }
        Ligne(PAGE_X, *y, COULEUR_VALEUR, std::string(p, n).c_str());
        *y += 16;
        p += n;
    }
}

EntreeBestiaire& Courante() { return TableBestiaire[static_cast<size_t>(BestiaireEntreeCourante)]; }

bool EntreeValide(int32_t i) { return i >= 0 && i < NbEntreesBestiaire; }

bool MemeCamp(int32_t a, int32_t b) {
    return EntreeValide(a) && EntreeValide(b) &&
           std::strcmp(TableBestiaire[static_cast<size_t>(a)].camp, TableBestiaire[static_cast<size_t>(b)].camp) == 0;
}

// The unit's picture at (250, 420): its walking animation in its team colour, by family.
void AffichageImage(const EntreeBestiaire& e) {
    const int32_t m = e.maitre;
    if (m < 0 || m >= NOMBRE_TYPES_MAITRES) return;
    const int objet = ObjetGfx_ANIM__DPL[static_cast<size_t>(m)];
    if (objet < 0 || objet >= NbObjetsGfx) return;
    Objet* const avant = ObjetCourant;
    ObjetCourant = &TableMaitres[static_cast<size_t>(m)];
    const int famille = ObjetCourant->famille;
    ObjetGfx_CouleurJoueur(objet, m);
    int32_t image = Minuterie(MinuterieImagesPage, 12, 12) + 60;
    if (famille == 5) {
        if (m >= 139 && m <= 141) image = Minuterie(MinuterieImagesPage, 12, 6) + 60;
        if (m == 142) image = 0;
        Sprite__Affiche(objet, 250, 420, image);
    } else if (famille == 6 || famille == 21) {
        Sprite__AfficheOmbre(static_cast<int16_t>(objet), 326, 488, static_cast<int16_t>(image));
        Sprite__Affiche(objet, 250, 420, image);
        if (m == 374) Sprite__Affiche(736, 250, 420, image);
        if (m == 133) Sprite__AfficheEclaire(919, 250, 420, static_cast<int16_t>(image), 28, 0, 0);
    } else {
        if (m == 136 || m == 137) Sprite__AfficheTrs(objet, 250, 420, image, m == 136 ? 20 : 23);
        else Sprite__Affiche(objet, 250, 420, image);
        static const struct {
            int32_t maitre, r, g, b;
        } AURAS[] = {{7, 18, 23, 7}, {14, 31, 0, 0}, {22, 8, 17, 25}, {29, 31, 31, 31}};
        for (const auto& a : AURAS)
            if (m == a.maitre) Sprite__AfficheEclaire(888, 250, 420, static_cast<int16_t>(image), a.r, a.g, a.b);
        if (m == 109) Sprite__AfficheOmbre(static_cast<int16_t>(objet), 288, 454, static_cast<int16_t>(image));
        if (m == 47) Sprite__Affiche(objet + 1, 250, 420, image);
        if (m == 16) Sprite__Affiche(315, 250, 420, image);
    }
    ObjetCourant = avant;
}

bool Dans(int x0, int x1, int y0, int y1) { return SourisX >= x0 && SourisX < x1 && SourisY >= y0 && SourisY < y1; }

void AffichageOnglets() {
    Sprite__Affiche(BestiaireFond, 0, 0, 0);
    const int32_t image = Minuterie(MinuterieImages, 12, 13);
    for (int i = 0; i < BESTIAIRE_ONGLETS; ++i) Sprite__Affiche(OBJET_ONGLETS, -40, 7 + 47 * i, 13 * i + image);
    Sprite__Affiche(OBJET_ONGLETS, BestiaireDecalageOnglet - 40, 7 + 47 * BestiaireOnglet, 13 * BestiaireOnglet + image);
    if (BestiaireDecalageOnglet < 20) BestiaireDecalageOnglet += 3;
    if (EntreeValide(BestiaireEntreeCourante)) {
        const int32_t m = Courante().maitre;
        if (m >= 0 && m < NOMBRE_TYPES_MAITRES) {
            Objet* const avant = ObjetCourant;
            ObjetCourant = &TableMaitres[static_cast<size_t>(m)];
            FicheUnite__Affichage(242, 12);
            ObjetCourant = avant;
        }
    }
}

void Prechargement() {
    for (int i = 0; i < BESTIAIRE_ONGLETS; ++i) {
        Sprite__Affiche(FOND_PREMIER + i, 0, 0, 0);
        Sprite__Affiche(OBJET_PROGRESSION, 325, 420, i);
        TailleTexte t;
        Texte__Taille(TexteInterface(21), &t);
        Texte__Couleur(COULEUR_MENU);
        Texte__Affiche(319 - t.largeur / 2, 380, "%s", TexteInterface(21));
        Ecran_Affichage();
    }
}

}  // namespace

void BestiaireSauverClip() {
    BestiaireClipSauve[0] = EcranDestination.clipHaut;
    BestiaireClipSauve[1] = EcranDestination.clipBas;
    BestiaireClipSauve[2] = EcranDestination.clipGauche;
    BestiaireClipSauve[3] = EcranDestination.clipDroite;
    BestiaireClipSauvegarde = 1;
}

void BestiaireLectureFichierBestiaire(FILE* f, std::vector<EntreeBestiaire>* entrees) {
    static const char* const OU = "BestiaireLectureFichierBestiaire()";
    char mot[128];
    if (!Mot(f, mot) || std::strcmp(mot, "\"Unités\"") != 0) Erreur_Fatale(OU, "Format non respecté \"Unités\"");
    if (!Mot(f, mot) || std::strcmp(mot, "{") != 0) Erreur_Fatale(OU, "Format non respecté {");
    while (Mot(f, mot) && std::strcmp(mot, "}") != 0) {
        if (mot[0] != '"') continue;
        char camp[128];
        Guillemets(mot, camp, sizeof camp);
        if (!Mot(f, mot) || std::strcmp(mot, "{") != 0) Erreur_Fatale("BestiaireChargementCamp()", "Format non respecté {");
        while (Mot(f, mot) && std::strcmp(mot, "}") != 0) {
            EntreeBestiaire e{};
            Copier(e.camp, camp);
            Guillemets(mot, e.fichier, sizeof e.fichier);
            char cle[128];
            if (!Mot(f, mot)) break;
            Guillemets(mot, cle, sizeof cle);
            e.maitre = MaitreDuMotCle(cle);
            entrees->push_back(e);
        }
    }
}

void BestiaireLectureFichierPageVisible(FILE* f, std::vector<EntreeBestiaire>* entrees) {
    for (EntreeBestiaire& e : *entrees) {
        char mot[128];
        if (!Mot(f, mot)) return;
        if (std::strcmp(mot, e.fichier) != 0) Erreur_Fatale("BestiaireLectureFichierPageVisible()", "%s non trouvé", e.fichier);
        int v = 0;
        if (std::fscanf(f, "%d", &v) != 1) return;
        e.visible = v;
    }
}

void BestiaireLectureDescription(FILE* f, EntreeBestiaire* e) {
    e->nom[0] = e->moral[0] = e->description[0] = e->armes[0] = 0;
    e->energie = e->energieParNiveau = e->force = e->forceParNiveau = e->pa = -1;
    for (char* t : {e->dplPlaine, e->dplForet, e->dplMontagne, e->dplRiviere, e->attaque, e->rompre, e->embuscade,
                    e->marcheForcee, e->fortification})
        t[0] = 0;
    for (char* t : {e->speciale1, e->speciale2, e->speciale3}) std::strcpy(t, "-");
    LitChaine(f, "NOM", e->nom);
    LitChaine(f, "MORAL", e->moral);
    LitEntier(f, "ENERGIE", &e->energie);
    LitEntier(f, "FORCE", &e->force);
    LitEntier(f, "ENERGIE_PAR_NIV", &e->energieParNiveau);
    LitEntier(f, "FORCE_PAR_NIV", &e->forceParNiveau);
    LitTexte(f, "DESCRIPTION", e->description);
    LitTexte(f, "ARMES", e->armes);
    LitEntier(f, "PA", &e->pa);
    LitTexte(f, "DPL_PLAINE", e->dplPlaine);
    LitTexte(f, "DPL_FORET", e->dplForet);
    LitTexte(f, "DPL_MONTAGNE", e->dplMontagne);
    LitTexte(f, "DPL_RIVIERE", e->dplRiviere);
    LitTexte(f, "ATTAQUE", e->attaque);
    LitTexte(f, "ROMPRE", e->rompre);
    LitTexte(f, "EMBUSCADE", e->embuscade);
    LitTexte(f, "MARCHE_FORCEE", e->marcheForcee);
    LitTexte(f, "FORTIFICATION", e->fortification);
    LitTexte(f, "SPECIALE1", e->speciale1);
    LitTexte(f, "SPECIALE2", e->speciale2);
    LitTexte(f, "SPECIALE3", e->speciale3);
    e->chargee = 1;
}

void BestiaireInitialisation() {
    BestiaireSauverClip();
    EcranDestination.clipHaut = 0;
    EcranDestination.clipBas = 480;
    EcranDestination.clipGauche = 0;
    EcranDestination.clipDroite = 640;
    if (EcranTampon) std::memset(EcranTampon, 0, static_cast<size_t>(LargeurEcran) * HauteurEcran * 2);
    std::vector<EntreeBestiaire>().swap(TableBestiaire);
    {
        FILE* f = Fichier_Ouvrir(BESTIAIRE, "rt");
        if (f == nullptr) Erreur_Fatale("BestiaireLectureFichierBestiaire()", "Fichier Bestiaire.txt non trouvé");
        FermetureFlux fermeture{f};
        BestiaireLectureFichierBestiaire(f, &TableBestiaire);
    }
    NbEntreesBestiaire = static_cast<int32_t>(TableBestiaire.size());
    if (FILE* v = Fichier_Ouvrir(BESTIAIRE_INIT, "rt")) {
        FermetureFlux fermeture{v};
        BestiaireLectureFichierPageVisible(v, &TableBestiaire);
    }
    BestiaireEntreeCourante = NbEntreesBestiaire > 0 ? 0 : -1;
    BestiaireDefilement = 0;
    BestiaireHauteurPage = 0;
    BestiaireFond = FOND_PREMIER;
}

void BestiaireChargementPageCourante() {
    if (!EntreeValide(BestiaireEntreeCourante)) return;
    EntreeBestiaire& e = Courante();
    if (e.chargee) return;
    char chemin[160];
    std::snprintf(chemin, sizeof chemin, "..\\Maitres\\%s.txt", e.fichier);
    FILE* f = Fichier_Ouvrir(chemin, "rt");
    if (f == nullptr) Erreur_Fatale("BestiaireChargementPageCourante()", "Fichier non trouvé : %s", chemin);
    FermetureFlux fermeture{f};
    BestiaireLectureDescription(f, &e);
}

void BestiaireLiberer() {
    std::vector<EntreeBestiaire>().swap(TableBestiaire);
    NbEntreesBestiaire = 0;
    // The next drawing of each object loads its sprite again.
    ObjetsGfx_LiberationSprites();
    if (BestiaireClipSauvegarde) {
        EcranDestination.clipHaut = BestiaireClipSauve[0];
        EcranDestination.clipBas = BestiaireClipSauve[1];
        EcranDestination.clipGauche = BestiaireClipSauve[2];
        EcranDestination.clipDroite = BestiaireClipSauve[3];
        BestiaireClipSauvegarde = 0;
    }
}

void BestiaireRendreVisible(int32_t maitre, int32_t visible) {
    for (EntreeBestiaire& e : TableBestiaire)
        if (e.maitre == maitre) e.visible = visible;
}

void BestiaireSauverPageVisible() {
    // Written beside, then put in place: a failed write leaves the old file whole.
    const std::string chemin = Chemin_Resoudre(BESTIAIRE_INIT);
    const std::string temporaire = chemin + ".tmp";
    FILE* f = std::fopen(temporaire.c_str(), "wb");
    if (f == nullptr) return;
    bool ok = true;
    for (const EntreeBestiaire& e : TableBestiaire) ok &= std::fprintf(f, "%s\t\t%d\n", e.fichier, e.visible) > 0;
    ok &= std::fclose(f) == 0;
    if (!ok || std::rename(temporaire.c_str(), chemin.c_str()) != 0) std::remove(temporaire.c_str());
}

void BestiaireListeDebug() {
    int32_t y = 16;
    for (const EntreeBestiaire& e : TableBestiaire) {
        Texte__Affiche(0, y, "%s : %s %d", e.camp, e.fichier, e.maitre);
        y += 16;
    }
}

void BestiaireSelectionCamp(const char* camp) {
    int32_t trouvee = NbEntreesBestiaire - 1;
    for (int32_t i = 0; i < NbEntreesBestiaire; ++i)
        if (camp && std::strcmp(TableBestiaire[static_cast<size_t>(i)].camp, camp) == 0) {
            trouvee = i;
            break;
        }
    BestiaireEntreeCourante = trouvee;
    BestiaireDefilement = 0;
}

void BestiaireOngletParNumero(int32_t onglet) {
    if (onglet < 0) onglet = 0;
    if (onglet > BESTIAIRE_ONGLETS - 1) onglet = BESTIAIRE_ONGLETS - 1;
    BestiaireOnglet = onglet;
    BestiaireFond = FOND_PREMIER + onglet;
    BestiaireDecalageOnglet = 0;
    BestiaireSelectionCamp(BestiaireCamps[onglet]);
}

bool BestiairePremiereDuCamp() { return !MemeCamp(BestiaireEntreeCourante - 1, BestiaireEntreeCourante); }
bool BestiaireDerniereDuCamp() { return !MemeCamp(BestiaireEntreeCourante + 1, BestiaireEntreeCourante); }

void BestiaireEntreeSuivante() {
    if (!BestiaireDerniereDuCamp()) ++BestiaireEntreeCourante;
    BestiaireDefilement = 0;
}

void BestiaireEntreePrecedente() {
    if (!BestiairePremiereDuCamp()) --BestiaireEntreeCourante;
    BestiaireDefilement = 0;
}

void BestiaireAffichagePage() {
    if (!EntreeValide(BestiaireEntreeCourante)) return;
    BestiaireChargementPageCourante();
    const EntreeBestiaire& e = Courante();
    char ligne[1024];
    int32_t y = 10 - BestiaireDefilement;
    // The small fonts, whatever the screen before left chosen: the title bold, the rest plain.
    const int policeAvant = Texte__LitFonte();
    Texte__ChoixFonte(1);

    std::string nom = e.nom;
    for (char& c : nom)
        if (c == '_') c = ' ';
    std::snprintf(ligne, sizeof ligne, "- %s -", nom.c_str());
    TailleTexte t;
    Texte__Taille(ligne, &t);
    Ligne(PAGE_X + (640 - PAGE_X - t.largeur) / 2, y, COULEUR_TITRE, ligne);
    Texte__ChoixFonte(0);

    const auto valeur = [&](const char* format, auto... arguments) {
        std::snprintf(ligne, sizeof ligne, format, arguments...);
        Ligne(VALEUR_X, y, COULEUR_VALEUR, ligne);
        y += 16;
    };
    if (e.visible == 1) {
        y += 32;
        AfficheTexte(&y, e.description);
        y += 32;
        Ligne(PAGE_X, y, COULEUR_TITRE, TexteInterface(22));
        y += 16;
        valeur("%s%s", TexteInterface(23), BestiaireOnglet == 6 ? TexteInterface(114) : e.moral);
        if (e.energieParNiveau != 0) valeur("%s %d / %d", TexteInterface(24), e.energie, e.energieParNiveau);
        else valeur("%s %d", TexteInterface(24), e.energie);
        if (e.forceParNiveau != 0) valeur("%s %d / %d", TexteInterface(25), e.force, e.forceParNiveau);
        else valeur("%s %d", TexteInterface(25), e.force);
        valeur("%s %s", TexteInterface(26), e.armes);
        y += 32;
        const char* const speciales[3] = {e.speciale1, e.speciale2, e.speciale3};
        for (int i = 0; i < 3; ++i)
            if (std::strcmp(speciales[i], "-") != 0) valeur("%s %s", TexteInterface(27 + i), speciales[i]);
        y += 32;
        if (e.pa != -1) {
            Ligne(PAGE_X, y, COULEUR_TITRE, TexteInterface(30));
            y += 16;
            valeur("%s %d", TexteInterface(31), e.pa);
            const struct {
                int ligne;
                const char* texte;
            } ordres[] = {{32, e.dplPlaine}, {33, e.dplForet}, {34, e.dplMontagne}, {35, e.dplRiviere},
                          {36, e.attaque},   {38, e.embuscade}, {39, e.marcheForcee}};
            for (const auto& o : ordres) valeur("%s %s", TexteInterface(o.ligne), o.texte);
        }
    }
    Texte__ChoixFonte(policeAvant);
    y += 32;
    AffichageImage(e);
    BestiaireHauteurPage = y + BestiaireDefilement;
    if (BestiaireHauteurPage < PAGE_BAS) BestiaireHauteurPage = 0;
}

bool BestiaireAEntrees() { return NbEntreesBestiaire > 0; }

void BestiaireOuverture() {
    BestiaireOnglet = 0;
    BestiaireDecalageOnglet = 0;
    Texte__Couleur(COULEUR_MENU);
    BestiaireInitialisation();
    if (!BestiaireAEntrees()) return;
    Prechargement();
    MinuterieImages = MinuterieImagesPage = Temps_Ticks();
    ChronoImage = Temps_Compteur();
}

int BestiaireTour() {
    // The frame rate over the last 8 frames.
    const uint64_t maintenant = Temps_Compteur();
    DureesImages[IndiceDuree] = maintenant - ChronoImage;
    IndiceDuree = (IndiceDuree + 1) % 8;
    ChronoImage = maintenant;

    if (EcranModal__Message(nullptr) < 0) return 1;
    AffichageOnglets();
    BestiaireAffichagePage();

    // The buttons along the bottom.
    const bool bas = SourisY >= 450 && SourisY < 480;
    const bool surQuitter = bas && SourisX >= 288 && SourisX < 320;
    const bool surPrecedent = bas && SourisX >= 220 && SourisX < 275;
    const bool surSuivant = bas && SourisX >= 330 && SourisX < 395;
    Sprite__Affiche(OBJET_QUITTER, 288, 450, surQuitter ? 1 : 0);
    if (!BestiairePremiereDuCamp()) {
        if (surPrecedent) Sprite__Affiche(OBJET_FLECHES, 220, 450, 6);
        else Sprite__AfficheTrs50(OBJET_FLECHES, 220, 450, 6);
    }
    if (!BestiaireDerniereDuCamp()) {
        if (surSuivant) Sprite__Affiche(OBJET_FLECHES, 330, 450, 2);
        else Sprite__AfficheTrs50(OBJET_FLECHES, 330, 450, 2);
    }
    int sortie = 0;
    if (ClicGauche) {
        if (surQuitter) sortie = 1;
        else if (surPrecedent) BestiaireEntreePrecedente();
        else if (surSuivant) BestiaireEntreeSuivante();
    }

    Sprite__Affiche(OBJET_POINTEUR, SourisX, SourisY, 0);
    Curseur__Ombre(OBJET_POINTEUR, 0);
    Ecran_Affichage();

    if (ToucheEchap) {
        ToucheEchap = 0;
        sortie = 1;
    }
    if (ToucheDroite) {
        ToucheDroite = 0;
        BestiaireEntreeSuivante();
    }
    if (ToucheGauche) {
        ToucheGauche = 0;
        BestiaireEntreePrecedente();
    }
    if (ToucheHaut) {
        ToucheHaut = 0;
        BestiaireOngletParNumero(BestiaireOnglet == 0 ? BESTIAIRE_ONGLETS - 1 : BestiaireOnglet - 1);
    }
    if (ToucheBas) {
        ToucheBas = 0;
        BestiaireOngletParNumero(BestiaireOnglet == BESTIAIRE_ONGLETS - 1 ? 0 : BestiaireOnglet + 1);
    }
    if (ClicGauche) {
        for (int i = 0; i < BESTIAIRE_ONGLETS; ++i)
            if (Dans(0, 50, 7 + 47 * i, 47 + 47 * i)) BestiaireOngletParNumero(i);
        ClicGauche = 0;
    }
    if (Dans(311, 640, 0, 20) && BestiaireDefilement >= 1) BestiaireDefilement -= 5;
    if (Dans(311, 640, 420, 450) && BestiaireDefilement < BestiaireHauteurPage - 450) BestiaireDefilement += 5;
    if (BestiaireDefilement < 0) BestiaireDefilement = 0;
    return sortie;
}

void BestiaireFermeture() {
    BestiaireLiberer();
    Texte__Couleur(COULEUR_MENU);
}

void BestiaireEcran() {
    BestiaireOuverture();
    if (BestiaireAEntrees()) {
        // About 25 frames a second.
        while (BestiaireTour() == 0) Temps_Dormir(40);
    }
    BestiaireFermeture();
}
