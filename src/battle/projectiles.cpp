#include "battle/projectiles.h"

#include <cmath>
#include <cstdlib>
#include <new>

#include "battle/cibles.h"
#include "battle/coups.h"
#include "battle/formations.h"
#include "battle/generateurs.h"
#include "battle/impacts.h"
#include "campaign/variables.h"
#include "foundation/ecran.h"
#include "foundation/erreurs.h"
#include "foundation/objetsgfx.h"
#include "foundation/son.h"
#include "platform/hasard.h"
#include "scene/particules.h"
#include "shell/scenario.h"
#include "shell/trame.h"
#include "world/batiments.h"
#include "world/experience.h"
#include "world/gestion_objets.h"
#include "world/grilles.h"
#include "world/mort.h"
#include "world/objets.h"

Projectile* ProjectileTete = nullptr;
Projectile* ProjectileQueue = nullptr;
int32_t ProjectileRetire = 0;
int32_t TraineeBouleFeu = 0, TraineeSoins = 0, TraineePolymorphe = 0, TraineeElectricite = 0;

namespace {

constexpr int FAMILLE_GRILLE = 26;
constexpr int MAITRE_COCHON = 300;

bool SurCarte(int x, int y) { return x >= 0 && x < 128 && y >= 0 && y < 128; }

int Frappe(const Projectile& p) { return p.degats + p.degatsParNiveau * (p.niveau - 1); }

// The shooter's record while its slot is in use, else null.
Objet* Tireur(const Projectile& p) {
    if (p.tireur < 1 || p.tireur >= NOMBRE_OBJETS) return nullptr;
    Objet& o = TableObjets[static_cast<size_t>(p.tireur)];
    return o.noeudListe ? &o : nullptr;
}

bool Mourant(int i) { return Objet__MourantOuMort(i); }

// The object of a grid cell a landing acts on, 0 for none: the placeholder that marks water and
// walls is shared by all such cells and is never struck.
int Occupant(const int32_t* grille, int x, int y) {
    const int i = grille[x + 128 * y];
    if (i < 1 || i >= NOMBRE_OBJETS) return 0;
    return TableObjets[static_cast<size_t>(i)].armee == ARMEE_REPERE ? 0 : i;
}

int Indice(const Objet& o) { return static_cast<int>(&o - TableObjets.data()); }

// The shooter's 50 points for a heal or a bolt that found an object.
void ExperienceTireur(const Projectile& p) {
    Objet* t = Tireur(p);
    if (!t) return;
    t->experience += 50;
    if (t->armee == 0) ExperienceBatailleJoueur += 50;
}

void Tomber(Objet& v, int animation) {
    v.ordreSecondaire = 3;
    v.animation = animation;
    Objet__RazAnimation(&v);
}

void Emettre(EffetParticule* effet, Particule* plan, int16_t* nombre, const Projectile& p, int mode, int dx, int dy,
             int image) {
    Particules_Emission(effet, plan, CAPACITE_PLAN_PARTICULES, nombre, p.positionX - ReperePixelX,
                        p.positionY - ReperePixelY, mode, dx, dy, image);
}

// Direction of flight in degrees, 0 up the screen, turning clockwise; a shot without length
// points up.
double Angle(int dx, int dy) {
    if (dx == 0 && dy == 0) return 0.0;
    double a = std::acos(dy / std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy)) * 180.0 / 3.1415;
    if (dx > 0)
        a = 180.0 - a;
    else
        a = a + 180.0;
    if (a > 360.0) a -= 360.0;
    return a;
}

// One of n directions of width `secteur` degrees, rounded to the nearest.
int Direction(double a, int n, double secteur) {
    int d = static_cast<int>(std::floor(a / secteur));
    const int centiemes = static_cast<int>(secteur * 100);
    if (static_cast<int>(a * 100) % centiemes > centiemes / 2.0) ++d;
    return ((d % n) + n) % n;
}

int Arrivee(Projectile& p);

}  // namespace

Projectile* ProjectileCreer(Projectile* apres) {
    Projectile* p = new (std::nothrow) Projectile{};
    if (p == nullptr) {
        Erreur_Question("ProjectileCreer()", "Not enough memory");
        return nullptr;
    }
    if (apres) {
        p->precedent = apres;
        p->suivant = apres->suivant;
        if (apres->suivant) apres->suivant->precedent = p;
        apres->suivant = p;
        if (ProjectileQueue == apres) ProjectileQueue = p;
    } else if (ProjectileTete) {
        // No tail given (the last launch failed): the record still goes at the end of the list,
        // which would otherwise lose the projectiles in flight.
        Projectile* queue = ProjectileTete;
        while (queue->suivant) queue = queue->suivant;
        p->precedent = queue;
        queue->suivant = p;
    } else {
        ProjectileTete = p;
    }
    return p;
}

void ProjectileInitialiserTrajectoire(Projectile* p) {
    p->ecartX = std::abs(p->arriveeX - p->positionX);
    p->ecartY = std::abs(p->arriveeY - p->positionY);
    if (p->ecartX < p->ecartY) {
        p->nbPas = p->ecartY + 1;
        p->erreur = 2 * p->ecartX - p->ecartY;
        p->incrementAxial = 2 * p->ecartX;
        p->incrementDiagonal = 2 * (p->ecartX - p->ecartY);
        p->pasAxialX = 0;
        p->pasAxialY = 1;
    } else {
        p->nbPas = p->ecartX + 1;
        p->erreur = 2 * p->ecartY - p->ecartX;
        p->incrementAxial = 2 * p->ecartY;
        p->incrementDiagonal = 2 * (p->ecartY - p->ecartX);
        p->pasAxialX = 1;
        p->pasAxialY = 0;
    }
    p->pasDiagonalX = 1;
    p->pasDiagonalY = 1;
    if (p->positionX > p->arriveeX) {
        p->pasAxialX = -p->pasAxialX;
        p->pasDiagonalX = -p->pasDiagonalX;
    }
    if (p->positionY > p->arriveeY) {
        p->pasAxialY = -p->pasAxialY;
        p->pasDiagonalY = -p->pasDiagonalY;
    }
}

void ProjectileAvancer(Projectile* p) {
    if (p->erreur >= 0) {
        p->erreur += p->incrementDiagonal;
        p->positionX += p->pasDiagonalX;
        p->positionY += p->pasDiagonalY;
    } else {
        p->erreur += p->incrementAxial;
        p->positionX += p->pasAxialX;
        p->positionY += p->pasAxialY;
    }
}

void ProjectileLancer(int departX, int departY, int cibleX, int cibleY, int, int couche, int genre, int degats,
                      int variante) {
    switch (genre) {
        case PROJECTILE_FLECHE: case PROJECTILE_BOULE_FEU: case PROJECTILE_TRACE_SOINS: case PROJECTILE_POLYMORPHE:
        case PROJECTILE_ELECTRICITE: case PROJECTILE_BOULET: break;
        default:
            // Nothing flies: the caller finds no record to fill.
            ProjectileQueue = nullptr;
            return;
    }
    ProjectileQueue = ProjectileCreer(ProjectileQueue);
    Projectile* p = ProjectileQueue;
    if (p == nullptr) return;

    if (genre == PROJECTILE_FLECHE) {
        // The better the archers' training, the tighter the shots; past 12 the spread is nil.
        const int l = NiveauArcPrecision;
        if (l < 1) {
            cibleX += Hasard_Regles() % 24 - 12;
            cibleY += Hasard_Regles() % 24 - 12;
        } else if (l <= 12) {
            const int ecart = 24 / (2 * l);
            cibleX += Hasard_Regles() % ecart - 12 / (2 * l);
            cibleY += Hasard_Regles() % ecart - 12 / (2 * l);
        }
    }
    const double a = Angle(cibleX - departX, cibleY - departY);
    p->genre = genre;
    switch (genre) {
        case PROJECTILE_FLECHE:
            p->directionImage = Direction(a, 32, 11.25);
            p->objetGfx = variante == 5 ? 663 : 659;
            p->nbImages = couche == 2 ? 6 : 12;
            p->image = p->imageBase = p->directionImage * 12;
            break;
        case PROJECTILE_BOULE_FEU:
            p->objetGfx = 661;
            p->nbImages = 12;
            break;
        case PROJECTILE_BOULET:
            p->directionImage = Direction(a, 16, 22.5);
            p->objetGfx = 1216;
            p->nbImages = 6;
            p->image = p->imageBase = p->directionImage * 6;
            break;
        default:
            p->objetGfx = 712;
            p->nbImages = 12;
            break;
    }
    p->couche = couche == 2 ? 2 : 0;
    p->positionX = departX;
    p->positionY = departY;
    p->arriveeX = cibleX;
    p->arriveeY = cibleY;
    ProjectileInitialiserTrajectoire(p);
    p->pente = static_cast<float>(static_cast<double>(p->nbImages) / p->nbPas);
    p->cumul = 0.0f;
    p->variante = variante;
    p->degats = degats;
}

Projectile* ProjectileDetruire(Projectile* p) {
    if (p == nullptr) return nullptr;
    Projectile* suivant = p->suivant;
    if (p->precedent)
        p->precedent->suivant = p->suivant;
    else
        ProjectileTete = p->suivant;
    if (p->suivant)
        p->suivant->precedent = p->precedent;
    else
        ProjectileQueue = p->precedent;
    // The carried object must not keep pointing at a freed projectile.
    if (p->objetLie) p->objetLie->projectileLie = 0;
    delete p;
    ProjectileRetire = 1;
    return suivant;
}

void ProjectileViderListe() {
    while (ProjectileTete) ProjectileDetruire(ProjectileTete);
    ProjectileQueue = nullptr;
}

void ProjectileRazQueue() {
    // A projectile left from the last scene would otherwise be cut off the list and lost.
    ProjectileViderListe();
    ProjectileRetire = 0;
}

void ProjectileGestion() {
    Projectile* p = ProjectileTete;
    while (p) {
        bool retirer = false;
        switch (p->genre) {
            case PROJECTILE_FLECHE: {
                p->budget = (NiveauArcPrecision * 15 + 35) * FacteurTemps;
                while (p->budget >= 1 && p->pas < p->nbPas) {
                    ProjectileAvancer(p);
                    p->cumul += p->pente;
                    if (p->cumul >= 1.0f) {
                        p->cumul -= 1.0f;
                        // The arc stays within its direction's row, even on a flyer's second path.
                        if (p->image < p->imageBase + 11) ++p->image;
                    }
                    ++p->pas;
                    --p->budget;
                }
                if (p->pas >= p->nbPas || (p->ecartX == 0 && p->ecartY == 0)) retirer = ProjectileArrivee(p) != 0;
                break;
            }
            case PROJECTILE_BOULE_FEU:
            case PROJECTILE_TRACE_SOINS:
            case PROJECTILE_POLYMORPHE:
            case PROJECTILE_ELECTRICITE: {
                int32_t* trainee = p->genre == PROJECTILE_BOULE_FEU     ? &TraineeBouleFeu
                                   : p->genre == PROJECTILE_TRACE_SOINS ? &TraineeSoins
                                   : p->genre == PROJECTILE_POLYMORPHE  ? &TraineePolymorphe
                                                                        : &TraineeElectricite;
                const int periode = p->genre == PROJECTILE_ELECTRICITE ? 21 : 16;
                p->budget = 35 * FacteurTemps;
                while (p->budget >= 1 && p->pas < p->nbPas) {
                    ProjectileAvancer(p);
                    if (++p->image >= p->nbImages) p->image = 0;
                    if (++*trainee >= periode) {
                        *trainee = 0;
                        EffetParticule* effet = p->genre == PROJECTILE_BOULE_FEU     ? EffetBouleFeu2
                                                : p->genre == PROJECTILE_TRACE_SOINS ? EffetTraceSoins
                                                : p->genre == PROJECTILE_POLYMORPHE  ? EffetCochon
                                                                                     : EffetElectricite;
                        Emettre(effet, PlanParticules2.data(), &NombreParticules2, *p, 2, 0, 0, -1);
                        if (p->genre == PROJECTILE_BOULE_FEU)
                            Son__JoueEnPosition(160, p->positionX / 24, p->positionY / 24);
                    }
                    ++p->pas;
                    --p->budget;
                }
                if (p->pas >= p->nbPas) {
                    ProjectileArrivee(p);
                    retirer = true;
                }
                break;
            }
            case PROJECTILE_BOULET: {
                p->budget = 25 * FacteurTemps;
                while (p->budget >= 1 && p->pas < p->nbPas) {
                    ProjectileAvancer(p);
                    ++p->pas;
                    --p->budget;
                }
                // The boulder turns over within its direction's row.
                p->image = p->imageBase + (p->image - p->imageBase + 1) % 6;
                if (p->pas >= p->nbPas) retirer = ProjectileArrivee(p) != 0;
                break;
            }
            default: break;
        }
        if (retirer) {
            p = ProjectileDetruire(p);
            ProjectileRetire = 0;
        } else {
            p = p->suivant;
        }
    }
}

int ProjectileArrivee(Projectile* p) { return p ? Arrivee(*p) : 0; }

namespace {

// An arrow that found an object on the layer it was aimed at.
int FlecheTouche(Projectile& p, int indice) {
    Objet& t = TableObjets[static_cast<size_t>(indice)];
    if (Mourant(indice) || !t.actif) return 1;
    const int d = Frappe(p);
    int perte = d;
    const bool enVol = p.couche == 2;
    if (enVol) {
        if (Objet* tireur = Tireur(p)) {
            tireur->icone = 1;
            tireur->ageIcone = 0;
        }
    }
    if (p.variante == 1) {
        Objet__DegatsContinusFixe(enVol ? 10 : 1, indice);
        if (enVol) perte = p.degats;
    } else if (p.variante == 5) {
        // Burning arrows, by armour: flyers burn more.
        switch (t.modeArmure) {
            case 1: perte = enVol ? 3 * d : d + d / 2; break;
            case 2: perte = enVol ? 2 * d : d; break;
            case 3: perte = enVol ? 8 * d : 4 * d; break;
            default: perte = enVol ? 4 * d : 2 * d; break;
        }
    }
    t.touche = 1;
    t.pointsDeVie -= perte;
    t.degatsRecus += perte;
    if (!enVol && t.typeMaitre == 262 && t.pointsDeVie < 1 && Hasard_Regles() % 100 > 70) t.pointsDeVie = 1;
    if (t.pointsDeVie > 0) return 1;

    ExperienceGain(p.tireur, indice, 0);
    t.pointsDeVie = 0;
    Mort__Debut(t);
    if (!enVol) t.compteurEvenement = -1;
    const bool converti = Mort__Conversion(t, enVol || (p.variante == 5 && t.modeArmure != 2));
    if (!converti) Tomber(t, 18);
    return 1;
}

int Fleche(Projectile& p, int cx, int cy) {
    if (p.couche == 2) {
        const int indice = Occupant(GrilleAir, cx, cy);
        if (indice == 0) {
            // Missed the flyer: the arrow flies on along its line, down to the ground.
            p.pas = p.nbPas - 1;
            p.nbPas = 3 * p.nbPas;
            p.couche = 0;
            return 0;
        }
        return FlecheTouche(p, indice);
    }
    const int indice = Occupant(GrilleUnites, cx, cy);
    if (indice == 0) {
        // Stuck in the ground, with its shadow.
        if (p.image > p.imageBase + 11) p.image = p.imageBase + 11;
        Emettre(EffetFlechesOmbre, PlanParticules0.data(), &NombreParticules0, p, 0, 0, 0, p.image);
        Emettre(EffetFleches, PlanParticules0.data(), &NombreParticules0, p, 0, 0, 0, p.image);
        return 1;
    }
    return FlecheTouche(p, indice);
}

int BouleFeu(Projectile& p, int cx, int cy, const int32_t* grille) {
    EffetImpactAjouter(nullptr, 2, cx * 24 + 12, cy * 24 - 12, -1, 3);
    Son__JoueEnPosition(161, cx, cy);
    const int d = Frappe(p);
    for (int j = -1; j <= 1; ++j)
        for (int i = -1; i <= 1; ++i) {
            if (!SurCarte(cx + i, cy + j)) continue;
            const int indice = Occupant(grille, cx + i, cy + j);
            if (indice == 0) continue;
            Objet& o = TableObjets[static_cast<size_t>(indice)];
            // Friend or foe alike.
            if (!o.actif || Mourant(indice)) continue;
            switch (o.modeArmure) {
                case 1: o.pointsDeVie -= d / 2; break;
                case 2: break;
                case 3: o.pointsDeVie -= 3 * d; break;
                default: o.pointsDeVie -= d; break;
            }
            o.touche = 1;
            if (o.pointsDeVie >= 1) continue;
            ExperienceGain(p.tireur, indice, 0);
            o.pointsDeVie = 0;
            o.heureMort = o.heureEtat = static_cast<int32_t>(HorlogeJeu);
            o.ordreSecondaire = 3;
            o.animation = 19;
            o.image = 0;
            o.compteurEvenement = -1;
            Objet__RazAnimation(&o);
            Mort__Conversion(o, o.modeArmure != 2);
        }
    return 1;
}

int TraceSoins(Projectile& p, int cx, int cy, const int32_t* grille) {
    Son__JoueEnPosition(162, cx, cy);
    const int d = Frappe(p);
    for (int j = -1; j <= 1; ++j)
        for (int i = -1; i <= 1; ++i) {
            if (!SurCarte(cx + i, cy + j)) continue;
            const int indice = Occupant(grille, cx + i, cy + j);
            if (indice == 0) continue;
            ExperienceTireur(p);
            Objet& o = TableObjets[static_cast<size_t>(indice)];
            if (Armees__Hostiles(o.armee, p.armee) || !o.actif || Mourant(indice)) continue;
            o.pointsDeVie += d;
            Objet__DegatsContinusAnnule(indice);
            o.touche = 1;
            if (o.pointsDeVie > o.pointsDeVieMaximum) o.pointsDeVie = o.pointsDeVieMaximum;
            EffetImpactAjouter(nullptr, 3, (cx + i) * 24, (cy + j) * 24, -1, 1);
        }
    return 1;
}

int Polymorphe(Projectile& p, int cx, int cy) {
    EffetImpactAjouter(nullptr, 7, cx * 24, cy * 24, -1, 1);
    Son__JoueEnPosition(526, cx, cy);
    for (int j = -1; j <= 1; ++j)
        for (int i = -1; i <= 1; ++i) {
            if (!SurCarte(cx + i, cy + j)) continue;
            const int indice = Occupant(GrilleUnites, cx + i, cy + j);
            if (indice == 0) continue;
            Objet& o = TableObjets[static_cast<size_t>(indice)];
            if (Mourant(indice) || !o.actif || o.couche == 2 || o.taille != 1 || o.categorie == 9 || o.categorie == 6 ||
                o.classe == 0 || o.armee == 0)
                continue;
            o.touche = 1;
            ExperienceGain(p.tireur, indice, 0);
            const int x = o.x, y = o.y;
            Objet__Mort(indice, 0);
            // The victim leaves its cells at once, whether a pig can take them or not.
            Objet* courant = ObjetCourant;
            Univers__LiberationUnites(indice);
            ObjetCourant = courant;
            Creature__Creation(MAITRE_COCHON, 4, x, y, 0);
        }
    return 1;
}

int Electricite(Projectile& p, int cx, int cy, const int32_t* grille) {
    EffetImpactAjouter(nullptr, 9, cx * 24, cy * 24, -1, 5);
    Son__JoueEnPosition(164, cx, cy);
    const int indice = Occupant(grille, cx, cy);
    if (indice == 0) return 2;
    ExperienceTireur(p);
    Objet& o = TableObjets[static_cast<size_t>(indice)];
    if (Mourant(indice) || o.animation == 18) return 1;
    o.touche = 1;
    o.pointsDeVie = 0;
    Tomber(o, 19);
    return 1;
}

int Boulet(Projectile& p, int cx, int cy, const int32_t* grille) {
    Emettre(EffetPoussiereImpact, PlanParticules1.data(), &NombreParticules1, p, 1, 0, 1, -1);
    int indice = Occupant(grille, cx, cy);
    const bool surCouche = indice != 0;
    if (!surCouche && GrilleSelection) indice = GrilleSelection[cx + 128 * cy];
    if (indice < 1 || indice >= NOMBRE_OBJETS) return 2;
    Objet& b = TableObjets[static_cast<size_t>(indice)];
    if (surCouche && b.classe != CLASSE_FORTIFICATION) {
        Emettre(EffetBouletImpact, PlanParticules0.data(), &NombreParticules0, p, 0, 0, 1, p.directionImage);
        Emettre(EffetBouletMort, PlanParticules0.data(), &NombreParticules0, p, 0, 0, 1, p.directionImage);
    }
    const int avant = b.pointsDeVie;
    if (b.famille == FAMILLE_GRILLE) {
        b.pointsDeVie -= p.degats;
        if (b.pointsDeVie <= 0) {
            EffetImpactAjouter(nullptr, 15, b.x + 1, b.y + 1, -1, 15);
            EtatGrille = 0;
            Objet__Mort(indice, 2);
            EtatGrille = 1;
            BrecheOuverte = 1;
            GrillePresente = 0;
        }
        return 1;
    }
    if (b.classe == CLASSE_FORTIFICATION) {
        b.pointsDeVie -= p.degats;
    } else if (!Mourant(indice) && b.actif) {
        b.pointsDeVie -= p.degats;
        b.touche = 1;
        if (b.pointsDeVie < 1) {
            b.image = 0;
            b.compteurEvenement = -1;
            Tomber(b, 19);
        }
    }
    // Experience for the blow that brought it down, not for every boulder on the ruins.
    if (b.pointsDeVie <= 0 && avant > 0) ExperienceGain(p.tireur, indice, 0);
    return 1;
}

int Arrivee(Projectile& p) {
    const int cx = (p.positionX + 1) / 24;
    const int cy = (p.positionY + 1) / 24;
    if (!SurCarte(cx, cy) || GrilleUnites == nullptr || GrilleAir == nullptr) {
        if (p.objetLie) {
            Objet* lie = p.objetLie;
            p.objetLie = nullptr;
            lie->projectileLie = 0;
            Objet__Mort(Indice(*lie), 0);
        }
        return 1;
    }
    const int32_t* grille = p.couche == 2 ? GrilleAir : GrilleUnites;
    switch (p.genre) {
        case PROJECTILE_FLECHE: return Fleche(p, cx, cy);
        case PROJECTILE_BOULE_FEU: return BouleFeu(p, cx, cy, grille);
        case PROJECTILE_TRACE_SOINS: return TraceSoins(p, cx, cy, grille);
        case PROJECTILE_POLYMORPHE: return Polymorphe(p, cx, cy);
        case PROJECTILE_ELECTRICITE: return Electricite(p, cx, cy, grille);
        case PROJECTILE_BOULET: return Boulet(p, cx, cy, grille);
        default: return 0;
    }
}

}  // namespace

void ProjectileAffichage() {
    for (Projectile* p = ProjectileTete; p; p = p->suivant) {
        const int sx = p->positionX - ReperePixelX;
        const int sy = p->positionY - ReperePixelY;
        if (sx < 0 || sx >= LargeurEcran || sy < 0 || sy >= HauteurEcran) continue;
        if (p->genre == PROJECTILE_FLECHE) {
            Sprite__Affiche(p->objetGfx, sx, sy, p->image);
        } else if (p->genre == PROJECTILE_BOULET) {
            Sprite__AfficheOmbreRGB(static_cast<int16_t>(p->objetGfx), static_cast<int16_t>(sx + 4),
                                    static_cast<int16_t>(sy + 4), static_cast<int16_t>(p->image), 15, 15, 15);
            Sprite__Affiche(p->objetGfx, sx, sy, p->image);
        }
    }
}
