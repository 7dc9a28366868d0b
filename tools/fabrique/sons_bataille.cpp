// The battle's sounds under Son\ (16-bit mono, 22050 Hz): blows, bow shots and arrow hits,
// deaths, spells and their impacts, siege engines, rumbles and thunder, the gate, level-ups, and
// the masters' voices of selection, move and attack (short motifs sung through vowel formants).
// data/Son/SoundList.ini gives them their ids.
#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <string>

#include "fabrique.h"
#include "synthese.h"

namespace {

using namespace synthese;
namespace fs = std::filesystem;

// Vowel formants (first two, Hz).
struct Voyelle {
    double f1, f2;
};
constexpr Voyelle A{730, 1090}, O{570, 840}, E{530, 1840}, U{320, 870}, I{300, 2200};

double Demiton(double base, double n) { return base * std::pow(2.0, n / 12.0); }

// A voice: a sawtooth gliding through the notes of a motif, shaped by two formants.
struct Voix {
    double base;                 // pitch of note 0, Hz
    std::array<double, 3> notes; // semitones from the base
    std::array<Voyelle, 3> voyelles;
    int nombre;                  // notes sung, 2 or 3
    double duree;                // of one note, s
    double rudesse;              // 0 calm .. 1 a shout (breath and harmonics)
};

bool EcrireVoix(const fs::path& chemin, const Voix& v, uint32_t graine) {
    Oscillateur osc;
    Bruit bruit(graine);
    Resonateur f1(v.voyelles[0].f1, 90), f2(v.voyelles[0].f2, 120);
    double hauteur = Demiton(v.base, v.notes[0]);
    const double total = v.nombre * v.duree + 0.06;
    return EcrireMono(chemin, total, [&](double t) {
        const int n = std::min(v.nombre - 1, static_cast<int>(t / v.duree));
        const double u = t - n * v.duree;
        // Pitch glides towards the note; a light vibrato.
        hauteur += (Demiton(v.base, v.notes[static_cast<size_t>(n)]) - hauteur) * 0.004;
        const double f = hauteur * (1 + 0.012 * Sinus(5.5, t));
        const double source = DentDeScie(osc.Pas(f), 10 + static_cast<int>(8 * v.rudesse)) + 0.35 * v.rudesse * bruit();
        const Voyelle& y = v.voyelles[static_cast<size_t>(n)];
        f1.Regler(y.f1, 90);
        f2.Regler(y.f2, 130);
        const double chant = 2.2 * f1(source) + 1.4 * f2(source) + 0.15 * source;
        // Each syllable swells and fades; the last one is held a little longer.
        const double longueur = n == v.nombre - 1 ? v.duree + 0.06 : v.duree;
        const double e = std::sin(M_PI * std::min(1.0, u / longueur));
        return 0.55 * chant * std::pow(e, 0.6);
    });
}

// The masters' voices, one set per voice: selection (ids +0, +1), move (+2, +3) and attack
// (+4, +5); the last set, of the neutral and converted soldiers, has one id for the first two
// kinds and one for the attack. Each set has its own pitch, roughness, vowels and motifs.
bool Voix_(const fs::path& son) {
    struct Timbre {
        int premier;     // first sound id of the set
        int nombre;      // ids in the set
        double base;     // pitch, Hz
        double rudesse;
        int variantes;   // the first of its motif variants
    };
    // The Empire's soldiers, Light, Justice, Morvane, the Empire's hero, the neutral soldiers.
    static const Timbre timbres[] = {{2100, 6, 150, 0.3, 0}, {2106, 6, 200, 0.15, 2}, {2112, 6, 130, 0.2, 1},
                                     {2118, 6, 95, 0.8, 3}, {2124, 6, 112, 0.5, 2}, {2130, 2, 170, 0.4, 1}};
    // Rising questions, falling acknowledgements, rising shouts.
    static const std::array<double, 3> selection[4] = {{0, 4, 0}, {0, 7, 0}, {2, 7, 0}, {0, 5, 0}};
    static const std::array<double, 3> deplacement[4] = {{5, 0, 0}, {7, 0, 0}, {4, -3, 0}, {7, 2, 0}};
    static const std::array<double, 3> attaque[4] = {{0, 7, 12}, {0, 5, 10}, {-2, 5, 12}, {0, 3, 7}};
    static const std::array<Voyelle, 3> vSelection[4] = {{E, A, A}, {I, E, E}, {O, A, A}, {E, I, I}};
    static const std::array<Voyelle, 3> vDeplacement[4] = {{O, A, A}, {A, O, O}, {U, A, A}, {A, U, U}};
    static const std::array<Voyelle, 3> vAttaque[4] = {{A, A, A}, {A, O, A}, {O, A, A}, {A, E, A}};
    bool ok = true;
    for (const Timbre& tb : timbres) {
        const int parGenre = tb.nombre >= 6 ? 2 : 1;
        for (int i = 0; i < tb.nombre; ++i) {
            const int genre = tb.nombre >= 6 ? i / 2 : (i == 0 ? 0 : 2);
            const int variante = (tb.variantes + i % parGenre) % 4;
            Voix v{};
            v.base = tb.base * (1 + 0.03 * variante);
            if (genre == 0) v = {v.base, selection[variante], vSelection[variante], 2, 0.15, tb.rudesse};
            else if (genre == 1) v = {v.base, deplacement[variante], vDeplacement[variante], 2, 0.14, tb.rudesse};
            else v = {v.base * 1.12, attaque[variante], vAttaque[variante], 3, 0.1, std::min(1.0, tb.rudesse + 0.4)};
            const int id = tb.premier + i;
            ok &= EcrireVoix(son / ("voix" + std::to_string(id) + ".wav"), v, static_cast<uint32_t>(id));
        }
    }
    return ok;
}

// A blow: the swish of the swing, then metal on metal (inharmonic partials) or a dull hit.
bool Coup(const fs::path& chemin, int variante) {
    static const double bases[4] = {620, 760, 0, 0};
    static const double rapports[4] = {1.0, 2.76, 5.4, 8.93};
    Bruit bruit(100 + static_cast<uint32_t>(variante));
    Resonateur souffle(2500, 1800), corps(180 + 40 * variante, 120);
    PasseBas sourd(900);
    const bool metal = bases[variante] > 0;
    return EcrireMono(chemin, 0.32, [&](double t) {
        const double n = bruit();
        // The swing: noise through a band rising in pitch, 0 to 70 ms.
        souffle.Regler(1500 + 30000 * t, 1800);
        double v = t < 0.07 ? 1.6 * souffle(n) * std::sin(M_PI * t / 0.07) : 0.0;
        const double u = t - 0.06;
        if (u >= 0) {
            if (metal) {
                double c = 0;
                for (int k = 0; k < 4; ++k)
                    c += Sinus(bases[variante] * rapports[k], u) * std::exp(-u * (9 + 7 * k)) / (1 + 0.6 * k);
                v += 0.55 * c + 0.9 * n * std::exp(-u * 120);
            } else {
                v += 2.5 * corps(n) * std::exp(-u * 28) + 0.8 * sourd(n) * std::exp(-u * 60);
            }
        }
        return 0.7 * v;
    });
}

// A bow shot: the string's twang, then the arrow's hiss.
bool Arc(const fs::path& chemin, int variante) {
    Bruit bruit(200 + static_cast<uint32_t>(variante));
    Resonateur sifflement(3000, 1500);
    Oscillateur corde;
    const double f = 150 + 22 * variante;
    return EcrireMono(chemin, 0.34, [&](double t) {
        const double p = corde.Pas(f * (1 - 0.15 * std::min(1.0, t * 8)));
        double v = 0.7 * DentDeScie(p, 6) * std::exp(-t * 22);
        const double u = t - 0.03;
        if (u > 0) {
            sifflement.Regler(3500 - 5000 * u, 1500);
            v += 1.5 * sifflement(bruit()) * std::sin(M_PI * std::min(1.0, u / 0.3));
        }
        return 0.75 * v;
    });
}

// An arrow striking home: a short knock and a wooden quiver.
bool Impact(const fs::path& chemin, int variante) {
    Bruit bruit(300 + static_cast<uint32_t>(variante));
    Resonateur bois(420 + 70 * variante, 60);
    return EcrireMono(chemin, 0.2, [&](double t) {
        const double n = bruit();
        return 0.7 * (Sinus(110 + 10 * variante, t) * std::exp(-t * 40) + 0.6 * n * std::exp(-t * 150) +
                      2.0 * bois(n) * std::exp(-t * 25));
    });
}

// A death: a cry falling in pitch through "a" to "o", then the body's fall.
bool Mort(const fs::path& chemin, int variante) {
    static const double hauteurs[4] = {270, 330, 235, 300};
    Bruit bruit(400 + static_cast<uint32_t>(variante));
    Oscillateur osc;
    Resonateur f1(A.f1, 90), f2(A.f2, 130), chute(90, 60);
    return EcrireMono(chemin, 0.75, [&](double t) {
        const double n = bruit();
        double v = 0;
        if (t < 0.5) {
            const double k = t / 0.5;
            const double f = hauteurs[variante] * (1 - 0.45 * k) * (1 + 0.02 * Sinus(7, t));
            const double s = DentDeScie(osc.Pas(f), 12) + 0.3 * n;
            f1.Regler(A.f1 + (O.f1 - A.f1) * k, 90);
            f2.Regler(A.f2 + (O.f2 - A.f2) * k, 130);
            v += (2.2 * f1(s) + 1.2 * f2(s)) * std::sin(M_PI * std::min(1.0, t / 0.5)) * 0.6;
        }
        const double u = t - 0.48;
        if (u > 0) v += 3.0 * chute(n) * std::exp(-u * 18);
        return 1.3 * v;
    });
}

// A spell: a shimmering arpeggio rising over a soft sparkle.
bool Sort(const fs::path& chemin, int variante) {
    static const double racines[4] = {523.25, 587.33, 440.0, 659.25};
    Bruit bruit(500 + static_cast<uint32_t>(variante));
    Resonateur eclat(6000, 2500);
    return EcrireMono(chemin, 0.7, [&](double t) {
        double v = 0;
        for (int k = 0; k < 4; ++k) {
            const double u = t - 0.08 * k;
            if (u < 0) continue;
            const double f = Demiton(racines[variante], k == 3 ? 12 : k * (variante % 2 ? 3 : 4));
            v += Sinus(f * (1 + 0.004 * Sinus(6, t)), u) * std::exp(-u * 5) * std::min(1.0, u * 60);
        }
        v += 1.2 * eclat(bruit()) * std::sin(M_PI * t / 0.7);
        return 0.3 * v;
    });
}

// Noise through a low-pass whose cut-off and level follow the given curves: rumbles, crashes.
bool Grondement(const fs::path& chemin, double duree, uint32_t graine, double coupure, double attaque, double taux,
                double craquements) {
    Bruit bruit(graine);
    PasseBas bas(coupure), bas2(coupure);
    return EcrireMono(chemin, duree, [&](double t) {
        const double n = bruit();
        double v = 4.0 * bas2(bas(n)) * Percussion(t, attaque, taux) * std::fmin(1.0, (duree - t) * 8);
        // Scattered crackles (debris, flames).
        if (craquements > 0 && bruit.Entier(1000) < craquements) v += 0.6 * n;
        return std::fmax(-1.0, std::fmin(1.0, 0.7 * v));
    });
}

bool BouleDeFeu(const fs::path& chemin) {
    Bruit bruit(600);
    Resonateur souffle(400, 500);
    PasseBas bas(700);
    return EcrireMono(chemin, 0.65, [&](double t) {
        souffle.Regler(300 + 1500 * t, 600);
        const double n = bruit();
        return (2.2 * souffle(n) + 3.0 * bas(n)) * std::sin(M_PI * t / 0.65) * 0.45;
    });
}

bool Explosion(const fs::path& chemin) {
    Bruit bruit(601);
    PasseBas bas(3000);
    return EcrireMono(chemin, 0.9, [&](double t) {
        bas.Regler(3000 * std::exp(-t * 5) + 150);
        return std::fmax(-1.0, std::fmin(1.0, 1.3 * bas(bruit()) * Percussion(t, 0.004, 5) + 0.4 * Sinus(55, t) * std::exp(-t * 6)));
    });
}

bool Soin(const fs::path& chemin) {
    static const double notes[4] = {783.99, 987.77, 1174.66, 1567.98};
    return EcrireMono(chemin, 0.8, [](double t) {
        double v = 0;
        for (int k = 0; k < 4; ++k) {
            const double u = t - 0.1 * k;
            if (u >= 0) v += (Sinus(notes[k], u) + 0.3 * Sinus(notes[k] * 2.01, u)) * std::exp(-u * 4.5);
        }
        return 0.28 * v;
    });
}

bool Electricite(const fs::path& chemin) {
    Bruit bruit(602);
    Oscillateur osc;
    return EcrireMono(chemin, 0.45, [&](double t) {
        const double p = osc.Pas(90 + 40 * Sinus(13, t));
        const double carre = p < 0.5 ? 0.5 : -0.5;
        const double n = bruit();
        const double crepite = bruit.Entier(100) < 8 ? n : 0.0;
        return (0.6 * carre + 0.8 * crepite) * Enveloppe(t, 0.005, 0.45);
    });
}

bool Metamorphose(const fs::path& chemin) {
    return EcrireMono(chemin, 0.7, [](double t) {
        // The pitch glides up from 300 Hz and warbles.
        const double phase = 2 * M_PI * (300 * t + 250 * t * t) - (120 / 9.0) * std::cos(2 * M_PI * 9 * t);
        return 0.45 * std::sin(phase + 1.5 * std::sin(2 * phase)) * std::sin(M_PI * t / 0.7);
    });
}

bool Tonnerre(const fs::path& chemin) {
    Bruit bruit(603);
    PasseBas bas(4000), sourd(160), sourd2(160);
    return EcrireMono(chemin, 1.6, [&](double t) {
        const double n = bruit();
        bas.Regler(4000 * std::exp(-t * 12) + 200);
        const double claque = 1.4 * bas(n) * Percussion(t, 0.003, 14);
        const double roule = 7.0 * sourd2(sourd(n)) * Percussion(t - 0.05, 0.15, 1.8) * (1 + 0.4 * Sinus(3, t));
        return std::fmax(-1.0, std::fmin(1.0, claque + roule)) * std::fmin(1.0, (1.6 - t) * 6);
    });
}

// A building brought down: a crash of noise, then rumbling debris.
bool Effondrement(const fs::path& chemin, int niveau) {
    Bruit bruit(700 + static_cast<uint32_t>(niveau));
    PasseBas bas(2500), sourd(200), sourd2(200);
    const double duree = 0.8 + 0.25 * niveau;
    return EcrireMono(chemin, duree, [&](double t) {
        const double n = bruit();
        double v = 1.5 * bas(n) * Percussion(t, 0.005, 9);
        v += 6.0 * sourd2(sourd(n)) * Percussion(t, 0.05, 3.0 - 0.6 * niveau);
        if (bruit.Entier(1000) < 12 + 6 * niveau) v += 0.7 * n * std::exp(-t * 2);
        return std::fmax(-1.0, std::fmin(1.0, 0.6 * v)) * std::fmin(1.0, (duree - t) * 6);
    });
}

// A rising fanfare of square-ish tones for a level gained.
bool Niveau(const fs::path& chemin, int variante) {
    static const double notes[2][4] = {{523.25, 659.25, 783.99, 1046.5}, {587.33, 739.99, 880.0, 1174.66}};
    return EcrireMono(chemin, 0.7, [variante](double t) {
        const int n = std::min(3, static_cast<int>(t / 0.11));
        const double u = t - n * 0.11;
        const double f = notes[variante][n];
        const double ton = Sinus(f, t) + Sinus(3 * f, t) / 3 + Sinus(5 * f, t) / 5;
        return 0.3 * ton * (n == 3 ? std::exp(-u * 4) : std::exp(-u * 10));
    });
}

// The blessing: a swelling chord of soft, slightly detuned voices.
bool Benediction(const fs::path& chemin) {
    static const double notes[4] = {261.63, 329.63, 392.0, 523.25};
    Oscillateur o[8];
    Resonateur f1(O.f1, 120), f2(O.f2, 160);
    return EcrireMono(chemin, 1.2, [&](double t) {
        double s = 0;
        for (int k = 0; k < 8; ++k) s += DentDeScie(o[k].Pas(notes[k / 2] * (k % 2 ? 1.004 : 0.996)), 8);
        return 0.22 * (2.0 * f1(s) + 1.2 * f2(s)) * std::sin(M_PI * t / 1.2);
    });
}

// A summoning: a low drone rising, sparkles over it.
bool Invocation(const fs::path& chemin) {
    Bruit bruit(800);
    Resonateur eclat(5000, 2000);
    Oscillateur osc;
    return EcrireMono(chemin, 0.9, [&](double t) {
        const double drone = DentDeScie(osc.Pas(70 * (1 + t)), 12);
        return (0.5 * drone + 0.9 * eclat(bruit()) * t) * std::sin(M_PI * t / 0.9) * 0.7;
    });
}

// Siege engines: the arm's creak, the thump of the release and the stone's (or bolt's) flight.
bool Engin(const fs::path& chemin, bool catapulte) {
    Bruit bruit(catapulte ? 900 : 901);
    Resonateur grincement(catapulte ? 380 : 600, 40), souffle(1200, 900);
    Oscillateur corde;
    return EcrireMono(chemin, 0.6, [&](double t) {
        const double n = bruit();
        double v = 0;
        if (t < 0.15) v += 3.0 * grincement(n * (std::fmod(t, 0.018) < 0.004 ? 1.0 : 0.1));
        const double u = t - 0.15;
        if (u >= 0) {
            v += (catapulte ? Sinus(65, u) : DentDeScie(corde.Pas(95), 6)) * std::exp(-u * 14);
            souffle.Regler(1200 - 1200 * u, 900);
            v += 1.6 * souffle(n) * std::sin(M_PI * std::min(1.0, u / 0.45));
        }
        return 0.8 * v;
    });
}

// The dragon: a growl under a roar of noise.
bool Dragon(const fs::path& chemin, int variante) {
    Bruit bruit(1000 + static_cast<uint32_t>(variante));
    Oscillateur osc;
    Resonateur gorge(500 + 150 * variante, 400);
    return EcrireMono(chemin, 0.8, [&](double t) {
        const double s = DentDeScie(osc.Pas((75 + 10 * variante) * (1 + 0.1 * Sinus(11, t))), 14) + 0.8 * bruit();
        return 0.55 * (1.8 * gorge(s) + 0.3 * s) * std::sin(M_PI * t / 0.8);
    });
}

// The gate opening: the chain's rattle over the rumble of the portcullis.
bool Herse(const fs::path& chemin) {
    Bruit bruit(1100);
    Resonateur maillon(2200, 300);
    PasseBas sourd(120), sourd2(120);
    return EcrireMono(chemin, 1.1, [&](double t) {
        const double n = bruit();
        const double u = std::fmod(t, 0.055);
        double v = 2.0 * maillon(n * std::exp(-u * 250));
        v += 6.0 * sourd2(sourd(n)) * std::fmin(1.0, t * 10);
        return 0.7 * v * std::fmin(1.0, (1.1 - t) * 8);
    });
}

bool SonsBataille(const std::string& racine) {
    const fs::path son = fs::path(racine) / "Son";
    bool ok = Voix_(son);
    for (int v = 0; v < 4; ++v) {
        const std::string n = std::to_string(v + 1);
        ok &= Coup(son / ("coup" + n + ".wav"), v);
        ok &= Arc(son / ("arc" + n + ".wav"), v);
        ok &= Impact(son / ("impact" + n + ".wav"), v);
        ok &= Mort(son / ("mort" + n + ".wav"), v);
        ok &= Sort(son / ("sort" + n + ".wav"), v);
    }
    for (int v = 0; v < 2; ++v) {
        ok &= Dragon(son / ("dragon" + std::to_string(v + 1) + ".wav"), v);
        ok &= Niveau(son / ("niveau" + std::to_string(v + 1) + ".wav"), v);
    }
    ok &= Engin(son / "catapulte.wav", true);
    ok &= Engin(son / "baliste.wav", false);
    // Earthquake rumbles (three depths) and the rain of fire's crackling roar.
    ok &= Grondement(son / "grondement1.wav", 0.9, 1201, 90, 0.1, 2.5, 0);
    ok &= Grondement(son / "grondement2.wav", 0.9, 1202, 140, 0.05, 3.0, 4);
    ok &= Grondement(son / "grondement3.wav", 0.9, 1203, 220, 0.02, 3.5, 8);
    ok &= Grondement(son / "pluiedefeu.wav", 1.0, 1204, 500, 0.1, 1.5, 40);
    ok &= Grondement(son / "flamme.wav", 0.3, 1205, 1200, 0.01, 8, 60);
    ok &= BouleDeFeu(son / "bouledefeu.wav");
    ok &= Explosion(son / "explosion.wav");
    ok &= Soin(son / "soin.wav");
    ok &= Electricite(son / "electricite.wav");
    ok &= Metamorphose(son / "metamorphose.wav");
    ok &= Tonnerre(son / "tonnerre.wav");
    for (int n = 1; n <= 3; ++n) ok &= Effondrement(son / ("effondrement" + std::to_string(n) + ".wav"), n);
    ok &= Benediction(son / "benediction.wav");
    ok &= Invocation(son / "invocation.wav");
    ok &= Herse(son / "herse.wav");
    return ok;
}

}  // namespace

FABRIQUE_ETAPE("sons de bataille", SonsBataille);
