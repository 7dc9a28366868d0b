// Tracks 3 to 15 of the virtual CD under Musique\ (track 2 is written with the sounds): short
// looping pieces, each in its own key, mode and tempo, with a bass, a soft chord, a melody drawn
// from a fixed seed and, for the battle tracks, drums. The castle's tracks (12 to 15) are calm.
// 16-bit mono at 11025 Hz keeps the thirteen tracks near 2.3 MB.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "fabrique.h"
#include "synthese.h"

namespace {

using namespace synthese;

constexpr uint32_t FREQUENCE = 11025;

struct Piece {
    int piste;
    double tonique;            // Hz of the key's first degree (bass octave)
    std::array<int, 7> mode;   // semitones of the seven degrees
    double tempo;              // beats per minute
    std::array<int, 4> accords;// degree (0..6) of each bar's chord, repeated
    int mesures;               // bars in the piece
    double batterie;           // drum level, 0 for none
    double eclat;              // melody brightness (weight of its upper harmonics)
};

constexpr std::array<int, 7> MAJEUR{0, 2, 4, 5, 7, 9, 11}, MINEUR{0, 2, 3, 5, 7, 8, 10}, DORIEN{0, 2, 3, 5, 7, 9, 10},
    MIXOLYDIEN{0, 2, 4, 5, 7, 9, 10}, PHRYGIEN{0, 1, 3, 5, 7, 8, 10};

const Piece Pieces[] = {
    {3, 110.00, MINEUR, 132, {0, 5, 2, 6}, 4, 1.0, 0.5},
    {4, 98.00, DORIEN, 118, {0, 3, 0, 4}, 4, 0.9, 0.4},
    {5, 123.47, PHRYGIEN, 140, {0, 1, 0, 6}, 5, 1.0, 0.6},
    {6, 87.31, MAJEUR, 110, {0, 4, 5, 3}, 4, 0.7, 0.3},
    {7, 103.83, MINEUR, 150, {0, 6, 5, 4}, 5, 1.0, 0.7},
    {8, 116.54, MIXOLYDIEN, 124, {0, 6, 3, 0}, 4, 0.8, 0.5},
    {9, 92.50, MINEUR, 96, {0, 3, 4, 0}, 3, 0.6, 0.3},
    {10, 130.81, DORIEN, 144, {0, 3, 6, 4}, 5, 1.0, 0.6},
    {11, 82.41, PHRYGIEN, 104, {0, 1, 6, 0}, 4, 0.8, 0.4},
    {12, 130.81, MAJEUR, 84, {0, 3, 4, 0}, 3, 0.0, 0.2},
    {13, 110.00, DORIEN, 78, {0, 3, 0, 6}, 3, 0.0, 0.2},
    {14, 146.83, MAJEUR, 90, {0, 5, 3, 4}, 3, 0.0, 0.3},
    {15, 98.00, MINEUR, 72, {0, 5, 3, 4}, 2, 0.0, 0.2},
};

double Degre(const Piece& p, int degre, int octave) {
    const int d = ((degre % 7) + 7) % 7;
    const int o = octave + (degre - d) / 7;
    return p.tonique * std::pow(2.0, o + p.mode[static_cast<size_t>(d)] / 12.0);
}

// A note of the melody: its start in eighths, its length in eighths and its pitch (0 for a rest).
struct Note {
    int debut, longueur;
    double hauteur;
};

std::vector<Note> Melodie(const Piece& p) {
    Bruit hasard(static_cast<uint32_t>(p.piste * 97));
    std::vector<Note> notes;
    int degre = 4;
    const int huitiemes = p.mesures * 8;
    for (int i = 0; i < huitiemes;) {
        const int accord = p.accords[static_cast<size_t>((i / 8) % 4)];
        int longueur = 1 + hasard.Entier(p.batterie > 0 ? 2 : 3);
        if (i % 8 == 0) {
            // Bars begin on a tone of their chord.
            degre = accord + 2 * hasard.Entier(3) + 7;
            longueur = 2;
        } else {
            degre += hasard.Entier(5) - 2;
            degre = std::max(5, std::min(14, degre));
        }
        longueur = std::min(longueur, huitiemes - i);
        const bool silence = i % 8 != 0 && hasard.Entier(6) == 0;
        notes.push_back({i, longueur, silence ? 0.0 : Degre(p, degre, 1)});
        i += longueur;
    }
    return notes;
}

bool EcrirePiece(const std::filesystem::path& dossier, const Piece& p) {
    const double temps = 60.0 / p.tempo;   // one beat, s
    const double mesure = 4 * temps;
    const double duree = p.mesures * mesure;
    const std::vector<Note> melodie = Melodie(p);
    Bruit bruit(static_cast<uint32_t>(p.piste));
    PasseBas caisse(2500, FREQUENCE);
    size_t courante = 0;
    char nom[32];
    std::snprintf(nom, sizeof nom, "Piste%02d.wav", p.piste);
    return EcrireWav(dossier / nom, {1, 16, FREQUENCE}, duree, [&](double t, double* g, double* d) {
        const int m = static_cast<int>(t / mesure);
        const double dansMesure = t - m * mesure;
        const int accord = p.accords[static_cast<size_t>(m % 4)];
        // Bass: the chord's root, struck on each beat (held for the calm pieces).
        const double battement = p.batterie > 0 ? std::fmod(dansMesure, temps) : dansMesure;
        const double fb = Degre(p, accord, 0);
        double v = 0.28 * (Sinus(fb, t) + 0.3 * Sinus(2 * fb, t)) * std::exp(-battement * (p.batterie > 0 ? 3 : 0.6));
        // Chord: the three tones soft, swelling over the bar.
        double accordV = 0;
        for (int k = 0; k < 3; ++k) accordV += Sinus(Degre(p, accord + 2 * k, 1), t);
        v += 0.06 * accordV * (0.6 + 0.4 * std::sin(M_PI * dansMesure / mesure));
        // Melody.
        const double huitieme = temps / 2;
        while (courante + 1 < melodie.size() && melodie[courante + 1].debut * huitieme <= t) ++courante;
        const Note& n = melodie[courante];
        if (n.hauteur > 0) {
            const double u = t - n.debut * huitieme;
            const double longueur = n.longueur * huitieme;
            const double env = std::min(1.0, u * 80) * std::exp(-u * 3) * std::min(1.0, (longueur - u) * 40);
            v += 0.22 * env *
                 (Sinus(n.hauteur, t) + p.eclat * Sinus(2 * n.hauteur, t) / 2 + p.eclat * Sinus(3 * n.hauteur, t) / 3);
        }
        // Drums: a kick on beats 1 and 3, a snare of noise on 2 and 4.
        if (p.batterie > 0) {
            const int temp = static_cast<int>(dansMesure / temps);
            const double u = std::fmod(dansMesure, temps);
            const double b = bruit();
            if (temp % 2 == 0) v += p.batterie * 0.45 * std::sin(2 * M_PI * (50 * u + 60 * (1 - std::exp(-u * 30)) / 30)) * std::exp(-u * 12);
            else v += p.batterie * 0.25 * caisse(b) * std::exp(-u * 18);
        }
        // A short fade at both ends so that the loop does not click.
        v *= std::min(1.0, std::min(t, duree - t) * 50);
        *g = *d = v;
    });
}

bool Pistes(const std::string& racine) {
    const std::filesystem::path dossier = std::filesystem::path(racine) / "Musique";
    bool ok = true;
    for (const Piece& p : Pieces) ok &= EcrirePiece(dossier, p);
    return ok;
}

}  // namespace

FABRIQUE_ETAPE("pistes", Pistes);
