#include "frontend/texte_defilant.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "campaign/gestion_armee.h"
#include "foundation/ecran.h"
#include "foundation/entrees.h"
#include "foundation/objetsgfx.h"
#include "foundation/sprites.h"
#include "foundation/texte.h"
#include "frontend/texte_defilant_disposition.h"
#include "platform/fichiers.h"
#include "platform/plateforme.h"
#include "platform/temps.h"

namespace {

constexpr int32_t PAS_LIGNE = 25;
constexpr int32_t MARGE = 10;
constexpr uint32_t BLANC = 0xFFFFFF;
// A text file larger than this is read up to it.
constexpr int64_t TAILLE_MAXIMUM = 4 * 1024 * 1024;

struct Animation {
    int32_t image;
    int32_t nombre;
};
// The animated images of the text, by order of their tags, kept from one screen to the next.
std::vector<Animation> animations;

bool MemeNom(const std::string& a, const char* b) {
    if (a.size() != std::strlen(b)) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != b[i]) return false;
    return true;
}

// The graphic object of that name, -1 when there is none (quietly: the text is drawn every frame).
int ObjetParNom(const std::string& nom) {
    for (int i = 0; i < NbObjetsGfx; ++i) {
        const char* n = TableObjetsGfx[static_cast<size_t>(i)].nom;
        if (n && nom == n) return i;
    }
    return -1;
}

int32_t Abscisse(int alignement, int32_t largeur) {
    switch (alignement) {
        case ALIGNEMENT_DROITE: return LargeurEcran - (largeur + MARGE);
        case ALIGNEMENT_CENTRE: return (LargeurEcran - largeur) / 2;
        default: return MARGE;
    }
}

// The colour of a COLOR tag's argument as a GDI value; false when it reads as neither form.
bool Couleur(const std::string& argument, uint32_t* couleur) {
    const size_t x = argument.find("0x") != std::string::npos ? argument.find("0x") : argument.find("0X");
    if (x != std::string::npos) {
        unsigned v = 0;
        if (std::sscanf(argument.c_str() + x + 2, "%X", &v) != 1) return false;
        *couleur = ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
        return true;
    }
    int r = 0, g = 0, b = 0;
    if (std::sscanf(argument.c_str(), "%d %d %d", &r, &g, &b) != 3) return false;
    *couleur = static_cast<uint32_t>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
    return true;
}

}  // namespace

void Texte__AnimationsRAZ() { std::vector<Animation>().swap(animations); }

int TexteDefilant__Disposition(const char* texte, int32_t decalage, int32_t avancer, std::vector<ElementTexte>* elements) {
    int32_t y = 10;
    int alignement = ALIGNEMENT_GAUCHE;
    int32_t pas = PAS_LIGNE;
    uint32_t couleur = BLANC;
    int police = 1;
    size_t animees = 0;
    std::string ligne;
    if (texte == nullptr) texte = "";
    Texte__ChoixFonte(police);
    Texte__Couleur(couleur);

    const auto finDeLigne = [&]() {
        if (ligne.empty()) {
            y += pas;
        } else {
            TailleTexte taille;
            Texte__Taille(ligne.c_str(), &taille);
            if (elements)
                elements->push_back({ElementTexte::LIGNE, Abscisse(alignement, taille.largeur), y - decalage, couleur, police,
                                     -1, 0, ligne});
            y += taille.hauteur + 5;
            ligne.clear();
        }
        pas = PAS_LIGNE;
    };

    for (const char* p = texte; *p;) {
        const char c = *p;
        if (c == '\n') {
            finDeLigne();
            ++p;
            continue;
        }
        if (c == '\r') {
            ++p;
            continue;
        }
        if (c != '<') {
            if (ligne.size() < static_cast<size_t>(TEXTE_DEFILANT_LIGNE)) ligne += c;
            ++p;
            continue;
        }
        // A tag: its name, then everything up to the next ">" as its argument.
        const char* fin = std::strchr(p + 1, '>');
        const std::string balise = fin ? std::string(p + 1, fin) : std::string(p + 1);
        p = fin ? fin + 1 : p + std::strlen(p);
        size_t debut = 0;
        while (debut < balise.size() && std::isspace(static_cast<unsigned char>(balise[debut]))) ++debut;
        size_t finNom = debut;
        while (finNom < balise.size() && !std::isspace(static_cast<unsigned char>(balise[finNom]))) ++finNom;
        const std::string nom = balise.substr(debut, finNom - debut);
        const std::string argument = balise.substr(finNom);

        if (MemeNom(nom, "FONT")) {
            int n = -1;
            if (std::sscanf(argument.c_str(), "%d", &n) == 1 && n >= 0 && n <= 6) {
                police = n;
                Texte__ChoixFonte(n);
            }
        } else if (MemeNom(nom, "CENTERED")) {
            alignement = ALIGNEMENT_CENTRE;
        } else if (MemeNom(nom, "LEFT")) {
            alignement = ALIGNEMENT_GAUCHE;
        } else if (MemeNom(nom, "RIGHT")) {
            alignement = ALIGNEMENT_DROITE;
        } else if (MemeNom(nom, "COLOR")) {
            uint32_t c2 = 0;
            if (Couleur(argument, &c2)) {
                couleur = c2;
                Texte__Couleur(couleur);
            }
        } else if (MemeNom(nom, "IMG")) {
            char mot[128] = {};
            int n = 0;
            const int lus = std::sscanf(argument.c_str(), "%127s %d", mot, &n);
            if (lus < 1) continue;
            int32_t image = 0;
            if (lus == 2 && n > 0) {
                if (animees >= animations.size()) {
                    animations.push_back({n - 1, n});
                } else if (avancer) {
                    Animation& a = animations[animees];
                    a.image = a.image + 1 >= a.nombre ? 0 : a.image + 1;
                }
                image = animations[animees].image;
                ++animees;
            }
            const int objet = ObjetParNom(mot);
            ObjetGfx* gfx = objet >= 0 ? ObjetGfx_Pret(objet) : nullptr;
            if (gfx == nullptr) continue;
            int32_t taille[2] = {0, 0};
            Spr_Getz(gfx->sprite, &EcranDestination, 0, 0, image, taille);
            if (taille[1] > PAS_LIGNE) pas = taille[1] + 5;
            if (elements)
                elements->push_back({ElementTexte::IMAGE, Abscisse(alignement, taille[0]), y - decalage, couleur, police, objet,
                                     image, mot});
        }
    }
    if (!ligne.empty()) finDeLigne();
    return y + pas - decalage >= HauteurEcran ? 1 : 0;
}

int Texte__AffichageBalise(const char* texte, int32_t decalage, int32_t avancer) {
    const int policeAvant = Texte__LitFonte();
    const uint32_t couleurAvant = Texte__LitCouleur();
    std::vector<ElementTexte> elements;
    const int resultat = TexteDefilant__Disposition(texte, decalage, avancer, &elements);
    for (const ElementTexte& e : elements) {
        if (e.y >= HauteurEcran || e.y < -HauteurEcran) continue;
        if (e.genre == ElementTexte::IMAGE) {
            Sprite__Affiche(e.objet, e.x, e.y, e.image);
        } else {
            Texte__ChoixFonte(e.police);
            Texte__Couleur(e.couleur);
            // The line's cell at its top (the call draws 11 pixels above the point given).
            Texte__Affiche(e.x, e.y + 11, "%s", e.texte.c_str());
        }
    }
    Texte__ChoixFonte(policeAvant);
    Texte__Couleur(couleurAvant);
    return resultat;
}

void TexteDefilant(const char* chemin, int32_t vitesse) {
    const int64_t taille = Fichier_TailleChemin(chemin);
    FILE* f = taille >= 0 ? Fichier_Ouvrir(chemin, "rb") : nullptr;
    if (f == nullptr) return;
    std::string texte(static_cast<size_t>(taille < TAILLE_MAXIMUM ? taille : TAILLE_MAXIMUM), '\0');
    texte.resize(std::fread(texte.data(), 1, texte.size(), f));
    std::fclose(f);
    // Up to the first zero byte, as the text ends there.
    texte.resize(std::strlen(texte.c_str()));

    Texte__AnimationsRAZ();
    // A press made before the text began does not end it.
    ToucheEchap = ToucheEntree = ClicDroitEtat = 0;
    const double pas = vitesse / 50.0;
    double position = 0;
    int32_t decalage = 0;
    int32_t avancer = 0;
    bool premiere = true;
    uint32_t dernierPas = Temps_Ticks();
    uint32_t derniereAnimation = dernierPas;
    for (bool fin = false; !fin;) {
        if (EcranModal__Message(nullptr) < 0) fin = true;
        if (ToucheEchap || ToucheEntree || ClicDroitEtat) {
            ToucheEchap = ToucheEntree = ClicDroitEtat = 0;
            fin = true;
        }
        if (EcranTampon) std::memset(EcranTampon, 0, static_cast<size_t>(LargeurEcran) * HauteurEcran * 2);
        if (Texte__AffichageBalise(texte.c_str(), decalage, avancer) == 0) fin = true;
        avancer = 0;
        Ecran_Affichage();
        if (premiere) {
            premiere = false;
            Temps_Dormir(1000);
        }
        const uint32_t maintenant = Temps_Ticks();
        if (maintenant - dernierPas > 20) {
            position += pas;
            decalage = static_cast<int32_t>(position);
            dernierPas = maintenant;
        }
        if (maintenant - derniereAnimation > 150) {
            avancer = 1;
            derniereAnimation = maintenant;
        }
        // Nothing to draw anew before the next step.
        const int32_t reste = static_cast<int32_t>(dernierPas + 21 - Temps_Ticks());
        if (reste > 0 && !fin) Temps_Dormir(static_cast<uint32_t>(reste));
    }
    Temps_Dormir(1000);
}
