// Hits, heals and death: the three damage rules (melee, impact effect, direct hit by mode), the
// sweeping melee blow, the heal event, the choice of the death animation and the restart of an
// animation. Hit value of an attacker a: degats + degatsParNiveau x (niveau - 1).
#pragma once

struct Objet;
struct EvenementConcret;

// Hit value of an attacker or an effect's owner.
int Objet__ValeurCoup(const Objet& a);

// A melee blow of `attaquant` at object T (0 none), or over an area for the sweeping masters.
void EvenementCoupMelee(int cible, Objet* attaquant, const EvenementConcret* evenement);
// The melee rule: the same army is never hurt; armour mode 0 D, 1 D / 2, 2 immune, 3 3 x D.
void EvenementCoupDegats(Objet* cible, Objet* attaquant);
// The impact-effect rule: mode 0 D / 2, 1 D / 3, 2 immune, 3 2 x D; no experience.
void EffetImpactDegats(Objet* cible, Objet* proprietaire);
// The direct hit by mode (0, 1 poison, 5 burning, 6 half, 7 eleven-fold; any other acts as 0),
// whatever the armour, with backstab, berserk, phalanx and cavalry rules.
void EvenementDegats(int cible, Objet* attaquant, int mode);
// The heal event at object T by healer h; s is the caster's taille / 2.
void EvenementAttaqueSpeciale(int cible, Objet* soigneur, const EvenementConcret* evenement, double s);
// Starts the death of `victime` (its death animation by the killer, null for none).
void EvenementMort(Objet* victime, Objet* tueur);
// Restarts a 4-direction animation on its first frame (8-way facing halved); -1.
int Objet__RazAnimation(Objet* objet);

// The first death steps, shared with the projectiles: clock marks and frame 0; then, when
// `conversion` allows it, a killed human of size 1 becomes master 18 with 50 hit points.
void Mort__Debut(Objet& victime);
// 1 when the victim was converted.
int Mort__Conversion(Objet& victime, bool conversion);
// The whole death: the first steps, the death animation, the killer's experience when asked.
void Mort__Etapes(Objet& victime, Objet* tueur, bool conversion, bool experience);

// A group of one object of `maitre` for `armee` at (x, y); the object's index, or 0 when the master
// is not loaded, the cell is off the map or the tables are full (nothing is made then).
int Unite__CreationSeule(int maitre, int armee, int x, int y, int direction);
