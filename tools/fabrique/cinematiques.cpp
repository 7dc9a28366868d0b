// Sample movies under rvf\: the maker's logo "Tesk.rvs" (silent), the intro "Intro.rvs" with its
// music, the main menu's background "Menu.rvf" with a music that loops with the picture, the
// leader's fall "Orv0001.rvs" (a lost tutorial, the leader dead in battle) and a region won
// "FinRegion.rvs" (a region ending with a movie).
// RVF6 files of 640 x 480 frames at 15 a second, with mono 22050 Hz sound, by the movie writer.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "fabrique.h"
#include "media/rvfecriture.h"

namespace {

constexpr int L = 640, H = 480;
constexpr int Frequence = 22050;

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

// The movie: `images` frames drawn by `dessiner`, with `musique` (one value -1..1 a sample) or silent.
bool EcrireFilm(const std::filesystem::path& chemin, int images, const std::function<void(Image&, int)>& dessiner,
                const std::function<double(double)>& musique) {
    FilmSource film;
    Image im(static_cast<size_t>(L) * H);
    for (int k = 0; k < images; ++k) {
        dessiner(im, k);
        film.images.push_back(im);
    }
    if (musique) {
        film.pcm.resize(static_cast<size_t>(images) * Frequence / 15);
        for (size_t i = 0; i < film.pcm.size(); ++i)
            film.pcm[i] = static_cast<int16_t>(
                std::lrint(std::clamp(musique(static_cast<double>(i) / Frequence), -1.0, 1.0) * 9000));
    }
    std::filesystem::create_directories(chemin.parent_path());
    return RVF_EcrireFichier(chemin.string(), film);
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
    // The leader's fall: a red banner on a field at dusk leans and falls while the light goes;
    // 2 s of a slow falling tone.
    ok = ok && EcrireFilm(rvf / "Orv0001.rvs", 30, [](Image& im, int k) {
        const int nuit = std::min(k, 24);
        Paysage(im, 300, 14 - nuit / 2, 6 - nuit / 5, 8 - nuit / 4, 24 - nuit, 10 - nuit / 3, 4, Rgb(5 - nuit / 6, 6 - nuit / 5, 2));
        const int penche = std::min(k * 6, 120);   // the mast's top, moving right and down
        for (int i = 0; i < 20; ++i) {
            const int x = 300 + penche * i / 20, y = 300 - (200 - penche * penche / 80) * i / 20;
            Rect(im, x, y - 10, x + 5, y, Rgb(10, 8, 6));
        }
        const int bx = 300 + penche, by = 300 - (200 - penche * penche / 80);
        Rect(im, bx, by, bx + 40, by + 26, Rgb(26 - nuit / 2, 3, 3));
    }, [](double t) { return 0.7 * Note(220.0 - t * 40.0, t, 2.0); });
    // A region won: at dawn the castle raises the player's blue banner to the top of its tower;
    // 2 s of a rising call.
    ok = ok && EcrireFilm(rvf / "FinRegion.rvs", 30, [](Image& im, int k) {
        Paysage(im, 300, 10 + k / 3, 12 + k / 4, 20, 30, 22, 14, Rgb(6, 14, 4));
        Chateau(im, 190, 300, 0, Rgb(16, 15, 13), Rgb(8, 7, 6));
        const int haut = 300 - 60 - std::min(k, 24) * 7;   // along the left tower's mast
        Rect(im, 186, haut, 216, haut + 20, Rgb(4, 8, 28));
    }, [](double t) {
        const double notes[3] = {392, 523, 659};
        const int n = std::min(static_cast<int>(t / 0.5), 2);
        return Note(notes[n], t - n * 0.5, n == 2 ? 1.5 : 0.5);
    });
    return ok;
}

FABRIQUE_ETAPE("cinematiques", Cinematiques);

}  // namespace
