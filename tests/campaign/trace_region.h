// What the program traces on the region map (MORVANE_TRACE=1), read back by the tests that play
// scripts on it: each enemy's plan for a turn and where the player's tokens stand once a turn's
// moves are over.
#pragma once

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

struct PlanEnnemi {
    int comportement, x, y, pas;
};

// The plans traced for enemy regiment `id`, in order.
inline std::vector<PlanEnnemi> PlansEnnemi(const std::string& trace, int id) {
    std::vector<PlanEnnemi> plans;
    std::istringstream lignes(trace);
    std::string ligne;
    while (std::getline(lignes, ligne)) {
        PlanEnnemi p{};
        int n = 0;
        if (std::sscanf(ligne.c_str(), "RegimentNmi_Deplacement(): regiment %d, comportement %d, en %d %d, %d pas", &n,
                        &p.comportement, &p.x, &p.y, &p.pas) == 5 &&
            n == id)
            plans.push_back(p);
    }
    return plans;
}

struct Case {
    int x, y;
    bool operator==(const Case&) const = default;
};

// The cells of the player's regiment `indice` at the end of each turn in which tokens moved.
inline std::vector<Case> FinsDeMouvement(const std::string& trace, int indice) {
    std::vector<Case> cases;
    std::istringstream lignes(trace);
    std::string ligne;
    while (std::getline(lignes, ligne)) {
        Case c{};
        int n = 0;
        if (std::sscanf(ligne.c_str(), "Region__finMouvements(): regiment %d en %d,%d", &n, &c.x, &c.y) == 3 && n == indice)
            cases.push_back(c);
    }
    return cases;
}
