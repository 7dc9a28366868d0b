#include "foundation/sprites.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>

#include "platform/affichage.h"
#include "platform/fichiers.h"
#include "platform/octets.h"

HandleBibliotheque SprDllModule = nullptr;
AllocationSpr SprAllocation = nullptr;
BlitInit SprDllInitRoutine = nullptr;
BlitFin SprDllFreeRoutine = nullptr;
BlitAff SprAffRoutine = nullptr;
BlitAffTrs SprAffTrsRoutine = nullptr;
BlitAff SprAffTrs50Routine = nullptr;
BlitAff SprAlphaRoutine = nullptr;
BlitAffRgb SprEclRoutine = nullptr;
BlitAffRgb SprOmbRoutine = nullptr;
BlitConvPal SprConvPal32Routine = nullptr;
BlitConvPal SprConvPal16Routine = nullptr;
BlitGetZ SprGetzRoutine = nullptr;
BlitTrois SprGettRoutine = nullptr;
BlitGetNb SprGetNbRoutine = nullptr;
BlitModOff SprModoffRoutine = nullptr;
BlitTrois SprGetoffRoutine = nullptr;
BlitConv SprConv32_64Routine = nullptr;
BlitRepal SprRepalRoutine = nullptr;
BlitPal SprRestoPalRoutine = nullptr;
BlitPal SprSavPalRoutine = nullptr;
BlitOmbrePal SprOmbrePalRoutine = nullptr;

char ErreurSprTexte[260] = "";
int32_t CpuClasse = 0;
int32_t CpuMmx = 0;
const char TableNomsProcesseurs[6][20] = {"i386", "i486", "Pentium", "PentiumMMX", "PentiumPro", "PentiumII"};

int32_t SprCodeProfondeur = 0;
uint32_t SprAttributs = 0;
int32_t SprCodeEncodeur = 0;

namespace {

void NoterErreur(const char* nom) { std::snprintf(ErreurSprTexte, sizeof ErreurSprTexte, "%s", nom ? nom : ""); }

struct Liaison {
    const char* exportNom;
    const char* nomJeu;
    RoutineBibliotheque* routine;
};

template <class T>
RoutineBibliotheque* Emplacement(T& pointeur) {
    static_assert(sizeof(T) == sizeof(RoutineBibliotheque));
    return reinterpret_cast<RoutineBibliotheque*>(&pointeur);
}

// Looked up in this order; the first one missing names the failure.
const Liaison LIAISONS[] = {
    {"SprDll_Init", "SprDll_Init", Emplacement(SprDllInitRoutine)},
    {"SprDll_Free", "SprDll_Free", Emplacement(SprDllFreeRoutine)},
    {"AFF_SPR", "Spr_Aff", Emplacement(SprAffRoutine)},
    {"AFF_SPRTRS50", "Spr_AffTrs50", Emplacement(SprAffTrs50Routine)},
    {"AFF_SPRTRS", "Spr_AffTrs", Emplacement(SprAffTrsRoutine)},
    {"AFF_SPRALPHA", "Spr_Alpha", Emplacement(SprAlphaRoutine)},
    {"AFF_SPRECL", "Spr_Ecl", Emplacement(SprEclRoutine)},
    {"AFF_SPROMB", "Spr_Omb", Emplacement(SprOmbRoutine)},
    {"SPR_CONVPAL32", "Spr_ConvPal32", Emplacement(SprConvPal32Routine)},
    {"SPR_CONVPAL16", "Spr_ConvPal16", Emplacement(SprConvPal16Routine)},
    {"GET_SPRZ", "Spr_Getz", Emplacement(SprGetzRoutine)},
    {"GET_SPRT", "Spr_Gett", Emplacement(SprGettRoutine)},
    {"MOD_SPROFF", "Spr_Modoff", Emplacement(SprModoffRoutine)},
    {"GET_SPROFF", "Spr_Getoff", Emplacement(SprGetoffRoutine)},
    {"GET_NBSPR", "Spr_GetNb", Emplacement(SprGetNbRoutine)},
    {"CONV_SPR32_64", "Spr_Conv32_64", Emplacement(SprConv32_64Routine)},
    {"SPR_RESTOPAL", "Spr_RestoPal", Emplacement(SprRestoPalRoutine)},
    {"SPR_SAVPAL", "Spr_SavPal", Emplacement(SprSavPalRoutine)},
    {"SPR_OMBREPAL", "Spr_OmbrePal", Emplacement(SprOmbrePalRoutine)},
    {"SPR_REPAL", "Spr_Repal", Emplacement(SprRepalRoutine)},
};

void EffacerRoutines() {
    for (const Liaison& l : LIAISONS) *l.routine = nullptr;
}

// The library's view of a target: pixels, pitch and clip rectangle.
CibleBlitter Cible(const EcranSprite* e) {
    CibleBlitter c;
    if (e) {
        c.pixels = e->pixels;
        c.pas = e->pasPixels;
        c.clipHaut = e->clipHaut;
        c.clipBas = e->clipBas;
        c.clipGauche = e->clipGauche;
        c.clipDroite = e->clipDroite;
        c.hauteur = e->hauteurPixels;
    }
    return c;
}

int ResultatDessin(int32_t r) { return r == 0 ? 5 : 0; }
int ResultatLumiere(int32_t r) { return r == 1 ? 0 : r == 0 ? 5 : 7; }

}  // namespace

int Cpu_Famille() {
    // Every processor this runs on has CPUID; one without it is a 486.
    const uint32_t signature = Processeur_Signature();
    if (signature == 0) return 1;
    CpuMmx = (Processeur_Capacites() >> 23) & 1;
    switch ((signature >> 8) & 0xF) {
        case 4: return 1;
        case 5: return CpuMmx ? 3 : 2;
        case 6: return CpuMmx ? 5 : 4;
        default: return -1;
    }
}

int SprDll_Chargement(const char* nomFichier) {
    SprDll_Free();
    SprDllModule = Bibliotheque_Charger(nomFichier);
    if (SprDllModule == nullptr) {
        NoterErreur(nomFichier);
        return 1;
    }
    for (const Liaison& l : LIAISONS) {
        *l.routine = Bibliotheque_Routine(SprDllModule, l.exportNom);
        if (*l.routine == nullptr) {
            Bibliotheque_Liberer(SprDllModule);
            SprDllModule = nullptr;
            EffacerRoutines();
            NoterErreur(l.nomJeu);
            return 2;
        }
    }
    return 0;
}

void SprDll_Free() {
    if (SprDllFreeRoutine) SprDllFreeRoutine();
    if (SprDllModule) Bibliotheque_Liberer(SprDllModule);
    SprDllModule = nullptr;
    SprAllocation = nullptr;
    EffacerRoutines();
}

int32_t SprDll_Init(int32_t version, const uint8_t* format, AllocationSpr allocation) {
    if (version != 12) return 8;
    CpuClasse = Cpu_Famille();
    const int resultat = SprDll_Chargement(CpuClasse < 4 ? "spr_p5.dll" : "spr_p6.dll");
    if (CpuClasse < 0) CpuClasse = 0;
    if (resultat != 0) return resultat;
    SprAllocation = allocation;
    return static_cast<int8_t>(SprDllInitRoutine(TableNomsProcesseurs[CpuClasse], format, allocation));
}

void Spr_MessageErreur(int code, char* texte, size_t taille) {
    if (texte == nullptr || taille == 0) return;
    switch (code) {
        case 0: std::snprintf(texte, taille, "Rien a signaler"); break;
        case 1: std::snprintf(texte, taille, "DLL %s non trouvé ", ErreurSprTexte); break;
        case 2: std::snprintf(texte, taille, "Label %s dans DLL non trouvé ", ErreurSprTexte); break;
        case 3: std::snprintf(texte, taille, "%s non trouvé ", ErreurSprTexte); break;
        case 4: std::snprintf(texte, taille, "Fichier non SPR"); break;
        case 5: std::snprintf(texte, taille, "Type de sprite non géré"); break;
        case 6: std::snprintf(texte, taille, "Parametres non valides"); break;
        case 7: std::snprintf(texte, taille, "Erreur allocation mémoire"); break;
        default: break;
    }
}

int Spr_Chargement(const char* nomFichier, uint8_t* tampon, uint32_t taille) {
    // Read access only: a read-only file loads.
    FILE* f = Fichier_Ouvrir(nomFichier ? nomFichier : "", "rb");
    if (f == nullptr) {
        NoterErreur(nomFichier);
        return 3;
    }
    struct stat st{};
    const bool mesure = ::fstat(::fileno(f), &st) == 0;
    const long long tailleFichier = mesure ? static_cast<long long>(st.st_size) : -1;
    char magie[8];
    const size_t lus = std::fread(magie, 1, 8, f);
    if (lus == 8 && std::memcmp(magie, "SPRTESK ", 8) != 0 && std::memcmp(magie, "SPRTESK1", 8) != 0) {
        std::fclose(f);
        return 4;
    }
    // Too short to hold the flags word.
    if (tailleFichier >= 0 && tailleFichier < 12) {
        std::fclose(f);
        return 4;
    }
    const long long reste = tailleFichier - 8;
    if (lus != 8 || tailleFichier < 0 || tampon == nullptr || reste > static_cast<long long>(taille) ||
        std::fread(tampon, 1, static_cast<size_t>(reste), f) != static_cast<size_t>(reste)) {
        std::fclose(f);
        NoterErreur(nomFichier);
        return 3;
    }
    std::fclose(f);
    const size_t n = static_cast<size_t>(reste);

    const uint32_t drapeaux = Octets_Lire32(tampon);
    size_t position = 0;
    if (drapeaux & 0x80) Spr_Conv32_64(tampon);
    if (drapeaux & 0x04) {
        if (n < 512) return 4;
        Spr_ConvPal32(tampon);
        position = 512;
    }
    if (drapeaux & 0x08) {
        if (position + 1024 > n) return 4;
        Spr_ConvPal16(tampon + position);
    }
    const uint32_t profondeur = drapeaux & 0x0F;
    SprCodeProfondeur = profondeur ? 31 - __builtin_clz(profondeur) : 0;
    SprAttributs = drapeaux & (0x10 | 0x20 | 0x200 | 0x800);
    SprCodeEncodeur = static_cast<int32_t>((drapeaux & 0x1C0) >> 7);
    // The drawing routines trust what passes here.
    if (!Blitter_Verifier(tampon, n)) return 4;
    return 0;
}

int Spr_Aff(uint8_t* sprite, const EcranSprite* cible, int x, int y, int image) {
    if (!SprAffRoutine) return 5;
    CibleBlitter c = Cible(cible);
    return ResultatDessin(SprAffRoutine(sprite, &c, x, y, image));
}

int Spr_AffTrs(uint8_t* sprite, const EcranSprite* cible, int x, int y, int image, uint8_t niveau) {
    if (!SprAffTrsRoutine) return 5;
    CibleBlitter c = Cible(cible);
    return ResultatDessin(SprAffTrsRoutine(sprite, &c, x, y, image, niveau));
}

int Spr_AffTrs50(uint8_t* sprite, const EcranSprite* cible, int x, int y, int image) {
    if (!SprAffTrs50Routine) return 5;
    CibleBlitter c = Cible(cible);
    return ResultatDessin(SprAffTrs50Routine(sprite, &c, x, y, image));
}

int Spr_Alpha(uint8_t* sprite, const EcranSprite* cible, int x, int y, int image) {
    if (!SprAlphaRoutine) return 5;
    CibleBlitter c = Cible(cible);
    return ResultatDessin(SprAlphaRoutine(sprite, &c, x, y, image));
}

int Spr_Ecl(uint8_t* sprite, const EcranSprite* cible, int x, int y, int image, uint8_t r, uint8_t g, uint8_t b) {
    if (!SprEclRoutine) return 5;
    CibleBlitter c = Cible(cible);
    return ResultatLumiere(SprEclRoutine(sprite, &c, x, y, image, r, g, b));
}

int Spr_Omb(uint8_t* sprite, const EcranSprite* cible, int x, int y, int image, uint8_t r, uint8_t g, uint8_t b) {
    if (!SprOmbRoutine) return 5;
    CibleBlitter c = Cible(cible);
    return ResultatLumiere(SprOmbRoutine(sprite, &c, x, y, image, r, g, b));
}

void Spr_ConvPal32(void* bloc) {
    if (SprConvPal32Routine) SprConvPal32Routine(bloc);
}

void Spr_ConvPal16(void* bloc) {
    if (SprConvPal16Routine) SprConvPal16Routine(bloc);
}

void Spr_Getz(uint8_t* sprite, const EcranSprite* cible, int x, int y, int image, int32_t* taille) {
    if (!SprGetzRoutine) {
        if (taille) taille[0] = taille[1] = 0;
        return;
    }
    CibleBlitter c = Cible(cible);
    SprGetzRoutine(sprite, &c, x, y, image, taille);
}

int32_t Spr_Gett(uint8_t* sprite, int32_t image, int32_t champ) {
    return SprGettRoutine ? SprGettRoutine(sprite, image, champ) : -1;
}

int32_t Spr_GetNb(uint8_t* sprite) { return SprGetNbRoutine ? SprGetNbRoutine(sprite) : 0; }

void Spr_Modoff(uint8_t* sprite, int32_t dx, int32_t dy, int32_t image) {
    if (SprModoffRoutine) SprModoffRoutine(sprite, dx, dy, image);
}

int32_t Spr_Getoff(uint8_t* sprite, int32_t image, int32_t champ) {
    return SprGetoffRoutine ? SprGetoffRoutine(sprite, image, champ) : -1;
}

void Spr_Conv32_64(uint8_t* sprite) {
    if (SprConv32_64Routine) SprConv32_64Routine(sprite);
}

void Spr_Repal(uint8_t* sprite, int32_t premier, int32_t nombre, uint8_t r, uint8_t g, uint8_t b) {
    if (SprRepalRoutine) SprRepalRoutine(sprite, premier, nombre, r, g, b);
}

int32_t Spr_RestoPal(uint8_t* sprite, int32_t valeur) {
    return SprRestoPalRoutine ? SprRestoPalRoutine(sprite, valeur) : 0;
}

int32_t Spr_SavPal(uint8_t* sprite, int32_t valeur) { return SprSavPalRoutine ? SprSavPalRoutine(sprite, valeur) : 0; }

int32_t Spr_OmbrePal(uint8_t* sprite, uint8_t niveau, int32_t zero) {
    return SprOmbrePalRoutine ? SprOmbrePalRoutine(sprite, niveau, zero) : 0;
}
