// Little-endian fields of files and records, read and written in place at any alignment.
#pragma once

#include <cstdint>

inline uint16_t Octets_Lire16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
inline int16_t Octets_LireS16(const uint8_t* p) { return static_cast<int16_t>(Octets_Lire16(p)); }
inline uint32_t Octets_Lire32(const uint8_t* p) {
    return p[0] | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

inline void Octets_Ecrire16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
inline void Octets_Ecrire32(uint8_t* p, uint32_t v) {
    Octets_Ecrire16(p, static_cast<uint16_t>(v));
    Octets_Ecrire16(p + 2, static_cast<uint16_t>(v >> 16));
}
