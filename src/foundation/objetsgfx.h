// The graphic object table: everything drawn from sprites is addressed by a graphic object
// number, an index into TableObjetsGfx built from "..\Ini\mv.ini"; sprites load on first use.
#pragma once

#include <array>
#include <cstdint>

struct ObjetGfx {
    char* nom = nullptr;             // the object's name
    char* fichierSprite = nullptr;   // sprite file name, without folder or extension
    uint8_t* sprite = nullptr;       // the loaded sprite (new[]), null until first use
    int32_t cleCouleur = -1;         // key of the player colour last applied
    int32_t niveauOmbre = 0;         // shade level last applied; 31 (as drawn) after a load
    uint8_t chargementEchoue = 0;    // the sprite file failed to load: not asked again until freed
};

constexpr int NOMBRE_OBJETS_GFX = 1500;
extern std::array<ObjetGfx, NOMBRE_OBJETS_GFX> TableObjetsGfx;
extern int32_t NbObjetsGfx;

int CreationDeLalIsteDesObjetsGfx();
// The record of a drawable number with its sprite loaded (on first use), or null: numbers
// outside the table and sprites that failed to load draw nothing.
ObjetGfx* ObjetGfx_Pret(int n);
void Spr_Load(const char* nomFichier, ObjetGfx* objet);
void ObjetsGfx_LiberationSprites();
void ObjetsGfx_Liberation();
int DonneNomObjetGraphique(const char* nom);
int ObjetGraphique(const char* motCle);
void ObjetGfx_CouleurJoueur(int n, int32_t cle);
// niveau 0..31: 31 is the sprite as drawn in its file, 0 the darkest.
void ObjetGfx_Ombre(int n, int niveau);

// Numbered drawing into EcranDestination; n = -1 (or any number outside the table) draws nothing.
void Sprite__Affiche(int n, int x, int y, int image);
void Sprite__AfficheTrs50(int n, int x, int y, int image);
void Sprite__AfficheTrs(int n, int x, int y, int image, uint8_t niveau);
void Sprite__AfficheEclaire(int16_t n, int16_t x, int16_t y, int16_t image, int r, int g, int b);
void Sprite__AfficheOmbreRGB(int16_t n, int16_t x, int16_t y, int16_t image, int r, int g, int b);
void Sprite__AfficheOmbre(int16_t n, int16_t x, int16_t y, int16_t image);

void Ecran__RemplitLigne(int x, int y, int n, uint8_t valeur);
void Ecran__RemplitColonne(int x, int y, int n, uint8_t valeur);
