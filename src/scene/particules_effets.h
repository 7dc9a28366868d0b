// Particle effects as data: the effect list of "..\Particules\EnteteInit.txt" with one effect file
// per entry, the sprite list the particle editor offers, and the look-up of an effect by name.
#pragma once

#include <cstdint>

// One effect: 26 values, in the order of its file.
struct EffetParticule {
    int32_t positionRelativeX;
    int32_t positionRelativeY;
    int16_t directionX;          // direction of the editor's test emission
    int16_t directionY;
    int16_t vent;                // 1: the particles drift with the wind
    int16_t rouge;               // 0..31
    int16_t vert;
    int16_t bleu;
    int16_t plan;                // plan of the editor's test emission
    int16_t dureeDeVie;          // frames
    int16_t emission;            // 0 HASARD, 1 CIRCULAIRE FIXE, 2 CIRCULAIRE VARIABLE, 3 TRAINEE, 4 FLUX
    int16_t typePosition;        // 0 random offset, 1 the fixed offset above
    int16_t trajet;              // 0 CHAOS, 1 SPIRALE, 2 CERCLE, 3 UNIFORME, 4 UNSPIRALE
    int16_t typeVie;             // 0 random life, 1 dureeDeVie
    int16_t nombre;              // particles per emission
    int16_t champReserve;
    int16_t sprite;              // graphic object code
    int16_t modeCopie;           // 0 TRANSPARENT, 1 ADDITIF, 2 SOUSTRACTIF, 3 PLEIN
    int16_t premiereFrame;
    int16_t nombreFrames;
    float vitesse;
    int16_t typeVitesse;         // 0 vitesse, 1 drawn from 1, 2, 3
    int16_t repere;              // 0 the map, 1 the screen
    int16_t naissanceDifferee;   // frames before a new particle is drawn
    int16_t animation;           // 0 BOUCLE, 1 PING-PONG, 2 FIXE, 3 ECHELONNEE, 4 TRACE PROJECTILE, 5 RESTE FRAME
    int16_t pasAngle;            // degrees per frame
};

constexpr int LONGUEUR_NOM_EFFET = 50;   // names, file names and folders: 49 characters at most

// One line of the header, owning its effect.
struct NoeudEffet {
    int16_t numero;
    char nomEffet[LONGUEUR_NOM_EFFET];
    char nomFichier[LONGUEUR_NOM_EFFET];   // without ".txt"
    char repertoire[LONGUEUR_NOM_EFFET];   // with its closing backslash
    NoeudEffet* precedent;
    NoeudEffet* suivant;
    EffetParticule* effet;
};

// One pair of the sprite list.
struct NoeudSprite {
    int32_t codeGraphique;
    int32_t nombreFrames;
    NoeudSprite* precedent;
    NoeudSprite* suivant;
};

extern NoeudEffet* ListeEffets;     // the current node (after loading: the last)
extern int16_t NombreEffets;
extern NoeudSprite* ListeSprites;   // the current node (after loading: the last)

NoeudSprite* ListeSprite_NouveauNoeud(NoeudSprite* noeud);
void ChargementSprite();
void ListeSprite_Liberation();

NoeudEffet* Effet_NouveauNoeud(NoeudEffet* noeud);
void Effets_Chargement();
void Effet_Chargement(EffetParticule* effet, const char* nomFichier, const char* repertoire);
void Effet_Sauvegarde(const EffetParticule* effet, const char* nomFichier, const char* repertoire);
void Effets_SauvegardeEntete(NoeudEffet* noeud);
void Effets_Liberation();
EffetParticule* AdresseEffet(NoeudEffet* liste, const char* nom);

// The fixed effects.
extern EffetParticule* EffetNeige;
extern EffetParticule* EffetNeige2;
extern EffetParticule* EffetFleches;
extern EffetParticule* EffetFlechesOmbre;
extern EffetParticule* EffetSang1;
extern EffetParticule* EffetSang2;
extern EffetParticule* EffetSang3;
extern EffetParticule* EffetSang4;
extern EffetParticule* EffetSang5;
extern EffetParticule* EffetBenediction;
extern EffetParticule* EffetBenedictionFin;
extern EffetParticule* EffetBenediction2;
extern EffetParticule* EffetFumeeMaison;
extern EffetParticule* EffetFlammeVasque;
extern EffetParticule* EffetOrdreDpl;
extern EffetParticule* EffetOrdreAtt;
extern EffetParticule* EffetEclair;
extern EffetParticule* EffetPluieDeFeu;
extern EffetParticule* EffetAnimeMort2;
extern EffetParticule* EffetApparition;
extern EffetParticule* EffetTeleportation;
extern EffetParticule* EffetAccumul;
extern EffetParticule* EffetFury;
extern EffetParticule* EffetWave;
extern EffetParticule* EffetCochon;
extern EffetParticule* EffetTraceSoins;
extern EffetParticule* EffetElectricite;
extern EffetParticule* EffetBouleFeu2;
extern EffetParticule* EffetBouletMort;
extern EffetParticule* EffetBouletImpact;
extern EffetParticule* EffetPoussiereImpact;
extern EffetParticule* EffetProBalistePlante;
extern EffetParticule* EffetSoins;
extern EffetParticule* EffetBouleFeuExplo;
extern EffetParticule* EffetBoom;
extern EffetParticule* EffetElectricFin;
extern EffetParticule* EffetPolymorphe;
extern EffetParticule* EffetSoins2;

// The look-ups on the list just loaded: the sixteen of start-up, and the 37 of each scene start.
void Effets_AdressesDemarrage();
void Effets_AdressesScene();
