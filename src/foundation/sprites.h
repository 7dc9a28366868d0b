// The sprite library: bound at start-up from "spr_p5.dll" or "spr_p6.dll" by export name, called
// through the Spr_ wrappers; and the sprite file reader.
#pragma once

#include <cstddef>
#include <cstdint>

#include "foundation/ecran.h"
#include "platform/bibliotheques.h"
#include "platform/blitter.h"

using AllocationSpr = void* (*)(size_t);

extern HandleBibliotheque SprDllModule;
extern AllocationSpr SprAllocation;
extern BlitInit SprDllInitRoutine;
extern BlitFin SprDllFreeRoutine;
extern BlitAff SprAffRoutine;
extern BlitAffTrs SprAffTrsRoutine;
extern BlitAff SprAffTrs50Routine;
extern BlitAff SprAlphaRoutine;
extern BlitAffRgb SprEclRoutine;
extern BlitAffRgb SprOmbRoutine;
extern BlitConvPal SprConvPal32Routine;
extern BlitConvPal SprConvPal16Routine;
extern BlitGetZ SprGetzRoutine;
extern BlitTrois SprGettRoutine;
extern BlitGetNb SprGetNbRoutine;
extern BlitModOff SprModoffRoutine;
extern BlitTrois SprGetoffRoutine;
extern BlitConv SprConv32_64Routine;
extern BlitRepal SprRepalRoutine;
extern BlitPal SprRestoPalRoutine;
extern BlitPal SprSavPalRoutine;
extern BlitOmbrePal SprOmbrePalRoutine;

extern char ErreurSprTexte[260];   // the name behind the last failure
extern int32_t CpuClasse;
extern int32_t CpuMmx;             // the processor has MMX; kept for the library
extern const char TableNomsProcesseurs[6][20];

// What the last sprite file said of itself, for the library's encoder.
extern int32_t SprCodeProfondeur;   // base-2 logarithm of the depth bits
extern uint32_t SprAttributs;       // bits 0x10, 0x20, 0x200, 0x800
extern int32_t SprCodeEncodeur;     // (flags & 0x1C0) >> 7

int32_t SprDll_Init(int32_t version, const uint8_t* format, AllocationSpr allocation);
int SprDll_Chargement(const char* nomFichier);
void SprDll_Free();
// Writes the text of a code into texte (taille bytes); nothing for other codes or a null buffer.
void Spr_MessageErreur(int code, char* texte, size_t taille = 512);
int Cpu_Famille();

// Reads a sprite file into tampon (taille bytes): 0, 3 (not found, not readable, or larger than
// the buffer; ErreurSprTexte = the name) or 4 (not a sprite file, or a malformed one).
int Spr_Chargement(const char* nomFichier, uint8_t* tampon, uint32_t taille);

int Spr_Aff(uint8_t* sprite, const EcranSprite* cible, int x, int y, int image);
int Spr_AffTrs(uint8_t* sprite, const EcranSprite* cible, int x, int y, int image, uint8_t niveau);
int Spr_AffTrs50(uint8_t* sprite, const EcranSprite* cible, int x, int y, int image);
int Spr_Alpha(uint8_t* sprite, const EcranSprite* cible, int x, int y, int image);
int Spr_Ecl(uint8_t* sprite, const EcranSprite* cible, int x, int y, int image, uint8_t r, uint8_t g, uint8_t b);
int Spr_Omb(uint8_t* sprite, const EcranSprite* cible, int x, int y, int image, uint8_t r, uint8_t g, uint8_t b);
void Spr_ConvPal32(void* bloc);
void Spr_ConvPal16(void* bloc);
// taille[0] the frame's width, taille[1] its height (0, 0 for a frame outside the sprite).
void Spr_Getz(uint8_t* sprite, const EcranSprite* cible, int x, int y, int image, int32_t* taille);
int32_t Spr_Gett(uint8_t* sprite, int32_t image, int32_t champ);
int32_t Spr_GetNb(uint8_t* sprite);
void Spr_Modoff(uint8_t* sprite, int32_t dx, int32_t dy, int32_t image);
int32_t Spr_Getoff(uint8_t* sprite, int32_t image, int32_t champ);
void Spr_Conv32_64(uint8_t* sprite);
void Spr_Repal(uint8_t* sprite, int32_t premier, int32_t nombre, uint8_t r, uint8_t g, uint8_t b);
int32_t Spr_RestoPal(uint8_t* sprite, int32_t valeur);
int32_t Spr_SavPal(uint8_t* sprite, int32_t valeur);
// niveau: the amount of shade, 0 as drawn to 31 the darkest.
int32_t Spr_OmbrePal(uint8_t* sprite, uint8_t niveau, int32_t zero);
