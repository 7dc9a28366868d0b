#include "media/tmacces.h"

#include <algorithm>
#include <atomic>
#include <cstring>

#include "platform/fichiers.h"
#include "platform/octets.h"
#include "platform/son.h"
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

// ---- sound ---------------------------------------------------------------------------------------

bool Acces_Stereo(const TMAcces* a) { return a->canaux == 2; }
int32_t Acces_Canaux(const TMAcces* a) { return a->canaux; }
int32_t Acces_Frequence(const TMAcces* a) { return a->frequence; }

namespace {

const int32_t TablePas[89] = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,    25,    28,
    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,    88,    97,    107,   118,
    130,   143,   157,   173,   190,   209,   230,   253,   279,   307,   337,   371,   408,   449,   494,
    544,   598,   658,   724,   796,   876,   963,   1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,
    2272,  2499,  2749,  3024,  3327,  3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,
    9493,  10442, 11487, 12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};
const int32_t TableIndice[8] = {-1, -1, -1, -1, 2, 4, 6, 8};

int16_t Code(TMApc* apc, int canal, uint8_t c) {
    const int32_t s = apc->pas[canal];
    int32_t diff = s >> 3;
    if (c & 4) diff += s;
    if (c & 2) diff += s >> 1;
    if (c & 1) diff += s >> 2;
    if (c & 8) diff = -diff;
    // Kept as a 32-bit sum, not clamped; the sample is its low 16 bits.
    apc->predicteur[canal] = static_cast<int32_t>(static_cast<uint32_t>(apc->predicteur[canal]) + static_cast<uint32_t>(diff));
    apc->indice[canal] = std::clamp(apc->indice[canal] + TableIndice[c & 7], 0, 88);
    apc->pas[canal] = TablePas[apc->indice[canal]];
    return static_cast<int16_t>(static_cast<uint16_t>(apc->predicteur[canal] & 0xFFFF));
}

}  // namespace

int32_t Acces_ApcEntete(const uint8_t* donnees, int32_t longueur, TMApc* apc) {
    if (donnees == nullptr || apc == nullptr || longueur < 32) return TM_ERR_APC;
    if (std::memcmp(donnees, "TESK_APC", 8) != 0 || std::memcmp(donnees + 8, "1.20", 4) != 0) return TM_ERR_APC;
    *apc = TMApc{};
    apc->stereo = Lu32(donnees + 28) & 1;
    apc->total = Lu32(donnees + 12);
    apc->frequence = Lu32(donnees + 16);
    apc->restant = static_cast<int32_t>(std::min<uint32_t>(apc->total, 0x7FFFFFFF));
    apc->predicteur[0] = static_cast<int32_t>(Lu32(donnees + 20));
    apc->predicteur[1] = static_cast<int32_t>(Lu32(donnees + 24));
    apc->donnees = donnees + 32;
    apc->finDonnees = donnees + longueur;
    return 0;
}

void Acces_ApcBloc(TMApc* apc, const uint8_t* donnees, int32_t longueur) {
    apc->donnees = donnees;
    apc->finDonnees = donnees + std::max(longueur, 0);
}

void Acces_ApcDecoder(TMApc* apc, int16_t* sortie, int32_t trames, int32_t* manque) {
    int32_t n = std::max(0, std::min(trames, apc->restant)), faites = 0;
    for (; faites < n; ++faites) {
        if (apc->stereo) {
            if (apc->donnees >= apc->finDonnees) break;
            apc->octet = *apc->donnees++;
            *sortie++ = Code(apc, 0, static_cast<uint8_t>(apc->octet >> 4));
            *sortie++ = Code(apc, 1, static_cast<uint8_t>(apc->octet & 15));
        } else {
            apc->phase ^= 1;
            if (apc->phase == 1) {
                if (apc->donnees >= apc->finDonnees) {
                    apc->phase = 0;
                    break;
                }
                apc->octet = *apc->donnees++;
                *sortie++ = Code(apc, 0, static_cast<uint8_t>(apc->octet >> 4));
            } else {
                *sortie++ = Code(apc, 0, static_cast<uint8_t>(apc->octet & 15));
            }
        }
    }
    apc->restant -= faites;
    if (manque) *manque = trames - faites;
}

// ---- the sound stream ------------------------------------------------------------------------

namespace {
void SegmentJoue(void* contexte, uint32_t index) {
    auto* f = static_cast<TMFlux*>(contexte);
    if (index < f->joues.size()) f->joues[index]->Signaler();
}
}  // namespace

int32_t Acces_FluxCreer(TMFlux* f, SonObjet* son, int32_t canaux, int32_t frequence, int32_t segments,
                        int32_t tailleSegment) {
    Acces_FluxLiberer(f);
    if (son == nullptr) return TM_ERR_PAS_DE_DIRECTSOUND;
    if (segments < 1 || tailleSegment < 4 || canaux < 1 || canaux > 2) return TM_ERR_DIRECTSOUND;
    FormatOnde format;
    format.format = 1;
    format.canaux = static_cast<uint16_t>(canaux);
    format.frequence = static_cast<uint32_t>(frequence);
    format.alignement = static_cast<uint16_t>(2 * canaux);
    format.octetsParSeconde = format.frequence * format.alignement;
    format.bits = 16;
    const uint32_t taille = static_cast<uint32_t>(segments) * static_cast<uint32_t>(tailleSegment);
    int32_t r = SonObjet_CreerTampon(son, TAMPON_POSITION2 | TAMPON_CTRL_NOTIFICATION | TAMPON_CTRL_VOLUME, taille,
                                     &format, &f->tampon);
    if (r != 0 || f->tampon == nullptr) {
        lastdxerror = r;
        f->tampon = nullptr;
        return TM_ERR_DIRECTSOUND;
    }
    f->segments = segments;
    f->tailleSegment = tailleSegment;
    std::vector<uint32_t> positions;
    for (int32_t i = 0; i < segments; ++i) {
        f->joues.push_back(std::make_unique<TMEvenement>(true));
        positions.push_back(static_cast<uint32_t>((i + 1) * tailleSegment - 1));
    }
    // Silence until the segments are filled.
    void* p1 = nullptr;
    void* p2 = nullptr;
    uint32_t n1 = 0, n2 = 0;
    if (TamponSon_Verrouiller(f->tampon, 0, taille, 0, &p1, &n1, &p2, &n2) == 0) {
        if (p1) std::memset(p1, 0, n1);
        TamponSon_Deverrouiller(f->tampon, p1, n1, p2, n2);
    }
    r = TamponSon_Notifications(f->tampon, static_cast<uint32_t>(segments), positions.data(), SegmentJoue, f);
    if (r != 0) {
        lastdxerror = r;
        Acces_FluxLiberer(f);
        return TM_ERR_DIRECTSOUND;
    }
    return 0;
}

int32_t Acces_FluxEcrire(TMFlux* f, int32_t segment, int32_t decalage, const uint8_t* octets, int32_t n) {
    if (f->tampon == nullptr) return TM_ERR_PAS_DE_FLUX;
    if (segment < 0 || segment >= f->segments || decalage < 0 || n <= 0 || decalage + n > f->tailleSegment) return 0;
    void* p1 = nullptr;
    void* p2 = nullptr;
    uint32_t n1 = 0, n2 = 0;
    const uint32_t debut = static_cast<uint32_t>(segment * f->tailleSegment + decalage);
    int32_t r = TamponSon_Verrouiller(f->tampon, debut, static_cast<uint32_t>(n), 0, &p1, &n1, &p2, &n2);
    if (r != 0) {
        lastdxerror = r;
        return TM_ERR_DIRECTSOUND;
    }
    if (p1) std::memcpy(p1, octets, std::min<uint32_t>(n1, static_cast<uint32_t>(n)));
    TamponSon_Deverrouiller(f->tampon, p1, n1, p2, n2);
    return 0;
}

int32_t Acces_FluxJouer(TMFlux* f) {
    if (f->tampon == nullptr) return TM_ERR_PAS_DE_FLUX;
    int32_t r = TamponSon_Jouer(f->tampon, JOUER_BOUCLE);
    if (r != 0) lastdxerror = r;
    return r == 0 ? 0 : TM_ERR_DIRECTSOUND;
}

int32_t Acces_FluxArreter(TMFlux* f) {
    if (f->tampon == nullptr) return TM_ERR_PAS_DE_FLUX;
    int32_t r = TamponSon_Arreter(f->tampon);
    if (r != 0) lastdxerror = r;
    return r == 0 ? 0 : TM_ERR_DIRECTSOUND;
}

void Acces_FluxLiberer(TMFlux* f) {
    if (f->tampon != nullptr) {
        TamponSon_Arreter(f->tampon);
        TamponSon_Liberer(f->tampon);
    }
    f->tampon = nullptr;
    f->segments = 0;
    f->tailleSegment = 0;
    f->joues.clear();
}
