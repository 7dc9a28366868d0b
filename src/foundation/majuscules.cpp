#include "foundation/majuscules.h"

char Texte__Majuscule(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') return static_cast<char>(u - 'a' + 'A');
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 0x20);   // à..þ
    switch (u) {
        case 0x9A: return static_cast<char>(0x8A);   // š
        case 0x9C: return static_cast<char>(0x8C);   // œ
        case 0x9E: return static_cast<char>(0x8E);   // ž
        case 0xFF: return static_cast<char>(0x9F);   // ÿ
        default: return c;
    }
}

void Texte__Majuscules(char* texte) {
    if (texte == nullptr) return;
    for (char* p = texte; *p; ++p) *p = Texte__Majuscule(*p);
}

unsigned Texte__CaractereSprite(unsigned char c) {
    if (c == ' ' || c == '_') return 0;
    c = static_cast<unsigned char>(Texte__Majuscule(static_cast<char>(c)));
    if (c >= 0xC0 && c <= 0xC5) return 'A';   // À..Å
    if (c >= 0xC8 && c <= 0xCB) return 'E';   // È..Ë
    if (c >= 0xCC && c <= 0xCF) return 'I';   // Ì..Ï
    if ((c >= 0xD2 && c <= 0xD6) || c == 0xD8) return 'O';   // Ò..Ö, Ø
    if (c >= 0xD9 && c <= 0xDC) return 'U';   // Ù..Ü
    switch (c) {
        case 0xC7: return 'C';   // Ç
        case 0xD0: return 'D';   // Ð
        case 0xD1: return 'N';   // Ñ
        case 0xDD: case 0x9F: return 'Y';   // Ý, Ÿ
        case 0x8A: return 'S';   // Š
        case 0x8E: return 'Z';   // Ž
        default: return c;
    }
}
