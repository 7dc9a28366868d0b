// An event placed with the event editor (the program played by scripts/editeur_evenements.txt on
// a copy of the sample game) shows in a battle: the saved soldier's file is read with the masters
// of the combat level, and its fury flames rise when a soldier's blow lands. With
// MORVANE_CAPTURES set the frame is written there.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "../scene/scene_ecran_fixture.h"
#include "editors/evenements.h"
#include "jeu_temporaire.h"
#include "scene/affichage.h"
#include "scene/particules.h"
#include "scene/particules_effets.h"
#include "scene/plans.h"
#include "world/maitres.h"

namespace {

class EvenementEnBataille : public SceneEcran {
  protected:
    std::string erreurEditeur;
    void AvantChargement() override {
        SceneEcran::AvantChargement();
        JeuTemporaire jeu;
        setenv("MORVANE_EDITEUR", "evenements", 1);
        const int code = jeu.Lancer(LireFichier(std::filesystem::path(MORVANE_SOURCE_DIR) / "scripts/editeur_evenements.txt"), "sortie");
        unsetenv("MORVANE_EDITEUR");
        if (code != 0) erreurEditeur = jeu.Lire("sortie/stderr.txt");
        arbre.Ecrire("maitres/soldat.cfg", jeu.Lire("maitres/soldat.cfg"));
    }
    static int Flammes(const EffetParticule* fury) {
        int n = 0;
        for (int k = 0; k < NombreParticules0; ++k) n += PlanParticules0[static_cast<size_t>(k)].sprite == fury->sprite;
        return n;
    }
};

TEST_F(EvenementEnBataille, TheSoldiersBlowShowsTheEffectPlacedInTheEditor) {
    ASSERT_EQ(erreurEditeur, "");
    ASSERT_TRUE(DemarrerBataille("..\\niveau\\combat.mv")) << Rapport();
    EffetParticule* fury = AdresseEffet(ListeEffets, "fury");
    ASSERT_NE(fury, nullptr);
    // The game reads the masters' events after the effects, which this fixture loads with the
    // scene: the soldier's are read again, as at the game's start.
    AnimationChargerEvenements(20, "..\\maitres\\soldat.txt");
    ASSERT_NE(TableMaitres[20].evenements->animations[2][0][5].visuels, nullptr);
    ASSERT_EQ(Flammes(fury), 0);
    int soldat = -1;
    for (int i = 0; i < 400 && soldat < 0; ++i) {
        PasseDessinee();
        if (Flammes(fury) == 0) continue;
        // The flames came with a soldier's successful attack on its fifth frame.
        for (NoeudEntier* e = ListeObjetsVivants; e && e->suivant; e = e->suivant) {
            const Objet& o = TableObjets[static_cast<size_t>(e->valeur)];
            if (o.typeMaitre == 20 && o.animation == 2 && o.image >= 5) soldat = e->valeur;
        }
        ASSERT_GE(soldat, 0) << "flames without a soldier's blow";
    }
    ASSERT_GE(soldat, 0) << "no soldier's blow in 400 passes";
    const Objet& o = TableObjets[static_cast<size_t>(soldat)];
    RepereX = std::max(0, (o.x - 12) & ~1);
    RepereY = std::max(0, (o.y - 9) & ~1);
    std::fill(ecran.begin(), ecran.end(), FOND);
    PlanObjet__RazAffiche();
    Scene__Affichage();
    Capturer("evenement_bataille");
}

}  // namespace
