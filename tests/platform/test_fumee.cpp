#include <gtest/gtest.h>

#include "platform/hasard.h"

TEST(Hasard, DeuxFluxIndependants) {
    Hasard_Graine(7);
    int a = Hasard_Regles();
    Hasard_Visuel();
    Hasard_Visuel();
    Hasard_GraineRegles(7);
    EXPECT_EQ(Hasard_Regles(), a);
    EXPECT_LE(a, 32767);
}
