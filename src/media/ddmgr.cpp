#include "media/ddmgr.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "media/tmhorloge.h"

namespace {

int objetPropre = 0;   // what stands for a display object made here

void FormatDisplay(FormatPixel* f) {
    *f = FormatPixel{};
    f->drapeaux = FORMAT_RVB;
    f->bitsParPixel = 16;
    f->masqueRouge = 0x7C00, f->masqueVert = 0x03E0, f->masqueBleu = 0x001F;
}

void Analyser(DDMgr* m) {
    DX_AnalysePixelFormat(&m->format, &m->analyse);
    m->flags |= 1u << 22;
}

// Copies `s` into `d` at (x, y), clipped to `d`.
void Copier(SurfaceImage* d, const uint16_t* pd, SurfaceImage* s, const uint16_t* ps, int x, int y) {
    for (int ligne = 0; ligne < s->hauteur; ++ligne) {
        const int yd = y + ligne;
        if (yd < 0 || yd >= d->hauteur) continue;
        const int x0 = std::max(0, -x), x1 = std::min(s->largeur, d->largeur - x);
        if (x1 <= x0) continue;
        std::memcpy(const_cast<uint16_t*>(pd) + static_cast<size_t>(yd) * d->pas + x + x0,
                    ps + static_cast<size_t>(ligne) * s->pas + x0, static_cast<size_t>(x1 - x0) * 2);
    }
}

}  // namespace

void DDMgr_Reset(DDMgr* m) { *m = DDMgr{}; }

void DDMgr_SetInstance(DDMgr* m, void* instance) {
    m->instance = instance;
    m->flags |= 2;
}

void DDMgr_SetSize(DDMgr* m, int32_t largeur, int32_t hauteur, int32_t bits) {
    m->largeur = largeur, m->hauteur = hauteur, m->bits = bits;
    m->flags |= 1u << 16;
}

int32_t DDMgr_CreateWindow(DDMgr* m, HandleFenetre fenetre) {
    if (!(m->flags & (1u << 16))) return -30;
    if (!(m->flags & 2)) return -31;
    m->fenetre = fenetre != nullptr ? fenetre : reinterpret_cast<HandleFenetre>(&objetPropre);
    // The client area is the presentation's: the display mode, or the movie's size before one.
    m->clientGauche = m->clientHaut = 0;
    m->clientLargeur = Affichage_Largeur() > 0 ? Affichage_Largeur() : m->largeur;
    m->clientHauteur = Affichage_Hauteur() > 0 ? Affichage_Hauteur() : m->hauteur;
    m->flags |= 4;
    return 0;
}

int32_t DDMgr_SetDirectDraw(DDMgr* m, void* objet) {
    m->directDraw = objet != nullptr ? objet : &objetPropre;
    m->flags |= 1;
    return 0;
}

void DDMgr_SetSurfaces(DDMgr* m, SurfaceImage* primaire, SurfaceImage* arriere) {
    if (primaire == nullptr) return;
    m->primaire = primaire;
    m->flags |= 1u << 6;
    if (arriere != nullptr) {
        m->arriere = arriere;
        m->flags |= 1u << 12;
    }
}

void DDMgr_SetPrimaryGiven(DDMgr* m, bool donne) {
    if (donne) {
        m->flags |= 1u << 9;
        m->ownFlags &= ~(1u << 9);
    } else {
        m->flags &= ~(1u << 9);
    }
}

int32_t DDMgr_SetPixelFormat(DDMgr* m, const FormatPixel* format) {
    if (format != nullptr) m->format = *format;
    else FormatDisplay(&m->format);
    AnalyseFormat a;
    if (!DX_AnalysePixelFormat(&m->format, &a)) return -13;
    m->analyse = a;
    m->flags |= 1u << 22;
    return 0;
}

int32_t DDMgr_SetMode(DDMgr* m, bool) {
    if (m->directDraw == nullptr) return -33;
    if (m->fenetre == nullptr) return -24;
    if (m->primaire == nullptr) {
        m->primaire = Surface_Creer(std::max(1, m->clientLargeur), std::max(1, m->clientHauteur));
        if (m->primaire == nullptr) {
            TM_LogRaw("%s", DX_ErrorText("ddmgr", __LINE__, -1));
            return -23;
        }
        m->ownFlags |= 1u << 6;
        m->flags |= 1u << 6;
    }
    if (uint16_t* p = Surface_Verrouiller(m->primaire)) {
        std::fill(p, p + m->primaire->pixels.size(), 0);
        Surface_Deverrouiller(m->primaire);
    } else {
        return -23;
    }
    FormatDisplay(&m->format);
    Analyser(m);
    DX_DumpPixelFormat(&m->analyse);
    return 0;
}

int32_t DDMgr_CreateSurfaces(DDMgr* m, bool) {
    if (m->directDraw == nullptr) return -33;
    if (m->fenetre == nullptr) return -24;
    m->ownFlags |= 1u << 13;
    if (m->primaire == nullptr && !(m->flags & (1u << 9))) {
        m->flags |= 1u << 9;
        m->ownFlags |= 1u << 9;
    }
    if (m->ownFlags & (1u << 9)) {
        int32_t l = 0, h = 0;
        DDMgr_ModeFor(m->largeur, m->hauteur, &l, &h);
        if (!Affichage_ModeVideo(l, h)) {
            if (l == 640 || !Affichage_ModeVideo(640, 480)) {
                TM_LogRaw("%s", DX_ErrorText("ddmgr", __LINE__, -1));
                return -23;
            }
            l = 640, h = 480;
            m->largeur = 640, m->hauteur = 480;
        }
        m->clientLargeur = l, m->clientHauteur = h;
    }
    if (m->primaire == nullptr) {
        m->primaire = Surface_Creer(std::max(1, m->clientLargeur), std::max(1, m->clientHauteur));
        if (m->primaire == nullptr) return -23;
        m->ownFlags |= 1u << 6;
        m->flags |= 1u << 6;
    }
    if (m->arriere == nullptr) {
        // The back buffer belongs to the primary: released with it.
        m->arriere = Surface_Creer(m->primaire->largeur, m->primaire->hauteur);
        if (m->arriere == nullptr) return -23;
        m->flags |= 1u << 12;
    }
    if (!(m->flags & (1u << 22))) {
        FormatDisplay(&m->format);
        Analyser(m);
    }
    m->largeur = m->arriere->largeur, m->hauteur = m->arriere->hauteur;
    DX_DumpPixelFormat(&m->analyse);
    return 0;
}

int32_t DDMgr_GetRGBBits(const DDMgr* m) { return m->primaire == nullptr ? 0 : DDMgr_RGBBitsOf(&m->analyse); }
HandleFenetre DDMgr_GetWindow(const DDMgr* m) { return m->fenetre; }
int32_t DDMgr_GetWidth(const DDMgr* m) { return m->clientLargeur; }

int32_t DDMgr_CreateOffscreen(DDMgr*, int32_t largeur, int32_t hauteur, SurfaceImage** surface) {
    if (surface == nullptr) return -6;
    *surface = nullptr;
    if (largeur < 1 || hauteur < 1 || largeur > 4096 || hauteur > 4096) return -23;
    *surface = Surface_Creer(largeur, hauteur);
    return *surface != nullptr ? 0 : -23;
}

int32_t DDMgr_BltFrame(DDMgr* m, SurfaceImage* surface) {
    if (surface == nullptr) return -6;
    uint16_t* ps = Surface_Verrouiller(surface);
    if (ps == nullptr) return -23;
    int32_t resultat = 0;
    if (m->arriere != nullptr) {
        const int x = m->clientGauche + (m->arriere->largeur - surface->largeur) / 2;
        const int y = m->clientHaut + (m->arriere->hauteur - surface->hauteur) / 2;
        if (uint16_t* pd = Surface_Verrouiller(m->arriere)) {
            Copier(m->arriere, pd, surface, ps, x, y);
            Surface_Deverrouiller(m->arriere);
        } else {
            resultat = -23;
        }
    } else {
        Affichage_Presenter(ps, surface->largeur, surface->hauteur, surface->pas, m->clientGauche, m->clientHaut);
    }
    Surface_Deverrouiller(surface);
    return resultat;
}

int32_t DDMgr_Flip(DDMgr* m) {
    if (m->arriere == nullptr) return -23;
    uint16_t* p = Surface_Verrouiller(m->arriere);
    if (p == nullptr) return -23;
    Affichage_Presenter(p, m->arriere->largeur, m->arriere->hauteur, m->arriere->pas, 0, 0);
    Surface_Deverrouiller(m->arriere);
    return 0;
}

int32_t DDMgr_ReleaseSurfaces(DDMgr* m) {
    if (m->ownFlags & (1u << 6)) {
        if (m->arriere != nullptr && m->arriere != m->primaire) Surface_Liberer(m->arriere);
        Surface_Liberer(m->primaire);
    }
    m->primaire = m->arriere = nullptr;
    m->directDraw = nullptr;
    m->fenetre = nullptr;
    m->flags = m->ownFlags = 0;
    return 0;
}

int32_t TMSurfaceRing::Create(DDMgr* m, int32_t nombre, int32_t largeur, int32_t hauteur) {
    Free();
    if (nombre < 2) return -5;   // a previous and a current frame at least
    entries = new (std::nothrow) SurfaceImage*[static_cast<size_t>(nombre)]();
    if (entries == nullptr) return -5;
    count = nombre;
    for (int32_t i = 0; i < nombre; ++i)
        if (int32_t e = DDMgr_CreateOffscreen(m, largeur, hauteur, &entries[i])) {
            Free();
            return e;
        }
    previous = 0;
    current = 1;
    return 0;
}

uint16_t* TMSurfaceRing::LockCurrent() { return current < 0 ? nullptr : Surface_Verrouiller(entries[current]); }
uint16_t* TMSurfaceRing::LockPrevious() { return count == 0 ? nullptr : Surface_Verrouiller(entries[previous]); }
void TMSurfaceRing::UnlockCurrent() {
    if (current >= 0) Surface_Deverrouiller(entries[current]);
}
void TMSurfaceRing::UnlockPrevious() {
    if (count != 0) Surface_Deverrouiller(entries[previous]);
}
SurfaceImage* TMSurfaceRing::CurrentSurface() const { return current < 0 ? nullptr : entries[current]; }

int32_t TMSurfaceRing::ShowCurrent(DDMgr* m) {
    if (current < 0) return -6;
    const int32_t r = DDMgr_BltFrame(m, entries[current]);
    Advance();
    return r;
}

void TMSurfaceRing::Advance() {
    if (count == 0) return;
    previous = current;
    current = (current + 1) % count;
}

void TMSurfaceRing::Free() {
    if (entries != nullptr)
        for (int32_t i = 0; i < count; ++i) Surface_Liberer(entries[i]);
    delete[] entries;
    entries = nullptr;
    count = 0;
    current = -1;
    previous = 0;
}
