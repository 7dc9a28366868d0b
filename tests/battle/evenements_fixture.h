// A battle world with real masters for the hit, event and spell tests: a soldier, an archer, a
// mage and a rider, the converted body (18), the summoned creatures (36, 37, 38), the raised dead
// (265, 267), the spawner (307), the corpse (308) and the heal carrier (370). Every master has the
// default animation counts (12 frames, 8 directions, 4 for the death animations 18 and 19) and an
// empty event table that a test fills frame by frame.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "../world/monde_fixture.h"
#include "battle/occupation.h"
#include "battle/projectiles.h"
#include "campaign/variables.h"
#include "editors/evenements.h"
#include "shell/conditions.h"
#include "shell/demarrage.h"
#include "world/experience.h"
#include "world/groupes.h"

constexpr int M_SOLDAT = 20, M_ARCHER = 13, M_MAGE = 17, M_CAVALIER = 7, M_CONVERTI = 18, M_BALGATOR = 36,
              M_PETIT_DEMON = 37, M_SUCCUBE = 38, M_ARCHER_MORT = 265, M_GUERRIER_MORT = 267, M_GENERATEUR = 307,
              M_CADAVRE = 308, M_PORTEUR_SOIN = 370;

class Bataille : public Monde {
  protected:
    void SetUp() override {
        Monde::SetUp();
        std::vector<std::pair<std::string, std::string>> maitres(371, {"-", ""});
        auto classe = [](const std::string& famille, const std::string& c, const std::string& taille = "1") {
            return Remplacer(FicheMaitre(famille, taille), "CLASSE GUERRIER", "CLASSE " + c);
        };
        maitres[M_SOLDAT] = {"soldat", FicheMaitre()};
        maitres[M_ARCHER] = {"archer", classe("HUMAIN", "ARCHER")};
        maitres[M_MAGE] = {"mage", classe("HUMAIN", "MAGICIEN")};
        maitres[M_CAVALIER] = {"cavalier", FicheMaitre("HUMAIN", "2")};
        maitres[M_CONVERTI] = {"converti", FicheMaitre()};
        maitres[M_BALGATOR] = {"balgator", classe("DRAGON", "DEMON")};
        maitres[M_PETIT_DEMON] = {"petitdemon", FicheMaitre()};
        maitres[M_SUCCUBE] = {"succube", FicheMaitre()};
        maitres[M_ARCHER_MORT] = {"archermort", classe("HUMAIN", "ARCHER")};
        maitres[M_GUERRIER_MORT] = {"guerriermort", FicheMaitre()};
        maitres[M_GENERATEUR] = {"generateur", FicheMaitre("GENERATEUR")};
        maitres[M_CADAVRE] = {"cadavre", FicheMaitre("CADAVRE")};
        maitres[M_PORTEUR_SOIN] = {"porteur", FicheMaitre("PROJECTILE")};
        MondeAvec(maitres);
        ASSERT_EQ(Univers__AlloueCartes(), 1);
        attaque = TableAttaque;
        ExperienceParType.fill(0);
    }
    void TearDown() override {
        ProjectileViderListe();
        TableAttaque = attaque;
        NiveauPoisonArmes = NiveauProjectilesEnflammes = NiveauAttaqueTraitre = NiveauPhalange = 0;
        NiveauCavalierLeger = NiveauCavalierLourd = NiveauChargeCavalerie = NiveauArcPrecision = 0;
        ControleParental = 0;
        Univers__LibereCartes();
        Monde::TearDown();
    }

    // A lone unit of the master for the army, in its own group, standing at (x, y).
    Objet& Nouveau(int maitre, int armee, int x, int y, int direction = 2) {
        const int g = Groupe___Creation(maitre, armee, x, y, 1, 1, direction);
        return TableObjets[TableGroupes[g].membres[0]];
    }
    // The concrete events of a frame of a master's table, to fill with EvenementConcret_Ajouter.
    static EvenementConcret*& Concrets(int maitre, int animation, int direction, int image) {
        return TableMaitres[maitre].evenements->animations[animation][direction][image].concrets;
    }
    static EvenementConcret* Ajouter(int maitre, int animation, int direction, int image, int type, int dx = 0,
                                     int dy = 0) {
        EvenementConcret*& liste = Concrets(maitre, animation, direction, image);
        liste = EvenementConcret_Ajouter(liste, type);
        EvenementConcret* e = liste;
        while (e->suivant) e = e->suivant;
        e->caseX = dx;
        e->caseY = dy;
        return e;
    }
    static int NombreProjectiles() {
        int n = 0;
        for (const Projectile* p = ProjectileTete; p; p = p->suivant) ++n;
        return n;
    }
    // Live objects of a master (the dead excepted).
    static int Population(int maitre) {
        int n = 0;
        for (const Objet& o : TableObjets)
            n += o.noeudListe != nullptr && o.typeMaitre == maitre && o.ordreSecondaire != 4;
        return n;
    }

    RelationJoueurs attaque{};
};
