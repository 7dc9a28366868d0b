#include "frontend/localisation.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "foundation/erreurs.h"
#include "platform/fichiers.h"

char TextesInterface[NB_TEXTES_INTERFACE + 1][TAILLE_TEXTE_INTERFACE];

// clang-format off
const unsigned char TaillesTextesInterface[NB_TEXTES_INTERFACE + 1] = {
    0,
    16, 16, 128, 128, 128, 128, 128, 32, 128, 32,            // 1-10
    32, 32, 32, 64, 64, 32, 32, 64, 64, 32,                  // 11-20
    64, 64, 32, 32, 32, 32, 32, 32, 32, 64,                  // 21-30
    64, 64, 64, 64, 64, 32, 64, 32, 32, 32,                  // 31-40
    64, 64, 32, 64, 64, 128, 32, 48, 48, 48,                 // 41-50
    48, 64, 64, 64, 64, 64, 64, 64, 64, 64,                  // 51-60
    64, 64, 64, 64, 64, 64, 64, 64, 64, 32,                  // 61-70
    32, 32, 64, 128, 128, 128, 128, 128, 128, 64,            // 71-80
    16, 16, 16, 64, 64, 64, 64, 64, 128, 64,                 // 81-90
    64, 64, 64, 64, 64, 128, 64, 64, 128, 128,               // 91-100
    128, 128, 64, 128, 128, 128, 128, 128, 128, 128,         // 101-110
    128, 128, 128, 128, 128, 128, 128, 128, 128, 128,        // 111-120
    128, 128, 128, 128, 32, 64, 32, 32, 255, 255,            // 121-130
    64, 128, 128, 64, 64, 255, 30, 40, 60, 40,               // 131-140
    30, 20, 10, 10, 10, 10, 10,                              // 141-147
};
// clang-format on

char TextesCriMort[4][256] = {"%s : Aaargh !", "%s : Je meurs...", "%s : Vengez-moi !", "%s : Adieu..."};
char TextePanique[256] = "%s : Sauve qui peut !";
char TextesNiveau[3][256] = {"%s passe au niveau %d.", "%s gagne en expérience : niveau %d.",
                             "%s atteint le niveau %d !"};
char TexteRalliement[256] = "%s : Ralliez-vous !";
char TextesDestruction[3][256] = {"%s s'effondre.", "%s est détruit.", "%s est en ruine : la brèche est ouverte !"};

namespace {

const char* const CHEMIN_MENUS = "..\\localisation\\menus.txt";
const char* const LIEU = "LocalisationInitialisation()";

// The lines used as printf formats and the arguments they are given.
struct LigneFormat {
    int ligne;
    const char* conversions;
};
constexpr LigneFormat FORMATS[] = {
    {74, "d"},     {76, "d"},     {89, "d"},     {109, "s"},    {110, "s"},        {111, "s"},
    {112, "s"},    {113, "s"},    {115, "d"},    {118, "d"},    {121, "sd"},       {122, "sd"},
    {123, "sd"},   {129, "sddddd"}, {130, "sddd"}, {133, "s"},  {137, "d"},        {138, "d"},
    {139, "d"},    {140, "d"},    {141, "d"},    {142, "ddd"},
};

// The conversions of `texte` in order, one letter per argument; false for a conversion printf
// would take an argument of another kind for, or one that writes ("%n") or takes a width ("*").
bool LireConversions(const char* texte, std::string* lettres) {
    lettres->clear();
    for (const char* p = texte; *p; ++p) {
        if (*p != '%') continue;
        ++p;
        if (*p == '%') continue;
        while (*p && std::strchr("-+ #0", *p)) ++p;
        while (*p >= '0' && *p <= '9') ++p;
        if (*p == '.') {
            ++p;
            while (*p >= '0' && *p <= '9') ++p;
        }
        if (*p == 0) return false;   // a lone '%' at the end
        if (*p == 's') lettres->push_back('s');
        else if (std::strchr("diuxXoc", *p)) lettres->push_back('d');
        else return false;
    }
    return true;
}

bool FormatAccepte(int ligne, const char* texte) {
    const char* attendu = ConversionsTexteInterface(ligne);
    if (attendu == nullptr || *attendu == 0) return true;   // a text, never a format
    std::string lettres;
    return LireConversions(texte, &lettres) && lettres == attendu;
}

void AjouterNumero(std::string* liste, int ligne) {
    if (!liste->empty()) *liste += ", ";
    *liste += std::to_string(ligne);
}

}  // namespace

const char* TexteInterface(int ligne) {
    if (ligne < 1 || ligne > NB_TEXTES_INTERFACE) return "";
    return TextesInterface[ligne];
}

const char* ConversionsTexteInterface(int ligne) {
    if (ligne < 1 || ligne > NB_TEXTES_INTERFACE) return nullptr;
    for (const LigneFormat& f : FORMATS)
        if (f.ligne == ligne) return f.conversions;
    return "";
}

int Localisation__LireLigne(char* tampon, size_t taille, FILE* fichier, bool* coupee) {
    if (coupee) *coupee = false;
    if (fichier == nullptr || tampon == nullptr || taille == 0) return 1;
    int c = std::fgetc(fichier);
    if (c == EOF) return 1;
    size_t n = 0;
    for (; c != EOF && c != '\n'; c = std::fgetc(fichier)) {
        if (n + 1 < taille) tampon[n++] = static_cast<char>(c);
        else if (coupee) *coupee = true;
    }
    tampon[n] = 0;
    return 0;
}

void LocalisationInitialisation() {
    FILE* f = Fichier_Ouvrir(CHEMIN_MENUS, "rt");
    if (f == nullptr) Erreur_Fatale(LIEU, "Impossible d'ouvrir le fichier %s", CHEMIN_MENUS);
    std::string tropLongues, refusees;
    for (int ligne = 1; ligne <= NB_TEXTES_INTERFACE; ++ligne) {
        char* texte = TextesInterface[ligne];
        texte[0] = 0;
        bool coupee = false;
        if (Localisation__LireLigne(texte, TaillesTextesInterface[ligne] - 1u, f, &coupee) != 0) continue;
        if (coupee) AjouterNumero(&tropLongues, ligne);
        if (!FormatAccepte(ligne, texte)) {
            AjouterNumero(&refusees, ligne);
            texte[0] = 0;
        }
    }
    std::fclose(f);

    for (int i = 0; i < 4; ++i) std::snprintf(TextesCriMort[i], sizeof TextesCriMort[i], "%s", TextesInterface[109 + i]);
    std::snprintf(TextePanique, sizeof TextePanique, "%s", TextesInterface[113]);
    for (int i = 0; i < 3; ++i) std::snprintf(TextesNiveau[i], sizeof TextesNiveau[i], "%s", TextesInterface[121 + i]);

    if (!tropLongues.empty())
        Avertissement(LIEU, "%s : texte trop long, coupé (lignes %s)", CHEMIN_MENUS, tropLongues.c_str());
    if (!refusees.empty())
        Avertissement(LIEU, "%s : format incorrect, texte ignoré (lignes %s)", CHEMIN_MENUS, refusees.c_str());
}

void Localisation__Texte(char* sortie, size_t taille, const char* modele, const char* nom, int nombre) {
    if (sortie == nullptr || taille == 0) return;
    size_t n = 0;
    auto ajouter = [&](const char* texte) {
        for (; texte && *texte && n + 1 < taille; ++texte) sortie[n++] = *texte;
    };
    for (const char* p = modele ? modele : ""; *p && n + 1 < taille; ++p) {
        if (p[0] == '%' && p[1] == 's') {
            ajouter(nom);
            ++p;
        } else if (p[0] == '%' && p[1] == 'd') {
            char chiffres[16];
            std::snprintf(chiffres, sizeof chiffres, "%d", nombre);
            ajouter(chiffres);
            ++p;
        } else {
            sortie[n++] = *p;
            if (p[0] == '%' && p[1] == '%') ++p;
        }
    }
    sortie[n] = 0;
}
