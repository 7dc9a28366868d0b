// Input given to the headless window as the player gives it: each injected event is followed by
// the dispatch of every waiting message, so the window procedure has seen it on return.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/plateforme.h"

// Dispatches every waiting message.
inline void PomperMessages() {
    Message m;
    while (Message_Attente(&m))
        if (Message_Lire(&m)) {
            Message_Traduire(&m);
            Message_Distribuer(&m);
        }
}

struct EntreesInjectees {
    static void Souris(int x, int y) {
        Plateforme_InjecterSouris(x, y);
        PomperMessages();
    }
    static void Bouton(bool gauche, bool enfonce) {
        Plateforme_InjecterBouton(gauche, enfonce);
        PomperMessages();
    }
    static void ToucheTenue(uint32_t vk, bool enfonce) {
        Plateforme_InjecterTouche(vk, enfonce);
        PomperMessages();
    }
    // A digit typed with a modifier held, with `passe` run while both are down.
    static void ChiffreAvec(uint32_t modificateur, char chiffre, const std::function<void()>& passe) {
        ToucheTenue(modificateur, true);
        ToucheTenue(static_cast<uint32_t>(chiffre), true);
        ToucheTenue(static_cast<uint32_t>(chiffre), false);
        passe();
        ToucheTenue(modificateur, false);
    }
};
