// Sample movies under rvf\: the maker's logo "Tesk.rvs" (silent), the intro "Intro.rvs" with its
// music, and the main menu's background "Menu.rvf" with a music that loops with the picture.
// RVF6 files of 640 x 480 frames in the player's frame format ("FRM1", run-coded against the
// previous frame), with APC sound (IMA ADPCM, mono 22050 Hz, 32 frames of sound ahead).
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "fabrique.h"

namespace {

constexpr int L = 640, H = 480;
constexpr int Frequence = 22050;
constexpr size_t OctetsParImage = 735;   // 1470 mono samples an image at 15 images a second

using Image = std::vector<uint16_t>;

uint16_t Rgb(int r, int v, int b) {
    auto c = [](int x) { return std::clamp(x, 0, 31); };
    return static_cast<uint16_t>(c(r) << 10 | c(v) << 5 | c(b));
}

void Rect(Image& im, int x0, int y0, int x1, int y1, uint16_t c) {
    for (int y = std::max(y0, 0); y < std::min(y1, H); ++y)
        for (int x = std::max(x0, 0); x < std::min(x1, L); ++x) im[static_cast<size_t>(y) * L + x] = c;
}

// The sky in bands from `haut` to `bas`, the ground below `horizon`.
void Paysage(Image& im, int horizon, int rh, int vh, int bh, int rb, int vb, int bb, uint16_t sol) {
    for (int y = 0; y < horizon; ++y) {
        const int t = y * 8 / horizon;   // eight bands: long runs
        Rect(im, 0, y, L, y + 1, Rgb(rh + (rb - rh) * t / 8, vh + (vb - vh) * t / 8, bh + (bb - bh) * t / 8));
    }
    Rect(im, 0, horizon, L, H, sol);
}

// A castle: a wall with crenels and two towers; banners of the four factions on the towers.
void Chateau(Image& im, int x, int sol, int image, uint16_t pierre, uint16_t ombre) {
    Rect(im, x, sol - 110, x + 260, sol, pierre);
    for (int c = 0; c < 260; c += 26) Rect(im, x + c, sol - 124, x + c + 14, sol - 110, pierre);
    Rect(im, x + 110, sol - 60, x + 150, sol, ombre);   // the gate
    for (int t : {-30, 250}) {
        Rect(im, x + t, sol - 190, x + t + 50, sol, pierre);
        for (int c = 0; c < 50; c += 17) Rect(im, x + t + c, sol - 204, x + t + c + 10, sol - 190, pierre);
        Rect(im, x + t + 22, sol - 260, x + t + 26, sol - 204, ombre);   // the mast
    }
    const uint16_t bannieres[4] = {Rgb(28, 4, 4), Rgb(4, 8, 28), Rgb(30, 28, 10), Rgb(14, 4, 18)};
    for (int b = 0; b < 2; ++b) {
        const int mat = x + (b == 0 ? -30 : 250) + 26;
        for (int i = 0; i < 36; i += 4) {
            // A banner waving: each strip a little higher or lower.
            const int onde = static_cast<int>(std::lrint(3.0 * std::sin((image + i) * 0.35)));
            Rect(im, mat + i, sol - 258 + onde, mat + i + 4, sol - 236 + onde, bannieres[(b * 2 + image / 30) % 4]);
        }
    }
}

// A soldier: legs that step, a body in the army's colour, a head, a spear.
void Soldat(Image& im, int x, int sol, int pas, uint16_t couleur) {
    const int j = (pas % 2) ? 3 : 0;
    Rect(im, x - 4 + j, sol - 10, x - 1 + j, sol, Rgb(6, 5, 3));
    Rect(im, x + 2 - j, sol - 10, x + 5 - j, sol, Rgb(6, 5, 3));
    Rect(im, x - 5, sol - 26, x + 6, sol - 10, couleur);
    Rect(im, x - 3, sol - 33, x + 4, sol - 26, Rgb(26, 20, 16));
    Rect(im, x + 7, sol - 44, x + 9, sol - 6, Rgb(18, 16, 12));
}

// An army marching right, in ranks; `decalage` in pixels (wraps round the screen).
void Armee(Image& im, int sol, int decalage, int image, uint16_t couleur) {
    for (int rang = 0; rang < 3; ++rang)
        for (int s = 0; s < 12; ++s) {
            const int x = ((s * 52 + rang * 17 + decalage) % (L + 120) + (L + 120)) % (L + 120) - 60;
            Soldat(im, x, sol + rang * 22, image + s + rang, couleur);
        }
}

// ---- the frame format and the file ------------------------------------------------------------

void Mot16(std::string& s, uint16_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
}
void Mot32(std::string& s, uint32_t v) {
    for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A frame run-coded against the previous one (null for the first): runs copied from it, runs
// of one value, and literal pixels.
std::string Coder(const Image& im, const Image* avant) {
    std::string corps;
    const size_t n = im.size();
    size_t i = 0;
    std::vector<uint16_t> litteraux;
    auto viderLitteraux = [&] {
        for (size_t d = 0; d < litteraux.size();) {
            const size_t m = std::min<size_t>(litteraux.size() - d, 0x3FFF);
            Mot16(corps, static_cast<uint16_t>(0x4000 | m));
            for (size_t k = 0; k < m; ++k) Mot16(corps, litteraux[d + k]);
            d += m;
        }
        litteraux.clear();
    };
    while (i < n) {
        size_t copie = 0;
        if (avant != nullptr)
            while (i + copie < n && copie < 0x3FFF && (*avant)[i + copie] == im[i + copie]) ++copie;
        size_t repete = 1;
        while (i + repete < n && repete < 0x3FFF && im[i + repete] == im[i]) ++repete;
        if (copie >= 4 && copie >= repete) {
            viderLitteraux();
            Mot16(corps, static_cast<uint16_t>(copie));
            i += copie;
        } else if (repete >= 4) {
            viderLitteraux();
            Mot16(corps, static_cast<uint16_t>(0x8000 | repete));
            Mot16(corps, im[i]);
            i += repete;
        } else {
            litteraux.push_back(im[i]);
            ++i;
        }
    }
    viderLitteraux();
    std::string p = "FRM1";
    p += static_cast<char>(1);
    p += '\0';
    Mot16(p, 0);
    Mot32(p, static_cast<uint32_t>(corps.size()));
    return p + corps;
}

// APC: IMA ADPCM codes chosen so that the decoder's unclamped sum stays within 16 bits.
std::string Apc(const std::vector<int16_t>& pcm) {
    static const int32_t pas[89] = {
        7, 8, 9, 10, 11, 12, 13, 14, 16, 17, 19, 21, 23, 25, 28, 31, 34, 37, 41, 45, 50, 55, 60, 66, 73, 80, 88,
        97, 107, 118, 130, 143, 157, 173, 190, 209, 230, 253, 279, 307, 337, 371, 408, 449, 494, 544, 598, 658,
        724, 796, 876, 963, 1060, 1166, 1282, 1411, 1552, 1707, 1878, 2066, 2272, 2499, 2749, 3024, 3327, 3660,
        4026, 4428, 4871, 5358, 5894, 6484, 7132, 7845, 8630, 9493, 10442, 11487, 12635, 13899, 15289, 16818,
        18500, 20350, 22385, 24623, 27086, 29794, 32767};
    static const int32_t indices[8] = {-1, -1, -1, -1, 2, 4, 6, 8};
    auto diff = [](int32_t s, int c) {
        int32_t d = s >> 3;
        if (c & 4) d += s;
        if (c & 2) d += s >> 1;
        if (c & 1) d += s >> 2;
        return (c & 8) ? -d : d;
    };
    std::string s = "TESK_APC1.20";
    Mot32(s, static_cast<uint32_t>(pcm.size()));
    Mot32(s, Frequence);
    Mot32(s, 0);
    Mot32(s, 0);
    Mot32(s, 0);
    int32_t pred = 0, indice = 0;
    std::vector<uint8_t> codes;
    for (int16_t cible : pcm) {
        int meilleur = 0;
        int64_t ecart = INT64_MAX;
        for (int c = 0; c < 16; ++c) {
            const int64_t p = static_cast<int64_t>(pred) + diff(pas[indice], c);
            if (p < -32768 || p > 32767) continue;
            const int64_t e = std::llabs(p - cible);
            if (e < ecart) {
                ecart = e;
                meilleur = c;
            }
        }
        pred += diff(pas[indice], meilleur);
        indice = std::clamp(indice + indices[meilleur & 7], 0, 88);
        codes.push_back(static_cast<uint8_t>(meilleur));
    }
    if (codes.size() % 2) codes.push_back(0);
    for (size_t i = 0; i < codes.size(); i += 2) s += static_cast<char>(codes[i] << 4 | codes[i + 1]);
    return s;
}

std::string Bloc(const char* id, const std::string& charge) {
    std::string b;
    Mot32(b, static_cast<uint32_t>(8 + charge.size()));
    b += id[0];
    b += id[1];
    b += '\0';
    b += '\0';
    b += charge;
    while (b.size() % 4) b += '\0';   // padding, outside the block's length
    return b;
}

// The movie: `images` frames drawn by `dessiner`, with `musique` (one value -1..1 a sample) or silent.
bool EcrireFilm(const std::filesystem::path& chemin, int images, const std::function<void(Image&, int)>& dessiner,
                const std::function<double(double)>& musique) {
    std::string apc;
    if (musique) {
        std::vector<int16_t> pcm(static_cast<size_t>(images) * 1470);
        for (size_t i = 0; i < pcm.size(); ++i)
            pcm[i] = static_cast<int16_t>(std::lrint(std::clamp(musique(static_cast<double>(i) / Frequence), -1.0, 1.0) * 9000));
        apc = Apc(pcm);
    }
    std::string corps;
    size_t plusGrande = 0;
    Image avant, im(static_cast<size_t>(L) * H);
    for (int k = 0; k < images; ++k) {
        dessiner(im, k);
        std::string ensemble;
        if (!apc.empty() && k == 0) ensemble += Bloc("AA", apc.substr(0, std::min(apc.size(), 32 + 32 * OctetsParImage)));
        const size_t debut = 32 + (31 + static_cast<size_t>(k)) * OctetsParImage;
        if (!apc.empty() && k > 0 && debut < apc.size()) ensemble += Bloc("AA", apc.substr(debut, OctetsParImage));
        std::string image = Coder(im, k == 0 ? nullptr : &avant);
        plusGrande = std::max(plusGrande, image.size());
        ensemble += Bloc("IV", image);
        std::string taille;
        Mot32(taille, static_cast<uint32_t>(4 + ensemble.size()));
        corps += taille + ensemble;
        avant = im;
    }
    std::string e = "RVF6";
    e += '\0';
    e += '\0';
    e += static_cast<char>(apc.empty() ? 0 : 0x20);   // mono 22050 Hz
    e += static_cast<char>(15);
    Mot16(e, L);
    Mot16(e, H);
    Mot32(e, static_cast<uint32_t>(64 + corps.size()));
    Mot32(e, static_cast<uint32_t>(images));
    e += "    ";
    Mot16(e, 0);
    Mot16(e, 0);
    Mot32(e, static_cast<uint32_t>(plusGrande));
    e += std::string(32, '\0');
    std::filesystem::create_directories(chemin.parent_path());
    std::ofstream f(chemin, std::ios::binary);
    f << e << corps;
    return static_cast<bool>(f);
}

// A note with a few harmonics and a soft attack, `t` seconds into it.
double Note(double hertz, double t, double duree) {
    if (t < 0 || t >= duree) return 0;
    const double enveloppe = std::min(1.0, t * 40) * std::min(1.0, (duree - t) * 8);
    const double w = 2 * M_PI * hertz * t;
    return enveloppe * (0.6 * std::sin(w) + 0.25 * std::sin(2 * w) + 0.1 * std::sin(3 * w));
}

// A march: a melody over a bass, one beat every `temps` seconds.
double Marche(double t, const std::vector<double>& melodie, const std::vector<double>& basse, double temps) {
    const auto n = static_cast<size_t>(t / temps);
    const double dans = t - static_cast<double>(n) * temps;
    return 0.55 * Note(melodie[n % melodie.size()], dans, temps) + 0.4 * Note(basse[(n / 2) % basse.size()], dans, temps);
}

bool Cinematiques(const std::string& racine) {
    const std::filesystem::path rvf = std::filesystem::path(racine) / "rvf";
    // The maker's logo: a shield that grows out of the dark, then its name's bar; 1.5 s, silent.
    bool ok = EcrireFilm(rvf / "Tesk.rvs", 22, [](Image& im, int k) {
        std::fill(im.begin(), im.end(), Rgb(1, 1, 3));
        const int r = std::min(k, 12) * 8;
        Rect(im, 320 - r, 200 - r, 320 + r, 200 + r * 2 / 3, Rgb(20, 16, 4));
        Rect(im, 320 - r / 2, 200 - r / 2, 320 + r / 2, 200 + r / 3, Rgb(26, 4, 4));
        if (k >= 12) Rect(im, 220, 330, 220 + (k - 11) * 20, 346, Rgb(24, 24, 26));
    }, nullptr);
    // The intro: a castle at noon, its banners up, an army marching past; 6 s of a march.
    const std::vector<double> melodie = {392, 440, 494, 523, 494, 440, 392, 330, 349, 392, 440, 392};
    ok = ok && EcrireFilm(rvf / "Intro.rvs", 90, [](Image& im, int k) {
        Paysage(im, 300, 8, 14, 28, 20, 24, 30, Rgb(6, 14, 4));
        Chateau(im, 300, 300, k, Rgb(16, 15, 13), Rgb(8, 7, 6));
        Armee(im, 380, k * 6, k, Rgb(26, 4, 4));
    }, [melodie](double t) { return Marche(t, melodie, {196, 147, 165, 131}, 0.25); });
    // The main menu's background: the castle at dusk and an army going round; 4 s that loop
    // (the picture and the music both come back to their start).
    const std::vector<double> soir = {330, 392, 440, 392, 330, 294, 262, 294};
    ok = ok && EcrireFilm(rvf / "Menu.rvf", 60, [](Image& im, int k) {
        Paysage(im, 280, 4, 4, 12, 24, 12, 8, Rgb(3, 7, 3));
        Chateau(im, 190, 280, k % 60, Rgb(9, 8, 9), Rgb(4, 3, 4));
        Armee(im, 360, k * 760 / 60, k, Rgb(6, 8, 24));
    }, [soir](double t) { return Marche(std::fmod(t, 4.0), soir, {131, 110}, 0.5); });
    return ok;
}

FABRIQUE_ETAPE("cinematiques", Cinematiques);

}  // namespace
