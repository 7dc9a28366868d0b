// A headless game window with its 640 x 480 back buffer, active, for the tests of presentation and input.
#pragma once

#include <gtest/gtest.h>

#include <stdexcept>

#include "entrees_injectees.h"
#include "foundation/ecran.h"
#include "foundation/fenetre.h"
#include "foundation/polices.h"
#include "platform/plateforme.h"
#include "platform/temps.h"

struct FinProgramme : std::runtime_error {
    int code;
    explicit FinProgramme(int c) : std::runtime_error("fin du programme"), code(c) {}
};

class FenetreJeu : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(Plateforme_Initialiser(OptionsPlateforme{}));
        Plateforme_CrochetTerminer([](int code) { throw FinProgramme(code); });
        ASSERT_EQ(Fenetre_Creation(nullptr), 1);
        ASSERT_EQ(Polices_Creation(nullptr), 1);
        Pomper();   // the activation of the new window
        ASSERT_EQ(ApplicationActive, 1);
    }
    void TearDown() override { Plateforme_Fermer(); }

    static void Pomper() { PomperMessages(); }
    static uint16_t& Pixel(int x, int y) { return EcranTampon[y * LargeurEcran + x]; }
};
