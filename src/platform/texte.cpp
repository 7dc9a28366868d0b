#include "platform/texte.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <vector>

#include "platform/fichiers.h"
#include "platform/plateforme.h"

struct PoliceSysteme {
    TTF_Font* ttf = nullptr;
    int hauteur = 0;   // cell height in pixels
};

namespace {

struct FichierPolice {
    std::string face;     // lower case
    std::string chemin;   // on this system
};
std::vector<FichierPolice> fichiersAjoutes;

const char* const DOSSIER_DEJAVU = "/usr/share/fonts/truetype/dejavu/";
const char* const DOSSIER_LIBERATION = "/usr/share/fonts/truetype/liberation/";

bool TtfPret() {
    static bool pret = TTF_WasInit() > 0 || TTF_Init() == 0;
    return pret;
}

std::string Minuscules(const char* s) {
    std::string r = s ? s : "";
    for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

bool Existe(const std::string& chemin) {
    struct stat st {};
    return ::stat(chemin.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The file for a face, and whether its bold must be made by the renderer.
bool ChoisirFichier(const char* face, bool gras, std::string* chemin, bool* grasSynthetique) {
    std::string f = Minuscules(face);
    for (auto it = fichiersAjoutes.rbegin(); it != fichiersAjoutes.rend(); ++it) {
        if (it->face == f) {
            *chemin = it->chemin;
            *grasSynthetique = gras;
            return true;
        }
    }
    struct Choix {
        std::string normal, grasse;
    };
    std::vector<Choix> choix;
    const std::string dv = DOSSIER_DEJAVU, lib = DOSSIER_LIBERATION;
    if (f == "lydian mt") {
        choix.push_back({dv + "DejaVuSerif.ttf", dv + "DejaVuSerif-Bold.ttf"});
    } else if (f == "courier new") {
        choix.push_back({lib + "LiberationMono-Regular.ttf", lib + "LiberationMono-Bold.ttf"});
        choix.push_back({dv + "DejaVuSansMono.ttf", dv + "DejaVuSansMono-Bold.ttf"});
    }
    choix.push_back({dv + "DejaVuSans.ttf", dv + "DejaVuSans-Bold.ttf"});
    choix.push_back({dv + "DejaVuSerif.ttf", dv + "DejaVuSerif-Bold.ttf"});
    for (const Choix& c : choix) {
        if (!Existe(c.normal)) continue;
        if (gras && Existe(c.grasse)) {
            *chemin = c.grasse;
            *grasSynthetique = false;
        } else {
            *chemin = c.normal;
            *grasSynthetique = gras;
        }
        return true;
    }
    return false;
}

// The bytes of a text: up to its end, and no more than longueur when longueur >= 0.
std::string_view Octets(const char* texte, int longueur) {
    if (texte == nullptr) return {};
    return {texte, longueur < 0 ? std::strlen(texte) : ::strnlen(texte, static_cast<size_t>(longueur))};
}

// The advance width of a text, as the text extent is: the sum of its characters' advances.
int Avance(TTF_Font* ttf, std::string_view octets) {
    int total = 0;
    for (unsigned char c : octets) {
        int avance = 0;
        if (TTF_GlyphMetrics32(ttf, Texte_Cp1252Point(c), nullptr, nullptr, nullptr, nullptr, &avance) == 0) total += avance;
    }
    return total;
}

uint8_t Canal8(uint16_t v5) { return static_cast<uint8_t>((v5 << 3) | (v5 >> 2)); }

}  // namespace

ContexteTexte* ContexteTexte_Creer() { return new ContexteTexte; }

void ContexteTexte_Liberer(ContexteTexte* contexte) { delete contexte; }

void ContexteTexte_Cible(ContexteTexte* contexte, uint16_t* pixels, int largeur, int hauteur, int pas) {
    if (contexte == nullptr) return;
    contexte->pixels = pixels;
    contexte->largeur = largeur;
    contexte->hauteur = hauteur;
    contexte->pas = pas;
}

PoliceSysteme* ContexteTexte_ChoisirPolice(ContexteTexte* contexte, PoliceSysteme* police) {
    if (contexte == nullptr) return nullptr;
    PoliceSysteme* ancienne = contexte->police;
    contexte->police = police;
    return ancienne;
}

uint32_t ContexteTexte_Couleur(ContexteTexte* contexte, uint32_t couleur) {
    if (contexte == nullptr) return 0;
    uint32_t ancienne = contexte->couleur;
    contexte->couleur = couleur & 0xFFFFFF;
    return ancienne;
}

bool Police_AjouterFichier(const char* cheminJeu, const char* face) {
    if (cheminJeu == nullptr || face == nullptr || !TtfPret()) return false;
    std::string chemin = Chemin_Resoudre(cheminJeu);
    if (!Existe(chemin)) return false;
    TTF_Font* essai = TTF_OpenFont(chemin.c_str(), 12);
    if (essai == nullptr) return false;
    TTF_CloseFont(essai);
    fichiersAjoutes.push_back({Minuscules(face), chemin});
    return true;
}

void Police_RetirerFichier(const char* cheminJeu) {
    if (cheminJeu == nullptr) return;
    std::string chemin = Chemin_Resoudre(cheminJeu);
    std::erase_if(fichiersAjoutes, [&](const FichierPolice& f) { return f.chemin == chemin; });
}

PoliceSysteme* Police_Creer(const char* face, int hauteur, int graisse) {
    if (!TtfPret()) return nullptr;
    std::string chemin;
    bool grasSynthetique = false;
    if (!ChoisirFichier(face, graisse >= 700, &chemin, &grasSynthetique)) return nullptr;
    // A negative height is the em size; a positive one the whole cell: the largest size whose
    // cell is no taller than asked. 0 asks for a default size.
    int voulu = hauteur == 0 ? 16 : std::abs(hauteur);
    TTF_Font* ttf = TTF_OpenFont(chemin.c_str(), voulu);
    if (ttf == nullptr) return nullptr;
    if (grasSynthetique) TTF_SetFontStyle(ttf, TTF_STYLE_BOLD);
    TTF_SetFontKerning(ttf, 0);
    if (hauteur > 0) {
        int taille = voulu;
        while (taille > 1 && TTF_FontHeight(ttf) > voulu) {
            --taille;
            TTF_SetFontSize(ttf, taille);
        }
    }
    auto* p = new PoliceSysteme;
    p->ttf = ttf;
    p->hauteur = TTF_FontHeight(ttf);
    return p;
}

void Police_Liberer(PoliceSysteme* police) {
    if (police == nullptr) return;
    if (police->ttf) TTF_CloseFont(police->ttf);
    delete police;
}

int Police_Hauteur(const PoliceSysteme* police) { return police ? police->hauteur : 0; }

bool Texte_Mesurer(const ContexteTexte* contexte, const char* texte, int longueur, int* largeur, int* hauteur) {
    int l = 0, h = 0;
    bool ok = contexte != nullptr;
    if (ok && contexte->police != nullptr) {
        h = contexte->police->hauteur;
        l = Avance(contexte->police->ttf, Octets(texte, longueur));
    }
    if (largeur) *largeur = l;
    if (hauteur) *hauteur = h;
    return ok;
}

void Texte_Dessiner(ContexteTexte* contexte, int x, int y, const char* texte, int longueur) {
    if (contexte == nullptr || contexte->police == nullptr || contexte->pixels == nullptr || texte == nullptr) return;
    const std::string octets(Octets(texte, longueur));
    if (octets.empty()) return;
    std::string utf8 = Texte_Cp1252VersUtf8(octets.c_str());
    const int L = contexte->largeur, H = contexte->hauteur, pas = contexte->pas;
    if (!contexte->fondTransparent) {
        const int w = Avance(contexte->police->ttf, octets);
        uint32_t f = contexte->couleurFond;
        uint16_t fond = static_cast<uint16_t>(((f & 0xFF) >> 3) << 10 | (((f >> 8) & 0xFF) >> 3) << 5 | ((f >> 16) & 0xFF) >> 3);
        for (int j = std::max(y, 0); j < std::min(y + contexte->police->hauteur, H); ++j)
            for (int i = std::max(x, 0); i < std::min(x + w, L); ++i) contexte->pixels[static_cast<size_t>(j) * pas + i] = fond;
    }
    SDL_Surface* s = TTF_RenderUTF8_Blended(contexte->police->ttf, utf8.c_str(), SDL_Color{255, 255, 255, 255});
    if (s == nullptr) return;
    SDL_Surface* argb = s;
    if (s->format->format != SDL_PIXELFORMAT_ARGB8888) {
        argb = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_FreeSurface(s);
        if (argb == nullptr) return;
    }
    const uint32_t c = contexte->couleur;
    const unsigned r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
    SDL_LockSurface(argb);
    for (int j = 0; j < argb->h; ++j) {
        int ty = y + j;
        if (ty < 0 || ty >= H) continue;
        const auto* ligne = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(argb->pixels) + static_cast<size_t>(j) * argb->pitch);
        uint16_t* dest = contexte->pixels + static_cast<size_t>(ty) * pas;
        for (int i = 0; i < argb->w; ++i) {
            int tx = x + i;
            if (tx < 0 || tx >= L) continue;
            unsigned a = ligne[i] >> 24;
            if (a == 0) continue;
            uint16_t d = dest[tx];
            auto melange = [a](unsigned source, unsigned d5) {
                unsigned d8 = Canal8(static_cast<uint16_t>(d5));
                return ((source * a + d8 * (255 - a) + 127) / 255) >> 3;
            };
            unsigned nr = melange(r, (d >> 10) & 31), ng = melange(g, (d >> 5) & 31), nb = melange(b, d & 31);
            dest[tx] = static_cast<uint16_t>(nr << 10 | ng << 5 | nb);
        }
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
}
