#include "platform/sonriff.h"

#include <cstdio>
#include <new>

#include "platform/fichiers.h"
#include "platform/octets.h"

struct FichierRiff {
    FILE* f = nullptr;
    uint32_t taille = 0;
    uint32_t position = 0;
};

FichierRiff* Riff_Ouvrir(const char* cheminJeu) {
    if (cheminJeu == nullptr) return nullptr;
    FILE* f = Fichier_Ouvrir(cheminJeu, "rb");
    if (f == nullptr) return nullptr;
    if (std::fseek(f, 0, SEEK_END) != 0) {
        std::fclose(f);
        return nullptr;
    }
    long t = std::ftell(f);
    std::fseek(f, 0, SEEK_SET);
    if (t < 0 || t > 0x7FFFFFFFL) {
        std::fclose(f);
        return nullptr;
    }
    auto* r = new (std::nothrow) FichierRiff;
    if (r == nullptr) {
        std::fclose(f);
        return nullptr;
    }
    r->f = f;
    r->taille = static_cast<uint32_t>(t);
    return r;
}

void Riff_Fermer(FichierRiff* fichier) {
    if (fichier == nullptr) return;
    std::fclose(fichier->f);
    delete fichier;
}

uint32_t Riff_TailleFichier(const FichierRiff* fichier) { return fichier ? fichier->taille : 0; }
uint32_t Riff_Restant(const FichierRiff* fichier) { return fichier ? fichier->taille - fichier->position : 0; }

namespace {

bool Placer(FichierRiff* r, uint32_t position) {
    if (position > r->taille) return false;
    if (std::fseek(r->f, static_cast<long>(position), SEEK_SET) != 0) return false;
    r->position = position;
    return true;
}

bool LireMot(FichierRiff* r, uint32_t* mot) {
    uint8_t o[4];
    if (Riff_Lire(r, o, 4) != 4) return false;
    *mot = Octets_Lire32(o);
    return true;
}

}  // namespace

uint32_t Riff_Lire(FichierRiff* fichier, void* destination, uint32_t octets) {
    if (fichier == nullptr || destination == nullptr) return 0;
    uint32_t n = octets < Riff_Restant(fichier) ? octets : Riff_Restant(fichier);
    size_t lus = std::fread(destination, 1, n, fichier->f);
    fichier->position += static_cast<uint32_t>(lus);
    return static_cast<uint32_t>(lus);
}

bool Riff_Sauter(FichierRiff* fichier, uint32_t octets) {
    if (fichier == nullptr || octets > Riff_Restant(fichier)) return false;
    return Placer(fichier, fichier->position + octets);
}

bool Riff_Descendre(FichierRiff* fichier, ChunkRiff* chunk, const ChunkRiff* parent, uint32_t code, bool riff) {
    if (fichier == nullptr || chunk == nullptr) return false;
    // The search stops at the parent's end, or at the file's end when the parent claims more.
    uint64_t fin = fichier->taille;
    if (parent != nullptr) {
        uint64_t finParent = static_cast<uint64_t>(parent->debut) + parent->taille;
        if (finParent < fin) fin = finParent;
    }
    uint32_t cherche = riff ? Riff_Code('R', 'I', 'F', 'F') : code;
    while (static_cast<uint64_t>(fichier->position) + 8 <= fin) {
        uint32_t c = 0, t = 0;
        if (!LireMot(fichier, &c) || !LireMot(fichier, &t)) return false;
        uint32_t debut = fichier->position;
        if (c == cherche) {
            ChunkRiff trouve{c, 0, debut, t};
            if (riff) {
                uint32_t type = 0;
                if (!LireMot(fichier, &type)) return false;
                if (type != code) {
                    if (!Placer(fichier, debut)) return false;
                    uint64_t suite = static_cast<uint64_t>(debut) + t + (t & 1);
                    if (suite > fin || !Placer(fichier, static_cast<uint32_t>(suite))) return false;
                    continue;
                }
                trouve.type = type;
            }
            *chunk = trouve;
            return true;
        }
        uint64_t suite = static_cast<uint64_t>(debut) + t + (t & 1);
        if (suite > fin || !Placer(fichier, static_cast<uint32_t>(suite))) return false;
    }
    return false;
}

bool Riff_Remonter(FichierRiff* fichier, const ChunkRiff* chunk) {
    if (fichier == nullptr || chunk == nullptr) return false;
    uint64_t suite = static_cast<uint64_t>(chunk->debut) + chunk->taille + (chunk->taille & 1);
    if (suite > fichier->taille) suite = fichier->taille;
    return Placer(fichier, static_cast<uint32_t>(suite));
}

int Wav_LireEntete(FichierRiff* fichier, FormatOnde* format, uint32_t* octetsDonnees) {
    ChunkRiff riff, fmt, data;
    if (!Riff_Descendre(fichier, &riff, nullptr, Riff_Code('W', 'A', 'V', 'E'), true)) return 1;
    if (!Riff_Descendre(fichier, &fmt, &riff, Riff_Code('f', 'm', 't', ' '), false)) return 2;
    uint8_t o[16];
    if (fmt.taille < 16 || Riff_Lire(fichier, o, 16) != 16 || !Riff_Remonter(fichier, &fmt)) return 3;
    if (!Riff_Descendre(fichier, &data, &riff, Riff_Code('d', 'a', 't', 'a'), false)) return 4;
    if (data.taille == 0) return 5;
    if (data.taille > Riff_Restant(fichier)) return 6;
    format->format = Octets_Lire16(o);
    format->canaux = Octets_Lire16(o + 2);
    format->frequence = Octets_Lire32(o + 4);
    format->octetsParSeconde = Octets_Lire32(o + 8);
    format->alignement = Octets_Lire16(o + 12);
    format->bits = Octets_Lire16(o + 14);
    *octetsDonnees = data.taille;
    return 0;
}

bool Wav_Charger(const char* cheminJeu, FormatOnde* format, std::vector<uint8_t>* donnees) {
    if (format == nullptr || donnees == nullptr) return false;
    FichierRiff* r = Riff_Ouvrir(cheminJeu);
    if (r == nullptr) return false;
    uint32_t octets = 0;
    bool ok = Wav_LireEntete(r, format, &octets) == 0;
    if (ok) {
        donnees->resize(octets);
        ok = Riff_Lire(r, donnees->data(), octets) == octets;
    }
    Riff_Fermer(r);
    return ok;
}
