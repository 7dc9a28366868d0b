#include "platform/sonmixeur.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/octets.h"

namespace {

// Sample of channel c (0 or 1) at frame i, as a float in 16-bit units.
inline float Echantillon(const VoixMixeur& v, uint32_t i, unsigned c) {
    uint32_t canal = v.canaux == 2 ? c : 0;
    if (v.bits == 8) {
        return (static_cast<float>(v.donnees[i * v.canaux + canal]) - 128.0f) * 256.0f;
    }
    const uint8_t* p = v.donnees + (static_cast<size_t>(i) * v.canaux + canal) * 2;
    return static_cast<float>(Octets_LireS16(p));
}

void Notifier(VoixMixeur& v, uint32_t avant, uint32_t apres, bool tour) {
    for (uint32_t k = 0; k < v.notifications.size(); ++k) {
        uint32_t p = v.notifications[k];
        bool passe = tour ? (p > avant || p <= apres) : (p > avant && p <= apres);
        if (p != 0xFFFFFFFFu && passe) v.atteintes.push_back(k);
    }
}

void MixerVoix(VoixMixeur& v, uint32_t frequenceSortie, float* somme, size_t trames) {
    uint32_t total = v.Trames();
    if (total == 0 || v.donnees == nullptr || (v.bits != 8 && v.bits != 16) || v.canaux < 1 || v.canaux > 2) {
        v.joue = false;
        return;
    }
    const uint64_t fin = static_cast<uint64_t>(total) << 32;
    const uint64_t pas = (static_cast<uint64_t>(v.frequence) << 32) / frequenceSortie;
    uint32_t avant = v.PositionOctets();
    bool tour = false;
    for (size_t t = 0; t < trames; ++t) {
        if (v.position >= fin) {
            if (v.boucle) {
                v.position %= fin;
                tour = true;
            } else {
                v.joue = false;
                v.finie = true;
                v.position = 0;
                Notifier(v, avant, total * v.Alignement(), false);
                for (uint32_t k = 0; k < v.notifications.size(); ++k)
                    if (v.notifications[k] == 0xFFFFFFFFu) v.atteintes.push_back(k);
                return;
            }
        }
        uint32_t i = static_cast<uint32_t>(v.position >> 32);
        float f = static_cast<float>(static_cast<uint32_t>(v.position & 0xFFFFFFFFu)) * (1.0f / 4294967296.0f);
        uint32_t j = i + 1;
        if (j >= total) j = v.boucle ? 0 : i;
        float g = Echantillon(v, i, 0) + (Echantillon(v, j, 0) - Echantillon(v, i, 0)) * f;
        float d = g;
        if (v.canaux == 2) d = Echantillon(v, i, 1) + (Echantillon(v, j, 1) - Echantillon(v, i, 1)) * f;
        if (v.mono) g = d = (g + d) * 0.5f;
        somme[2 * t] += g * v.gainGauche;
        somme[2 * t + 1] += d * v.gainDroite;
        v.position += pas;
    }
    if (v.position >= fin && v.boucle) {
        v.position %= fin;
        tour = true;
    }
    Notifier(v, avant, v.PositionOctets(), tour);
}

}  // namespace

float Mixeur_GainDb(int32_t centiemes) {
    if (centiemes <= -10000) return 0.0f;
    if (centiemes >= 0) return 1.0f;
    return std::pow(10.0f, static_cast<float>(centiemes) / 2000.0f);
}

void Mixeur_Remplir(VoixMixeur* const* voix, size_t nombre, uint32_t frequenceSortie, int16_t* sortie,
                    size_t trames) {
    if (sortie == nullptr || trames == 0) return;
    // Kept from call to call: the audio callback allocates nothing once it has run.
    thread_local std::vector<float> somme;
    somme.assign(trames * 2, 0.0f);
    if (frequenceSortie > 0) {
        for (size_t k = 0; k < nombre; ++k) {
            VoixMixeur* v = voix[k];
            if (v == nullptr) continue;
            v->finie = false;
            if (v->joue) MixerVoix(*v, frequenceSortie, somme.data(), trames);
        }
    }
    for (size_t k = 0; k < trames * 2; ++k) {
        float s = std::clamp(somme[k], -32768.0f, 32767.0f);
        sortie[k] = static_cast<int16_t>(std::lrint(s));
    }
}
