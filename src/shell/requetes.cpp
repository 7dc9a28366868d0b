#include "shell/requetes.h"

#include "foundation/ecran.h"

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

int RequesterFichierMission(int, const char*) { return -1; }
int32_t RequesterOuvert = 0;
// The battle requester is not drawn yet: nothing is shown and no event runs.
void RequesterFichier(int, const char*) {}
