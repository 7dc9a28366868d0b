// Headless: the manual clock jumps to the next deadline a waiting loop gives.
#include <gtest/gtest.h>

#include "platform/plateforme.h"
#include "platform/temps.h"

namespace {

// Two empty looks at the queue at one moment let the clock move on.
void Attendre() {
    Message m;
    Message_Attente(&m);
    Message_Attente(&m);
}

TEST(Echeance, UneEcheancePasseeCedeALaSuivante) {
    ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}));
    const uint32_t t0 = Temps_Ticks();
    Plateforme_Echeance(t0 + 10);
    Temps_Avancer(50);   // the loop was busy past it
    Plateforme_Echeance(t0 + 50 + 66);
    Attendre();
    EXPECT_EQ(Temps_Ticks(), t0 + 50 + 66);
    // The earlier of two future deadlines holds.
    Plateforme_Echeance(Temps_Ticks() + 30);
    Plateforme_Echeance(Temps_Ticks() + 20);
    Attendre();
    EXPECT_EQ(Temps_Ticks(), t0 + 50 + 66 + 20);
    Plateforme_Fermer();
}

}  // namespace

namespace {

// Mended: a loop that sleeps between two looks at the queue (a box, the in-game menu) never made
// two looks at one moment, so the end of the script never ended it and the run went on for ever.
TEST(Echeance, LaFinDuScriptFinitUneBoucleQuiDort) {
    OptionsPlateforme o;
    o.sansTete = true;
    o.fermerEnFinDeScript = true;
    ASSERT_TRUE(Plateforme_Initialiser(o));
    int tours = 0;
    bool quitte = false;
    for (; tours < 1000 && !quitte; ++tours) {
        Message m;
        if (Message_Attente(&m)) {
            quitte = Message_Lire(&m) == 0;
            continue;
        }
        Temps_Dormir(66);
    }
    EXPECT_TRUE(quitte);
    EXPECT_LT(tours, 10);
    Plateforme_Fermer();
}

}  // namespace
