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

// ---- sound ---------------------------------------------------------------------------------------

bool Acces_Stereo(const TMAcces* a) { return a->canaux == 2; }
int32_t Acces_Canaux(const TMAcces* a) { return a->canaux; }
int32_t Acces_Frequence(const TMAcces* a) { return a->frequence; }

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
