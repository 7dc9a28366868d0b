#include "platform/blitter.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "platform/octets.h"

namespace {

constexpr size_t OFF_TAILLE = 4;
constexpr size_t OFF_NB_IMAGES = 8;
constexpr size_t OFF_NB_COULEURS = 10;
constexpr size_t OFF_TEINTE = 12;   // on, r, g, b
constexpr size_t OFF_TEINTE_PREMIER = 16;
constexpr size_t OFF_TEINTE_NOMBRE = 18;
constexpr size_t OFF_LUMIERE = 20;
constexpr size_t OFF_PALETTE = 24;
constexpr size_t TAILLE_ENTETE_IMAGE = 12;
constexpr int DIMENSION_MAX = 8192;
constexpr uint32_t DRAPEAUX_PERMIS = BLITTER_DIRECT | BLITTER_INDEXE | 0x10 | 0x20 | 0x200 | 0x800;

constexpr auto& L16 = Octets_Lire16;
constexpr auto& LS16 = Octets_LireS16;
constexpr auto& L32 = Octets_Lire32;
constexpr auto& E16 = Octets_Ecrire16;
constexpr auto& E32 = Octets_Ecrire32;

bool Indexe(const uint8_t* s) { return (L32(s) & BLITTER_INDEXE) != 0; }
int NbImages(const uint8_t* s) { return L16(s + OFF_NB_IMAGES); }
int NbCouleurs(const uint8_t* s) { return L16(s + OFF_NB_COULEURS); }
size_t OffTable(const uint8_t* s) { return OFF_PALETTE + 4 * static_cast<size_t>(NbCouleurs(s)); }

// The frame's header, or null for a frame number outside the sprite.
const uint8_t* Image(const uint8_t* s, int32_t image) {
    if (s == nullptr || image < 0 || image >= NbImages(s)) return nullptr;
    return s + L32(s + OffTable(s) + 4 * static_cast<size_t>(image));
}

int Canal(uint16_t c, int decalage) { return (c >> decalage) & 31; }
uint16_t Couleur(int r, int g, int b) { return static_cast<uint16_t>((r << 10) | (g << 5) | b); }

// Rebuilds the current palette from the original one: tint, then light.
void CalculerPalette(uint8_t* s) {
    const int n = NbCouleurs(s);
    uint8_t* courante = s + OFF_PALETTE;
    const uint8_t* origine = courante + 2 * n;
    const bool teinte = s[OFF_TEINTE] != 0;
    const int premier = L16(s + OFF_TEINTE_PREMIER), nombre = L16(s + OFF_TEINTE_NOMBRE);
    const int tr = s[OFF_TEINTE + 1], tg = s[OFF_TEINTE + 2], tb = s[OFF_TEINTE + 3];
    const int lumiere = s[OFF_LUMIERE];
    for (int i = 0; i < n; ++i) {
        uint16_t c = L16(origine + 2 * i);
        int r = Canal(c, 10), g = Canal(c, 5), b = Canal(c, 0);
        if (teinte && i >= premier && i < premier + nombre) {
            int m = std::max({r, g, b});
            r = m * tr / 31;
            g = m * tg / 31;
            b = m * tb / 31;
        }
        r = r * lumiere / 31;
        g = g * lumiere / 31;
        b = b * lumiere / 31;
        E16(courante + 2 * i, Couleur(r, g, b));
    }
}

// The palettes already worked out for a sprite, by tint and light: units of several armies share
// one sprite and each is drawn in its army's colours, so the same few palettes are rebuilt over
// and over. An entry holds for the original palette it was made from; a sprite whose original
// palette differs (saved anew, or another sprite at the same address) starts afresh.
struct MemoPalettes {
    struct Entree {
        uint64_t cle;
        uint16_t nombre;   // of tinted colours, when the tint is on
        std::array<uint8_t, 512> couleurs;
    };
    int n = -1;
    std::array<uint8_t, 512> origine{};
    std::vector<Entree> entrees;
};
std::unordered_map<const uint8_t*, MemoPalettes> Memos;
constexpr size_t MEMOS_MAX = 1024, ENTREES_MAX = 16;   // at most about 9 MB

// What the palette is made of besides the original: the tint (when on) and the light.
uint64_t ClePalette(const uint8_t* s) {
    uint64_t cle = s[OFF_LUMIERE];
    if (s[OFF_TEINTE] != 0)
        cle |= uint64_t{1} << 8 | uint64_t{s[OFF_TEINTE + 1]} << 9 | uint64_t{s[OFF_TEINTE + 2]} << 17 |
               uint64_t{s[OFF_TEINTE + 3]} << 25 | uint64_t{L16(s + OFF_TEINTE_PREMIER)} << 33;
    return cle;
}

void RecalculerPalette(uint8_t* s) {
    const size_t octets = 2 * static_cast<size_t>(NbCouleurs(s));
    if (octets > 512) return CalculerPalette(s);
    uint8_t* courante = s + OFF_PALETTE;
    const uint8_t* origine = courante + octets;
    if (Memos.size() >= MEMOS_MAX && Memos.find(s) == Memos.end()) Memos.clear();
    MemoPalettes& m = Memos[s];
    if (m.n != static_cast<int>(octets) || std::memcmp(m.origine.data(), origine, octets) != 0) {
        m.n = static_cast<int>(octets);
        std::memcpy(m.origine.data(), origine, octets);
        m.entrees.clear();
    }
    const uint64_t cle = ClePalette(s);
    const uint16_t nombre = s[OFF_TEINTE] != 0 ? L16(s + OFF_TEINTE_NOMBRE) : 0;
    for (const MemoPalettes::Entree& e : m.entrees)
        if (e.cle == cle && e.nombre == nombre) {
            std::memcpy(courante, e.couleurs.data(), octets);
            return;
        }
    CalculerPalette(s);
    if (m.entrees.size() >= ENTREES_MAX) m.entrees.clear();
    m.entrees.push_back({cle, nombre, {}});
    std::memcpy(m.entrees.back().couleurs.data(), courante, octets);
}

// Walks the visible opaque pixels of a frame: op(destination pixel, source colour).
template <class Op>
int32_t Dessiner(const uint8_t* s, const CibleBlitter* c, int32_t x, int32_t y, int32_t numero, Op op) {
    const uint8_t* image = Image(s, numero);
    if (image == nullptr || c == nullptr || c->pixels == nullptr || c->pas <= 0) return 0;
    const int largeur = LS16(image), hauteur = LS16(image + 2);
    const int x0 = x - LS16(image + 4), y0 = y - LS16(image + 6);
    const int gauche = std::max(c->clipGauche, 0), droite = std::min(c->clipDroite, c->pas);
    const int haut = std::max(c->clipHaut, 0), bas = std::min(c->clipBas, c->hauteur);
    const int premiere = std::max(0, haut - y0), derniere = std::min(hauteur, bas - y0);
    if (gauche >= droite || premiere >= derniere || x0 >= droite || x0 + largeur <= gauche) return 1;

    const bool indexe = Indexe(s);
    const uint8_t* palette = s + OFF_PALETTE;
    const int lumiere = s[OFF_LUMIERE];
    // One loop per kind of source, so that the pixel loops carry no test of the sprite's kind.
    auto lignes = [&](auto source, auto octets) {
        for (int ligne = premiere; ligne < derniere; ++ligne) {
            uint16_t* d = c->pixels + static_cast<ptrdiff_t>(y0 + ligne) * c->pas;
            const uint8_t* p = image + L32(image + TAILLE_ENTETE_IMAGE + 4 * static_cast<size_t>(ligne));
            const int segments = L16(p);
            p += 2;
            int cx = x0;
            for (int k = 0; k < segments; ++k) {
                cx += L16(p);
                const int longueur = L16(p + 2);
                p += 4;
                const int debut = std::max(cx, gauche), fin = std::min(cx + longueur, droite);
                for (int px = debut; px < fin; ++px) op(d[px], source(p, px - cx));
                cx += longueur;
                p += octets(longueur);
            }
        }
    };
    auto octetsIndexe = [](int longueur) { return (longueur + 1) / 2 * 2; };
    auto octetsDirect = [](int longueur) { return 2 * longueur; };
    if (indexe) {
        lignes([palette](const uint8_t* p, int i) { return L16(palette + 2 * p[i]); }, octetsIndexe);
    } else if (lumiere >= 31) {
        lignes([](const uint8_t* p, int i) { return static_cast<uint16_t>(L16(p + 2 * i) & 0x7FFF); }, octetsDirect);
    } else {
        lignes(
            [lumiere](const uint8_t* p, int i) {
                const uint16_t v = L16(p + 2 * i) & 0x7FFF;
                return Couleur(Canal(v, 10) * lumiere / 31, Canal(v, 5) * lumiere / 31, Canal(v, 0) * lumiere / 31);
            },
            octetsDirect);
    }
    return 1;
}

int8_t Init(const char*, const uint8_t* format, void* (*)(size_t)) {
    if (format == nullptr || std::memcmp(format, BLITTER_FORMAT_555, sizeof BLITTER_FORMAT_555) != 0) return 6;
    return 0;
}

void Fin() {}

int32_t Aff(uint8_t* s, const CibleBlitter* c, int32_t x, int32_t y, int32_t image) {
    return Dessiner(s, c, x, y, image, [](uint16_t& d, uint16_t v) { d = v; });
}

int32_t AffTrs(uint8_t* s, const CibleBlitter* c, int32_t x, int32_t y, int32_t image, uint8_t niveau) {
    const int l = std::min<int>(niveau, 31);
    return Dessiner(s, c, x, y, image, [l](uint16_t& d, uint16_t v) {
        auto m = [&](int k) { return (Canal(v, k) * l + Canal(d, k) * (31 - l)) / 31; };
        d = Couleur(m(10), m(5), m(0));
    });
}

int32_t AffTrs50(uint8_t* s, const CibleBlitter* c, int32_t x, int32_t y, int32_t image) {
    return Dessiner(s, c, x, y, image, [](uint16_t& d, uint16_t v) {
        d = static_cast<uint16_t>(((v & 0x7BDE) + (d & 0x7BDE)) >> 1);
    });
}

int32_t AffAlpha(uint8_t* s, const CibleBlitter* c, int32_t x, int32_t y, int32_t image) {
    return Dessiner(s, c, x, y, image, [](uint16_t& d, uint16_t v) {
        const int a = std::max({Canal(v, 10), Canal(v, 5), Canal(v, 0)});
        auto m = [&](int k) { return std::min(31, Canal(v, k) + Canal(d, k) * (31 - a) / 31); };
        d = Couleur(m(10), m(5), m(0));
    });
}

int32_t AffEcl(uint8_t* s, const CibleBlitter* c, int32_t x, int32_t y, int32_t image, uint8_t r, uint8_t g,
               uint8_t b) {
    const int kr = std::min<int>(r, 31), kg = std::min<int>(g, 31), kb = std::min<int>(b, 31);
    return Dessiner(s, c, x, y, image, [=](uint16_t& d, uint16_t v) {
        d = Couleur(std::min(31, Canal(d, 10) + Canal(v, 10) * kr / 31),
                    std::min(31, Canal(d, 5) + Canal(v, 5) * kg / 31), std::min(31, Canal(d, 0) + Canal(v, 0) * kb / 31));
    });
}

int32_t AffOmb(uint8_t* s, const CibleBlitter* c, int32_t x, int32_t y, int32_t image, uint8_t r, uint8_t g,
               uint8_t b) {
    const int kr = 31 - std::min<int>(r, 31), kg = 31 - std::min<int>(g, 31), kb = 31 - std::min<int>(b, 31);
    return Dessiner(s, c, x, y, image, [=](uint16_t& d, uint16_t) {
        d = Couleur(Canal(d, 10) * kr / 31, Canal(d, 5) * kg / 31, Canal(d, 0) * kb / 31);
    });
}

void ConvPal32(void* bloc) {
    if (bloc == nullptr) return;
    auto* p = static_cast<uint8_t*>(bloc);
    for (int i = 0; i < 128; ++i) {
        uint32_t v = L32(p + 4 * i);
        E32(p + 4 * i, Couleur((v >> 19) & 31, (v >> 11) & 31, (v >> 3) & 31));
    }
}

void ConvPal16(void* bloc) {
    if (bloc == nullptr) return;
    auto* p = static_cast<uint8_t*>(bloc);
    for (int i = 0; i < 256; ++i) {
        uint32_t v = L32(p + 4 * i) & 0xFFFF;
        E32(p + 4 * i, Couleur((v >> 11) & 31, (v >> 6) & 31, v & 31));
    }
}

void GetZ(const uint8_t* s, const CibleBlitter*, int32_t, int32_t, int32_t numero, int32_t* taille) {
    if (taille == nullptr) return;
    const uint8_t* image = Image(s, numero);
    taille[0] = image ? LS16(image) : 0;
    taille[1] = image ? LS16(image + 2) : 0;
}

int32_t GetT(const uint8_t* s, int32_t numero, int32_t champ) {
    const uint8_t* image = Image(s, numero);
    if (image == nullptr || champ < 0 || champ > 3) return -1;
    return LS16(image + 2 * champ);
}

int32_t GetOff(const uint8_t* s, int32_t numero, int32_t champ) {
    const uint8_t* image = Image(s, numero);
    if (image == nullptr || champ < 0 || champ > 1) return -1;
    return LS16(image + 4 + 2 * champ);
}

int32_t GetNb(const uint8_t* s) { return s ? NbImages(s) : 0; }

void ModOff(uint8_t* s, int32_t dx, int32_t dy, int32_t numero) {
    auto* image = const_cast<uint8_t*>(Image(s, numero));
    if (image == nullptr) return;
    E16(image + 4, static_cast<uint16_t>(LS16(image + 8) + dx));
    E16(image + 6, static_cast<uint16_t>(LS16(image + 10) + dy));
}

void Conv32_64(uint8_t*) {}

void Repal(uint8_t* s, int32_t premier, int32_t nombre, uint8_t r, uint8_t g, uint8_t b) {
    if (s == nullptr || !Indexe(s)) return;
    premier = std::clamp(premier, 0, 0xFFFF);
    nombre = std::clamp(nombre, 0, 0xFFFF);
    s[OFF_TEINTE] = 1;
    // Team tints are 0..31 a channel, as the master files give them.
    s[OFF_TEINTE + 1] = std::min<uint8_t>(r, 31);
    s[OFF_TEINTE + 2] = std::min<uint8_t>(g, 31);
    s[OFF_TEINTE + 3] = std::min<uint8_t>(b, 31);
    E16(s + OFF_TEINTE_PREMIER, static_cast<uint16_t>(premier));
    E16(s + OFF_TEINTE_NOMBRE, static_cast<uint16_t>(nombre));
    RecalculerPalette(s);
}

int32_t RestoPal(uint8_t* s, int32_t) {
    if (s == nullptr) return 0;
    s[OFF_TEINTE] = 0;
    s[OFF_LUMIERE] = 31;
    if (Indexe(s)) RecalculerPalette(s);
    return 1;
}

int32_t SavPal(uint8_t* s, int32_t) {
    if (s == nullptr || !Indexe(s)) return 0;
    const int n = NbCouleurs(s);
    std::memcpy(s + OFF_PALETTE + 2 * n, s + OFF_PALETTE, 2 * static_cast<size_t>(n));
    s[OFF_TEINTE] = 0;
    s[OFF_LUMIERE] = 31;
    return 1;
}

// `niveau` is an amount of shade (0 as drawn, 31 the darkest); the sprite keeps the light level.
int32_t OmbrePal(uint8_t* s, uint8_t niveau, int32_t) {
    if (s == nullptr) return 0;
    s[OFF_LUMIERE] = static_cast<uint8_t>(31 - std::min<int>(niveau, 31));
    if (Indexe(s)) RecalculerPalette(s);
    return 1;
}

template <class F>
RoutineBibliotheque R(F f) {
    return reinterpret_cast<RoutineBibliotheque>(f);
}

const ExportBibliotheque EXPORTS[] = {
    {"SprDll_Init", R(static_cast<BlitInit>(Init))},
    {"SprDll_Free", R(static_cast<BlitFin>(Fin))},
    {"AFF_SPR", R(static_cast<BlitAff>(Aff))},
    {"AFF_SPRTRS", R(static_cast<BlitAffTrs>(AffTrs))},
    {"AFF_SPRTRS50", R(static_cast<BlitAff>(AffTrs50))},
    {"AFF_SPRALPHA", R(static_cast<BlitAff>(AffAlpha))},
    {"AFF_SPRECL", R(static_cast<BlitAffRgb>(AffEcl))},
    {"AFF_SPROMB", R(static_cast<BlitAffRgb>(AffOmb))},
    {"SPR_CONVPAL32", R(static_cast<BlitConvPal>(ConvPal32))},
    {"SPR_CONVPAL16", R(static_cast<BlitConvPal>(ConvPal16))},
    {"GET_SPRZ", R(static_cast<BlitGetZ>(GetZ))},
    {"GET_SPRT", R(static_cast<BlitTrois>(GetT))},
    {"GET_NBSPR", R(static_cast<BlitGetNb>(GetNb))},
    {"MOD_SPROFF", R(static_cast<BlitModOff>(ModOff))},
    {"GET_SPROFF", R(static_cast<BlitTrois>(GetOff))},
    {"CONV_SPR32_64", R(static_cast<BlitConv>(Conv32_64))},
    {"SPR_REPAL", R(static_cast<BlitRepal>(Repal))},
    {"SPR_RESTOPAL", R(static_cast<BlitPal>(RestoPal))},
    {"SPR_SAVPAL", R(static_cast<BlitPal>(SavPal))},
    {"SPR_OMBREPAL", R(static_cast<BlitOmbrePal>(OmbrePal))},
};

}  // namespace

const ExportBibliotheque* Blitter_Exports(size_t* nombre) {
    if (nombre) *nombre = sizeof EXPORTS / sizeof EXPORTS[0];
    return EXPORTS;
}

bool Blitter_Verifier(const uint8_t* s, size_t taille) {
    if (s == nullptr || taille < OFF_PALETTE) return false;
    const uint32_t drapeaux = L32(s);
    if ((drapeaux & ~DRAPEAUX_PERMIS) != 0) return false;
    const bool indexe = (drapeaux & 3) == BLITTER_INDEXE;
    if ((drapeaux & 3) != BLITTER_DIRECT && !indexe) return false;
    if (L32(s + OFF_TAILLE) != taille) return false;
    const int images = NbImages(s), couleurs = NbCouleurs(s);
    if (images < 1) return false;
    if (indexe ? (couleurs < 1 || couleurs > 256) : couleurs != 0) return false;
    if (s[OFF_LUMIERE] > 31) return false;
    const size_t table = OffTable(s);
    if (table + 4 * static_cast<size_t>(images) > taille) return false;
    // An index past the palette would read outside it.
    for (int i = 0; i < images; ++i) {
        const size_t off = L32(s + table + 4 * static_cast<size_t>(i));
        if (off < table + 4 * static_cast<size_t>(images) || off + TAILLE_ENTETE_IMAGE > taille) return false;
        const uint8_t* image = s + off;
        const int largeur = LS16(image), hauteur = LS16(image + 2);
        if (largeur < 0 || hauteur < 0 || largeur > DIMENSION_MAX || hauteur > DIMENSION_MAX) return false;
        const size_t lignes = off + TAILLE_ENTETE_IMAGE;
        if (lignes + 4 * static_cast<size_t>(hauteur) > taille) return false;
        for (int l = 0; l < hauteur; ++l) {
            size_t p = off + L32(image + TAILLE_ENTETE_IMAGE + 4 * static_cast<size_t>(l));
            if (p < lignes || p + 2 > taille) return false;
            const int segments = L16(s + p);
            p += 2;
            int cx = 0;
            for (int k = 0; k < segments; ++k) {
                if (p + 4 > taille) return false;
                const int saut = L16(s + p), longueur = L16(s + p + 2);
                p += 4;
                cx += saut + longueur;
                if (cx > largeur) return false;
                const size_t octets = indexe ? static_cast<size_t>((longueur + 1) / 2 * 2) : 2 * static_cast<size_t>(longueur);
                if (p + octets > taille) return false;
                if (indexe)
                    for (int j = 0; j < longueur; ++j)
                        if (s[p + j] >= couleurs) return false;
                p += octets;
            }
        }
    }
    return true;
}

std::vector<uint8_t> Blitter_EncoderFichier(const std::vector<ImageBlitter>& images,
                                            const std::vector<uint16_t>* palette) {
    const bool indexe = palette != nullptr;
    const size_t couleurs = indexe ? std::min<size_t>(palette->size(), 256) : 0;
    std::vector<uint8_t> s(OFF_PALETTE + 4 * couleurs + 4 * images.size(), 0);
    E32(s.data(), indexe ? BLITTER_INDEXE : BLITTER_DIRECT);
    E16(s.data() + OFF_NB_IMAGES, static_cast<uint16_t>(images.size()));
    E16(s.data() + OFF_NB_COULEURS, static_cast<uint16_t>(couleurs));
    s[OFF_LUMIERE] = 31;
    for (size_t i = 0; i < couleurs; ++i) {
        E16(s.data() + OFF_PALETTE + 2 * i, (*palette)[i] & 0x7FFF);
        E16(s.data() + OFF_PALETTE + 2 * couleurs + 2 * i, (*palette)[i] & 0x7FFF);
    }
    const size_t table = OFF_PALETTE + 4 * couleurs;
    auto ajouter16 = [&](uint16_t v) {
        s.push_back(static_cast<uint8_t>(v));
        s.push_back(static_cast<uint8_t>(v >> 8));
    };
    for (size_t i = 0; i < images.size(); ++i) {
        const ImageBlitter& im = images[i];
        while (s.size() % 4) s.push_back(0);
        const size_t debut = s.size();
        E32(s.data() + table + 4 * i, static_cast<uint32_t>(debut));
        for (int v : {im.largeur, im.hauteur, im.pointChaudX, im.pointChaudY, im.pointChaudX, im.pointChaudY})
            ajouter16(static_cast<uint16_t>(v));
        const size_t lignes = s.size();
        s.resize(s.size() + 4 * static_cast<size_t>(im.hauteur), 0);
        auto pixel = [&](int x, int y) {
            size_t k = static_cast<size_t>(y) * im.largeur + x;
            return k < im.pixels.size() ? im.pixels[k] : -1;
        };
        for (int y = 0; y < im.hauteur; ++y) {
            E32(s.data() + lignes + 4 * static_cast<size_t>(y), static_cast<uint32_t>(s.size() - debut));
            const size_t compte = s.size();
            ajouter16(0);
            int segments = 0, x = 0;
            while (x < im.largeur) {
                int saut = 0;
                while (x < im.largeur && pixel(x, y) < 0 && saut < 0xFFFF) ++x, ++saut;
                int longueur = 0;
                while (x + longueur < im.largeur && pixel(x + longueur, y) >= 0 && longueur < 0xFFFF) ++longueur;
                if (longueur == 0 && x >= im.largeur) break;
                ajouter16(static_cast<uint16_t>(saut));
                ajouter16(static_cast<uint16_t>(longueur));
                for (int j = 0; j < longueur; ++j) {
                    const int v = pixel(x + j, y);
                    if (indexe) s.push_back(static_cast<uint8_t>(std::min<size_t>(v, couleurs ? couleurs - 1 : 0)));
                    else ajouter16(static_cast<uint16_t>(v & 0x7FFF));
                }
                if (indexe && longueur % 2) s.push_back(0);
                x += longueur;
                ++segments;
            }
            E16(s.data() + compte, static_cast<uint16_t>(segments));
        }
    }
    E32(s.data() + OFF_TAILLE, static_cast<uint32_t>(s.size()));
    static const char MAGIE[8] = {'S', 'P', 'R', 'T', 'E', 'S', 'K', '1'};
    s.insert(s.begin(), MAGIE, MAGIE + 8);
    return s;
}
