#include "media/tmacces.h"

#include <algorithm>
#include <cstring>

#include "platform/son.h"

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
