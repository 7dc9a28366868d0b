// The headless script gives the messages a real window gets from a quick hand: motions merged
// while they wait, a press and release at one moment, a key with a modifier held around it.
#include <gtest/gtest.h>

#include <vector>

#include "dossier_temporaire.h"
#include "platform/plateforme.h"

namespace {

// Every message the script gives, in order, up to the quit that ends it.
std::vector<Message> Messages(const std::string& script) {
    DossierTemporaire arbre;
    arbre.Ecrire("s.txt", script);
    OptionsPlateforme o;
    o.script = (arbre.Racine() / "s.txt").string();
    std::string erreur;
    EXPECT_TRUE(Plateforme_Initialiser(o, &erreur)) << erreur;
    std::vector<Message> recus;
    Message m;
    while (recus.size() < 100 && Message_Lire(&m)) recus.push_back(m);
    Plateforme_Fermer();
    return recus;
}

TEST(ScriptEntrees, MouvementsFusionnesEtTouchesAvecModificateur) {
    const std::vector<Message> recus = Messages(
        "10 move 1 1\n10 move 5 5\n10 move 9 9\n10 click left\n10 move 3 3\n"
        "20 key ctrl+1\n30 key shift+m\n40 keydown alt\n40 key 2\n40 keyup alt\n50 key ctrl+shift+b\n");
    struct Attendu {
        uint32_t message;
        ParamMot w;
        uint32_t modificateurs;
    };
    const Attendu attendus[] = {
        {MSG_SOURIS_DEPLACEMENT, 0, 0},
        {MSG_GAUCHE_ENFONCE, 1, 0},
        {MSG_GAUCHE_RELACHE, 0, 0},
        {MSG_SOURIS_DEPLACEMENT, 0, 0},
        {MSG_TOUCHE_ENFONCEE, TOUCHE_CTRL, MODIF_CTRL},
        {MSG_TOUCHE_ENFONCEE, '1', MODIF_CTRL},
        {MSG_TOUCHE_RELACHEE, '1', MODIF_CTRL},
        {MSG_TOUCHE_RELACHEE, TOUCHE_CTRL, 0},
        {MSG_TOUCHE_ENFONCEE, TOUCHE_MAJ, MODIF_MAJ},
        {MSG_TOUCHE_ENFONCEE, 'M', MODIF_MAJ},
        {MSG_TOUCHE_RELACHEE, 'M', MODIF_MAJ},
        {MSG_TOUCHE_RELACHEE, TOUCHE_MAJ, 0},
        {MSG_TOUCHE_SYSTEME, TOUCHE_ALT, MODIF_ALT},
        {MSG_TOUCHE_SYSTEME, '2', MODIF_ALT},
        {MSG_TOUCHE_SYSTEME_RELACHEE, '2', MODIF_ALT},
        {MSG_TOUCHE_SYSTEME_RELACHEE, TOUCHE_ALT, 0},
        {MSG_TOUCHE_ENFONCEE, TOUCHE_CTRL, MODIF_CTRL},
        {MSG_TOUCHE_ENFONCEE, TOUCHE_MAJ, MODIF_CTRL | MODIF_MAJ},
        {MSG_TOUCHE_ENFONCEE, 'B', MODIF_CTRL | MODIF_MAJ},
        {MSG_TOUCHE_RELACHEE, 'B', MODIF_CTRL | MODIF_MAJ},
        {MSG_TOUCHE_RELACHEE, TOUCHE_MAJ, MODIF_CTRL},
        {MSG_TOUCHE_RELACHEE, TOUCHE_CTRL, 0},
    };
    ASSERT_EQ(recus.size(), std::size(attendus));
    for (size_t i = 0; i < recus.size(); ++i) {
        EXPECT_EQ(recus[i].message, attendus[i].message) << i;
        EXPECT_EQ(recus[i].wParam, attendus[i].w) << i;
        EXPECT_EQ(Plateforme_Modificateurs(recus[i].lParam), attendus[i].modificateurs) << i;
    }
    // The three motions waiting together arrive as the last; the press keeps its own place.
    EXPECT_EQ(Plateforme_PositionX(recus[0].lParam), 9);
    EXPECT_EQ(Plateforme_PositionY(recus[0].lParam), 9);
    EXPECT_EQ(Plateforme_PositionX(recus[1].lParam), 9);
    EXPECT_EQ(Plateforme_PositionX(recus[3].lParam), 3);
}

TEST(ScriptEntrees, ModificateurMalEcrit) {
    for (const char* ligne : {"10 key q+1\n", "10 key ctrl+\n", "10 key +1\n", "10 keyup ctrl+nosuchkey\n"}) {
        DossierTemporaire arbre;
        arbre.Ecrire("s.txt", ligne);
        OptionsPlateforme o;
        o.script = (arbre.Racine() / "s.txt").string();
        std::string erreur;
        EXPECT_FALSE(Plateforme_Initialiser(o, &erreur)) << ligne;
        EXPECT_NE(erreur.find("line 1"), std::string::npos) << ligne << erreur;
        Plateforme_Fermer();
    }
}

}  // namespace
