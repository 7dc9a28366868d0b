#include "media/dxdiag.h"

#include <cstdio>

#include "foundation/ecran.h"
#include "media/tmhorloge.h"
#include "platform/son.h"

namespace {

struct Texte {
    int32_t code;
    const char* texte;
};

// The results of our display and sound services.
const Texte Textes[] = {
    {0, "The request completed successfully."},
    {SON_ERREUR_PARAMETRE, "An invalid parameter was passed to the returning function."},
    {SON_ERREUR_PERIPHERIQUE, "No sound driver is available for use, or the device could not be opened."},
    {SON_ERREUR_MEMOIRE, "Not enough memory to complete the request."},
    {SON_ERREUR_FORMAT, "The requested wave format is not supported."},
    {SON_ERREUR_INTERDIT, "The function called is not allowed on this buffer."},
};

char tampon[256];

void Masque(uint32_t masque, int32_t* decalage, int32_t* bits) {
    *decalage = *bits = 0;
    if (masque == 0) return;
    while (((masque >> *decalage) & 1) == 0) ++*decalage;
    while (*decalage + *bits < 32 && ((masque >> (*decalage + *bits)) & 1) != 0) ++*bits;
}

}  // namespace

const char* DX_ErrorText(const char* module, int ligne, int32_t resultat) {
    const char* texte = "DIRECTX UNKNOWN ERROR!!!";
    for (const auto& t : Textes)
        if (t.code == resultat) texte = t.texte;
    std::snprintf(tampon, sizeof tampon, "%s(%d): %s\n", module != nullptr ? module : "", ligne, texte);
    return tampon;
}

bool DX_AnalysePixelFormat(const FormatPixel* f, AnalyseFormat* a) {
    if (f == nullptr || a == nullptr) return false;
    if (f->drapeaux & FORMAT_PALETTE8) {
        *a = AnalyseFormat{};
        a->totalBits = 8, a->octets = 1, a->palette = true;
        return true;
    }
    if (f->drapeaux & (FORMAT_PALETTE1 | FORMAT_PALETTE2 | FORMAT_PALETTE4 | FORMAT_PALETTE_VERS8)) return false;
    AnalyseFormat r;
    r.masqueRouge = f->masqueRouge, r.masqueVert = f->masqueVert, r.masqueBleu = f->masqueBleu;
    r.masqueAlpha = (f->drapeaux & FORMAT_ALPHA) ? f->masqueAlpha : 0;
    Masque(r.masqueRouge, &r.decalageRouge, &r.bitsRouge);
    Masque(r.masqueVert, &r.decalageVert, &r.bitsVert);
    Masque(r.masqueBleu, &r.decalageBleu, &r.bitsBleu);
    Masque(r.masqueAlpha, &r.decalageAlpha, &r.bitsAlpha);
    r.totalBits = r.bitsRouge + r.bitsVert + r.bitsBleu + r.bitsAlpha;
    r.octets = r.totalBits <= 8 ? 1 : r.totalBits <= 16 ? 2 : r.totalBits <= 24 ? 3 : r.totalBits <= 32 ? 4 : r.totalBits / 8 + 1;
    if (static_cast<int32_t>(f->bitsParPixel) != r.totalBits)
        TM_Log("Format should be %d RGB bits instead of %d!", static_cast<int32_t>(f->bitsParPixel), r.totalBits);
    *a = r;
    return true;
}

void DX_DumpPixelFormat(const AnalyseFormat* a) {
    if (a == nullptr) return;
    TM_Log("Surface Format :");
    TM_Log("\tPalettized                     : %s", a->palette ? "yes" : "no");
    TM_Log("\tTotal Bits                     : %d", a->totalBits);
    TM_Log("\tTotal Bytes                    : %d", a->octets);
    const struct {
        const char* nom;
        int32_t bits, decalage;
        uint32_t masque;
    } canaux[] = {{"\tRed", a->bitsRouge, a->decalageRouge, a->masqueRouge},
                  {"\tGreen", a->bitsVert, a->decalageVert, a->masqueVert},
                  {"\tBlue", a->bitsBleu, a->decalageBleu, a->masqueBleu}};
    for (const auto& c : canaux) {
        TM_Log("%s", c.nom);
        TM_Log("\t    Bits                       : %d", c.bits);
        TM_Log("\t    Shifts                     : %d", c.decalage);
        TM_Log("\t    Mask                       : %8x", c.masque);
    }
}

int32_t DDMgr_RGBBitsOf(const AnalyseFormat* a) {
    if (a == nullptr) return 0;
    return (a->totalBits == 15 || a->totalBits == 16 || a->totalBits == 24) ? a->totalBits : 0;
}

void DDMgr_ModeFor(int32_t largeur, int32_t hauteur, int32_t* ml, int32_t* mh) {
    if (largeur <= 320) *ml = 320, *mh = hauteur <= 200 ? 200 : 240;
    else if (largeur <= 400) *ml = 400, *mh = 300;
    else if (largeur <= 512) *ml = 512, *mh = 384;
    else if (largeur <= 640) *ml = 640, *mh = hauteur <= 400 ? 400 : 480;
    else if (largeur <= 800) *ml = 800, *mh = 600;
    else *ml = 1024, *mh = 768;
}
