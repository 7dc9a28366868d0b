#include "media/tmacces.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "platform/fichiers.h"
#include "platform/octets.h"
#include "platform/temps.h"

namespace {

uint32_t Lu32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint16_t Lu16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// Reads n bytes and counts them; false when the file ends first.
bool Lire(TMAcces* a, void* dest, size_t n) {
    if (a->fichier == nullptr) return false;
    size_t lus = std::fread(dest, 1, n, a->fichier);
    a->consommes += static_cast<uint32_t>(lus);
    return lus == n;
}

}  // namespace

int32_t Acces_Ouvrir(TMAcces* a, const char* chemin) {
    Acces_Fermer(a);
    *a = TMAcces{};
    if (chemin == nullptr || (a->fichier = Fichier_Ouvrir(chemin, "rb")) == nullptr) return TM_ERR_PAS_DE_FICHIER;
    // A file shorter than its header is not a movie.
    if (!Lire(a, a->entete, 64)) {
        Acces_Fermer(a);
        return TM_ERR_PAS_RVF6;
    }
    const uint8_t* e = a->entete;
    int32_t resultat = 0;
    const bool v6 = std::memcmp(e, "RVF6", 4) == 0, v5 = std::memcmp(e, "UBB2", 4) == 0;
    const int32_t largeur = static_cast<int16_t>(Lu16(e + 8)), hauteur = static_cast<int16_t>(Lu16(e + 10));
    if (!v6 && !v5) resultat = TM_ERR_PAS_RVF6;
    else if (Lu32(e + 28) == 0) resultat = TM_ERR_IMGLENMAX;
    else if (v5) resultat = (largeur == 320 || largeur == 500 || largeur == 640) ? (e[7] == 8 ? TM_ERR_PAS_RVF6 : TM_ERR_BITS)
                                                                                 : TM_ERR_LARGEUR;
    else if (largeur != 512 && largeur != 640) resultat = TM_ERR_LARGEUR;
    else if (hauteur < 1 || hauteur > 1024) resultat = TM_ERR_LARGEUR;
    else if (e[7] != 15 && e[7] != 16) resultat = TM_ERR_BITS;
    if (resultat != 0) {
        Acces_Fermer(a);
        return resultat;
    }
    a->tailleFichier = Lu32(e + 12);
    a->nbImages = Lu32(e + 16);
    a->vb3 = std::memcmp(e + 20, "V B3", 4) == 0;
    a->sndflag = static_cast<int8_t>(e[6]);
    a->canaux = 1 + ((e[6] >> 7) & 1);
    a->frequence = ((e[6] & 0x60) >> 4) * 11025;
    return 0;
}

void Acces_Fermer(TMAcces* a) {
    if (a->fichier != nullptr) std::fclose(a->fichier);
    a->fichier = nullptr;
}

int32_t Acces_Largeur(const TMAcces* a) { return static_cast<int16_t>(Lu16(a->entete + 8)); }
int32_t Acces_Hauteur(const TMAcces* a) { return static_cast<int16_t>(Lu16(a->entete + 10)); }
int32_t Acces_Bits(const TMAcces* a) { return a->entete[7]; }
bool Acces_ASon(const TMAcces* a) { return a->sndflag != 0; }

int32_t Acces_EnsembleSuivant(TMAcces* a) {
    uint8_t b[4];
    int32_t resultat = 0;
    if (!Lire(a, b, 4) || Lu32(b) == 0) resultat = TM_ERR_LONGUEUR_NULLE;
    else a->resteEnsemble = static_cast<int32_t>(Lu32(b)) - 4;
    if (resultat != 0 || Acces_FinAtteinte(a)) a->fin = true;
    return resultat;
}

int32_t Acces_BlocSuivant(TMAcces* a) {
    uint8_t b[8];
    // A block shorter than its own header is refused like an empty one.
    if (!Lire(a, b, 8) || Lu32(b) < 8) {
        a->fin = true;
        return TM_ERR_LONGUEUR_NULLE;
    }
    a->charge = static_cast<int32_t>(Lu32(b) - 8);
    a->id[0] = static_cast<char>(b[4]);
    a->id[1] = static_cast<char>(b[5]);
    a->align = b[7];
    if (Acces_FinAtteinte(a)) {
        a->fin = true;
        return 0;
    }
    if (!Acces_BlocImage(a) && !Acces_BlocSon(a)) {
        a->id[0] = a->id[1] = 0;
        return TM_ERR_BLOC_INCONNU;
    }
    if (a->vb3 && a->align > a->charge) return TM_ERR_LONGUEUR_NULLE;
    a->resteEnsemble -= 8;
    return 0;
}

bool Acces_BlocImage(const TMAcces* a) { return a->id[0] == 'I' && (a->id[1] == 'V' || a->id[1] == 'X'); }
bool Acces_BlocSon(const TMAcces* a) {
    return (a->id[0] == 'A' && a->id[1] == 'A') || (a->id[0] == 'B' && a->id[1] == 'B');
}

int32_t Acces_OctetsALire(const TMAcces* a) { return a->vb3 ? a->charge : (a->charge + 3) & ~3; }
int32_t Acces_OctetsDonnees(const TMAcces* a) { return a->vb3 ? a->charge - a->align : a->charge; }

int32_t Acces_LireBloc(TMAcces* a, std::vector<uint8_t>& dest, int32_t* longueur) {
    const int32_t lire = Acces_OctetsALire(a), donnees = Acces_OctetsDonnees(a);
    // Room for every byte read, whichever of the two counts is larger.
    const size_t place = static_cast<size_t>((std::max(lire, donnees) + 3) & ~3);
    if (dest.size() < place) dest.resize(place);
    const uint32_t avant = a->consommes;
    const bool complet = Lire(a, dest.data(), static_cast<size_t>(lire));
    a->resteEnsemble -= static_cast<int32_t>(a->consommes - avant);
    *longueur = donnees;
    if (!complet || Acces_FinAtteinte(a)) {
        if (!complet) a->fin = true;
        return complet ? 0 : TM_ERR_LONGUEUR_NULLE;
    }
    return 0;
}

bool Acces_FinAtteinte(const TMAcces* a) { return a->consommes >= a->tailleFichier; }
bool Acces_EnsembleEpuise(const TMAcces* a) { return a->resteEnsemble < 1; }
bool Acces_DerniereImage(const TMAcces* a) { return a->fin || a->imagesMontrees + 1 >= a->nbImages; }
void Acces_CompterImages(TMAcces* a, uint32_t n) { a->imagesMontrees += n; }

// ---- frames ------------------------------------------------------------------------------------
//
// A frame payload: "FRM1", a kind byte (0 raw, 1 run-coded), a zero byte, a zero 16-bit word, the
// body's length (32 bits), then the body. Raw: width x height 16-bit pixels, rows top-down, in
// the movie's format (15 bits 5-5-5, 16 bits 5-6-5). Run-coded: 16-bit operations until the frame
// is full: 0x0000 | n copies n pixels of the previous frame, 0x4000 | n gives n pixels that follow,
// 0x8000 | n repeats the one pixel that follows n times (n from 1 to 0x3FFF).

namespace {
std::atomic<int32_t> bitsFilm{0};

uint16_t VersEcran(uint16_t p) {
    if (bitsFilm == 16) return static_cast<uint16_t>(((p >> 1) & 0x7FE0) | (p & 0x001F));
    return static_cast<uint16_t>(p & 0x7FFF);
}
}  // namespace

int32_t Acces_ChargerCodec(const uint8_t* entete) {
    const int32_t largeur = static_cast<int16_t>(Lu16(entete + 8)), hauteur = static_cast<int16_t>(Lu16(entete + 10));
    if (largeur != 512 && largeur != 640 && largeur != 800 && largeur != 1024) return TM_ERR_LARGEUR;
    if (hauteur <= 0 || (entete[7] != 15 && entete[7] != 16)) return TM_ERR_INIT_CODEC;
    bitsFilm = entete[7];
    return 0;
}

void Acces_LibererCodec() { bitsFilm = 0; }

void Acces_DecoderImage(const uint8_t* donnees, int32_t longueur, const uint16_t* precedent, uint16_t* courant,
                        int32_t largeur, int32_t hauteur) {
    const size_t total = static_cast<size_t>(largeur) * static_cast<size_t>(hauteur);
    size_t fait = 0;
    if (donnees != nullptr && longueur >= 12 && std::memcmp(donnees, "FRM1", 4) == 0) {
        const uint8_t genre = donnees[4];
        const size_t corps = std::min<size_t>(Lu32(donnees + 8), static_cast<size_t>(longueur) - 12);
        const uint8_t* p = donnees + 12;
        const uint8_t* finCorps = p + corps;
        if (genre == 0) {
            size_t n = std::min(total, corps / 2);
            for (; fait < n; ++fait) courant[fait] = VersEcran(Lu16(p + fait * 2));
        } else if (genre == 1) {
            while (fait < total && p + 2 <= finCorps) {
                const uint16_t op = Lu16(p);
                p += 2;
                const size_t n = op & 0x3FFF;
                if (n == 0 || n > total - fait) break;
                if ((op & 0xC000) == 0x0000) {
                    for (size_t i = 0; i < n; ++i, ++fait) courant[fait] = precedent[fait];
                } else if ((op & 0xC000) == 0x4000) {
                    if (static_cast<size_t>(finCorps - p) < n * 2) break;
                    for (size_t i = 0; i < n; ++i, ++fait, p += 2) courant[fait] = VersEcran(Lu16(p));
                } else if ((op & 0xC000) == 0x8000) {
                    if (finCorps - p < 2) break;
                    const uint16_t v = VersEcran(Lu16(p));
                    p += 2;
                    for (size_t i = 0; i < n; ++i, ++fait) courant[fait] = v;
                } else {
                    break;
                }
            }
        }
    }
    // What the payload did not give is the previous frame's.
    if (fait < total) std::memcpy(courant + fait, precedent + fait, (total - fait) * 2);
}

// ---- clock ---------------------------------------------------------------------------------------

namespace {
std::atomic<double> tempsEnPause{0.0};
std::atomic<double> debutPause{0.0};
std::atomic<bool> horlogeArretee{false};
}  // namespace

// While paused the clock stands still: a thread that waits on it waits for the resume.
double Acces_Maintenant() {
    if (horlogeArretee) return debutPause.load() - tempsEnPause.load();
    return static_cast<double>(Temps_Ticks()) - tempsEnPause.load();
}

void Acces_PauseHorloge() {
    debutPause = static_cast<double>(Temps_Ticks());
    horlogeArretee = true;
}

void Acces_RepriseHorloge() {
    if (!horlogeArretee) return;
    tempsEnPause = tempsEnPause.load() + static_cast<double>(Temps_Ticks()) - debutPause.load();
    horlogeArretee = false;
}
