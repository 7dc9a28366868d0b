#include "platform/temps.h"


#include <atomic>
#include <chrono>
#include <thread>

namespace {
std::atomic<bool> manuel{true};
std::atomic<uint32_t> horloge{0};
const auto origine = std::chrono::steady_clock::now();
}  // namespace

// Set by the platform's start-up.
void Temps_ModeManuel(bool actif) { manuel = actif; }

bool Temps_Manuel() { return manuel; }

uint32_t Temps_Ticks() {
    if (manuel) return horloge;
    auto ecoule = std::chrono::steady_clock::now() - origine;
    return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(ecoule).count());
}

uint64_t Temps_Compteur() {
    if (manuel) return static_cast<uint64_t>(horloge.load()) * 1000u;
    auto ecoule = std::chrono::steady_clock::now() - origine;
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(ecoule).count());
}

uint64_t Temps_Frequence() { return 1000000u; }

void Temps_Dormir(uint32_t millisecondes) {
    if (manuel) {
        horloge += millisecondes;
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(millisecondes));
}

void Temps_Avancer(uint32_t millisecondes) { horloge += millisecondes; }
void Temps_Fixer(uint32_t ticks) { horloge = ticks; }
