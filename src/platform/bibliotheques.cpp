#include "platform/bibliotheques.h"

#include <strings.h>

#include <mutex>
#include <string>
#include <vector>

#include "platform/blitter.h"

struct Bibliotheque {
    const ExportBibliotheque* exports;
    size_t nombre;
};

namespace {

struct Inscrite {
    std::string nom;
    const ExportBibliotheque* exports;
    size_t nombre;
};

struct Etat {
    Etat() {
        size_t n = 0;
        const ExportBibliotheque* blitter = Blitter_Exports(&n);
        inscrites.push_back({"spr_p5.dll", blitter, n});
        inscrites.push_back({"spr_p6.dll", blitter, n});
    }
    std::mutex verrou;
    std::vector<Inscrite> inscrites;
    std::vector<std::string> absentes;
    std::vector<std::string> routinesAbsentes;
    int chargees = 0;
};

bool MemeNom(const std::string& a, const char* b) { return ::strcasecmp(a.c_str(), b) == 0; }

Etat& etat() {
    static Etat e;
    return e;
}

}  // namespace

void Bibliotheque_Enregistrer(const char* nom, const ExportBibliotheque* exports, size_t nombre) {
    if (nom == nullptr) return;
    Etat& e = etat();
    std::lock_guard<std::mutex> garde(e.verrou);
    for (auto& i : e.inscrites)
        if (MemeNom(i.nom, nom)) {
            i.exports = exports;
            i.nombre = nombre;
            return;
        }
    e.inscrites.push_back({nom, exports, nombre});
}

HandleBibliotheque Bibliotheque_Charger(const char* nom) {
    if (nom == nullptr) return nullptr;
    Etat& e = etat();
    std::lock_guard<std::mutex> garde(e.verrou);
    for (auto& a : e.absentes)
        if (MemeNom(a, nom)) return nullptr;
    for (auto& i : e.inscrites)
        if (MemeNom(i.nom, nom)) {
            ++e.chargees;
            return new Bibliotheque{i.exports, i.nombre};
        }
    return nullptr;
}

RoutineBibliotheque Bibliotheque_Routine(HandleBibliotheque bibliotheque, const char* nomExport) {
    if (bibliotheque == nullptr || nomExport == nullptr) return nullptr;
    Etat& e = etat();
    std::lock_guard<std::mutex> garde(e.verrou);
    for (auto& r : e.routinesAbsentes)
        if (r == nomExport) return nullptr;
    // Export names are exact, as the linker keeps them.
    for (size_t i = 0; i < bibliotheque->nombre; ++i)
        if (std::string(bibliotheque->exports[i].nom) == nomExport) return bibliotheque->exports[i].routine;
    return nullptr;
}

void Bibliotheque_Liberer(HandleBibliotheque bibliotheque) {
    if (bibliotheque == nullptr) return;
    Etat& e = etat();
    {
        std::lock_guard<std::mutex> garde(e.verrou);
        --e.chargees;
    }
    delete bibliotheque;
}

int Bibliotheque_NombreChargees() {
    Etat& e = etat();
    std::lock_guard<std::mutex> garde(e.verrou);
    return e.chargees;
}

void Bibliotheque_SimulerAbsente(const char* nom) {
    Etat& e = etat();
    std::lock_guard<std::mutex> garde(e.verrou);
    if (nom) e.absentes.emplace_back(nom);
}

void Bibliotheque_SimulerRoutineAbsente(const char* nomExport) {
    Etat& e = etat();
    std::lock_guard<std::mutex> garde(e.verrou);
    if (nomExport) e.routinesAbsentes.emplace_back(nomExport);
}

void Bibliotheque_SimulationRAZ() {
    Etat& e = etat();
    std::lock_guard<std::mutex> garde(e.verrou);
    e.absentes.clear();
    e.routinesAbsentes.clear();
}
