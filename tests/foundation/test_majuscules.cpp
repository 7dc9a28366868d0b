// Upper case of the game's code page 1252 texts, and the sprite font's frames.
#include <gtest/gtest.h>

#include <string>

#include "foundation/majuscules.h"

TEST(Majuscules, LettresAccentueesEnCapitalesAccentuees) {
    char nom[] = "Premi\xE8re compagnie d'\xE9lite \xE0 \xE7\xF4t\xE9 (\xFF\x9C\xDF\xF7)";
    Texte__Majuscules(nom);
    EXPECT_EQ(std::string(nom), "PREMI\xC8RE COMPAGNIE D'\xC9LITE \xC0 \xC7\xD4T\xC9 (\x9F\x8C\xDF\xF7)");
    Texte__Majuscules(nullptr);
    EXPECT_EQ(Texte__Majuscule('\xC9'), '\xC9');
    EXPECT_EQ(Texte__Majuscule('1'), '1');
}

// The sprite font has no accented capitals: every accented letter, small or capital, gives the
// plain capital ("BÂTIMENT" is drawn BATIMENT).
TEST(Majuscules, PoliceSpriteSansAccents) {
    struct Cas {
        unsigned char c;
        unsigned image;
    };
    for (Cas c : {Cas{'x', 'X'}, Cas{'X', 'X'}, Cas{'7', '7'}, Cas{' ', 0}, Cas{'_', 0}, Cas{0xE2, 'A'}, Cas{0xC2, 'A'},
                  Cas{0xE0, 'A'}, Cas{0xE9, 'E'}, Cas{0xC9, 'E'}, Cas{0xEB, 'E'}, Cas{0xEE, 'I'}, Cas{0xEF, 'I'},
                  Cas{0xF4, 'O'}, Cas{0xF6, 'O'}, Cas{0xF9, 'U'}, Cas{0xFC, 'U'}, Cas{0xE7, 'C'}, Cas{0xC7, 'C'},
                  Cas{0xF1, 'N'}, Cas{0xFF, 'Y'}, Cas{0x9A, 'S'}, Cas{'%', '%'}}) {
        SCOPED_TRACE(static_cast<int>(c.c));
        EXPECT_EQ(Texte__CaractereSprite(c.c), c.image);
    }
}
