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
